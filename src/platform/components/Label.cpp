#include "platform/components/Label.h"

#include <QFontMetrics>
#include <QWidget>

namespace zrv {

const TEnumInfo& TextLayoutEnum()
{
    static const TEnumInfo info { "TTextLayout", { "tlTop", "tlCenter", "tlBottom" } };
    return info;
}

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TLabel>(
        "TLabel", TGraphicControl::StaticClassInfo(), [](TClassBuilder<TLabel>& c) {
            c.Text("Caption", &TLabel::Caption, &TLabel::SetCaption);
            c.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
            c.Enum("Alignment", AlignmentEnum(), &TLabel::Alignment, &TLabel::SetAlignment);
            c.Enum("Layout", TextLayoutEnum(), &TLabel::Layout, &TLabel::SetLayout);
            c.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
            c.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
            c.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
            c.Reference<TWinControl>(
                "FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
        });
    return info;
}

TLabel::TLabel(TComponent* owner)
    : TGraphicControl(owner)
{
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
    Handle()->setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

std::string TLabel::DisplayText() const
{
    std::string t = Caption();
    if (!showAccelChar_)
        return t;
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '&') {
            if (i + 1 < t.size() && t[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += t[i];
    }
    return out;
}

int TLabel::TextWidth() const
{
    return QFontMetrics(Font()->ToQFont()).horizontalAdvance(QString::fromStdString(DisplayText()));
}

int TLabel::TextHeight() const { return QFontMetrics(Font()->ToQFont()).height(); }

void TLabel::AdjustBounds()
{
    if (!autoSize_ || Loading())
        return;
    QFontMetrics fm(Font()->ToQFont());
    QString text = QString::fromStdString(DisplayText());
    int w = fm.horizontalAdvance(text);
    int h = fm.height();
    if (wordWrap_ && Width() > 0) {
        QRect r = fm.boundingRect(QRect(0, 0, Width(), 10000), Qt::TextWordWrap, text);
        w = Width();
        h = std::max(r.height(), fm.height());
    }
    int left = Left();
    if (alignment_ == TAlignment::taRightJustify)
        left = Left() + Width() - w;
    else if (alignment_ == TAlignment::taCenter)
        left = Left() + (Width() - w) / 2;
    SetBounds(wordWrap_ ? Left() : left, Top(), w, h);
}

void TLabel::SetAutoSize(bool v)
{
    autoSize_ = v;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment v)
{
    alignment_ = v;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout v)
{
    layout_ = v;
    Invalidate();
}

void TLabel::SetWordWrap(bool v)
{
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool v)
{
    transparent_ = v;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v)
{
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control)
{
    if (control == focusControl_)
        return;
    if (focusControl_)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control)
        control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

void TLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    // With the parent's colour the parent's own background shows through.
    if (!transparent_ && !ParentColor()) {
        c.Brush.Color = Color();
        c.Brush.Style = TBrushStyle::bsSolid;
        c.FillRect(r);
    }
    c.Font.Assign(*Font());
    if (!Enabled())
        c.Font.SetColor(clGrayText);
    int h = alignment_ == TAlignment::taRightJustify ? 1
        : alignment_ == TAlignment::taCenter         ? 2
                                                     : 0;
    int v = layout_ == TTextLayout::tlTop ? 0 : layout_ == TTextLayout::tlBottom ? 2 : 1;
    c.TextAligned(r, Caption(), h, v, showAccelChar_, wordWrap_);
}

} // namespace zrv
