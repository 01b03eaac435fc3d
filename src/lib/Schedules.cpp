#include "lib/Schedules.h"

#include "lib/DateTexts.h"
#include "lib/StrFields.h"

#include <cstdio>
#include <stdexcept>

namespace zrv {

namespace {

    // Raised inside ShiftDateConditions for anything that cannot be read; turned into its empty
    // result there.
    struct UnreadableRule : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    const Variant& Element(const Variant& array, int offset)
    {
        return array[array.LowBound() + offset];
    }

    std::string FirstOfMonth(double date) { return MonthToCompact(date) + "01"; }

    std::string LastOfMonth(double date)
    {
        DateParts d = DecodeDate(date);
        char buf[16];
        std::snprintf(
            buf, sizeof buf, "%.4d%.2d%.2d", d.year, d.month, DaysInMonthOf(d.year, d.month));
        return buf;
    }

    std::string WeeklyFirst(double start, const Variant& params)
    {
        int n = Element(params, 0).ToInt();
        int weekday = Element(params, 1).ToInt();
        if (n < 1 || weekday < 0 || weekday > 6)
            return {};
        int target = weekday + 1;
        int moveDays = target < DayOfWeek(start) ? n * 7 : (n - 1) * 7;
        double moved = start + moveDays;
        return DateToCompact(moved + (target - DayOfWeek(moved)));
    }

    std::string MonthlyOnDay(std::string_view start, double startDate, const Variant& params)
    {
        int n = Element(params, 1).ToInt();
        int day = Element(params, 2).ToInt();
        if (n < 1)
            return {};
        int months = day >= DecodeDate(startDate).day ? n - 1 : n;
        std::string moved = AddPeriod(Variant(std::string(start)), "M", months);
        if (moved.empty())
            return {};
        char dd[16];
        std::snprintf(dd, sizeof dd, "%.2d", day);
        std::string result = moved.substr(0, 6) + dd;
        // A day the month does not have (31 in April, 30 in February) means its last day.
        if (result.size() != 8 || !IsValidCompactDate(result))
            result = LastOfMonth(CompactToDate(moved));
        return result;
    }

    std::string MonthlyOnWeekday(std::string_view start, const Variant& params)
    {
        int n = Element(params, 1).ToInt();
        int ordinal = Element(params, 2).ToInt();
        int weekday = Element(params, 3).ToInt();
        if (n < 1 || ordinal < 0 || ordinal > 4 || weekday < 0 || weekday > 6)
            return {};
        int target = weekday + 1;
        std::string result;
        // The month N-1 ahead unless its day falls before the start; then the month N ahead,
        // whose days all lie after the start.
        for (int p = n - 1;; p = n) {
            std::string moved = AddPeriod(Variant(std::string(start)), "M", p);
            if (moved.empty())
                return {};
            double first = CompactToDate(moved.substr(0, 6) + "01");
            int c = target - DayOfWeek(first);
            double date;
            if (ordinal == 4) {
                double last = CompactToDate(LastOfMonth(first));
                int x = DayOfWeek(last) - target;
                date = x >= 0 ? last - x : last - (x + 7);
            } else {
                date = c >= 0 ? first + c + 7 * ordinal : first + c + 7 * (ordinal + 1);
            }
            result = DateToCompact(date);
            if (result >= start || p == n)
                break;
        }
        return result;
    }

    // A whole-text integer of a rule field (optional sign, decimal digits).
    int ReadCount(const std::string& field)
    {
        size_t i = field.size() > 1 && (field[0] == '-' || field[0] == '+') ? 1 : 0;
        if (i == field.size() || field.size() - i > 9)
            throw UnreadableRule("not a number: " + field);
        for (size_t k = i; k < field.size(); ++k) {
            if (field[k] < '0' || field[k] > '9')
                throw UnreadableRule("not a number: " + field);
        }
        return std::stoi(field);
    }

    // One date of a rule: the reference itself when count, anchor and days are all "0", else
    // the reference moved by them.
    std::string MoveOne(const std::string& reference, const std::string& rule, int firstField)
    {
        std::string count = GetField(rule, kFieldSep, firstField);
        std::string unit = GetField(rule, kFieldSep, firstField + 1);
        std::string anchor = GetField(rule, kFieldSep, firstField + 2);
        std::string days = GetField(rule, kFieldSep, firstField + 3);
        if (count == "0" && anchor == "0" && days == "0")
            return reference;
        std::string moved = ShiftedDate(reference, ReadCount(count), unit, anchor, ReadCount(days));
        if (moved.empty())
            throw UnreadableRule("cannot move " + reference + " by " + rule);
        return moved;
    }

} // namespace

std::string FirstScheduleDate(std::string_view start, const Variant& schedule)
{
    double startDate = CompactToDate(start);
    if (startDate == 0)
        return {};
    try {
        const Variant& params = Element(schedule, 1);
        switch (Element(schedule, 0).ToInt()) {
        case skDays:
            return std::string(start);
        case skWeeks:
            return WeeklyFirst(startDate, params);
        case skMonths:
            return Element(params, 0).ToInt() == 0 ? MonthlyOnDay(start, startDate, params)
                                                   : MonthlyOnWeekday(start, params);
        default:
            return {};
        }
    } catch (const std::exception&) {
        return {};
    }
}

Variant ShiftDateConditions(const Variant& ruleSet, std::string_view runDate)
{
    try {
        Variant conditions = ruleSet[1];
        const Variant& rules = ruleSet[3];
        int count = rules[0].ToInt();
        std::string day(runDate);
        if (CompactToDate(day) == 0)
            throw UnreadableRule("not a run date: " + day);
        std::string month = day.substr(0, 6);
        for (int i = 1; i <= count; ++i) {
            std::string rule = rules[i].ToString();
            bool range = GetField(rule, kFieldSep, 1) == "0";
            bool byDay = GetField(rule, kFieldSep, range ? 13 : 8) == "D";
            const std::string& reference = byDay ? day : month;
            int index = ReadCount(GetField(rule, kFieldSep, range ? 14 : 9));
            if (!range) {
                if (GetField(rule, kFieldSep, 3) == "Y")
                    conditions[index] = Variant(MoveOne(reference, rule, 4));
                continue;
            }
            Variant& pair = conditions[index];
            if (!pair.IsArray())
                throw UnreadableRule("range condition is not a pair");
            if (GetField(rule, kFieldSep, 3) == "Y")
                pair[pair.LowBound()] = Variant(MoveOne(reference, rule, 4));
            if (GetField(rule, kFieldSep, 8) == "Y")
                pair[pair.LowBound() + 1] = Variant(MoveOne(reference, rule, 9));
        }
        return conditions;
    } catch (const std::exception&) {
        return Variant(std::string());
    }
}

std::string ShiftedDate(
    std::string_view reference, int n, std::string_view unit, std::string_view anchor, int days)
{
    if (reference.size() < 7) {
        std::string moved = AddPeriod(Variant(std::string(reference) + "01"), "M", n);
        return moved.substr(0, 6);
    }
    double ref = CompactToDate(reference);
    if (ref == 0)
        return {};
    if (unit == "1") {
        std::string moved = AddPeriod(Variant(std::string(reference)), "M", n);
        double m = CompactToDate(moved);
        if (m == 0)
            return {};
        if (anchor == "0")
            return DateToCompact(m + days);
        if (anchor == "1")
            return FirstOfMonth(m);
        if (anchor == "2")
            return LastOfMonth(m);
        return {};
    }
    if (unit == "0") {
        if (anchor != "0")
            return WeekEdgeDate(reference, n, anchor);
        return DateToCompact(ref + 7.0 * n + days);
    }
    return {};
}

std::string WeekEdgeDate(std::string_view reference, int n, std::string_view anchor)
{
    double ref = CompactToDate(reference);
    if (ref == 0)
        return {};
    double x = ref + 7.0 * n;
    return DateToCompact(anchor == "1" ? x + 1 - DayOfWeek(x) : x + 7 - DayOfWeek(x));
}

} // namespace zrv
