#pragma once
// Date rules of repeating reports: the first run date of a schedule, and the date conditions of
// a run moved along with it.
//
// ScheduleArray: a Variant array [kind, parameters]; kind 0 every N days (parameters: the text N),
// 1 every N weeks ([N, weekday], weekday 0 = Sunday ... 6 = Saturday), 2 every N months
// ([0, N, day-of-month] or [1, N, ordinal, weekday], ordinal 0 first ... 3 fourth, 4 last), 3 every
// N hours (the hours as a number). Counts may be texts or integers.
//
// DateShiftRule: fields separated by "\003". Field 1 "0" marks a range condition (begin and end),
// anything else a single date; field 2 is the condition's key. A single date has: 3 "Y" = move,
// 4 count N, 5 unit ("0" week, "1" month), 6 anchor ("0" plus/minus days, "1" first day, "2" last
// day), 7 days D, 8 "D" = the condition holds a day (else a month), 9 the index of the condition.
// A range has the begin's move flag and fields in 3..7, the end's move flag in 8, the end's fields
// in 9..12, the day/month flag in 13 and the index in 14.

#include "platform/Variant.h"

#include <string>
#include <string_view>

namespace zrv {

// Schedule kinds.
enum ScheduleKind { skDays = 0, skWeeks = 1, skMonths = 2, skHours = 3 };

// The first run date ("yyyymmdd") on or after `start` ("yyyymmdd"). Empty for the hourly kind, an
// unknown kind, an unreadable start date, or parameters no schedule page produces (a count below
// 1, a weekday outside 0..6, an ordinal outside 0..4).
std::string FirstScheduleDate(std::string_view start, const Variant& schedule);

// The date conditions of a run on `runDate` ("yyyymmdd"). `ruleSet` is the 1-based array
// [condition array, repeat settings, rule list], the rule list being [count, rule 1 .. rule count]
// with each rule's index field appended. Returns the changed copy of the condition array, or an
// empty text when anything cannot be read.
Variant ShiftDateConditions(const Variant& ruleSet, std::string_view runDate);

// Moves a reference date by one rule. A month reference ("yyyymm") moves by n months and stays a
// month. Unit "1" moves by n months, then anchor "0" adds `days`, "1" takes the first and "2" the
// last day of that month. Unit "0" moves by n weeks, then anchor "0" adds `days`, any other anchor
// takes the edge of that week (WeekEdgeDate). Empty when the reference or unit cannot be read.
std::string ShiftedDate(
    std::string_view reference, int n, std::string_view unit, std::string_view anchor, int days);

// The Sunday (anchor "1") or the Saturday (any other anchor) of the week n weeks from `reference`.
std::string WeekEdgeDate(std::string_view reference, int n, std::string_view anchor);

} // namespace zrv
