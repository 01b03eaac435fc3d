#pragma once
// The standard component classes, entered in the class registry so form descriptions can name
// them. The form reader calls this before it reads anything; call it yourself before looking
// classes up by name without a form.

namespace zrv {

void RegisterStandardClasses();

} // namespace zrv
