#pragma once
// TWinControl: a control that can hold other controls and take the keyboard focus. Children
// are kept in creation order; windowed children also in tab order (TabOrder 0..n-1 among
// siblings). Focus changes raise OnExit on the controls being left, innermost first, up to the
// common parent, then OnEnter on the controls being entered, outermost first (the form does
// the bookkeeping). Key strokes go first to the form when its KeyPreview is on, then to the
// control; either may consume them by setting the key to 0.

#include "platform/components/Control.h"

#include <vector>

namespace zrv {

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Children (all controls whose parent this is), in the order they were added.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const; // itself or any descendant
    TControl* FindChildControl(std::string_view name) const; // among direct children

    // The widget children are placed in (the handle itself for most containers).
    virtual QWidget* ClientWidget() const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    // Windowed descendants in tab order: each child followed by its own descendants.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after `current` among the descendants that can take the
    // focus; wraps around. `checkTabStop` skips controls without TabStop, `checkParent` keeps to
    // direct children.
    TWinControl* FindNextControl(
        TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    // Focuses the next control in tab order after `current` (nothing when there is none).
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // Visible and enabled, and so is every parent up to the form.
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    // Alignment of children: runs on resize and whenever an aligned child changes.
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    virtual TRect AlignRect() const; // the area aligned children share

    // Messages posted here run later from the event loop (nothing when the control is gone).
    void PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

    // Key handling (called by the platform's event routing).
    // KeyDown: the form first (KeyPreview), then this control; true when the key was consumed.
    bool DoKeyDown(uint16_t& key, TShiftState shift);
    bool DoKeyUp(uint16_t& key, TShiftState shift);
    bool DoKeyPress(TKeyChar& key);
    // Whether this control handles the key itself instead of the form's dialog keys (Tab, Enter,
    // Esc, arrows).
    virtual bool WantsKey(uint16_t key, TShiftState shift) const;

    void Loaded() override;
    void Destroying() override;
    // Puts children at the tab positions they asked for while they were being read (a later
    // request for a position wins it). The form reader runs it after each description.
    void FixupTabOrder();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    bool HandleWidgetEvent(QObject* receiver, QEvent* event) override;

protected:
    TWinControl(TComponent* owner, QWidget* handle);

    friend class TControl;
    friend class TCustomForm;
    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    // Puts a new child's widget into this control's client widget (page controls put tab
    // sheets into their tabs instead), and takes it out again.
    virtual void PlaceControl(TControl* control);
    virtual void UnplaceControl(TControl* control);
    virtual void AlignControls();
    // Raised by the form's focus bookkeeping.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(TKeyChar& key);
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void Resize() override;
    // Puts the Qt focus on the handle (or an inner widget).
    virtual void FocusWidget();

private:
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int pendingTabOrder_ = -1;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
};

} // namespace zrv
