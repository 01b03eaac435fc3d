#include "lib/DateTexts.h"

#include "lib/StrFields.h"
#include "platform/CodePage.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace zrv {

namespace {

    // The first character of a UTF-8 separator (a lead byte and its continuation bytes).
    std::string_view FirstChar(std::string_view separator)
    {
        if (separator.empty())
            return separator;
        size_t len = 1;
        while (
            len < separator.size() && (static_cast<unsigned char>(separator[len]) & 0xC0) == 0x80)
            ++len;
        return separator.substr(0, len);
    }

    // A whole-text integer: optional sign and decimal digits, nothing else.
    std::optional<long long> ReadInteger(std::string_view text)
    {
        size_t i = 0;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        if (i == text.size())
            return std::nullopt;
        long long value = 0;
        for (; i < text.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i])))
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
            if (value > 999999999)
                return std::nullopt;
        }
        return negative ? -value : value;
    }

    bool ValidDay(double date, DateParts& parts)
    {
        if (date == 0)
            return false;
        parts = DecodeDate(date);
        return parts.year >= 1 && parts.year <= 9999;
    }

    std::string Format3(const char* format, int a, std::string_view sep, int b, int c)
    {
        char buf[64];
        std::string s(sep);
        std::snprintf(buf, sizeof buf, format, a, s.c_str(), b, s.c_str(), c);
        return buf;
    }

    std::string Format2(const char* format, int a, std::string_view sep, int b)
    {
        char buf[48];
        std::string s(sep);
        std::snprintf(buf, sizeof buf, format, a, s.c_str(), b);
        return buf;
    }

} // namespace

std::string DateToOrderedStr(int order, std::string_view separator, double date)
{
    DateParts d;
    if (!ValidDay(date, d))
        return {};
    std::string_view sep = FirstChar(separator);
    switch (order) {
    case 1:
        return Format3("%.4d%s%.2d%s%.2d", d.year, sep, d.month, d.day);
    case 2:
        return Format3("%.2d%s%.2d%s%.4d", d.month, sep, d.day, d.year);
    case 3:
        return Format3("%.2d%s%.2d%s%.4d", d.day, sep, d.month, d.year);
    case 4:
        return Format3("%.2d%s%.2d%s%.2d", d.year - 1911, sep, d.month, d.day);
    case 5:
        return Format3("%.3d%s%.2d%s%.2d", d.year - 1911, sep, d.month, d.day);
    default:
        return {};
    }
}

std::string MonthToOrderedStr(int order, std::string_view separator, double date)
{
    DateParts d;
    if (!ValidDay(date, d))
        return {};
    std::string_view sep = FirstChar(separator);
    switch (order) {
    case 1:
        return Format2("%.4d%s%.2d", d.year, sep, d.month);
    case 2:
    case 3:
        return Format2("%.2d%s%.4d", d.month, sep, d.year);
    case 4:
        return Format2("%.2d%s%.2d", d.year - 1911, sep, d.month);
    case 5:
        return Format2("%.3d%s%.2d", d.year - 1911, sep, d.month);
    default:
        return {};
    }
}

double OrderedStrToDate(std::string_view text, int order, std::string_view separator)
{
    if (Trim(text).empty())
        return 0;
    std::string rest(text);
    int tokens[3];
    for (int& token : tokens) {
        std::string piece;
        CutToken(rest, separator, piece);
        // The parts are small numbers; anything beyond a 16-bit value is not a date part.
        auto value = ReadInteger(Trim(piece));
        token = value && *value > 0 && *value <= 32767 ? static_cast<int>(*value) : -1;
        if (token <= 0)
            return 0;
    }
    int year, month, day;
    switch (order) {
    case 1:
        year = tokens[0], month = tokens[1], day = tokens[2];
        break;
    case 2:
        month = tokens[0], day = tokens[1], year = tokens[2];
        break;
    case 3:
        day = tokens[0], month = tokens[1], year = tokens[2];
        break;
    case 4:
    case 5:
        year = tokens[0] + 1911, month = tokens[1], day = tokens[2];
        break;
    default:
        return 0;
    }
    double first;
    if (!TryEncodeDate(year, month, 1, first))
        return 0;
    return first + (day - 1);
}

double CompactToDate(std::string_view compact)
{
    if (compact.size() != 8)
        return 0;
    auto year = ReadInteger(compact.substr(0, 4));
    auto month = ReadInteger(compact.substr(4, 2));
    auto day = ReadInteger(compact.substr(6, 2));
    if (!year || !month || !day || *year == 0 || *month == 0 || *day == 0)
        return 0;
    double date;
    if (!TryEncodeDate(
            static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day), date))
        return 0;
    return date;
}

std::string DateToCompact(double date)
{
    DateParts d;
    if (!ValidDay(date, d))
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.4d%.2d%.2d", d.year, d.month, d.day);
    return buf;
}

std::string MonthToCompact(double date)
{
    std::string day = DateToCompact(date);
    return day.empty() ? day : day.substr(0, 6);
}

bool IsValidCompactDate(std::string_view compact)
{
    if (compact.empty())
        return true;
    if (compact.size() < 8)
        return false;
    auto year = ReadInteger(compact.substr(0, 4));
    auto month = ReadInteger(compact.substr(4, 2));
    auto day = ReadInteger(compact.substr(6, 2));
    double date;
    if (!year || !month || !day
        || !TryEncodeDate(
            static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day), date))
        return false;
    return compact >= "17530101" && compact <= "99991231";
}

int DaysInMonthOf(int year, int month)
{
    static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string AddPeriod(const Variant& value, std::string_view unit, int n)
{
    double date = 0;
    try {
        if (value.Type() == varString || value.Type() == varOleStr)
            date = CompactToDate(value.ToString());
        else if (value.Type() == varDate)
            date = value.AsDate();
        else
            return {};
    } catch (const VariantError&) {
        return {};
    }
    DateParts d;
    if (!ValidDay(date, d))
        return {};
    long long year = d.year;
    int month = d.month, day = d.day;
    if (SameText(unit, "D"))
        return DateToCompact(date + n);
    if (SameText(unit, "Y")) {
        year += n;
    } else if (SameText(unit, "M")) {
        long long t = static_cast<long long>(year) * 12 + month + n;
        if (t <= 12 || t > 9999LL * 12 + 12)
            return {};
        month = static_cast<int>(t % 12);
        year = t / 12;
        if (month == 0) {
            month = 12;
            year -= 1;
        }
    } else {
        return {};
    }
    if (year < 1 || year > 9999)
        return {};
    int last = DaysInMonthOf(static_cast<int>(year), month);
    if (day > last)
        day = last;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.4d%.2d%.2d", static_cast<int>(year), month, day);
    return buf;
}

} // namespace zrv
