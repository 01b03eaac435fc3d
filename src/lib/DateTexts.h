#pragma once
// Dates as text. A date is an automation day count (day 0 = 1899-12-30) and 0 means "no date":
// every routine given 0 answers with an empty text. The compact texts "yyyymmdd" (days) and
// "yyyymm" (months) are the interchange form between controls, schemes and the server; they
// compare correctly as plain strings. Screen texts follow a date order code:
//   1 year, month, day    2 month, day, year    3 day, month, year
//   4 and 5 year, month, day with the local era year (year - 1911), at least 2 or 3 digits.
// None of these routines raises: unreadable input gives 0 or an empty text.

#include "platform/Variant.h"

#include <string>
#include <string_view>

namespace zrv {

// The date in the order code's layout; only the first character of the separator is used.
std::string DateToOrderedStr(int order, std::string_view separator, double date);
// The month (year and month) of the date in the order code's layout.
std::string MonthToOrderedStr(int order, std::string_view separator, double date);
// Reads a text in the order code's layout (the whole separator string separates). A day beyond
// the month's end runs into the next month (2024/02/31 is 2024-03-02). 0 when unreadable.
double OrderedStrToDate(std::string_view text, int order, std::string_view separator);

// "yyyymmdd" -> date; 0 unless the text is exactly eight characters forming a valid date.
double CompactToDate(std::string_view compact);
// date -> "yyyymmdd"; empty for 0 or a date outside the years 1..9999.
std::string DateToCompact(double date);
// date -> "yyyymm"; empty for 0 or a date outside the years 1..9999.
std::string MonthToCompact(double date);
// True for an empty text, or when characters 1-4, 5-6 and 7-8 form a valid date lying between
// "17530101" and "99991231" (compared as text). Characters after the eighth are not looked at;
// a text shorter than eight characters is never valid.
bool IsValidCompactDate(std::string_view compact);
// 28, 29, 30 or 31 by the Gregorian rule; 0 for a month outside 1..12.
int DaysInMonthOf(int year, int month);

// Moves a date by n units: "Y" years, "M" months (the day lowered to the target month's last day
// when needed), "D" days; the unit compares without regard to case. The value is a compact text
// (byte or wide) or a date; the result is "yyyymmdd", empty for any other value, unit or a 0 date.
std::string AddPeriod(const Variant& value, std::string_view unit, int n);

} // namespace zrv
