#pragma once
// TExtPageControl: the page control of the option forms. It draws its own tabs: the active tab
// in the active-caption colours with bold text, the others in the inactive-caption colours
// (OnDrawTab, when assigned, draws them instead).

#include "platform/components/PageControl.h"

namespace zrv {

class TExtPageControl : public TPageControl {
public:
    explicit TExtPageControl(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The page whose tab is tab `tabIndex` among the visible tabs; nullptr when there is none.
    TTabSheet* PageOfTab(int tabIndex) const;

protected:
    void DrawTab(int tabIndex, const TRect& rect, bool active) override;
};

} // namespace zrv
