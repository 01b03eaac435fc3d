#pragma once
// Glyph strips of buttons: a bitmap holding NumGlyphs square-ish images side by side (1 up,
// 2 disabled, 3 pressed, 4 down), drawn with the strip's transparent colour (the bottom-left
// pixel) left out.

#include "platform/components/Bitmap.h"

#include <QIcon>
#include <QPixmap>

namespace zrv {

// Image `index` (from 0) of a strip of `numGlyphs`; a null pixmap when the strip is empty.
QPixmap GlyphImage(const TBitmap& glyph, int numGlyphs, int index);
// The icon a button shows: normal, disabled (the second image, when there is one) and down
// (the fourth image, when there is one).
QIcon GlyphIcon(const TBitmap& glyph, int numGlyphs);

} // namespace zrv
