#include "platform/components/Font.h"

#include <QFont>
#include <cmath>

namespace zrv {

namespace {
    constexpr int kPixelsPerInch = 96;

    const TEnumInfo& PitchEnum()
    {
        static const TEnumInfo info { "TFontPitch", { "fpDefault", "fpVariable", "fpFixed" } };
        return info;
    }
} // namespace

const TEnumInfo& FontStyleEnum()
{
    static const TEnumInfo info { "TFontStyle",
        { "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut" } };
    return info;
}

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TFont>(
        "TFont", TPersistent::StaticClassInfo(), [](TClassBuilder<TFont>& c) {
            c.Int("Charset", &TFont::Charset, &TFont::SetCharset, &CharsetIdents());
            c.Int("Color", &TFont::Color, &TFont::SetColor, &ColorIdents());
            c.Int("Height", &TFont::Height, &TFont::SetHeight);
            c.Text("Name", &TFont::Name, &TFont::SetName);
            c.Enum("Pitch", PitchEnum(), &TFont::Pitch, &TFont::SetPitch);
            c.Int("Size", &TFont::Size, &TFont::SetSize);
            c.Set("Style", FontStyleEnum(), &TFont::Style, &TFont::SetStyle);
        });
    return info;
}

TFont::TFont() = default;

void TFont::SetName(const std::string& name)
{
    if (name == name_ || name.empty())
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const { return -static_cast<int>(std::lround(height_ * 72.0 / kPixelsPerInch)); }

void TFont::SetSize(int points)
{
    SetHeight(-static_cast<int>(std::lround(points * static_cast<double>(kPixelsPerInch) / 72.0)));
}

void TFont::SetCharset(int charset)
{
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == pitch_)
        return;
    pitch_ = pitch;
    Changed();
}

bool TFont::Assign(const TPersistent& source)
{
    auto* f = dynamic_cast<const TFont*>(&source);
    if (!f)
        return false;
    if (*f == *this)
        return true;
    name_ = f->name_;
    height_ = f->height_;
    charset_ = f->charset_;
    color_ = f->color_;
    style_ = f->style_;
    pitch_ = f->pitch_;
    Changed();
    return true;
}

bool TFont::operator==(const TFont& o) const
{
    return name_ == o.name_ && height_ == o.height_ && charset_ == o.charset_ && color_ == o.color_
        && style_ == o.style_ && pitch_ == o.pitch_;
}

int TFont::PixelSize() const
{
    // A positive height counts the cell including internal leading; take the usual share.
    int px = height_ < 0 ? -height_ : static_cast<int>(std::lround(height_ * 0.85));
    return px > 0 ? px : 1;
}

QFont TFont::ToQFont() const
{
    QFont f(QString::fromStdString(name_));
    f.setPixelSize(PixelSize());
    f.setBold(style_ & FontStyleBit(fsBold));
    f.setItalic(style_ & FontStyleBit(fsItalic));
    f.setUnderline(style_ & FontStyleBit(fsUnderline));
    f.setStrikeOut(style_ & FontStyleBit(fsStrikeOut));
    if (pitch_ == TFontPitch::fpFixed)
        f.setFixedPitch(true);
    return f;
}

void TFont::Changed() { OnChange(this); }

} // namespace zrv
