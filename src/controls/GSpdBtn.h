#pragma once
// TGSpeedButton: the framework's flat tool button. Its picture is never stored with a form; it
// is taken by number (GlyphIndex) from the shared picture library HvResD5, so every module shows
// the same pictures. While no picture can be shown, the button shows its number instead.

#include "platform/components/SpeedButton.h"

#include <functional>

namespace zrv {

// The picture library as the buttons see it. The default reaches HvResD5; tests may put a
// stand-in in its place.
struct TBitmapLibrary {
    std::function<int()> MaxId; // the highest picture number
    // Fills the bitmap with picture n; false when the library has no such picture. Throws when
    // the library answers with something that is not a picture.
    std::function<bool(int n, TBitmap& bitmap)> Load;
};
const TBitmapLibrary& BitmapLibrary();
// Replaces the library; returns the previous one.
TBitmapLibrary SetBitmapLibrary(TBitmapLibrary library);

// Loads picture n of the library into `bitmap`: true when it was loaded, false when the library
// has no such picture (0 and numbers above the highest included). Throws as Load does.
bool LoadLibraryBitmap(int n, TBitmap& bitmap);

class TGSpeedButton : public TSpeedButton {
public:
    explicit TGSpeedButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int GlyphIndex() const { return glyphIndex_; }
    // Takes picture n from the library (nothing happens when n is the current number). False
    // when loading raised an error (reported with "读取 BMP 发生错误"); the number stays stored.
    bool SetGlyphIndex(int n);
    int HintIndex() const { return hintIndex_; }
    void SetHintIndex(int n) { hintIndex_ = n; }

private:
    int glyphIndex_ = 0;
    int hintIndex_ = 0;
};

} // namespace zrv
