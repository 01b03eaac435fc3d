#include "platform/components/SpeedButton.h"

#include "platform/components/Glyphs.h"

#include <QSignalBlocker>
#include <QToolButton>

namespace zrv {

const TClassInfo& TSpeedButton::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TSpeedButton>(
        "TSpeedButton", TGraphicControl::StaticClassInfo(), [](TClassBuilder<TSpeedButton>& c) {
            c.Text("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
            c.Object<TBitmap>("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
            c.Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
            c.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
            c.Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
            c.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
            c.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
            c.Enum("Layout", ButtonLayoutEnum(), &TSpeedButton::Layout, &TSpeedButton::SetLayout);
            c.Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
            c.Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
            c.Bool("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);
        });
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner)
    : TSpeedButton(owner, NewHandle<QToolButton>())
{
}

TSpeedButton::TSpeedButton(TComponent* owner, QToolButton* handle)
    : TGraphicControl(owner, handle)
    , glyph_(std::make_unique<TBitmap>())
{
    SetClickOnMouseUp(false);
    SetBounds(0, 0, 23, 22);
    handle->setFocusPolicy(Qt::NoFocus);
    handle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    glyph_->OnChange = TNotifyEvent([this](TObject*) { UpdateLook(); });
    QObject::connect(handle, &QToolButton::clicked, handle, [this] {
        if (EventsEnabled())
            NativeClicked();
    });
}

TSpeedButton::~TSpeedButton() { Destroying(); }

QToolButton* TSpeedButton::ButtonWidget() const { return static_cast<QToolButton*>(Handle()); }

void TSpeedButton::SetGlyph(TBitmap* glyph)
{
    if (!glyph)
        glyph_->Clear();
    else if (glyph != glyph_.get())
        glyph_->Assign(*glyph);
}

void TSpeedButton::SetNumGlyphs(int n)
{
    n = std::clamp(n, 1, 4);
    if (n == numGlyphs_)
        return;
    numGlyphs_ = n;
    UpdateLook();
}

void TSpeedButton::SetFlat(bool v)
{
    flat_ = v;
    ButtonWidget()->setAutoRaise(v);
}

void TSpeedButton::SetGroupIndex(int v)
{
    groupIndex_ = v;
    if (v == 0)
        down_ = false;
    UpdateLook();
}

void TSpeedButton::SetAllowAllUp(bool v)
{
    allowAllUp_ = v;
    // The classic button shares the setting with the rest of its group.
    if (TWinControl* p = Parent(); p && groupIndex_ != 0)
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(p->Controls(i));
                b && b != this && b->groupIndex_ == groupIndex_)
                b->allowAllUp_ = v;
}

void TSpeedButton::SetDown(bool v)
{
    if (groupIndex_ == 0)
        v = false;
    if (v == down_)
        return;
    if (down_ && !allowAllUp_)
        return; // a group always keeps one button down
    down_ = v;
    if (v)
        if (TWinControl* p = Parent())
            for (int i = 0; i < p->ControlCount(); ++i)
                if (auto* b = dynamic_cast<TSpeedButton*>(p->Controls(i));
                    b && b != this && b->groupIndex_ == groupIndex_ && b->down_) {
                    b->down_ = false;
                    b->UpdateLook();
                }
    UpdateLook();
}

void TSpeedButton::SetLayout(TButtonLayout v)
{
    layout_ = v;
    QToolButton* b = ButtonWidget();
    b->setToolButtonStyle(v == TButtonLayout::blGlyphTop || v == TButtonLayout::blGlyphBottom
            ? Qt::ToolButtonTextUnderIcon
            : Qt::ToolButtonTextBesideIcon);
    b->setLayoutDirection(v == TButtonLayout::blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

void TSpeedButton::TextChanged()
{
    ButtonWidget()->setText(QString::fromStdString(text_));
    UpdateLook();
}

void TSpeedButton::UpdateLook()
{
    QToolButton* b = ButtonWidget();
    if (!b)
        return;
    QSignalBlocker block(b);
    b->setCheckable(groupIndex_ != 0);
    b->setChecked(down_);
    QIcon icon = GlyphIcon(*glyph_, numGlyphs_);
    b->setIcon(icon);
    if (!glyph_->Empty())
        b->setIconSize(QSize(glyph_->Width() / numGlyphs_, glyph_->Height()));
    b->setToolButtonStyle(text_.empty() ? Qt::ToolButtonIconOnly
            : glyph_->Empty()           ? Qt::ToolButtonTextOnly
                                        : Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::NativeClicked()
{
    if (groupIndex_ != 0)
        SetDown(!down_);
    UpdateLook();
    Click();
}

} // namespace zrv
