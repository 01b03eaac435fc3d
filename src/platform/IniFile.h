#pragma once
// INI profiles, read only, with the semantics of the classic profile API: sections and keys are
// found without regard to ASCII case, a value is everything after the first "=" of its line
// (trimmed, one pair of enclosing quotes removed), a key that occurs twice answers with its first
// value, and a whole section can be read back in file order, lines without "=" included.
// Files that come from older installations may be in the system code page's legacy encoding;
// they are read as UTF-8 when valid, else decoded from that code page.

#include <string>
#include <string_view>
#include <vector>

namespace zrv {

class IniFile {
public:
    // One line of a section, in file order. A line without "=" has an empty name, no value, and
    // keeps its text in `line`; a line with "=" has `line` = name + "=" + raw value.
    struct Entry {
        std::string name;
        std::string value; // trimmed, enclosing quotes kept as written
        bool hasValue = false;
        std::string line;
    };

    IniFile() = default;
    // Reads the file at once. A missing or unreadable file gives an empty profile (Loaded() is
    // false); every read then answers with its default.
    explicit IniFile(const std::string& path);

    // A profile from the bytes of a file (decoded as files are) or from UTF-8 text.
    static IniFile FromBytes(std::string_view bytes);
    static IniFile FromText(std::string_view utf8);

    bool Loaded() const { return loaded_; }
    const std::string& FileName() const { return fileName_; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // The value of a key with one pair of enclosing quotes ("..." or '...') removed; the default
    // when the key is absent.
    std::string ReadString(
        std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // A whole decimal number (optionally signed; "$" or "0x" introduces hexadecimal); the default
    // when the key is absent, the value is not such a number or does not fit an int.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // Section names in file order (a section written twice is listed once). A section is known
    // by its lines: a header with no line under it does not count as a section.
    std::vector<std::string> ReadSections() const;
    // Key names of a section in file order, each once.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // Every line of a section in file order: "name=value" for keys (value as ReadString gives
    // it), the line itself for lines without "=". Comment and blank lines are not included.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;
    // The same lines with their parts.
    std::vector<Entry> SectionEntries(std::string_view section) const;

    // The text of a value as ReadString returns it: quotes removed.
    static std::string Unquote(std::string_view value);
    // Parses a value as ReadInteger does; false when it is not a whole number that fits an int.
    static bool ParseInteger(std::string_view text, int& out);

private:
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* Find(std::string_view section) const;
    void Parse(std::string_view utf8);

    std::vector<Section> sections_;
    std::string fileName_;
    bool loaded_ = false;
};

} // namespace zrv
