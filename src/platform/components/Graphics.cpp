#include "platform/components/Graphics.h"

#include <QColor>

namespace zrv {

namespace {
    constexpr TColor Classic(int r, int g, int b) { return RGBColor(r, g, b); }

    // The classic grey scheme, indexed by system colour number.
    const TColor kSystemColors[] = {
        Classic(212, 208, 200), // scroll bar
        Classic(58, 110, 165), // background
        Classic(10, 36, 106), // active caption
        Classic(128, 128, 128), // inactive caption
        Classic(212, 208, 200), // menu
        Classic(255, 255, 255), // window
        Classic(0, 0, 0), // window frame
        Classic(0, 0, 0), // menu text
        Classic(0, 0, 0), // window text
        Classic(255, 255, 255), // caption text
        Classic(212, 208, 200), // active border
        Classic(212, 208, 200), // inactive border
        Classic(128, 128, 128), // application work space
        Classic(10, 36, 106), // highlight
        Classic(255, 255, 255), // highlight text
        Classic(212, 208, 200), // button face
        Classic(128, 128, 128), // button shadow
        Classic(128, 128, 128), // grey text
        Classic(0, 0, 0), // button text
        Classic(212, 208, 200), // inactive caption text
        Classic(255, 255, 255), // button highlight
        Classic(64, 64, 64), // 3-D dark shadow
        Classic(212, 208, 200), // 3-D light
        Classic(0, 0, 0), // info text
        Classic(255, 255, 225), // info background
        Classic(181, 181, 181), // 25: unused
        Classic(0, 0, 255), // hot light
        Classic(166, 202, 240), // gradient active caption
        Classic(192, 192, 192), // gradient inactive caption
    };
} // namespace

TColor ColorToRGB(TColor color)
{
    if (color & clSystemColor) {
        int index = color & 0xFF;
        if (index < static_cast<int>(sizeof kSystemColors / sizeof kSystemColors[0]))
            return kSystemColors[index];
        return clBlack;
    }
    if (color == clNone || color == clDefault)
        return clWhite;
    return color & 0xFFFFFF;
}

QColor ToQColor(TColor color)
{
    TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}

const TIdentMap& ColorIdents()
{
    static const TIdentMap map { "TColor",
        {
            { "clBlack", clBlack },
            { "clMaroon", clMaroon },
            { "clGreen", clGreen },
            { "clOlive", clOlive },
            { "clNavy", clNavy },
            { "clPurple", clPurple },
            { "clTeal", clTeal },
            { "clGray", clGray },
            { "clSilver", clSilver },
            { "clRed", clRed },
            { "clLime", clLime },
            { "clYellow", clYellow },
            { "clBlue", clBlue },
            { "clFuchsia", clFuchsia },
            { "clAqua", clAqua },
            { "clWhite", clWhite },
            { "clMoneyGreen", 0xC0DCC0 },
            { "clSkyBlue", 0xF0CAA6 },
            { "clCream", 0xF0FBFF },
            { "clMedGray", 0xA4A0A0 },
            { "clLtGray", 0xC0C0C0 },
            { "clDkGray", 0x808080 },
            { "clScrollBar", clScrollBar },
            { "clBackground", clBackground },
            { "clActiveCaption", clActiveCaption },
            { "clInactiveCaption", clInactiveCaption },
            { "clMenu", clMenu },
            { "clWindow", clWindow },
            { "clWindowFrame", clWindowFrame },
            { "clMenuText", clMenuText },
            { "clWindowText", clWindowText },
            { "clCaptionText", clCaptionText },
            { "clActiveBorder", clActiveBorder },
            { "clInactiveBorder", clInactiveBorder },
            { "clAppWorkSpace", clAppWorkSpace },
            { "clHighlight", clHighlight },
            { "clHighlightText", clHighlightText },
            { "clBtnFace", clBtnFace },
            { "clBtnShadow", clBtnShadow },
            { "clGrayText", clGrayText },
            { "clBtnText", clBtnText },
            { "clInactiveCaptionText", clInactiveCaptionText },
            { "clBtnHighlight", clBtnHighlight },
            { "cl3DDkShadow", cl3DDkShadow },
            { "cl3DLight", cl3DLight },
            { "clInfoText", clInfoText },
            { "clInfoBk", clInfoBk },
            { "clHotLight", clSystemColor | 26 },
            { "clGradientActiveCaption", clSystemColor | 27 },
            { "clGradientInactiveCaption", clSystemColor | 28 },
            { "clNone", clNone },
            { "clDefault", clDefault },
        } };
    return map;
}

const TIdentMap& CharsetIdents()
{
    static const TIdentMap map { "TFontCharset",
        {
            { "ANSI_CHARSET", 0 },
            { "DEFAULT_CHARSET", 1 },
            { "SYMBOL_CHARSET", 2 },
            { "MAC_CHARSET", 77 },
            { "SHIFTJIS_CHARSET", 128 },
            { "HANGEUL_CHARSET", 129 },
            { "JOHAB_CHARSET", 130 },
            { "GB2312_CHARSET", 134 },
            { "CHINESEBIG5_CHARSET", 136 },
            { "GREEK_CHARSET", 161 },
            { "TURKISH_CHARSET", 162 },
            { "VIETNAMESE_CHARSET", 163 },
            { "HEBREW_CHARSET", 177 },
            { "ARABIC_CHARSET", 178 },
            { "BALTIC_CHARSET", 186 },
            { "RUSSIAN_CHARSET", 204 },
            { "THAI_CHARSET", 222 },
            { "EASTEUROPE_CHARSET", 238 },
            { "OEM_CHARSET", 255 },
        } };
    return map;
}

const TIdentMap& CursorIdents()
{
    static const TIdentMap map { "TCursor",
        {
            { "crDefault", 0 },
            { "crNone", -1 },
            { "crArrow", -2 },
            { "crCross", -3 },
            { "crIBeam", -4 },
            { "crSizeNESW", -6 },
            { "crSizeNS", -7 },
            { "crSizeNWSE", -8 },
            { "crSizeWE", -9 },
            { "crUpArrow", -10 },
            { "crHourGlass", -11 },
            { "crDrag", -12 },
            { "crNoDrop", -13 },
            { "crHSplit", -14 },
            { "crVSplit", -15 },
            { "crMultiDrag", -16 },
            { "crSQLWait", -17 },
            { "crNo", -18 },
            { "crAppStart", -19 },
            { "crHelp", -20 },
            { "crHandPoint", -21 },
            { "crSizeAll", -22 },
        } };
    return map;
}

} // namespace zrv
