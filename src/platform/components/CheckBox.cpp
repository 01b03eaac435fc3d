#include "platform/components/CheckBox.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zrv {

const TEnumInfo& CheckBoxStateEnum()
{
    static const TEnumInfo info { "TCheckBoxState", { "cbUnchecked", "cbChecked", "cbGrayed" } };
    return info;
}

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TCheckBox>(
        "TCheckBox", TButtonControl::StaticClassInfo(), [](TClassBuilder<TCheckBox>& c) {
            c.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
            c.Enum("State", CheckBoxStateEnum(), &TCheckBox::State, &TCheckBox::SetState);
            c.Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
            c.Enum("Alignment", LeftRightEnum(), &TCheckBox::Alignment, &TCheckBox::SetAlignment);
        });
    return info;
}

TCheckBox::TCheckBox(TComponent* owner)
    : TCheckBox(owner, NewHandle<QCheckBox>())
{
}

TCheckBox::TCheckBox(TComponent* owner, QCheckBox* handle)
    : TButtonControl(owner, handle)
{
    SetBounds(0, 0, 97, 17);
    SetParentColor(true);
}

void TCheckBox::SetState(TCheckBoxState state)
{
    if (state == state_)
        return;
    state_ = state;
    ShowState();
    Click();
}

void TCheckBox::ShowState()
{
    auto* w = static_cast<QCheckBox*>(Handle());
    QSignalBlocker block(w);
    w->setTristate(allowGrayed_ || state_ == TCheckBoxState::cbGrayed);
    w->setCheckState(state_ == TCheckBoxState::cbChecked ? Qt::Checked
            : state_ == TCheckBoxState::cbGrayed         ? Qt::PartiallyChecked
                                                         : Qt::Unchecked);
}

void TCheckBox::SetAllowGrayed(bool v)
{
    allowGrayed_ = v;
    ShowState();
}

void TCheckBox::SetAlignment(TLeftRight v)
{
    alignment_ = v;
    Handle()->setLayoutDirection(
        v == TLeftRight::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

TCheckBoxState NextCheckBoxState(TCheckBoxState state, bool allowGrayed)
{
    switch (state) {
    case TCheckBoxState::cbUnchecked:
        return allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked:
        return TCheckBoxState::cbUnchecked;
    case TCheckBoxState::cbGrayed:
        return TCheckBoxState::cbChecked;
    }
    return TCheckBoxState::cbUnchecked;
}

void TCheckBox::Toggle() { SetState(NextCheckBoxState(state_, allowGrayed_)); }

void TCheckBox::NativeClicked()
{
    // Qt already moved the box on; follow the classic order instead and show it.
    Toggle();
    ShowState();
}

const TClassInfo& TRadioButton::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TRadioButton>(
        "TRadioButton", TButtonControl::StaticClassInfo(), [](TClassBuilder<TRadioButton>& c) {
            c.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
            c.Enum("Alignment", LeftRightEnum(), &TRadioButton::Alignment,
                &TRadioButton::SetAlignment);
        });
    return info;
}

TRadioButton::TRadioButton(TComponent* owner)
    : TRadioButton(owner, NewHandle<QRadioButton>())
{
}

TRadioButton::TRadioButton(TComponent* owner, QRadioButton* handle)
    : TButtonControl(owner, handle)
{
    // Exclusion is done here, among the radio buttons of one parent control.
    handle->setAutoExclusive(false);
    SetBounds(0, 0, 113, 17);
    SetParentColor(true);
}

void TRadioButton::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    {
        auto* w = static_cast<QRadioButton*>(Handle());
        QSignalBlocker block(w);
        w->setChecked(v);
    }
    if (v) {
        TurnSiblingsOff();
        Click();
    }
}

void TRadioButton::TurnSiblingsOff()
{
    TWinControl* p = Parent();
    if (!p)
        return;
    for (int i = 0; i < p->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)); r && r != this)
            r->SetChecked(false);
}

void TRadioButton::SetAlignment(TLeftRight v)
{
    alignment_ = v;
    Handle()->setLayoutDirection(
        v == TLeftRight::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::NativeClicked()
{
    if (checked_) {
        // Clicking a checked radio button keeps it checked.
        auto* w = static_cast<QRadioButton*>(Handle());
        QSignalBlocker block(w);
        w->setChecked(true);
        return;
    }
    SetChecked(true);
}

} // namespace zrv
