#pragma once
// The framework's control classes, entered in the class registry so that form descriptions can
// name them. Forms call this (once is enough) before they read their descriptions.

namespace zrv {

void RegisterControlClasses();

} // namespace zrv
