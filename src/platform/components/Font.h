#pragma once
// TFont: the font of a control or canvas. Height is the character height in pixels (negative, as
// descriptions write it: -13 is a 13-pixel font); Size is the same in points at 96 pixels per
// inch. Charset is kept as given (134 simplified Chinese, 136 traditional Chinese).

#include "platform/components/Graphics.h"
#include "platform/components/Object.h"

#include <string>

class QFont;

namespace zrv {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t; // bit n = TFontStyle n
constexpr TFontStyles FontStyleBit(TFontStyle s) { return static_cast<TFontStyles>(1u << s); }
enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TPersistent {
public:
    TFont();
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const; // points
    void SetSize(int points);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    bool Assign(const TPersistent& source) override;
    bool operator==(const TFont& other) const;

    QFont ToQFont() const;
    int PixelSize() const; // the character height in pixels

    TNotifyEvent OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    TFontPitch pitch_ = TFontPitch::fpDefault;
};

const TEnumInfo& FontStyleEnum();

} // namespace zrv
