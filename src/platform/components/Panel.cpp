#include "platform/components/Panel.h"

#include "platform/components/CustomControl.h"

#include <QPainter>

namespace zrv {

const TEnumInfo& BevelCutEnum()
{
    static const TEnumInfo info { "TBevelCut", { "bvNone", "bvLowered", "bvRaised", "bvSpace" } };
    return info;
}

const TEnumInfo& BorderStyleEnum()
{
    static const TEnumInfo info { "TBorderStyle", { "bsNone", "bsSingle" } };
    return info;
}

const TClassInfo& TPanel::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TPanel>(
        "TPanel", TWinControl::StaticClassInfo(), [](TClassBuilder<TPanel>& c) {
            c.Text("Caption", &TPanel::Caption, &TPanel::SetCaption);
            c.Enum("BevelInner", BevelCutEnum(), &TPanel::BevelInner, &TPanel::SetBevelInner);
            c.Enum("BevelOuter", BevelCutEnum(), &TPanel::BevelOuter, &TPanel::SetBevelOuter);
            c.Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
            c.Int("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
            c.Enum("BorderStyle", BorderStyleEnum(), &TPanel::BorderStyle, &TPanel::SetBorderStyle);
            c.Enum("Alignment", AlignmentEnum(), &TPanel::Alignment, &TPanel::SetAlignment);
        });
    return info;
}

TPanel::TPanel(TComponent* owner)
    : TWinControl(owner, NewHandle<TPaintWidget>())
{
    auto* w = static_cast<TPaintWidget*>(Handle());
    w->setFocusPolicy(Qt::NoFocus);
    w->paint = [this](QPainter& p) { Paint(p); };
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::SetBevelInner(TBevelCut v)
{
    bevelInner_ = v;
    Changed();
}

void TPanel::SetBevelOuter(TBevelCut v)
{
    bevelOuter_ = v;
    Changed();
}

void TPanel::SetBevelWidth(int v)
{
    bevelWidth_ = std::max(v, 1);
    Changed();
}

void TPanel::SetBorderWidth(int v)
{
    borderWidth_ = std::max(v, 0);
    Changed();
}

void TPanel::SetBorderStyle(TBorderStyle v)
{
    borderStyle_ = v;
    Changed();
}

void TPanel::SetAlignment(TAlignment v)
{
    alignment_ = v;
    Invalidate();
}

void TPanel::TextChanged() { Invalidate(); }

void TPanel::Changed()
{
    Invalidate();
    Realign();
}

TRect TPanel::AlignRect() const
{
    TRect r = ClientRect();
    int inset = borderWidth_ + (borderStyle_ == TBorderStyle::bsSingle ? 1 : 0);
    if (bevelOuter_ != TBevelCut::bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone)
        inset += bevelWidth_;
    return Rect(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset);
}

void TPanel::Paint(QPainter& p)
{
    QRect r(0, 0, Width(), Height());
    p.fillRect(r, ToQColor(Color()));
    auto frame = [&](QRect rc, TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return rc;
        QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
        if (cut == TBevelCut::bvLowered)
            std::swap(light, dark);
        for (int i = 0; i < bevelWidth_; ++i) {
            if (cut != TBevelCut::bvSpace) {
                p.setPen(light);
                p.drawLine(rc.left(), rc.top(), rc.right(), rc.top());
                p.drawLine(rc.left(), rc.top(), rc.left(), rc.bottom());
                p.setPen(dark);
                p.drawLine(rc.left(), rc.bottom(), rc.right(), rc.bottom());
                p.drawLine(rc.right(), rc.top(), rc.right(), rc.bottom());
            }
            rc.adjust(1, 1, -1, -1);
        }
        return rc;
    };
    if (borderStyle_ == TBorderStyle::bsSingle) {
        p.setPen(ToQColor(clWindowFrame));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    r = frame(r, bevelOuter_);
    r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    r = frame(r, bevelInner_);
    std::string caption = Caption();
    if (!caption.empty()) {
        p.setFont(Font()->ToQFont());
        p.setPen(ToQColor(Font()->Color()));
        int h = alignment_ == TAlignment::taLeftJustify ? Qt::AlignLeft
            : alignment_ == TAlignment::taRightJustify  ? Qt::AlignRight
                                                        : Qt::AlignHCenter;
        p.drawText(r, h | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
            QString::fromStdString(caption));
    }
}

} // namespace zrv
