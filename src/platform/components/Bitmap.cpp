#include "platform/components/Bitmap.h"

#include <QBitmap>
#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPixmap>

namespace zrv {

namespace {
    const TEnumInfo& TransparentModeEnum()
    {
        static const TEnumInfo info { "TTransparentMode", { "tmAuto", "tmFixed" } };
        return info;
    }

    QImage Blank(int w, int h, TColor fill)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(ToQColor(fill));
        return img;
    }
} // namespace

const TClassInfo& TBitmap::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TBitmap>(
        "TBitmap", TPersistent::StaticClassInfo(), [](TClassBuilder<TBitmap>& c) {
            c.Int("Width", &TBitmap::Width, &TBitmap::SetWidth);
            c.Int("Height", &TBitmap::Height, &TBitmap::SetHeight);
            c.Bool("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
            c.Int("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor,
                &ColorIdents());
            c.Enum("TransparentMode", TransparentModeEnum(), &TBitmap::TransparentMode,
                &TBitmap::SetTransparentMode);
            c.Text("Data", &TBitmap::Data, &TBitmap::SetData);
        });
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TColor fill)
    : image_(Blank(width, height, fill))
{
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return;
    QImage next = Blank(width, height, clWhite);
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = next;
    if (canvas_)
        canvas_->AttachImage(&image_);
    Changed();
}

void TBitmap::SetTransparent(bool v)
{
    if (v == transparent_)
        return;
    transparent_ = v;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == TTransparentMode::tmFixed)
        return transparentColor_;
    if (Empty())
        return clNone;
    return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    transparentMode_ = TTransparentMode::tmFixed;
    Changed();
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (!image_.valid(x, y))
        return clNone;
    QRgb p = image_.pixel(x, y);
    return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (!image_.valid(x, y))
        return;
    TColor c = ColorToRGB(color);
    image_.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
}

void TBitmap::Fill(TColor color)
{
    if (!image_.isNull())
        image_.fill(ToQColor(color));
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>(&image_);
    return *canvas_;
}

void TBitmap::SetImage(const QImage& image)
{
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    if (canvas_)
        canvas_->AttachImage(&image_);
    Changed();
}

QPixmap TBitmap::ToPixmap(bool forceMask) const
{
    if (Empty())
        return QPixmap();
    QPixmap pm = QPixmap::fromImage(image_);
    if (transparent_ || forceMask) {
        TColor t = ColorToRGB(TransparentColor());
        QImage mask = image_.createMaskFromColor(
            qRgb(GetRValue(t), GetGValue(t), GetBValue(t)), Qt::MaskInColor);
        pm.setMask(QBitmap::fromImage(mask));
    }
    return pm;
}

bool TBitmap::LoadFromFile(const std::string& path)
{
    QImage img;
    if (!img.load(QString::fromStdString(path)))
        return false;
    SetImage(img);
    return true;
}

bool TBitmap::SaveToFile(const std::string& path) const
{
    return !image_.isNull() && image_.save(QString::fromStdString(path));
}

bool TBitmap::LoadFromData(const std::string& bytes)
{
    QImage img;
    if (!img.loadFromData(
            reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
        return false;
    SetImage(img);
    return true;
}

std::string TBitmap::Data() const
{
    if (Empty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, "PNG");
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void TBitmap::Clear()
{
    if (image_.isNull())
        return;
    image_ = QImage();
    if (canvas_)
        canvas_->AttachImage(&image_);
    Changed();
}

bool TBitmap::Assign(const TPersistent& source)
{
    auto* b = dynamic_cast<const TBitmap*>(&source);
    if (!b)
        return false;
    if (b == this)
        return true;
    image_ = b->image_;
    transparent_ = b->transparent_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    if (canvas_)
        canvas_->AttachImage(&image_);
    Changed();
    return true;
}

bool TBitmap::SameImage(const TBitmap& other) const { return image_ == other.image_; }

void TBitmap::Changed() { OnChange(this); }

} // namespace zrv
