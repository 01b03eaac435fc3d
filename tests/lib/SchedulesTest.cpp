#include "lib/Schedules.h"

#include "lib/DateTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zrv {
namespace {

    Variant Schedule(int kind, Variant params)
    {
        return Variant::ArrayOf({ Variant(kind), params });
    }

    Variant Weekly(Variant n, Variant weekday)
    {
        return Schedule(1, Variant::ArrayOf({ n, weekday }));
    }

    Variant MonthlyOnDay(int n, int day)
    {
        return Schedule(2, Variant::ArrayOf({ Variant(0), Variant(n), Variant(day) }));
    }

    Variant MonthlyOnWeekday(int n, int ordinal, int weekday)
    {
        return Schedule(
            2, Variant::ArrayOf({ Variant(1), Variant(n), Variant(ordinal), Variant(weekday) }));
    }

    enum { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };
    enum { First, Second, Third, Fourth, Last };

    TEST(FirstScheduleDateTest, EveryNDaysStartsOnTheStartDate)
    {
        EXPECT_EQ(FirstScheduleDate("20240306", Schedule(0, Variant("3"))), "20240306");
        EXPECT_EQ(FirstScheduleDate("20240229", Schedule(0, Variant("1"))), "20240229");
    }

    TEST(FirstScheduleDateTest, WeeklyOnAWeekday)
    {
        // 2024-03-06 is a Wednesday, 2024-03-04 a Monday.
        struct Case {
            const char* start;
            int n;
            int weekday;
            const char* expected;
        } cases[] = {
            { "20240306", 1, Monday, "20240311" },
            { "20240304", 1, Monday, "20240304" },
            { "20240306", 2, Monday, "20240318" },
            { "20240304", 2, Monday, "20240311" },
            { "20240306", 1, Saturday, "20240309" },
            { "20240306", 1, Sunday, "20240310" },
            { "20240306", 1, Wednesday, "20240306" },
            { "20240306", 3, Friday, "20240322" },
            { "20240228", 1, Monday, "20240304" },
            { "20240227", 1, Thursday, "20240229" },
            { "20231230", 1, Tuesday, "20240102" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(
                FirstScheduleDate(c.start, Weekly(Variant(c.n), Variant(c.weekday))), c.expected)
                << c.start << " every " << c.n << " weeks on " << c.weekday;
        // Counts may come as texts.
        EXPECT_EQ(FirstScheduleDate("20240306", Weekly(Variant("1"), Variant("1"))), "20240311");
    }

    TEST(FirstScheduleDateTest, MonthlyOnADay)
    {
        struct Case {
            const char* start;
            int n;
            int day;
            const char* expected;
        } cases[] = {
            { "20240415", 1, 31, "20240430" },
            { "20240415", 1, 15, "20240415" },
            { "20240415", 1, 10, "20240510" },
            { "20240115", 2, 31, "20240229" },
            { "20230215", 1, 29, "20230228" },
            { "20240215", 1, 30, "20240229" },
            { "20241215", 1, 5, "20250105" },
            { "20241125", 3, 20, "20250220" },
            { "20240131", 1, 31, "20240131" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(FirstScheduleDate(c.start, MonthlyOnDay(c.n, c.day)), c.expected)
                << c.start << " every " << c.n << " months on day " << c.day;
    }

    TEST(FirstScheduleDateTest, MonthlyOnTheKthWeekday)
    {
        // March 2024 starts on a Friday; its last Friday is the 29th. April 2024 starts on a
        // Monday.
        struct Case {
            const char* start;
            int n;
            int ordinal;
            int weekday;
            const char* expected;
        } cases[] = {
            { "20240301", 1, Last, Friday, "20240329" },
            { "20240329", 1, Last, Friday, "20240329" },
            { "20240330", 1, Last, Friday, "20240426" },
            { "20240301", 1, First, Monday, "20240304" },
            { "20240305", 1, First, Monday, "20240401" },
            { "20240301", 1, First, Friday, "20240301" },
            { "20240301", 1, Second, Tuesday, "20240312" },
            { "20240301", 1, Third, Friday, "20240315" },
            { "20241101", 1, Fourth, Thursday, "20241128" },
            { "20240201", 1, Last, Sunday, "20240225" },
            { "20240201", 1, Last, Thursday, "20240229" },
            { "20240301", 2, First, Monday, "20240401" },
            { "20240402", 1, First, Monday, "20240506" },
            { "20240402", 2, First, Monday, "20240506" },
            { "20240510", 2, First, Monday, "20240603" },
            { "20241230", 1, First, Wednesday, "20250101" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(
                FirstScheduleDate(c.start, MonthlyOnWeekday(c.n, c.ordinal, c.weekday)), c.expected)
                << c.start << " every " << c.n << " months, ordinal " << c.ordinal << " weekday "
                << c.weekday;
    }

    TEST(FirstScheduleDateTest, EmptyForHoursUnknownKindsAndImpossibleParameters)
    {
        EXPECT_EQ(FirstScheduleDate("20240301", Schedule(3, Variant(2.0))), "");
        EXPECT_EQ(FirstScheduleDate("20240301", Schedule(7, Variant("1"))), "");
        EXPECT_EQ(FirstScheduleDate("2024030", Schedule(0, Variant("1"))), "");
        EXPECT_EQ(FirstScheduleDate("20240301", Variant()), "");
        EXPECT_EQ(FirstScheduleDate("20240301", Weekly(Variant(0), Variant(Monday))), "");
        EXPECT_EQ(FirstScheduleDate("20240301", Weekly(Variant(1), Variant(7))), "");
        EXPECT_EQ(FirstScheduleDate("20240301", Weekly(Variant(1), Variant("x"))), "");
        EXPECT_EQ(FirstScheduleDate("20240301", MonthlyOnDay(0, 5)), "");
        EXPECT_EQ(FirstScheduleDate("20240301", MonthlyOnWeekday(0, First, Monday)), "");
        EXPECT_EQ(FirstScheduleDate("20240301", MonthlyOnWeekday(1, 5, Monday)), "");
        EXPECT_EQ(FirstScheduleDate("20240301", MonthlyOnWeekday(1, -1, Monday)), "");
    }

    TEST(ShiftedDateTest, MovesByRule)
    {
        // 2024-03-15 is a Friday.
        struct Case {
            const char* reference;
            int n;
            const char* unit;
            const char* anchor;
            int days;
            const char* expected;
        } cases[] = {
            { "202401", 13, "1", "2", 9, "202502" },
            { "202403", -3, "0", "0", 0, "202312" },
            { "20240315", 1, "1", "1", 0, "20240401" },
            { "20240315", -1, "1", "2", 0, "20240229" },
            { "20240131", 1, "1", "0", 10, "20240310" },
            { "20240315", 0, "1", "0", -15, "20240229" },
            { "20240315", -1, "0", "0", 2, "20240310" },
            { "20240315", 0, "0", "1", 0, "20240310" },
            { "20240315", -1, "0", "2", 0, "20240309" },
            { "20240315", 2, "0", "0", 0, "20240329" },
            { "20240315", 1, "1", "9", 0, "" },
            { "20240315", 1, "7", "0", 0, "" },
            { "2024031x", 1, "1", "0", 0, "" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(ShiftedDate(c.reference, c.n, c.unit, c.anchor, c.days), c.expected)
                << c.reference << " n=" << c.n << " unit=" << c.unit << " anchor=" << c.anchor;
    }

    TEST(WeekEdgeDateTest, SundayOrSaturdayOfTheMovedWeek)
    {
        struct Case {
            const char* reference;
            int n;
            const char* anchor;
            const char* expected;
        } cases[] = {
            { "20240315", 0, "1", "20240310" },
            { "20240315", 0, "2", "20240316" },
            { "20240310", 0, "1", "20240310" },
            { "20240316", 0, "2", "20240316" },
            { "20240316", 0, "1", "20240310" },
            { "20240328", 1, "2", "20240406" },
            { "20240301", -1, "1", "20240218" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(WeekEdgeDate(c.reference, c.n, c.anchor), c.expected)
                << c.reference << " " << c.n;
    }

    std::string Rule(std::vector<std::string> fields)
    {
        std::string text;
        for (size_t i = 0; i < fields.size(); ++i)
            text += (i ? "\003" : "") + fields[i];
        return text;
    }

    Variant RuleSet(const Variant& conditions, std::vector<std::string> rules)
    {
        std::vector<Variant> list { Variant(static_cast<int>(rules.size())) };
        for (auto& r : rules)
            list.emplace_back(r);
        Variant set = Variant::Array(1, 3);
        set[1] = conditions;
        set[2] = Variant("settings");
        set[3] = Variant::ArrayOf(list);
        return set;
    }

    Variant Conditions()
    {
        return Variant::ArrayOf({ Variant("S01"), Variant("20240101"), Variant("202401"),
            Variant::ArrayOf({ Variant("20240101"), Variant("20240131") }), Variant("keep") });
    }

    TEST(ShiftDateConditionsTest, SingleDates)
    {
        // The run date 2024-03-15 is a Friday.
        struct Case {
            std::vector<std::string> rule;
            int index;
            const char* expected;
        } cases[] = {
            { { "1", "K", "Y", "0", "0", "0", "0", "D", "1" }, 1, "20240315" },
            { { "1", "K", "Y", "0", "0", "0", "0", "M", "2" }, 2, "202403" },
            { { "1", "K", "Y", "-1", "0", "0", "0", "M", "2" }, 2, "202402" },
            { { "1", "K", "Y", "1", "1", "1", "0", "D", "1" }, 1, "20240401" },
            { { "1", "K", "Y", "-1", "1", "2", "0", "D", "1" }, 1, "20240229" },
            { { "1", "K", "Y", "0", "1", "0", "-5", "D", "1" }, 1, "20240310" },
            { { "1", "K", "Y", "-1", "0", "0", "2", "D", "1" }, 1, "20240310" },
            { { "1", "K", "Y", "0", "0", "1", "0", "D", "1" }, 1, "20240310" },
            { { "1", "K", "Y", "-1", "0", "2", "0", "D", "1" }, 1, "20240309" },
            { { "1", "K", "N", "-1", "0", "2", "0", "D", "1" }, 1, "20240101" },
        };
        for (const auto& c : cases) {
            Variant result
                = ShiftDateConditions(RuleSet(Conditions(), { Rule(c.rule) }), "20240315");
            ASSERT_TRUE(result.IsArray()) << Rule(c.rule);
            Variant expected = Conditions();
            expected[c.index] = Variant(c.expected);
            EXPECT_EQ(result, expected) << result.Debug();
        }
    }

    TEST(ShiftDateConditionsTest, RangesMoveBeginAndEndSeparately)
    {
        auto range = [](std::vector<std::string> rule) {
            Variant result = ShiftDateConditions(RuleSet(Conditions(), { Rule(rule) }), "20240315");
            return result.IsArray() ? result[3] : result;
        };
        auto pair = [](const char* a, const char* b) {
            return Variant::ArrayOf({ Variant(a), Variant(b) });
        };
        // Last month, from its first to its last day.
        EXPECT_EQ(range({ "0", "R", "Y", "-1", "1", "1", "0", "Y", "-1", "1", "2", "0", "D", "3" }),
            pair("20240201", "20240229"));
        // Only the begin moves.
        EXPECT_EQ(range({ "0", "R", "Y", "0", "0", "0", "0", "N", "-1", "1", "2", "0", "D", "3" }),
            pair("20240315", "20240131"));
        // Only the end moves: the Saturday of this week.
        EXPECT_EQ(range({ "0", "R", "N", "0", "0", "0", "0", "Y", "0", "0", "2", "0", "D", "3" }),
            pair("20240101", "20240316"));
        // Month granularity.
        EXPECT_EQ(range({ "0", "R", "Y", "0", "0", "0", "0", "Y", "1", "1", "0", "0", "M", "3" }),
            pair("202403", "202404"));
    }

    TEST(ShiftDateConditionsTest, AppliesEveryRuleInOrderAndKeepsTheRest)
    {
        Variant result
            = ShiftDateConditions(RuleSet(Conditions(),
                                      { Rule({ "1", "A", "Y", "0", "0", "0", "0", "D", "1" }),
                                          Rule({ "1", "B", "Y", "1", "1", "0", "0", "M", "2" }),
                                          Rule({ "0", "C", "Y", "-7", "0", "0", "0", "Y", "0", "0",
                                              "0", "0", "D", "3" }) }),
                "20240229");
        Variant expected
            = Variant::ArrayOf({ Variant("S01"), Variant("20240229"), Variant("202403"),
                Variant::ArrayOf({ Variant("20240111"), Variant("20240229") }), Variant("keep") });
        EXPECT_EQ(result, expected) << result.Debug();
    }

    TEST(ShiftDateConditionsTest, AnyFailureGivesAnEmptyText)
    {
        const Variant empty(std::string {});
        auto shift = [](std::vector<std::string> rules, const char* run = "20240315") {
            std::vector<std::string> texts;
            for (auto& r : rules)
                texts.push_back(r);
            return ShiftDateConditions(RuleSet(Conditions(), texts), run);
        };
        // Index outside the condition array, or not a number.
        EXPECT_EQ(shift({ Rule({ "1", "K", "Y", "0", "0", "0", "0", "D", "9" }) }), empty);
        EXPECT_EQ(shift({ Rule({ "1", "K", "Y", "0", "0", "0", "0", "D", "x" }) }), empty);
        EXPECT_EQ(shift({ Rule({ "1", "K", "Y", "0", "0", "0", "0", "D" }) }), empty);
        // A range rule on a condition that is no pair.
        EXPECT_EQ(shift({ Rule(
                      { "0", "R", "Y", "0", "0", "0", "0", "N", "0", "0", "0", "0", "D", "1" }) }),
            empty);
        // A count that is not a number, or a unit no schedule page writes.
        EXPECT_EQ(shift({ Rule({ "1", "K", "Y", "a", "1", "0", "0", "D", "1" }) }), empty);
        EXPECT_EQ(shift({ Rule({ "1", "K", "Y", "1", "5", "0", "0", "D", "1" }) }), empty);
        // No run date.
        EXPECT_EQ(shift({ Rule({ "1", "K", "Y", "0", "0", "0", "0", "D", "1" }) }, ""), empty);

        // A list that says it holds more rules than it does; a rule set that is no array.
        Variant set
            = RuleSet(Conditions(), { Rule({ "1", "K", "Y", "0", "0", "0", "0", "D", "1" }) });
        set[3][0] = Variant(2);
        EXPECT_EQ(ShiftDateConditions(set, "20240315"), empty);
        EXPECT_EQ(ShiftDateConditions(Variant("x"), "20240315"), empty);
        EXPECT_EQ(ShiftDateConditions(Variant(), "20240315"), empty);
    }

} // namespace
} // namespace zrv
