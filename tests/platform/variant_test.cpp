#include "platform/Variant.h"

#include <gtest/gtest.h>

using namespace zrv;

TEST(Variant, KindsAndClassicConversions)
{
    struct Case {
        Variant value;
        VarType type;
        std::string text;
    };
    const Case cases[] = {
        { Variant(), varEmpty, "" },
        { Variant(42), varInteger, "42" },
        { Variant(int64_t(1) << 40), varInt64, "1099511627776" },
        { Variant(2.5), varDouble, "2.5" },
        { Variant(true), varBoolean, "True" },
        { Variant("abc"), varString, "abc" },
        { Variant::Wide("中文"), varOleStr, "中文" },
        { Variant::FromDate(EncodeDate(2024, 3, 5)), varDate, "2024/03/05" },
        { Variant(Currency::FromDouble(12.3456)), varCurrency, "12.3456" },
        { Variant::OfType(varSmallint, -7), varSmallint, "-7" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.Type(), c.type) << c.text;
        EXPECT_EQ(c.value.ToString(), c.text);
    }
    EXPECT_EQ(Variant(" 12 ").ToInt(), 12);
    EXPECT_DOUBLE_EQ(Variant("3.5e2").ToDouble(), 350);
    EXPECT_TRUE(Variant("true").ToBool());
    EXPECT_FALSE(Variant("False").ToBool());
    EXPECT_EQ(Variant(true).ToInt(), -1); // the automation boolean is -1
    EXPECT_EQ(Variant(2.5).ToInt(), 2); // banker's rounding
    EXPECT_EQ(Variant(3.5).ToInt(), 4);
    EXPECT_THROW(Variant("12abc").ToInt(), VariantError);
    EXPECT_THROW(Variant("inf").ToDouble(), VariantError);
    EXPECT_THROW(Variant::Null().ToString(), VariantError);
    EXPECT_THROW(Variant(1).AsByteText(), VariantError);
    EXPECT_EQ(Variant("中文").ToWide(), u"中文");
}

TEST(Variant, DatesCountFromTheAutomationEpoch)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2024, 3, 5), 45356);
    EXPECT_EQ(EncodeDate(1800, 1, 1), -36522);
    double d = 0;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, d));
    const DateParts p = DecodeDate(45356.75);
    EXPECT_EQ(p.year, 2024);
    EXPECT_EQ(p.month, 3);
    EXPECT_EQ(p.day, 5);
    EXPECT_EQ(p.hour, 18);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3); // Tuesday
    EXPECT_EQ(DayOfWeek(0), 7); // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1800, 1, 1)), 4); // Wednesday, before the epoch
}

TEST(Variant, ArraysKeepBoundsCopyByValueAndGrow)
{
    Variant a = Variant::Array(1, 3);
    a[1] = "x";
    a[3] = Variant::ArrayOf({ 1, 2 });
    EXPECT_EQ(a.LowBound(), 1);
    EXPECT_EQ(a.HighBound(), 3);
    EXPECT_THROW(a[0], VariantError);
    EXPECT_THROW(a[4], VariantError);

    Variant copy = a;
    copy[3][0] = 99;
    EXPECT_EQ(a[3][0].ToInt(), 1) << "a copy must not share elements";

    a.Redim(5);
    EXPECT_EQ(a.HighBound(), 5);
    EXPECT_EQ(a[1].ToString(), "x");
    EXPECT_TRUE(a[5].IsEmpty());

    Variant m = Variant::Array2(0, 1, 1, 2);
    m.At(0, 1) = "a";
    m.At(1, 2) = "d";
    m.Redim(3);
    EXPECT_EQ(m.HighBound(2), 3);
    EXPECT_EQ(m.At(0, 1).ToString(), "a");
    EXPECT_EQ(m.At(1, 2).ToString(), "d");
    EXPECT_TRUE(m.At(1, 3).IsEmpty());
    EXPECT_EQ(m.DimCount(), 2);

    EXPECT_EQ(Variant::ArrayOf({ 1, "a" }), Variant::ArrayOf({ 1, "a" }));
    EXPECT_FALSE(Variant::ArrayOf({ 1 }) == Variant::ArrayOf({ int64_t(1) }));
    EXPECT_EQ(Variant::Array(0, -1).Count(), 0);
}
