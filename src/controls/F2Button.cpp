#include "controls/F2Button.h"

#include "platform/components/Dialogs.h"
#include "platform/components/Form.h"

#include <algorithm>

namespace zrv {

TCustomForm* OwnerFormOf(const TComponent* control)
{
    for (const TComponent* c = control; c; c = c->Owner())
        if (auto* form = dynamic_cast<const TCustomForm*>(c))
            return const_cast<TCustomForm*>(form);
    auto* asControl = dynamic_cast<const TControl*>(control);
    return asControl ? GetParentForm(asControl) : nullptr;
}

bool SendLookupRequest(TWinControl* control)
{
    TCustomForm* form = control ? OwnerFormOf(control) : nullptr;
    if (!form)
        return false;
    form->Perform(ZM_LOOKUPREQUEST, 0, reinterpret_cast<intptr_t>(control));
    return true;
}

const TClassInfo& TF2Button::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TF2Button>(
        "TF2Button", TGSpeedButton::StaticClassInfo(), [](TClassBuilder<TF2Button>& c) {
            // A refused binding is reported to the user, not a reason to refuse the form.
            c.Reference<TWinControl>("F2Control", &TF2Button::F2Control,
                [](TF2Button* b, TWinControl* c) { b->SetF2Control(c); });
            c.Bool("AutoAlign", &TF2Button::AutoAlign, &TF2Button::SetAutoAlign);
            c.Int("Gap", &TF2Button::Gap, &TF2Button::SetGap);
        });
    return info;
}

TF2Button::TF2Button(TComponent* owner)
    : TGSpeedButton(owner)
{
    SetFlat(true);
    SetGlyphIndex(8);
}

TF2Button::~TF2Button()
{
    if (f2Control_)
        f2Control_->RemoveFreeNotification(this);
}

bool TF2Button::SetF2Control(TWinControl* control)
{
    if (control) {
        if (control == f2Control_)
            return false;
        // The buttons that could be beside the same edit: those of this button's parent control
        // (owned by it or placed on it); without a parent, those of the owner.
        std::vector<TComponent*> near;
        if (TWinControl* p = Parent()) {
            for (int i = 0; i < p->ComponentCount(); ++i)
                near.push_back(p->Components(i));
            for (int i = 0; i < p->ControlCount(); ++i)
                near.push_back(p->Controls(i));
        } else if (TComponent* o = Owner()) {
            for (int i = 0; i < o->ComponentCount(); ++i)
                near.push_back(o->Components(i));
        }
        for (TComponent* c : near)
            if (auto* other = dynamic_cast<TF2Button*>(c);
                other && other != this && other->f2Control_ == control) {
                MessageDlg(
                    "不能同时有两个 F2Button 指到同一个 Edit.", TMsgDlgType::mtError, mbOKOnly);
                return false;
            }
    }
    if (f2Control_)
        f2Control_->RemoveFreeNotification(this);
    f2Control_ = control;
    if (control)
        control->FreeNotification(this);
    AlignToControl();
    return true;
}

void TF2Button::SetAutoAlign(bool v)
{
    autoAlign_ = v;
    AlignToControl();
}

void TF2Button::SetGap(int gap)
{
    gap = std::clamp(gap, 0, 255);
    if (gap == gap_)
        return;
    gap_ = gap;
    AlignToControl();
}

void TF2Button::AlignToControl()
{
    if (!f2Control_ || !autoAlign_)
        return;
    int h = f2Control_->Height();
    SetBounds(f2Control_->Left() + f2Control_->Width() + gap_, f2Control_->Top(), h, h);
}

void TF2Button::Click()
{
    TGSpeedButton::Click();
    TWinControl* control = f2Control_;
    if (!control || !TComponent::IsLive(control) || !control->Enabled())
        return;
    if (control->CanFocus())
        control->SetFocus();
    if (TComponent::IsLive(control) && control->Focused())
        SendLookupRequest(control);
}

void TF2Button::Notification(TComponent* component, TOperation operation)
{
    TGSpeedButton::Notification(component, operation);
    if (operation == TOperation::opRemove && component == f2Control_)
        f2Control_ = nullptr;
}

} // namespace zrv
