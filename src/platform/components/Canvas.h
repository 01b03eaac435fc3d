#pragma once
// TCanvas: drawing on a bitmap or, while a control paints itself, on the control. Brush, pen
// and font work as on the classic canvas; coordinates are pixels from the top left.

#include "platform/components/Font.h"
#include "platform/components/Graphics.h"

#include <string>

class QImage;
class QPainter;

namespace zrv {

class TBitmap;

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psDash, psDot, psClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(QImage* image);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Draw through a painter that somebody else opened (a control's paint event), or on an
    // image. Without either, drawing does nothing.
    void AttachPainter(QPainter* painter);
    void AttachImage(QImage* image);
    void Detach();
    bool HandleAllocated() const { return painter_ || image_; }

    TBrush Brush;
    TPen Pen;
    TFont Font;

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r); // one-pixel frame in the brush colour
    void Rectangle(const TRect& r); // outline with the pen, inside with the brush
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to `r`, starting at (x, y); flags 0 = single line at (x, y).
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Text aligned in `r`: horizontal 0 left, 1 right, 2 centre; vertical 0 top, 1 centre,
    // 2 bottom. `mnemonic`: "&" underlines the next character.
    void TextAligned(const TRect& r, const std::string& text, int horizontal, int vertical = 1,
        bool mnemonic = true, bool wordWrap = false);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;
    void Draw(int x, int y, const TBitmap& bitmap); // transparent when the bitmap says so
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void DrawFocusRect(const TRect& r);
    TColor Pixel(int x, int y) const; // clNone outside an image
    void SetPixel(int x, int y, TColor color);
    TPoint PenPos() const { return penPos_; }

private:
    template <typename F> void Paint(F&& f);

    QPainter* painter_ = nullptr;
    QImage* image_ = nullptr;
    TPoint penPos_;
};

} // namespace zrv
