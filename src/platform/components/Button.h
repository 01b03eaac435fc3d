#pragma once
// Push buttons. TButtonControl is the base of buttons, check boxes and radio buttons (controls
// with a native click of their own). TButton sets its form's ModalResult when clicked; the
// Default button answers Enter and the Cancel button Esc anywhere on the form.

#include "platform/components/WinControl.h"

class QAbstractButton;
class QPushButton;

namespace zrv {

class TButtonControl : public TWinControl {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QAbstractButton* ButtonWidget() const;

protected:
    TButtonControl(TComponent* owner, QAbstractButton* handle);
    // The native button was clicked by the user.
    virtual void NativeClicked();
    void TextChanged() override;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }

    // Sets the form's ModalResult to this button's, then runs OnClick.
    void Click() override;

protected:
    TButton(TComponent* owner, QPushButton* handle);

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

} // namespace zrv
