#pragma once
// TF2Button: a lookup button that sits at the right end of an edit (F2Control). Clicking it does
// what F2 in the edit does: the edit takes the focus and the form that owns it is asked to open
// the lookup for it (the message ZM_LOOKUPREQUEST with the edit as its LParam). One edit has at
// most one such button.

#include "controls/GSpdBtn.h"
#include "platform/components/Messages.h"

namespace zrv {

class TCustomForm;
class TWinControl;

// The lookup request a form answers: LParam is the control whose lookup is wanted.
constexpr uint32_t ZM_LOOKUPREQUEST = WM_USER + 10; // 1034

// The form a control belongs to: the first form among its owners, else the form it sits on.
TCustomForm* OwnerFormOf(const TComponent* control);
// Sends the lookup request for `control` to its form; false when there is no form.
bool SendLookupRequest(TWinControl* control);

class TF2Button : public TGSpeedButton {
public:
    explicit TF2Button(TComponent* owner);
    ~TF2Button() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TWinControl* F2Control() const { return f2Control_; }
    // Binds the button to C (nullptr: to nothing) and aligns it. Refused (false, nothing
    // changes) when another F2 button beside this one already serves C ("不能同时有两个
    // F2Button 指到同一个 Edit." is shown) or when C is already this button's control.
    bool SetF2Control(TWinControl* control);
    bool AutoAlign() const { return autoAlign_; }
    void SetAutoAlign(bool v);
    int Gap() const { return gap_; }
    void SetGap(int gap); // a byte: 0..255

    // Puts the button at the right end of F2Control, as high and as wide as its height.
    void AlignToControl();
    // The ordinary click, then the lookup request for F2Control when it is enabled and takes
    // the focus.
    void Click() override;

    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* f2Control_ = nullptr;
    bool autoAlign_ = true;
    int gap_ = 2;
};

} // namespace zrv
