#include "controls/GSpdBtn.h"

#include "platform/components/Dialogs.h"

#include "HvResD5.h"

#include <QImage>
#include <stdexcept>
#include <string>

namespace zrv {

namespace {

    TBitmapLibrary HvResLibrary()
    {
        TBitmapLibrary lib;
        lib.MaxId = [] { return static_cast<int>(GetMaxBmpID()); };
        lib.Load = [](int n, TBitmap& bitmap) {
            HvBmpImage image {};
            if (!LoadBmp(&image, n))
                return false;
            if (image.width <= 0 || image.height <= 0 || !image.pixels)
                throw std::runtime_error("picture " + std::to_string(n) + " is empty");
            // The library keeps its pixels; copy them before the image is handed on.
            QImage view(reinterpret_cast<const uchar*>(image.pixels), image.width, image.height,
                image.width * 4, QImage::Format_RGB32);
            bitmap.SetImage(view.copy());
            return true;
        };
        return lib;
    }

    TBitmapLibrary& CurrentLibrary()
    {
        static TBitmapLibrary lib = HvResLibrary();
        return lib;
    }

} // namespace

const TBitmapLibrary& BitmapLibrary() { return CurrentLibrary(); }

TBitmapLibrary SetBitmapLibrary(TBitmapLibrary library)
{
    TBitmapLibrary previous = CurrentLibrary();
    CurrentLibrary() = std::move(library);
    return previous;
}

bool LoadLibraryBitmap(int n, TBitmap& bitmap)
{
    const TBitmapLibrary& lib = BitmapLibrary();
    if (n <= 0 || !lib.MaxId || !lib.Load || n > lib.MaxId())
        return false;
    return lib.Load(n, bitmap);
}

const TClassInfo& TGSpeedButton::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TGSpeedButton>(
        "TGSpeedButton", TSpeedButton::StaticClassInfo(), [](TClassBuilder<TGSpeedButton>& c) {
            // A picture that cannot be loaded is reported, not a reason to refuse the form.
            c.Int("GlyphIndex", &TGSpeedButton::GlyphIndex,
                [](TGSpeedButton* b, int n) { b->SetGlyphIndex(n); });
            c.Int("HintIndex", &TGSpeedButton::HintIndex, &TGSpeedButton::SetHintIndex);
        });
    return info;
}

TGSpeedButton::TGSpeedButton(TComponent* owner)
    : TSpeedButton(owner)
{
}

bool TGSpeedButton::SetGlyphIndex(int n)
{
    if (n == glyphIndex_)
        return true;
    glyphIndex_ = n;
    // The number shows for as long as no picture does.
    SetCaption(std::to_string(n));
    try {
        const TBitmapLibrary& lib = BitmapLibrary();
        if (n == 0 || (lib.MaxId && n > lib.MaxId())) {
            Glyph()->Clear();
            return true;
        }
        TBitmap picture;
        if (!LoadLibraryBitmap(n, picture)) {
            Glyph()->Clear();
            return true;
        }
        SetCaption("");
        SetNumGlyphs(picture.Width() / picture.Height());
        SetGlyph(&picture);
        return true;
    } catch (const std::exception&) {
        MessageDlg("读取 BMP 发生错误", TMsgDlgType::mtError, mbOKOnly);
        return false;
    }
}

} // namespace zrv
