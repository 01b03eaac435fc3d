#include "platform/components/Canvas.h"

#include "platform/components/Bitmap.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace zrv {

namespace {
    QString Q(const std::string& s) { return QString::fromStdString(s); }
    QRect QR(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
} // namespace

TCanvas::TCanvas(QImage* image)
    : image_(image)
{
}

void TCanvas::AttachPainter(QPainter* painter)
{
    painter_ = painter;
    image_ = nullptr;
}

void TCanvas::AttachImage(QImage* image)
{
    image_ = image;
    painter_ = nullptr;
}

void TCanvas::Detach()
{
    painter_ = nullptr;
    image_ = nullptr;
}

template <typename F> void TCanvas::Paint(F&& f)
{
    if (painter_) {
        painter_->save();
        f(*painter_);
        painter_->restore();
    } else if (image_ && !image_->isNull()) {
        QPainter p(image_);
        f(p);
    }
}

void TCanvas::FillRect(const TRect& r)
{
    if (Brush.Style == TBrushStyle::bsClear)
        return;
    Paint([&](QPainter& p) { p.fillRect(QR(r), ToQColor(Brush.Color)); });
}

void TCanvas::FrameRect(const TRect& r)
{
    Paint([&](QPainter& p) {
        p.setPen(ToQColor(Brush.Color));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    });
}

void TCanvas::Rectangle(const TRect& r)
{
    Paint([&](QPainter& p) {
        if (Pen.Style == TPenStyle::psClear)
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(ToQColor(Pen.Color), Pen.Width));
        if (Brush.Style == TBrushStyle::bsClear)
            p.setBrush(Qt::NoBrush);
        else
            p.setBrush(ToQColor(Brush.Color));
        p.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    });
}

void TCanvas::MoveTo(int x, int y) { penPos_ = { x, y }; }

void TCanvas::LineTo(int x, int y)
{
    TPoint from = penPos_;
    Paint([&](QPainter& p) {
        Qt::PenStyle style = Pen.Style == TPenStyle::psDash ? Qt::DashLine
            : Pen.Style == TPenStyle::psDot                 ? Qt::DotLine
            : Pen.Style == TPenStyle::psClear               ? Qt::NoPen
                                                            : Qt::SolidLine;
        p.setPen(QPen(ToQColor(Pen.Color), Pen.Width, style));
        // The classic line leaves out its last pixel.
        if (from.X == x)
            p.drawLine(from.X, from.Y, x, y + (y > from.Y ? -1 : 1));
        else if (from.Y == y)
            p.drawLine(from.X, from.Y, x + (x > from.X ? -1 : 1), y);
        else
            p.drawLine(from.X, from.Y, x, y);
    });
    penPos_ = { x, y };
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    Paint([&](QPainter& p) {
        QFont f = Font.ToQFont();
        p.setFont(f);
        QFontMetrics fm(f);
        if (Brush.Style != TBrushStyle::bsClear)
            p.fillRect(x, y, fm.horizontalAdvance(Q(text)), fm.height(), ToQColor(Brush.Color));
        p.setPen(ToQColor(Font.Color()));
        p.drawText(x, y + fm.ascent(), Q(text));
    });
    penPos_ = { x + TextWidth(text), y };
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    Paint([&](QPainter& p) {
        QFont f = Font.ToQFont();
        p.setFont(f);
        p.setClipRect(QR(r));
        if (Brush.Style != TBrushStyle::bsClear)
            p.fillRect(QR(r), ToQColor(Brush.Color));
        p.setPen(ToQColor(Font.Color()));
        p.drawText(x, y + QFontMetrics(f).ascent(), Q(text));
    });
}

void TCanvas::TextAligned(const TRect& r, const std::string& text, int horizontal, int vertical,
    bool mnemonic, bool wordWrap)
{
    Paint([&](QPainter& p) {
        p.setFont(Font.ToQFont());
        p.setPen(ToQColor(Font.Color()));
        int flags = horizontal == 1 ? Qt::AlignRight
            : horizontal == 2       ? Qt::AlignHCenter
                                    : Qt::AlignLeft;
        flags |= vertical == 0 ? Qt::AlignTop : vertical == 2 ? Qt::AlignBottom : Qt::AlignVCenter;
        flags |= wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
        if (mnemonic)
            flags |= Qt::TextShowMnemonic;
        p.drawText(QR(r), flags, Q(text));
    });
}

int TCanvas::TextWidth(const std::string& text) const
{
    return QFontMetrics(Font.ToQFont()).horizontalAdvance(Q(text));
}

int TCanvas::TextHeight(const std::string&) const { return QFontMetrics(Font.ToQFont()).height(); }

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    Paint([&](QPainter& p) { p.drawPixmap(x, y, bitmap.ToPixmap()); });
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    Paint([&](QPainter& p) { p.drawPixmap(QR(r), bitmap.ToPixmap()); });
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    Paint([&](QPainter& p) {
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    });
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!image_ || !image_->valid(x, y))
        return clNone;
    return FromQColor(image_->pixelColor(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (image_ && image_->valid(x, y))
        image_->setPixelColor(x, y, ToQColor(color));
    else if (painter_)
        Paint([&](QPainter& p) {
            p.setPen(ToQColor(color));
            p.drawPoint(x, y);
        });
}

} // namespace zrv
