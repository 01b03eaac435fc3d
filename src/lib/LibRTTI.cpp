// Property access by name on published properties.

#include "lib/LibRTTI.h"

#include "platform/components/Control.h"
#include "platform/components/Properties.h"

namespace zrv {

bool HasProp(TObject* component, const std::string& name)
{
    return component && !name.empty() && IsPublishedProp(component, name);
}

std::string GetStrPropOf(TObject* component, const std::string& name)
{
    return HasProp(component, name) ? GetStrProp(component, name) : std::string();
}

void SetStrPropOf(TObject* component, const std::string& name, const std::string& value)
{
    if (HasProp(component, name))
        SetStrProp(component, name, value);
}

int64_t GetOrdPropOf(TObject* component, const std::string& name)
{
    return HasProp(component, name) ? GetOrdProp(component, name) : 0;
}

void SetOrdPropOf(TObject* component, const std::string& name, int64_t value)
{
    if (HasProp(component, name))
        SetOrdProp(component, name, value);
}

TMethod GetEventPropOf(TObject* component, const std::string& name)
{
    // A missing component gives the empty event instead of failing.
    return HasProp(component, name) ? GetMethodProp(component, name) : TMethod {};
}

void SetEventPropOf(TObject* component, const std::string& name, const TMethod& value)
{
    if (HasProp(component, name))
        SetMethodProp(component, name, value);
}

void ClickControl(TControl* control, uintptr_t wParam, intptr_t lParam)
{
    if (!control || control->IsDestroying())
        return;
    control->Perform(WM_LBUTTONDOWN, wParam | MK_LBUTTON, lParam);
    if (TComponent::IsLive(control))
        control->Perform(WM_LBUTTONUP, wParam, lParam);
}

} // namespace zrv
