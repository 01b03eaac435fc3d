#pragma once
// The tagged value that every exchange with the shell, the host objects and the application
// server uses. Kinds and their codes follow the classic automation variant; text is UTF-8 inside
// the program, so a byte string holds UTF-8 text (limited by convention to the repertoire of the
// code page it belongs to) and a wide string holds UTF-16.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace zrv {

class Dispatch;

enum VarType : uint16_t {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varOleStr = 8,
    varDispatch = 9,
    varError = 10,
    varBoolean = 11,
    varVariant = 12,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varString = 256,
    varArray = 0x2000,
};

// Raised by the strict accessors and by conversions that cannot be made ("type mismatch").
class VariantError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Currency: a fixed-point number with four decimals, kept as a scaled 64-bit integer.
struct Currency {
    int64_t scaled = 0;
    static Currency FromDouble(double v);
    double ToDouble() const { return static_cast<double>(scaled) / 10000.0; }
    bool operator==(const Currency&) const = default;
};

struct VarArrayBound {
    int low = 0;
    int high = -1;
    int Count() const { return high - low + 1; }
};

class Variant;

// Elements of an array variant, row-major: for two dimensions, element (i, j) is at
// (i - low0) * count1 + (j - low1).
struct VarArrayData {
    std::vector<VarArrayBound> bounds;
    std::vector<Variant> items;
};

class Variant {
public:
    Variant() = default;
    Variant(std::nullptr_t) = delete;
    Variant(bool v);
    Variant(int v);
    Variant(int64_t v);
    Variant(double v);
    Variant(Currency v);
    Variant(const char* utf8); // byte string
    Variant(std::string utf8); // byte string
    Variant(std::u16string wide); // wide string
    Variant(std::shared_ptr<Dispatch> object);

    Variant(const Variant& other);
    Variant(Variant&& other) noexcept = default;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept = default;
    ~Variant();

    static Variant Null();
    static Variant FromDate(double days);
    static Variant Wide(const std::string& utf8); // wide string from UTF-8 text
    static Variant OfType(VarType type, int64_t value); // integer kinds: smallint, byte, word, ...
    static Variant Single(float v);
    // An array of Variants with one dimension [low..high].
    static Variant Array(int low, int high);
    // An array of two dimensions [low0..high0, low1..high1].
    static Variant Array2(int low0, int high0, int low1, int high1);
    // A 0-based one-dimensional array of the given values (as a list of values is built).
    static Variant ArrayOf(std::initializer_list<Variant> items);
    static Variant ArrayOf(const std::vector<Variant>& items);

    VarType Type() const { return type_; } // element type for arrays is varVariant | varArray
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsArray() const { return type_ == (varVariant | varArray); }
    bool IsText() const { return type_ == varString || type_ == varOleStr; }
    bool IsNumeric() const; // integers, floats, currency, boolean
    bool IsOrdinal() const; // integer kinds and boolean

    // Strict accessors: raise VariantError unless the kind matches.
    const std::string& AsByteText() const;
    const std::u16string& AsWideText() const;
    double AsDate() const;

    // Converting accessors, with the classic coercion rules: numbers from texts as a whole, the
    // texts "True"/"False" for booleans, dates as their day count. Empty reads as 0 / "" / false;
    // null and arrays raise VariantError.
    int64_t ToInt64() const;
    int ToInt() const { return static_cast<int>(ToInt64()); }
    double ToDouble() const;
    bool ToBool() const;
    std::string ToString() const; // UTF-8
    std::u16string ToWide() const;
    Currency ToCurrency() const;
    std::shared_ptr<Dispatch> ToDispatch() const; // null pointer for empty

    // Arrays.
    int DimCount() const;
    int LowBound(int dim = 1) const; // dimensions count from 1, as in the classic routines
    int HighBound(int dim = 1) const;
    int Count(int dim = 1) const { return HighBound(dim) - LowBound(dim) + 1; }
    const Variant& operator[](int index) const; // one dimension
    Variant& operator[](int index);
    const Variant& At(int i, int j) const; // two dimensions
    Variant& At(int i, int j);
    // Enlarges or shrinks the last dimension to end at newHigh, keeping the elements that remain.
    void Redim(int newHigh);
    const std::vector<Variant>& Items() const; // all elements in storage order
    std::vector<Variant>& Items();

    // Structural equality: same kind and same value (arrays element by element with bounds).
    bool operator==(const Variant& other) const;

    // A short readable form for logs and test failures, e.g. [1, "a", [2]].
    std::string Debug() const;

private:
    using Storage = std::variant<std::monostate, int64_t, double, Currency, bool, std::string,
        std::u16string, std::shared_ptr<Dispatch>, std::shared_ptr<VarArrayData>>;
    VarType type_ = varEmpty;
    Storage value_;

    VarArrayData& ArrayData();
    const VarArrayData& ArrayData() const;
    size_t IndexOf(int i) const;
    size_t IndexOf(int i, int j) const;
};

// Whole days and fraction of a date (day 0 = 1899-12-30).
struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, msec = 0;
};
double EncodeDate(int year, int month, int day); // raises VariantError for an invalid date
bool TryEncodeDate(int year, int month, int day, double& out);
DateParts DecodeDate(double date);
int DayOfWeek(double date); // 1 = Sunday ... 7 = Saturday

} // namespace zrv
