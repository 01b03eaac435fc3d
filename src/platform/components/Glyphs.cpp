#include "platform/components/Glyphs.h"

#include <QBitmap>

namespace zrv {

QPixmap GlyphImage(const TBitmap& glyph, int numGlyphs, int index)
{
    if (glyph.Empty() || numGlyphs < 1 || index < 0 || index >= numGlyphs)
        return QPixmap();
    int w = glyph.Width() / numGlyphs;
    if (w <= 0)
        return QPixmap();
    QImage part = glyph.Image().copy(index * w, 0, w, glyph.Height());
    QPixmap pm = QPixmap::fromImage(part);
    TColor t = ColorToRGB(glyph.TransparentColor());
    QImage mask
        = part.createMaskFromColor(qRgb(GetRValue(t), GetGValue(t), GetBValue(t)), Qt::MaskInColor);
    pm.setMask(QBitmap::fromImage(mask));
    return pm;
}

QIcon GlyphIcon(const TBitmap& glyph, int numGlyphs)
{
    QIcon icon;
    numGlyphs = std::max(numGlyphs, 1);
    QPixmap up = GlyphImage(glyph, numGlyphs, 0);
    if (up.isNull())
        return icon;
    icon.addPixmap(up, QIcon::Normal, QIcon::Off);
    if (numGlyphs >= 2)
        icon.addPixmap(GlyphImage(glyph, numGlyphs, 1), QIcon::Disabled, QIcon::Off);
    if (numGlyphs >= 4) {
        QPixmap down = GlyphImage(glyph, numGlyphs, 3);
        icon.addPixmap(down, QIcon::Normal, QIcon::On);
        icon.addPixmap(down, QIcon::Active, QIcon::On);
    } else
        icon.addPixmap(up, QIcon::Normal, QIcon::On);
    return icon;
}

} // namespace zrv
