#pragma once
// Applying form descriptions to components. Reading happens in two phases: first every
// component is created (owned by the root, placed in its parent) and its properties are set
// while it carries the loading flag; then references to other components are resolved by name,
// and finally Loaded runs on every component read, in reading order.
//
// Errors (unknown class, unknown property, a value of the wrong kind, an unknown handler, a
// reference to a missing component, a component name used twice, an inherited component the
// ancestor does not have) raise EFormDescriptionError naming the description's file and line.

#include "platform/components/FormDescription.h"

namespace zrv {

class TComponent;

// Reads the descriptions of root's class and its ancestors (the nearest "object" description
// and every "inherited" one after it, most general first). Nothing happens for a class chain
// without descriptions.
void LoadFormDescriptions(TComponent& root);
// Reads the given descriptions into root, most general first.
void LoadFormDescription(TComponent& root, const std::vector<const TFormDescription*>& chain);

} // namespace zrv
