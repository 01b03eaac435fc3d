#include "controls/ZrcEdit.h"

#include "controls/F2Button.h"

namespace zrv {

const TEnumInfo& LabelPositionEnum()
{
    static const TEnumInfo info { "TLabelPosition", { "lpAbove", "lpBelow", "lpLeft", "lpRight" } };
    return info;
}

TPoint LabelPlace(const TRect& control, int w, int h, TLabelPosition position, int spacing)
{
    const int l = control.Left, t = control.Top;
    const int cw = control.Width(), ch = control.Height();
    switch (position) {
    case TLabelPosition::lpAbove:
        return { l, t - h - spacing };
    case TLabelPosition::lpBelow:
        return { l, t + ch + spacing };
    case TLabelPosition::lpLeft:
        return { l - w - spacing, t + (ch - h) / 2 };
    case TLabelPosition::lpRight:
        return { l + cw + spacing, t + (ch - h) / 2 };
    }
    return { l, t };
}

namespace {
    // The three properties every labelled control adds to its base.
    template <typename C> void LabelProperties(TClassBuilder<C>& c)
    {
        c.Text("Caption", &C::LabelCaption, &C::SetLabelCaption);
        c.Enum("LabelPosition", LabelPositionEnum(), &C::LabelPosition, &C::SetLabelPosition);
        c.Int("LabelSpacing", &C::LabelSpacing, &C::SetLabelSpacing);
    }
} // namespace

const TClassInfo& TZrEdit::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrEdit>(
        "TZrEdit", TEdit::StaticClassInfo(), [](TClassBuilder<TZrEdit>& c) { LabelProperties(c); });
    return info;
}

TZrEdit::TZrEdit(TComponent* owner)
    : TLabelled<TEdit>(owner)
{
}

const TClassInfo& TZrComboBox::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrComboBox>("TZrComboBox",
        TComboBox::StaticClassInfo(), [](TClassBuilder<TZrComboBox>& c) { LabelProperties(c); });
    return info;
}

TZrComboBox::TZrComboBox(TComponent* owner)
    : TLabelled<TComboBox>(owner)
{
}

const TClassInfo& TZrDBEdit::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrDBEdit>(
        "TZrDBEdit", TEdit::StaticClassInfo(), [](TClassBuilder<TZrDBEdit>& c) {
            LabelProperties(c);
            c.Text("DataField", &TZrDBEdit::DataField, &TZrDBEdit::SetDataField);
        });
    return info;
}

TZrDBEdit::TZrDBEdit(TComponent* owner)
    : TLabelled<TEdit>(owner)
{
}

const TClassInfo& TZrBtnDBEdit::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrBtnDBEdit>(
        "TZrBtnDBEdit", TZrDBEdit::StaticClassInfo(), [](TClassBuilder<TZrBtnDBEdit>& c) {
            using E = TZrBtnDBEdit;
            c.Int("ButtonSpacing", &E::ButtonSpacing, &E::SetButtonSpacing);
            c.Int("GlyphIndex", &E::GlyphIndex, &E::SetGlyphIndex);
            c.Text("ButtonHint", &E::ButtonHint, &E::SetButtonHint);
            c.Event("OnDialog", &E::OnDialog);
        });
    return info;
}

TZrBtnDBEdit::TZrBtnDBEdit(TComponent* owner)
    : TZrDBEdit(owner)
{
    button_ = new TGSpeedButton(this);
    button_->SetName("F2Button");
    button_->SetFlat(true);
    button_->SetGlyphIndex(8);
    button_->OnClick = TNotifyEvent([this](TObject*) { ButtonClick(); });
    PlaceButton();
}

TZrBtnDBEdit::~TZrBtnDBEdit()
{
    if (button_) {
        TGSpeedButton* b = button_;
        button_ = nullptr;
        b->Free();
    }
}

void TZrBtnDBEdit::SetButtonSpacing(int v)
{
    buttonSpacing_ = v;
    PlaceButton();
}

void TZrBtnDBEdit::SetGlyphIndex(int n)
{
    if (button_)
        button_->SetGlyphIndex(n);
}

void TZrBtnDBEdit::SetButtonHint(const std::string& hint)
{
    if (button_)
        button_->SetHint(hint);
}

void TZrBtnDBEdit::SetBounds(int left, int top, int width, int height)
{
    TZrDBEdit::SetBounds(left, top, width, height);
    PlaceButton();
}

bool TZrBtnDBEdit::SetParent(TWinControl* parent)
{
    if (!TZrDBEdit::SetParent(parent))
        return false;
    if (button_)
        button_->SetParent(parent);
    PlaceButton();
    return true;
}

void TZrBtnDBEdit::Notification(TComponent* component, TOperation operation)
{
    TZrDBEdit::Notification(component, operation);
    if (operation == TOperation::opRemove && component == button_)
        button_ = nullptr;
}

void TZrBtnDBEdit::PlaceButton()
{
    if (!button_ || IsDestroying())
        return;
    button_->SetBounds(Left() + Width() + buttonSpacing_, Top(), Height(), Height());
}

void TZrBtnDBEdit::ButtonClick()
{
    if (OnDialog) {
        if (EventsEnabled())
            OnDialog(this);
        return;
    }
    if (CanFocus())
        SetFocus();
    if (TComponent::IsLive(this) && !IsDestroying() && Focused())
        SendLookupRequest(this);
}

void TZrBtnDBEdit::VisibleChanged()
{
    TZrDBEdit::VisibleChanged();
    if (button_)
        button_->SetVisible(Visible());
}

void TZrBtnDBEdit::EnabledChanged()
{
    TZrDBEdit::EnabledChanged();
    if (button_)
        button_->SetEnabled(Enabled());
}

} // namespace zrv
