#pragma once
// TCheckBox and TRadioButton. Both raise OnClick whenever their state changes, whether the
// user clicked or code set Checked (as the classic controls do). Checking a radio button
// unchecks the other radio buttons of the same parent.

#include "platform/components/Button.h"

class QCheckBox;
class QRadioButton;

namespace zrv {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
// The classic toggle order: unchecked -> grayed (when allowed) -> checked -> unchecked.
TCheckBoxState NextCheckBoxState(TCheckBoxState state, bool allowGrayed);
const TEnumInfo& CheckBoxStateEnum();

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool v)
    {
        SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
    }
    TCheckBoxState State() const { return state_; }
    virtual void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight v);
    // The next state as a click makes it: unchecked -> grayed (AllowGrayed) or checked,
    // checked -> unchecked, grayed -> checked.
    void Toggle();

protected:
    TCheckBox(TComponent* owner, QCheckBox* handle);
    void NativeClicked() override;

private:
    void ShowState();
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool v);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight v);

protected:
    TRadioButton(TComponent* owner, QRadioButton* handle);
    void NativeClicked() override;

private:
    void TurnSiblingsOff();
    bool checked_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
};

} // namespace zrv
