#pragma once
// The framework's control classes, entered in the class registry so that form descriptions can
// name them. Forms call this (once is enough) before they read their descriptions.

#include <vector>

namespace zrv {

class TComponent;

void RegisterControlClasses();

// The glyph buttons a control carries inside it: the three lookup buttons of a selection
// panel, the lookup button of a TZrBtnDBEdit; none for other components. Windows that give
// their buttons a disabled image treat these too.
std::vector<TComponent*> BuiltInGlyphButtons(TComponent* component);

} // namespace zrv
