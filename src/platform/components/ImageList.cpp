#include "platform/components/ImageList.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace zrv {

const TClassInfo& TImageList::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TImageList>(
        "TImageList", TComponent::StaticClassInfo(), [](TClassBuilder<TImageList>& c) {
            c.Int("Width", &TImageList::Width, &TImageList::SetWidth);
            c.Int("Height", &TImageList::Height, &TImageList::SetHeight);
            c.Int("BkColor", &TImageList::BkColor, &TImageList::SetBkColor, &ColorIdents());
            c.Bool("Masked", &TImageList::Masked, &TImageList::SetMasked);
            c.ReadOnlyInt("Count", &TImageList::Count);
            c.Event("OnChange", &TImageList::OnChange);
        });
    return info;
}

TImageList::TImageList(TComponent* owner)
    : TComponent(owner)
{
}

void TImageList::SetWidth(int w)
{
    if (w <= 0 || w == width_)
        return;
    width_ = w;
    Clear(); // the classic list drops its images when the size changes
}

void TImageList::SetHeight(int h)
{
    if (h <= 0 || h == height_)
        return;
    height_ = h;
    Clear();
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask)
{
    if (image.Empty())
        return -1;
    int first = Count();
    int pieces = std::max(1, image.Width() / width_);
    for (int p = 0; p < pieces; ++p) {
        QImage piece(width_, height_, QImage::Format_ARGB32);
        piece.fill(Qt::transparent);
        for (int y = 0; y < height_ && y < image.Height(); ++y)
            for (int x = 0; x < width_ && p * width_ + x < image.Width(); ++x) {
                int sx = p * width_ + x;
                bool clear = mask && !mask->Empty() && ColorToRGB(mask->Pixel(sx, y)) == clWhite;
                if (clear)
                    continue;
                TColor c = image.Pixel(sx, y);
                piece.setPixel(x, y, qRgba(GetRValue(c), GetGValue(c), GetBValue(c), 255));
            }
        images_.push_back(piece);
    }
    Changed();
    return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor transparent)
{
    if (image.Empty())
        return -1;
    TBitmap mask(image.Width(), image.Height(), clBlack);
    TColor t = ColorToRGB(transparent);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixel(x, y) == t)
                mask.SetPixel(x, y, clWhite);
    return Add(image, &mask);
}

void TImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    images_.erase(images_.begin() + index);
    Changed();
}

void TImageList::Clear()
{
    if (images_.empty())
        return;
    images_.clear();
    Changed();
}

bool TImageList::GetBitmap(int index, TBitmap& out) const
{
    if (index < 0 || index >= Count())
        return false;
    QImage img(width_, height_, QImage::Format_RGB32);
    img.fill(ToQColor(bkColor_ == clNone ? clFuchsia : bkColor_));
    QPainter p(&img);
    p.drawImage(0, 0, images_[static_cast<size_t>(index)]);
    p.end();
    out.SetImage(img);
    return true;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    TBitmap b;
    GetBitmap(index, b);
    if (!enabled) {
        QImage g = b.Image()
                       .convertToFormat(QImage::Format_Grayscale8)
                       .convertToFormat(QImage::Format_RGB32);
        b.SetImage(g);
    }
    b.SetTransparent(true);
    canvas.Draw(x, y, b);
}

QIcon TImageList::Icon(int index) const
{
    if (index < 0 || index >= Count())
        return QIcon();
    return QIcon(QPixmap::fromImage(images_[static_cast<size_t>(index)]));
}

} // namespace zrv
