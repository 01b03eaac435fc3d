#include "lib/VariantCodePage.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

    class VariantCodePageTest : public ::testing::Test {
    protected:
        void SetUp() override { OverrideSystemCodePage(cpEnglish); }
        void TearDown() override { OverrideSystemCodePage(0); }
    };

    TEST(VarChooseTest, CopiesTheChosenValue)
    {
        Variant a = Variant::ArrayOf({ Variant(1), Variant("a") });
        Variant b("b");
        EXPECT_EQ(VarChoose(true, a, b), a);
        EXPECT_EQ(VarChoose(false, a, b), b);
        Variant copy = VarChoose(true, a, b);
        copy[0] = Variant(9);
        EXPECT_EQ(a[0], Variant(1));
    }

    TEST(VarIsBlankTest, EmptyAndNullOnly)
    {
        EXPECT_TRUE(VarIsBlank(Variant()));
        EXPECT_TRUE(VarIsBlank(Variant::Null()));
        for (const Variant& v : { Variant(0), Variant(""), Variant(false), Variant::Wide(""),
                 Variant::Array(0, -1), Variant::FromDate(0) })
            EXPECT_FALSE(VarIsBlank(v)) << v.Debug();
    }

    TEST_F(VariantCodePageTest, WideToCodePageReplacesWhatTheCodePageCannotHold)
    {
        struct Case {
            const char16_t* wide;
            int codePage;
            const char* expected;
        } cases[] = {
            { u"中文abc", cpGB, "中文abc" },
            { u"中文abc", cpEnglish, "??abc" },
            { u"我们", cpBig5, "我?" },
            { u"體育", cpBig5, "體育" },
            { u"caf\u00e9", cpEnglish, "caf\u00e9" },
            { u"x\U0001F600y", cpGB, "x?y" },
            { u"", cpGB, "" },
            // An unknown code page means the system's (437 here).
            { u"中a", 1234, "?a" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(WideToCodePage(c.wide, c.codePage), c.expected) << c.expected;
    }

    TEST_F(VariantCodePageTest, CodePageToWideReadsTextOfTheCodePage)
    {
        EXPECT_EQ(CodePageToWide("中文abc", cpGB), u"中文abc");
        EXPECT_EQ(CodePageToWide("我们", cpBig5), u"我?");
        EXPECT_EQ(CodePageToWide("", cpGB), u"");
        // Bytes that are not UTF-8 are legacy bytes of the code page.
        EXPECT_EQ(CodePageToWide("\xD6\xD0\xCE\xC4", cpGB), u"中文");
        EXPECT_EQ(CodePageToWide("\xA4\xA4\xA4\xE5", cpBig5), u"中文");
        OverrideSystemCodePage(cpGB);
        EXPECT_EQ(CodePageToWide("中文", 1234), u"中文");
    }

    TEST_F(VariantCodePageTest, ScalarsAndBlanks)
    {
        Variant bytes = VariantToCodePage(Variant::Wide("中文"), cpGB);
        EXPECT_EQ(bytes.Type(), varString);
        EXPECT_EQ(bytes.AsByteText(), "中文");
        EXPECT_EQ(VariantToCodePage(Variant("中文"), cpEnglish), Variant("??"));

        Variant wide = VariantFromCodePage(Variant("中文"), cpGB);
        EXPECT_EQ(wide.Type(), varOleStr);
        EXPECT_EQ(wide.AsWideText(), u"中文");
        EXPECT_EQ(VariantFromCodePage(Variant::Wide("我们"), cpBig5), Variant::Wide("我?"));

        for (const Variant& v : { Variant(), Variant::Null(), Variant(12), Variant(2.5),
                 Variant(true), Variant::FromDate(45000) }) {
            EXPECT_EQ(VariantToCodePage(v, cpGB), v) << v.Debug();
            EXPECT_EQ(VariantFromCodePage(v, cpGB), v) << v.Debug();
        }
    }

    // A request-like value: texts, numbers, blanks and arrays nested two levels deep.
    Variant NestedWide()
    {
        return Variant::ArrayOf({ Variant::Wide("采购入库"), Variant(5), Variant::Null(), Variant(),
            Variant(2.5), Variant::FromDate(45000),
            Variant::ArrayOf(
                { Variant::Wide("供应商"), Variant::ArrayOf({ Variant::Wide("甲"), Variant(1) }) }),
            Variant::Array(0, -1) });
    }

    Variant NestedBytes()
    {
        return Variant::ArrayOf({ Variant("采购入库"), Variant(5), Variant::Null(), Variant(),
            Variant(2.5), Variant::FromDate(45000),
            Variant::ArrayOf(
                { Variant("供应商"), Variant::ArrayOf({ Variant("甲"), Variant(1) }) }),
            Variant::Array(0, -1) });
    }

    TEST_F(VariantCodePageTest, OneDimensionalArraysConvertNestedArraysToo)
    {
        Variant bytes = VariantToCodePage(NestedWide(), cpGB);
        EXPECT_EQ(bytes, NestedBytes()) << bytes.Debug();
        Variant wide = VariantFromCodePage(bytes, cpGB);
        EXPECT_EQ(wide, NestedWide()) << wide.Debug();
        // In English only the characters of code page 437 survive.
        Variant english = VariantToCodePage(NestedWide(), cpEnglish);
        EXPECT_EQ(english[0], Variant("????"));
        EXPECT_EQ(english[6][1][0], Variant("?"));
    }

    TEST_F(VariantCodePageTest, ByteTextsInArraysStayBytesOnTheWayOut)
    {
        Variant mixed = Variant::ArrayOf({ Variant("我们"), Variant::Wide("我们") });
        Variant out = VariantToCodePage(mixed, cpBig5);
        EXPECT_EQ(out[0], Variant("我们"));
        EXPECT_EQ(out[1], Variant("我?"));
    }

    TEST_F(VariantCodePageTest, TwoDimensionalArraysConvertTheirOwnTextsOnly)
    {
        Variant grid = Variant::Array2(1, 2, 0, 1);
        grid.At(1, 0) = Variant::Wide("名称");
        grid.At(1, 1) = Variant(3);
        grid.At(2, 0) = Variant::ArrayOf({ Variant::Wide("内层") });
        grid.At(2, 1) = Variant::Wide("规格");

        Variant bytes = VariantToCodePage(grid, cpGB);
        EXPECT_EQ(bytes.LowBound(1), 1);
        EXPECT_EQ(bytes.HighBound(1), 2);
        EXPECT_EQ(bytes.LowBound(2), 0);
        EXPECT_EQ(bytes.At(1, 0), Variant("名称"));
        EXPECT_EQ(bytes.At(1, 1), Variant(3));
        EXPECT_EQ(bytes.At(2, 1), Variant("规格"));
        EXPECT_EQ(bytes.At(2, 0), Variant::ArrayOf({ Variant::Wide("内层") })); // left alone

        Variant back = VariantFromCodePage(bytes, cpGB);
        EXPECT_EQ(back, grid) << back.Debug();
    }

    TEST_F(VariantCodePageTest, ArraysKeepTheirBoundsAndTheInputStaysUntouched)
    {
        Variant request = Variant::Array(1, 3);
        request[1] = Variant("头");
        request[2] = Variant::ArrayOf({ Variant("条件") });
        request[3] = Variant(7);
        Variant before = request;
        Variant wide = VariantFromCodePage(request, cpGB);
        EXPECT_EQ(request, before);
        EXPECT_EQ(wide.LowBound(), 1);
        EXPECT_EQ(wide.HighBound(), 3);
        EXPECT_EQ(wide[1], Variant::Wide("头"));
        EXPECT_EQ(wide[2][0], Variant::Wide("条件"));
        EXPECT_EQ(VariantToCodePage(wide, cpGB), request);
    }

    TEST(PackCountedListTest, PrefixCountAndTerminatedTexts)
    {
        EXPECT_EQ(PackCountedList(
                      "P", Variant::ArrayOf({ Variant(2), Variant("甲"), Variant::Wide("b") })),
            u"P\0032\003甲\003b\003");
        EXPECT_EQ(PackCountedList("P", Variant::ArrayOf({ Variant("0") })), u"P\0030\003");
        EXPECT_EQ(PackCountedList("", Variant::ArrayOf({ Variant(1), Variant(""), Variant("x") })),
            u"\0031\003\003");
        // A list that promises more texts than it holds packs to nothing.
        EXPECT_EQ(PackCountedList("P", Variant::ArrayOf({ Variant(3), Variant("a") })), u"");
        EXPECT_EQ(PackCountedList("P", Variant()), u"");
    }

} // namespace
} // namespace zrv
