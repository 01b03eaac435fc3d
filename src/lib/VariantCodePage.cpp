#include "lib/VariantCodePage.h"

#include "lib/AlertLog.h"
#include "platform/CodePage.h"

#include <exception>

namespace zrv {

namespace {

    int UsableCodePage(int codePage)
    {
        return CodePageEncoding(codePage).empty() ? SystemCodePage() : codePage;
    }

    enum class Direction { ToCodePage, FromCodePage };

    Variant ConvertText(const Variant& text, Direction direction, int codePage)
    {
        if (direction == Direction::ToCodePage)
            return Variant(WideToCodePage(text.ToWide(), codePage));
        if (text.Type() == varOleStr)
            return Variant(CodePageToWide(Utf16ToUtf8(text.AsWideText()), codePage));
        return Variant(CodePageToWide(text.AsByteText(), codePage));
    }

    bool ConvertsInArray(const Variant& item, Direction direction)
    {
        // Byte texts already are what the first direction makes; the second turns every text
        // into wide text, as the server expects.
        return item.Type() == varOleStr
            || (direction == Direction::FromCodePage && item.Type() == varString);
    }

    void ConvertArray(Variant& array, Direction direction, int codePage)
    {
        bool nested = array.DimCount() == 1;
        for (Variant& item : array.Items()) {
            if (item.IsArray()) {
                if (nested)
                    ConvertArray(item, direction, codePage);
            } else if (ConvertsInArray(item, direction)) {
                item = ConvertText(item, direction, codePage);
            }
        }
    }

    Variant Convert(const Variant& value, Direction direction, int codePage)
    {
        Variant result = value;
        if (VarIsBlank(value))
            return result;
        try {
            if (value.IsText())
                return ConvertText(value, direction, codePage);
            if (value.IsArray()) {
                Variant converted = value;
                ConvertArray(converted, direction, codePage);
                return converted;
            }
        } catch (const std::exception& e) {
            WriteAlertLog("libstrs",
                std::string(direction == Direction::ToCodePage ? "LINE[2735] " : "LINE[115] ")
                    + e.what(),
                "D");
        }
        return result;
    }

} // namespace

Variant VarChoose(bool flag, const Variant& a, const Variant& b) { return flag ? a : b; }

bool VarIsBlank(const Variant& value) { return value.IsEmpty() || value.IsNull(); }

std::string WideToCodePage(std::u16string_view wide, int codePage)
{
    if (wide.empty())
        return {};
    return RestrictToCodePage(Utf16ToUtf8(wide), UsableCodePage(codePage));
}

std::u16string CodePageToWide(std::string_view text, int codePage)
{
    if (text.empty())
        return {};
    int cp = UsableCodePage(codePage);
    if (!IsValidUtf8(text))
        return Utf8ToUtf16(DecodeFromCodePage(text, cp));
    return Utf8ToUtf16(RestrictToCodePage(text, cp));
}

Variant VariantToCodePage(const Variant& value, int codePage)
{
    return Convert(value, Direction::ToCodePage, codePage);
}

Variant VariantFromCodePage(const Variant& value, int codePage)
{
    return Convert(value, Direction::FromCodePage, codePage);
}

std::u16string PackCountedList(std::string_view prefix, const Variant& list)
{
    try {
        std::string packed(prefix);
        int count = list[0].ToInt();
        packed += '\003';
        packed += std::to_string(count);
        packed += '\003';
        for (int i = 1; i <= count; ++i) {
            packed += list[i].ToString();
            packed += '\003';
        }
        return Utf8ToUtf16(packed);
    } catch (const std::exception&) {
        // A list that does not hold as many texts as it says packs to nothing rather than to a
        // list the server would read wrongly.
        return {};
    }
}

} // namespace zrv
