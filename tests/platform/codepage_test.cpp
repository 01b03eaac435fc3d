#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zrv;

TEST(CodePage, EncodesRepertoiresWithQuestionMarks)
{
    struct Case {
        std::string text;
        int cp;
        std::string restricted;
        size_t bytes;
    };
    const Case cases[] = {
        { "abc", cpGB, "abc", 3 },
        { "简体", cpGB, "简体", 4 },
        { "簡體", cpBig5, "簡體", 4 },
        { "简", cpBig5, "?", 1 }, // simplified form is not in Big5
        { "中文", cpEnglish, "??", 2 },
        { "€", cpGB, "€", 1 }, // CP936 has the euro sign as one byte
        { "😀x", cpGB, "?x", 2 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RestrictToCodePage(c.text, c.cp), c.restricted) << c.text << " in " << c.cp;
        EXPECT_EQ(ByteLength(c.text, c.cp), c.bytes) << c.text << " in " << c.cp;
        EXPECT_EQ(FitsCodePage(c.text, c.cp), c.text == c.restricted);
    }
    EXPECT_EQ(EncodeToCodePage("中", cpGB), "\xD6\xD0");
    EXPECT_EQ(DecodeFromCodePage("\xD6\xD0", cpGB), "中");
    EXPECT_EQ(DecodeFromCodePage("\xA4\xA4", cpBig5), "中");
    EXPECT_EQ(DecodeFromCodePage("a\xFF", cpGB), "a\xEF\xBF\xBD");
}

TEST(CodePage, Utf16RoundTripAndInvalidInput)
{
    const std::string text = "a中😀";
    EXPECT_EQ(Utf8ToUtf16(text), u"a中😀");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));
    EXPECT_FALSE(IsValidUtf8("\xD6\xD0"));
}

TEST(CodePage, SystemCodePageFollowsTheLocale)
{
    struct Case {
        const char* lang;
        int cp;
    };
    const Case cases[] = { { "zh_CN.UTF-8", 936 }, { "zh_SG", 936 }, { "zh_TW.UTF-8", 950 },
        { "zh_HK", 950 }, { "zh_MO", 950 }, { "en_US.UTF-8", 437 }, { "C", 437 } };
    unsetenv("LC_ALL");
    unsetenv("LC_CTYPE");
    for (const auto& c : cases) {
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(SystemCodePage(), c.cp) << c.lang;
    }
    setenv("LANG", "zh_TW", 1);
    EXPECT_EQ(DecodeLegacyText("\xA4\xA4"), "中"); // legacy Big5 file
    EXPECT_EQ(DecodeLegacyText("中"), "中"); // valid UTF-8 stays
    OverrideSystemCodePage(936);
    EXPECT_EQ(SystemCodePage(), 936);
    OverrideSystemCodePage(0);
    setenv("LC_ALL", "C.UTF-8", 1);
}

TEST(CodePage, ClassicTextHelpers)
{
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(UpperCase("aB中"), "AB中");
    EXPECT_TRUE(SameText("Yes", "yES"));
    EXPECT_FALSE(SameText("Yes", "Ye"));
}
