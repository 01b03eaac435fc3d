#include "lib/DateTexts.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

    double D(int y, int m, int d) { return EncodeDate(y, m, d); }

    TEST(DateToOrderedStrTest, FormatsByOrderCode)
    {
        struct Case {
            int order;
            const char* sep;
            double date;
            const char* expected;
        } cases[] = {
            { 1, "/", D(2024, 3, 5), "2024/03/05" },
            { 2, "/", D(2024, 3, 5), "03/05/2024" },
            { 3, "/", D(2024, 3, 5), "05/03/2024" },
            // The local era year takes three digits when it needs them, also for code 4.
            { 4, "/", D(2024, 3, 5), "113/03/05" },
            { 5, "/", D(2024, 3, 5), "113/03/05" },
            { 4, "/", D(1999, 1, 2), "88/01/02" },
            { 5, "/", D(1999, 1, 2), "088/01/02" },
            { 1, "-.", D(2024, 3, 5), "2024-03-05" },
            { 1, "", D(2024, 3, 5), "20240305" },
            { 1, "年月", D(2024, 3, 5), "2024年03年05" },
            { 1, "/", D(987, 6, 7), "0987/06/07" },
            { 1, "/", D(2024, 3, 5) + 0.75, "2024/03/05" },
            { 1, "/", 0, "" },
            { 3, "/", 0, "" },
            { 6, "/", D(2024, 3, 5), "" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(DateToOrderedStr(c.order, c.sep, c.date), c.expected)
                << c.order << " " << c.date;
    }

    TEST(MonthToOrderedStrTest, FormatsByOrderCode)
    {
        struct Case {
            int order;
            const char* sep;
            double date;
            const char* expected;
        } cases[] = {
            { 1, "/", D(2024, 3, 5), "2024/03" },
            { 2, "/", D(2024, 3, 5), "03/2024" },
            { 3, "-", D(2024, 3, 5), "03-2024" },
            { 4, "/", D(2024, 3, 5), "113/03" },
            { 4, "/", D(1999, 12, 5), "88/12" },
            { 5, "/", D(1999, 12, 5), "088/12" },
            { 1, "", D(2024, 3, 5), "202403" },
            { 1, "/", 0, "" },
            { 0, "/", D(2024, 3, 5), "" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(MonthToOrderedStr(c.order, c.sep, c.date), c.expected) << c.order;
    }

    TEST(OrderedStrToDateTest, ReadsByOrderCode)
    {
        struct Case {
            const char* text;
            int order;
            const char* sep;
            double expected;
        } cases[] = {
            { "2024/03/05", 1, "/", D(2024, 3, 5) },
            { "03/05/2024", 2, "/", D(2024, 3, 5) },
            { "05/03/2024", 3, "/", D(2024, 3, 5) },
            { "113/03/05", 4, "/", D(2024, 3, 5) },
            { "88/01/02", 5, "/", D(1999, 1, 2) },
            { " 2024 / 3 / 5 ", 1, "/", D(2024, 3, 5) },
            { "2024::03::05", 1, "::", D(2024, 3, 5) },
            { "2024/03/05/junk", 1, "/", D(2024, 3, 5) },
            // A day past the month's end runs on into the next month.
            { "2024/02/31", 1, "/", D(2024, 3, 2) },
            { "2023/02/29", 1, "/", D(2023, 3, 1) },
            { "2024/12/32", 1, "/", D(2025, 1, 1) },
            { "2024/01/400", 1, "/", D(2025, 2, 3) },
            { "2024/02", 1, "/", 0 },
            { "", 1, "/", 0 },
            { "   ", 1, "/", 0 },
            { "2024/13/01", 1, "/", 0 },
            { "2024/0/01", 1, "/", 0 },
            { "2024/03/0", 1, "/", 0 },
            { "2024/x/01", 1, "/", 0 },
            { "2024/-3/01", 1, "/", 0 },
            { "2024/03/05", 6, "/", 0 },
            { "2024-03-05", 1, "/", 0 },
            { "20240305", 1, "", 0 },
            { "99999/01/01", 1, "/", 0 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(OrderedStrToDate(c.text, c.order, c.sep), c.expected)
                << c.text << " code " << c.order;
    }

    TEST(OrderedStrToDateTest, ReadsBackWhatWasWritten)
    {
        for (int order = 1; order <= 5; ++order) {
            for (double date : { D(2024, 2, 29), D(1999, 12, 31), D(2000, 1, 1), D(2100, 3, 1) })
                EXPECT_EQ(OrderedStrToDate(DateToOrderedStr(order, "/", date), order, "/"), date)
                    << "code " << order;
        }
    }

    TEST(CompactDateTest, ReadsExactlyEightDigitsOfValidDates)
    {
        struct Case {
            const char* text;
            double expected;
        } cases[] = {
            { "20240229", D(2024, 2, 29) },
            { "20000229", D(2000, 2, 29) },
            { "17530101", D(1753, 1, 1) },
            { "20230229", 0 },
            { "19000229", 0 },
            { "20241301", 0 },
            { "20240100", 0 },
            { "00000101", 0 },
            { "2024022", 0 },
            { "202402290", 0 },
            { "2024ab01", 0 },
            { "", 0 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(CompactToDate(c.text), c.expected) << c.text;
    }

    TEST(CompactDateTest, WritesDaysAndMonths)
    {
        EXPECT_EQ(DateToCompact(D(2024, 3, 5)), "20240305");
        EXPECT_EQ(DateToCompact(D(2024, 3, 5) + 0.99), "20240305");
        EXPECT_EQ(DateToCompact(D(812, 1, 9)), "08120109");
        EXPECT_EQ(DateToCompact(0), "");
        EXPECT_EQ(MonthToCompact(D(2024, 3, 5)), "202403");
        EXPECT_EQ(MonthToCompact(0), "");
        for (double date = D(2023, 12, 25); date < D(2024, 3, 5); ++date)
            EXPECT_EQ(CompactToDate(DateToCompact(date)), date);
    }

    TEST(IsValidCompactDateTest, AcceptsEmptyAndValidDatesInRange)
    {
        struct Case {
            const char* text;
            bool valid;
        } cases[] = {
            { "", true }, { "20240229", true }, { "17530101", true }, { "99991231", true },
            { "17521231", false }, { "20230229", false }, { "20241131", false },
            { "abcdefgh", false }, { "2024022", false },
            { "20240229  ", true }, // what follows the eighth character is not looked at
        };
        for (const auto& c : cases)
            EXPECT_EQ(IsValidCompactDate(c.text), c.valid) << c.text;
    }

    TEST(DaysInMonthOfTest, GregorianRule)
    {
        struct Case {
            int year, month, days;
        } cases[] = {
            { 2024, 2, 29 },
            { 2023, 2, 28 },
            { 1900, 2, 28 },
            { 2000, 2, 29 },
            { 2024, 1, 31 },
            { 2024, 4, 30 },
            { 2024, 11, 30 },
            { 2024, 12, 31 },
            { 2024, 0, 0 },
            { 2024, 13, 0 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(DaysInMonthOf(c.year, c.month), c.days) << c.year << "-" << c.month;
    }

    TEST(AddPeriodTest, MovesCompactTextsByUnit)
    {
        struct Case {
            const char* start;
            const char* unit;
            int n;
            const char* expected;
        } cases[] = {
            { "20240131", "M", 1, "20240229" },
            { "20241115", "M", -11, "20231215" },
            { "20240229", "Y", 1, "20250228" },
            { "20240229", "Y", 4, "20280229" },
            { "20240115", "m", -1, "20231215" },
            { "20240331", "M", -1, "20240229" },
            { "20230331", "M", -1, "20230228" },
            { "20240115", "M", 12, "20250115" },
            { "20240115", "M", -12, "20230115" },
            { "20241215", "M", 0, "20241215" },
            { "20241130", "M", 25, "20261230" },
            { "20241231", "D", 1, "20250101" },
            { "20240301", "d", -1, "20240229" },
            { "20230301", "D", -1, "20230228" },
            { "20240101", "y", -1, "20230101" },
            { "20240115", "W", 1, "" },
            { "20240115", "", 1, "" },
            { "2024011", "M", 1, "" },
            { "20240230", "M", 1, "" },
            { "99991215", "M", 1, "" },
        };
        for (const auto& c : cases) {
            EXPECT_EQ(AddPeriod(Variant(c.start), c.unit, c.n), c.expected)
                << c.start << " " << c.unit << c.n;
            EXPECT_EQ(AddPeriod(Variant::Wide(c.start), c.unit, c.n), c.expected)
                << "wide " << c.start;
        }
    }

    TEST(AddPeriodTest, TakesDatesButNoOtherKinds)
    {
        EXPECT_EQ(AddPeriod(Variant::FromDate(D(2024, 1, 31)), "M", 1), "20240229");
        EXPECT_EQ(AddPeriod(Variant::FromDate(D(2024, 1, 31) + 0.5), "D", 1), "20240201");
        EXPECT_EQ(AddPeriod(Variant::FromDate(0), "D", 1), "");
        EXPECT_EQ(AddPeriod(Variant(D(2024, 1, 31)), "M", 1), ""); // a plain number is no date
        EXPECT_EQ(AddPeriod(Variant(20240131), "M", 1), "");
        EXPECT_EQ(AddPeriod(Variant(), "M", 1), "");
        EXPECT_EQ(AddPeriod(Variant::Null(), "M", 1), "");
        EXPECT_EQ(AddPeriod(Variant::ArrayOf({ Variant("20240131") }), "M", 1), "");
    }

} // namespace
} // namespace zrv
