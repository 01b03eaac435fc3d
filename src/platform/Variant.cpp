#include "platform/Variant.h"

#include "platform/Automation.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zrv {

namespace {

    constexpr VarType kArrayType = static_cast<VarType>(varVariant | varArray);

    bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

    int DaysIn(int y, int m)
    {
        static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
        return m == 2 && IsLeap(y) ? 29 : days[m - 1];
    }

    // Days from 0001-01-01 (day 1) as the proleptic Gregorian calendar counts them.
    int64_t DaysFromCivil(int y, int m, int d)
    {
        y -= m <= 2;
        const int64_t era = (y >= 0 ? y : y - 399) / 400;
        const int64_t yoe = y - era * 400;
        const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468; // days from 1970-01-01
    }

    void CivilFromDays(int64_t z, int& y, int& m, int& d)
    {
        z += 719468;
        const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
        const int64_t doe = z - era * 146097;
        const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const int64_t mp = (5 * doy + 2) / 153;
        d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
        m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
        y = static_cast<int>(yoe + era * 400 + (m <= 2));
    }

    // 1899-12-30 relative to 1970-01-01.
    const int64_t kEpochShift = DaysFromCivil(1899, 12, 30);

    // Parses a whole text as a number (blanks around allowed), as the classic coercion does.
    bool ParseNumber(const std::string& text, double& out)
    {
        const std::string t = Trim(text);
        if (t.empty())
            return false;
        errno = 0;
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        if (end != t.c_str() + t.size() || errno == ERANGE)
            return false;
        // strtod accepts "inf", "nan" and hexadecimal forms, which the classic coercion does not.
        for (char c : t)
            if (std::isalpha(static_cast<unsigned char>(c)) && c != 'e' && c != 'E')
                return false;
        out = v;
        return true;
    }

    std::string FormatDouble(double v)
    {
        if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.0f", v);
            return buf;
        }
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.15g", v);
        return buf;
    }

    std::string FormatDate(double v)
    {
        const DateParts p = DecodeDate(v);
        char buf[40];
        if (p.hour || p.minute || p.second)
            std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", p.year, p.month, p.day,
                p.hour, p.minute, p.second);
        else
            std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", p.year, p.month, p.day);
        return buf;
    }

} // namespace

Currency Currency::FromDouble(double v) { return Currency { std::llround(v * 10000.0) }; }

Variant::Variant(bool v)
    : type_(varBoolean)
    , value_(v)
{
}
Variant::Variant(int v)
    : type_(varInteger)
    , value_(int64_t(v))
{
}
Variant::Variant(int64_t v)
    : type_(varInt64)
    , value_(v)
{
}
Variant::Variant(double v)
    : type_(varDouble)
    , value_(v)
{
}
Variant::Variant(Currency v)
    : type_(varCurrency)
    , value_(v)
{
}
Variant::Variant(const char* utf8)
    : type_(varString)
    , value_(std::string(utf8 ? utf8 : ""))
{
}
Variant::Variant(std::string utf8)
    : type_(varString)
    , value_(std::move(utf8))
{
}
Variant::Variant(std::u16string wide)
    : type_(varOleStr)
    , value_(std::move(wide))
{
}
Variant::Variant(std::shared_ptr<Dispatch> object)
    : type_(object ? varDispatch : varEmpty)
{
    if (object)
        value_ = std::move(object);
}

Variant::Variant(const Variant& other)
    : type_(other.type_)
    , value_(other.value_)
{
    // Arrays are values: a copy owns its own elements.
    if (auto* a = std::get_if<std::shared_ptr<VarArrayData>>(&value_))
        *a = std::make_shared<VarArrayData>(**a);
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other) {
        Variant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Variant::~Variant() = default;

Variant Variant::Null()
{
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::FromDate(double days)
{
    Variant v(days);
    v.type_ = varDate;
    return v;
}

Variant Variant::Wide(const std::string& utf8) { return Variant(Utf8ToUtf16(utf8)); }

Variant Variant::OfType(VarType type, int64_t value)
{
    Variant v(value);
    switch (type) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        v.type_ = type;
        return v;
    case varBoolean:
        return Variant(value != 0);
    default:
        throw VariantError("Variant::OfType: not an integer kind");
    }
}

Variant Variant::Single(float f)
{
    Variant v(static_cast<double>(f));
    v.type_ = varSingle;
    return v;
}

Variant Variant::Array(int low, int high)
{
    if (high < low - 1)
        throw VariantError("Invalid array bounds");
    Variant v;
    v.type_ = kArrayType;
    auto data = std::make_shared<VarArrayData>();
    data->bounds.push_back({ low, high });
    data->items.resize(static_cast<size_t>(high - low + 1));
    v.value_ = std::move(data);
    return v;
}

Variant Variant::Array2(int low0, int high0, int low1, int high1)
{
    if (high0 < low0 - 1 || high1 < low1 - 1)
        throw VariantError("Invalid array bounds");
    Variant v;
    v.type_ = kArrayType;
    auto data = std::make_shared<VarArrayData>();
    data->bounds.push_back({ low0, high0 });
    data->bounds.push_back({ low1, high1 });
    data->items.resize(
        static_cast<size_t>(high0 - low0 + 1) * static_cast<size_t>(high1 - low1 + 1));
    v.value_ = std::move(data);
    return v;
}

Variant Variant::ArrayOf(std::initializer_list<Variant> items)
{
    return ArrayOf(std::vector<Variant>(items));
}

Variant Variant::ArrayOf(const std::vector<Variant>& items)
{
    Variant v = Array(0, static_cast<int>(items.size()) - 1);
    v.ArrayData().items = items;
    return v;
}

bool Variant::IsNumeric() const
{
    switch (type_) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varBoolean:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

bool Variant::IsOrdinal() const
{
    switch (type_) {
    case varSmallint:
    case varInteger:
    case varBoolean:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

const std::string& Variant::AsByteText() const
{
    if (type_ != varString)
        throw VariantError("Variant is not a byte string");
    return std::get<std::string>(value_);
}

const std::u16string& Variant::AsWideText() const
{
    if (type_ != varOleStr)
        throw VariantError("Variant is not a wide string");
    return std::get<std::u16string>(value_);
}

double Variant::AsDate() const
{
    if (type_ != varDate)
        throw VariantError("Variant is not a date");
    return std::get<double>(value_);
}

double Variant::ToDouble() const
{
    switch (type_) {
    case varEmpty:
        return 0;
    case varBoolean:
        return std::get<bool>(value_) ? -1 : 0;
    case varSingle:
    case varDouble:
    case varDate:
        return std::get<double>(value_);
    case varCurrency:
        return std::get<Currency>(value_).ToDouble();
    case varString:
    case varOleStr: {
        const std::string t = ToString();
        double v = 0;
        if (ParseNumber(t, v))
            return v;
        if (SameText(Trim(t), "True"))
            return -1;
        if (SameText(Trim(t), "False"))
            return 0;
        throw VariantError("Could not convert variant of type (String) into type (Double)");
    }
    default:
        if (IsOrdinal())
            return static_cast<double>(std::get<int64_t>(value_));
        throw VariantError("Invalid variant type conversion");
    }
}

int64_t Variant::ToInt64() const
{
    if (IsOrdinal() && type_ != varBoolean)
        return std::get<int64_t>(value_);
    const double d = ToDouble();
    if (!(d >= -9.2e18 && d <= 9.2e18))
        throw VariantError("Invalid variant operation (overflow)");
    // Banker's rounding, as the classic conversion of a floating value to an integer does.
    return static_cast<int64_t>(std::nearbyint(d));
}

bool Variant::ToBool() const
{
    switch (type_) {
    case varEmpty:
        return false;
    case varBoolean:
        return std::get<bool>(value_);
    case varString:
    case varOleStr: {
        const std::string t = Trim(ToString());
        if (SameText(t, "True"))
            return true;
        if (SameText(t, "False"))
            return false;
        double v = 0;
        if (ParseNumber(t, v))
            return v != 0;
        throw VariantError("Could not convert variant of type (String) into type (Boolean)");
    }
    default:
        return ToDouble() != 0;
    }
}

std::string Variant::ToString() const
{
    switch (type_) {
    case varEmpty:
        return {};
    case varNull:
        throw VariantError("Could not convert variant of type (Null) into type (String)");
    case varBoolean:
        return std::get<bool>(value_) ? "True" : "False";
    case varSingle:
    case varDouble:
        return FormatDouble(std::get<double>(value_));
    case varCurrency:
        return FormatDouble(std::get<Currency>(value_).ToDouble());
    case varDate:
        return FormatDate(std::get<double>(value_));
    case varString:
        return std::get<std::string>(value_);
    case varOleStr:
        return Utf16ToUtf8(std::get<std::u16string>(value_));
    default:
        if (IsOrdinal())
            return std::to_string(std::get<int64_t>(value_));
        throw VariantError("Invalid variant type conversion");
    }
}

std::u16string Variant::ToWide() const
{
    if (type_ == varOleStr)
        return std::get<std::u16string>(value_);
    return Utf8ToUtf16(ToString());
}

Currency Variant::ToCurrency() const
{
    if (type_ == varCurrency)
        return std::get<Currency>(value_);
    return Currency::FromDouble(ToDouble());
}

std::shared_ptr<Dispatch> Variant::ToDispatch() const
{
    if (type_ == varEmpty)
        return nullptr;
    if (type_ != varDispatch)
        throw VariantError("Variant is not an object");
    return std::get<std::shared_ptr<Dispatch>>(value_);
}

VarArrayData& Variant::ArrayData()
{
    if (!IsArray())
        throw VariantError("Variant is not an array");
    return *std::get<std::shared_ptr<VarArrayData>>(value_);
}

const VarArrayData& Variant::ArrayData() const
{
    if (!IsArray())
        throw VariantError("Variant is not an array");
    return *std::get<std::shared_ptr<VarArrayData>>(value_);
}

int Variant::DimCount() const
{
    return IsArray() ? static_cast<int>(ArrayData().bounds.size()) : 0;
}

int Variant::LowBound(int dim) const
{
    const auto& b = ArrayData().bounds;
    if (dim < 1 || dim > static_cast<int>(b.size()))
        throw VariantError("Variant array dimension out of range");
    return b[dim - 1].low;
}

int Variant::HighBound(int dim) const
{
    const auto& b = ArrayData().bounds;
    if (dim < 1 || dim > static_cast<int>(b.size()))
        throw VariantError("Variant array dimension out of range");
    return b[dim - 1].high;
}

size_t Variant::IndexOf(int i) const
{
    const auto& d = ArrayData();
    if (d.bounds.size() != 1)
        throw VariantError("Variant array has two dimensions");
    if (i < d.bounds[0].low || i > d.bounds[0].high)
        throw VariantError("Variant array index out of bounds");
    return static_cast<size_t>(i - d.bounds[0].low);
}

size_t Variant::IndexOf(int i, int j) const
{
    const auto& d = ArrayData();
    if (d.bounds.size() != 2)
        throw VariantError("Variant array does not have two dimensions");
    if (i < d.bounds[0].low || i > d.bounds[0].high || j < d.bounds[1].low || j > d.bounds[1].high)
        throw VariantError("Variant array index out of bounds");
    return static_cast<size_t>(i - d.bounds[0].low) * static_cast<size_t>(d.bounds[1].Count())
        + static_cast<size_t>(j - d.bounds[1].low);
}

const Variant& Variant::operator[](int index) const { return ArrayData().items[IndexOf(index)]; }
Variant& Variant::operator[](int index) { return ArrayData().items[IndexOf(index)]; }
const Variant& Variant::At(int i, int j) const { return ArrayData().items[IndexOf(i, j)]; }
Variant& Variant::At(int i, int j) { return ArrayData().items[IndexOf(i, j)]; }

void Variant::Redim(int newHigh)
{
    auto& d = ArrayData();
    auto& last = d.bounds.back();
    if (newHigh < last.low - 1)
        throw VariantError("Invalid array bounds");
    if (d.bounds.size() == 1) {
        last.high = newHigh;
        d.items.resize(static_cast<size_t>(last.Count()));
        return;
    }
    // Two dimensions stored row-major: rebuild so every kept (i, j) stays at its place.
    const int oldCount = last.Count();
    const int newCount = newHigh - last.low + 1;
    const int rows = d.bounds[0].Count();
    std::vector<Variant> items(static_cast<size_t>(rows) * static_cast<size_t>(newCount));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < std::min(oldCount, newCount); ++c)
            items[static_cast<size_t>(r * newCount + c)]
                = std::move(d.items[static_cast<size_t>(r * oldCount + c)]);
    d.items = std::move(items);
    last.high = newHigh;
}

const std::vector<Variant>& Variant::Items() const { return ArrayData().items; }
std::vector<Variant>& Variant::Items() { return ArrayData().items; }

bool Variant::operator==(const Variant& other) const
{
    if (type_ != other.type_)
        return false;
    if (IsArray()) {
        const auto& a = ArrayData();
        const auto& b = other.ArrayData();
        if (a.bounds.size() != b.bounds.size())
            return false;
        for (size_t i = 0; i < a.bounds.size(); ++i)
            if (a.bounds[i].low != b.bounds[i].low || a.bounds[i].high != b.bounds[i].high)
                return false;
        return a.items == b.items;
    }
    return value_ == other.value_;
}

std::string Variant::Debug() const
{
    switch (type_) {
    case varEmpty:
        return "Empty";
    case varNull:
        return "Null";
    case varString:
        return "'" + std::get<std::string>(value_) + "'";
    case varOleStr:
        return "L\"" + Utf16ToUtf8(std::get<std::u16string>(value_)) + "\"";
    case varDate: {
        // Appended piece by piece: GCC 12 warns falsely on literal + temporary here.
        std::string s(1, '#');
        s += FormatDate(std::get<double>(value_));
        s += '#';
        return s;
    }
    case varDispatch:
        return "<object>";
    default:
        break;
    }
    if (IsArray()) {
        const auto& d = ArrayData();
        std::string s = "[";
        for (size_t i = 0; i < d.items.size(); ++i) {
            if (i)
                s += ", ";
            s += d.items[i].Debug();
        }
        return s + "]";
    }
    return ToString();
}

bool TryEncodeDate(int year, int month, int day, double& out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month))
        return false;
    out = static_cast<double>(DaysFromCivil(year, month, day) - kEpochShift);
    return true;
}

double EncodeDate(int year, int month, int day)
{
    double d = 0;
    if (!TryEncodeDate(year, month, day, d))
        throw VariantError("Invalid argument to date encode");
    return d;
}

DateParts DecodeDate(double date)
{
    DateParts p;
    // Whole days count from the epoch; the fraction is the time of day, also before the epoch.
    const double whole = std::trunc(date);
    double frac = std::fabs(date - whole);
    CivilFromDays(static_cast<int64_t>(whole) + kEpochShift, p.year, p.month, p.day);
    int64_t ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000)
        ms = 86399999;
    p.hour = static_cast<int>(ms / 3600000);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.msec = static_cast<int>(ms % 1000);
    return p;
}

int DayOfWeek(double date)
{
    // 1899-12-30 was a Saturday (7).
    const int64_t days = static_cast<int64_t>(std::floor(date));
    const int64_t r = ((days + 6) % 7 + 7) % 7; // 0 = Sunday
    return static_cast<int>(r) + 1;
}

} // namespace zrv
