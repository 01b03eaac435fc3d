#pragma once
// Reading and writing published properties of any component by property name. Every routine
// does nothing (or gives the neutral value) when the component is missing, the name is empty
// or the component has no published property of that name or kind.

#include "platform/components/Event.h"

#include <cstdint>
#include <string>

namespace zrv {

class TObject;
class TControl;

bool HasProp(TObject* component, const std::string& name);
// Text properties.
std::string GetStrPropOf(TObject* component, const std::string& name);
void SetStrPropOf(TObject* component, const std::string& name, const std::string& value);
// Ordinal properties: integers, enumerations, sets, booleans and object references (as the
// object's address; written only with 0 or the address of a component that exists).
int64_t GetOrdPropOf(TObject* component, const std::string& name);
void SetOrdPropOf(TObject* component, const std::string& name, int64_t value);
// Event properties as (code, object) pairs; an empty method when there is none.
TMethod GetEventPropOf(TObject* component, const std::string& name);
void SetEventPropOf(TObject* component, const std::string& name, const TMethod& value);
// Sends a left-button press and release with the given parameters (position in the low and
// high word of lParam, key state in wParam), so the control behaves as if clicked there.
void ClickControl(TControl* control, uintptr_t wParam = 0, intptr_t lParam = 0);

} // namespace zrv
