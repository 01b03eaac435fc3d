#pragma once
// TBitmap: an image held as 24-bit colour (a QImage without alpha). Glyph strips of buttons are
// bitmaps; their transparent colour is the colour of the bottom-left pixel unless fixed.

#include "platform/components/Canvas.h"
#include "platform/components/Event.h"
#include "platform/components/Object.h"

#include <QImage>
#include <memory>
#include <string>

class QPixmap;

namespace zrv {

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height, TColor fill = clWhite);
    ~TBitmap() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    // Resizes, keeping the pixels that remain; new pixels are white.
    void SetSize(int width, int height);
    bool Empty() const { return image_.isNull() || Width() == 0 || Height() == 0; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // Auto mode: the bottom-left pixel (clNone for an empty bitmap). Setting it fixes the mode.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    TColor Pixel(int x, int y) const; // clNone outside
    void SetPixel(int x, int y, TColor color);
    void Fill(TColor color);

    TCanvas& Canvas();
    const QImage& Image() const { return image_; }
    void SetImage(const QImage& image); // converted to 24-bit colour
    // The image with the transparent colour masked out when Transparent (or `forceMask`).
    QPixmap ToPixmap(bool forceMask = false) const;

    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const; // format from the extension (png, bmp)
    bool LoadFromData(const std::string& bytes); // PNG, BMP or any format Qt reads
    std::string Data() const; // PNG bytes
    bool SetData(const std::string& bytes)
    {
        return bytes.empty() ? (Clear(), true) : LoadFromData(bytes);
    }
    void Clear();

    bool Assign(const TPersistent& source) override;
    bool SameImage(const TBitmap& other) const;

    // Called after the picture changed (also after drawing on the canvas through Changed()).
    void Changed();
    TNotifyEvent OnChange;

private:
    QImage image_;
    std::unique_ptr<TCanvas> canvas_;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
    TColor transparentColor_ = clNone;
};

} // namespace zrv
