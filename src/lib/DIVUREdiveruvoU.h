#pragma once
// The report generator's own log, its multi-line exception reports, and the reversible
// scrambling of database passwords kept in the server profile. Nothing here shows anything to
// the user and nothing raises.

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

// The kinds of failure an exception report tells apart. Each carries what its report line shows.

// A database engine failure with its list of (code, message) entries.
class EDBEngineError : public std::runtime_error {
public:
    struct Entry {
        int code = 0;
        std::string message;
    };
    EDBEngineError(std::string message, std::vector<Entry> entries)
        : std::runtime_error(std::move(message))
        , entries_(std::move(entries))
    {
    }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

// A failed operating-system call with its error number.
class EWin32Error : public std::runtime_error {
public:
    EWin32Error(std::string message, int code)
        : std::runtime_error(std::move(message))
        , code_(code)
    {
    }
    int ErrorCode() const { return code_; }

private:
    int code_;
};

// A failed file read or write with its I/O result code.
class EInOutError : public std::runtime_error {
public:
    EInOutError(std::string message, int code)
        : std::runtime_error(std::move(message))
        , code_(code)
    {
    }
    int ErrorCode() const { return code_; }

private:
    int code_;
};

// A text that does not spell the number it should.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The generator's root folder: "ClientPath", else "ServerPath" of "Software\ZRV\Orvane", else the
// temporary folder, else "/tmp".
std::string GeneratorRootPath();
// Appends "[short date long time] text" to <root>/Log/Alert_DIVUREdiveruvo_yyyymmdd.log; false
// when the line cannot be written.
bool WriteGeneratorLog(std::string_view text);
// Writes a report of a failure to the generator log: a dashed header naming the location, the
// exception's lines by kind (when one is given) with their count, and the programmer's note.
void ReportException(const std::exception* error, std::string_view location, std::string_view note);
// The class name a report shows for an exception ("EConvertError", "std::runtime_error").
std::string ExceptionClassName(const std::exception& error);

// Marker texts of stored passwords.
inline constexpr char kEmptyPasswordMarker[] = "ZR_Say_NoPassWord_ThePassWordIsEmpty";
inline constexpr char kPasswordErrorMarker[] = "ZR_Say_Password_Error";

// Two lowercase hexadecimal digits per byte, the byte at position p (from 1) rotated right by
// p mod 8 bits. An empty password is stored as the scrambled empty-password marker.
std::string ScramblePassword(std::string_view clear);
// The reverse. A last unpaired character is ignored; the empty-password marker gives an empty
// text; a pair that is not hexadecimal gives kPasswordErrorMarker and an exception report.
std::string UnscramblePassword(std::string_view scrambled);

} // namespace zrv
