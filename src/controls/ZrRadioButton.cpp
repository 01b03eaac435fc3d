#include "controls/ZrRadioButton.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

namespace zrv {

namespace {
    class RadioWidget : public QRadioButton {
    public:
        TZrRadioButton* owner = nullptr;

    protected:
        void paintEvent(QPaintEvent* e) override
        {
            QRadioButton::paintEvent(e);
            if (owner && !owner->IsDestroying()) {
                QPainter p(this);
                owner->PaintCaption(p);
            }
        }
    };
} // namespace

int RadioCaptionIndent(int points)
{
    if (points >= 1 && points <= 8)
        return 17;
    if (points >= 9 && points <= 15)
        return 19;
    if (points >= 16 && points <= 17)
        return 20;
    if (points >= 18 && points <= 23)
        return 21;
    if (points >= 24 && points <= 29)
        return 23;
    if (points >= 30 && points <= 35)
        return 25;
    if (points >= 36 && points <= 41)
        return 27;
    if (points >= 42 && points <= 43)
        return 29;
    if (points >= 44 && points <= 60)
        return 31;
    if (points >= 61 && points <= 80)
        return 39;
    return 44;
}

const TClassInfo& TZrRadioButton::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TZrRadioButton>(
        "TZrRadioButton", TButtonControl::StaticClassInfo(), [](TClassBuilder<TZrRadioButton>& c) {
            c.Bool("Checked", &TZrRadioButton::Checked, &TZrRadioButton::SetChecked);
            c.Enum("Alignment", LeftRightEnum(), &TZrRadioButton::Alignment,
                &TZrRadioButton::SetAlignment);
            c.Bool("Ctl3D", &TZrRadioButton::Ctl3D, &TZrRadioButton::SetCtl3D);
        });
    return info;
}

TZrRadioButton::TZrRadioButton(TComponent* owner)
    : TZrRadioButton(owner, NewHandle<RadioWidget>())
{
}

TZrRadioButton::TZrRadioButton(TComponent* owner, QWidget* handle)
    : TButtonControl(owner, static_cast<QAbstractButton*>(handle))
{
    if (auto* w = dynamic_cast<RadioWidget*>(handle))
        w->owner = this;
    // Exclusion is done here, among the radio buttons of one parent control.
    static_cast<QRadioButton*>(handle)->setAutoExclusive(false);
    SetBounds(0, 0, 113, 17);
    SetParentColor(true);
    SetTabStop(false);
}

void TZrRadioButton::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    SetTabStop(v);
    {
        QSignalBlocker block(ButtonWidget());
        ButtonWidget()->setChecked(v);
    }
    if (!v)
        return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TZrRadioButton*>(p->Controls(i)); r && r != this)
                r->SetChecked(false);
    Changed();
    if (!clicksDisabled_ && TComponent::IsLive(this) && !IsDestroying())
        Click();
}

void TZrRadioButton::NativeClicked()
{
    if (checked_) {
        // A click on the checked button keeps it checked.
        QSignalBlocker block(ButtonWidget());
        ButtonWidget()->setChecked(true);
        return;
    }
    SetChecked(true);
}

void TZrRadioButton::SetAlignment(TLeftRight v)
{
    alignment_ = v;
    ApplyLook();
}

void TZrRadioButton::SetCtl3D(bool v)
{
    ctl3D_ = v;
    ApplyLook();
}

void TZrRadioButton::ApplyLook()
{
    Handle()->setLayoutDirection(
        alignment_ == TLeftRight::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    Handle()->update();
}

void TZrRadioButton::EnabledChanged()
{
    TButtonControl::EnabledChanged();
    Handle()->update();
}

TRect TZrRadioButton::CaptionArea() const
{
    const int indent = RadioCaptionIndent(Font()->Size());
    if (alignment_ == TLeftRight::taLeftJustify)
        return Rect(0, 0, std::max(ClientWidth() - indent, 0), ClientHeight());
    return Rect(indent, 0, ClientWidth(), ClientHeight());
}

void TZrRadioButton::PaintCaption(QPainter& painter)
{
    TRect area = CaptionArea();
    // Paint over the native caption, but never over the native indicator.
    const int indicator = Handle()->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
    TRect cover = alignment_ == TLeftRight::taLeftJustify
        ? Rect(-4, -4, std::min(area.Right + 4, ClientWidth() - indicator - 1), ClientHeight() + 4)
        : Rect(std::max(area.Left - 4, indicator + 1), -4, ClientWidth() + 4, ClientHeight() + 4);
    canvas_.AttachPainter(&painter);
    canvas_.Brush.Color = Color();
    canvas_.Brush.Style = TBrushStyle::bsSolid;
    canvas_.FillRect(cover);
    canvas_.Font.Assign(*Font());
    canvas_.Brush.Style = TBrushStyle::bsClear;
    canvas_.TextAligned(area, Caption(), 0, 1);
    canvas_.Detach();
}

} // namespace zrv
