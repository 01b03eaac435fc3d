#include "platform/IniFile.h"

#include "platform/CodePage.h"

#include <ini.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace zrv {

namespace {

    // inih keeps its parsing options in process-wide variables. Profiles need the classic
    // behaviour: no inline comments (";" separates server names in values), no continuation
    // lines, lines without "=" kept, lines of any length. The options are set for one parse and
    // restored afterwards, so other users of the library see what they expect.
    class InihOptions {
    public:
        InihOptions()
            : lock_(mutex())
            , inlineComments_(ini_allow_inline_comments)
            , multiline_(ini_allow_multiline)
            , noValue_(ini_allow_no_value)
            , useStack_(ini_use_stack)
            , realloc_(ini_allow_realloc)
            , maxLine_(ini_max_line)
            , stopOnFirstError_(ini_stop_on_first_error)
            , bom_(ini_allow_bom)
            , startComments_(ini_start_comment_prefixes)
        {
            ini_allow_inline_comments = false;
            ini_allow_multiline = false;
            ini_allow_no_value = true;
            ini_use_stack = false;
            ini_allow_realloc = true;
            ini_max_line = INT_MAX / 2;
            ini_stop_on_first_error = false;
            ini_allow_bom = true;
            ini_start_comment_prefixes = const_cast<char*>(";#");
        }
        ~InihOptions()
        {
            ini_allow_inline_comments = inlineComments_;
            ini_allow_multiline = multiline_;
            ini_allow_no_value = noValue_;
            ini_use_stack = useStack_;
            ini_allow_realloc = realloc_;
            ini_max_line = maxLine_;
            ini_stop_on_first_error = stopOnFirstError_;
            ini_allow_bom = bom_;
            ini_start_comment_prefixes = startComments_;
        }
        InihOptions(const InihOptions&) = delete;
        InihOptions& operator=(const InihOptions&) = delete;

    private:
        static std::mutex& mutex()
        {
            static std::mutex m;
            return m;
        }
        std::lock_guard<std::mutex> lock_;
        bool inlineComments_, multiline_, noValue_, useStack_, realloc_;
        int maxLine_;
        bool stopOnFirstError_, bom_;
        char* startComments_;
    };

    std::string TrimBlanks(std::string_view text)
    {
        size_t b = 0, e = text.size();
        while (b < e && (text[b] == ' ' || text[b] == '\t'))
            ++b;
        while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r'))
            --e;
        return std::string(text.substr(b, e - b));
    }

    // Feeds inih line by line and remembers where the line being parsed began: inih splits a
    // line at ":" as well as "=", and the profile API does not, so the handler splits the raw
    // line itself.
    struct LineStream {
        std::string_view text;
        size_t pos = 0;
        size_t lineStart = 0;
        // The section the current line belongs to. inih keeps only the first 49 bytes of a
        // section name, so the name is taken from the header line itself.
        std::string section;

        std::string_view CurrentLine() const
        {
            size_t end = text.find('\n', lineStart);
            std::string_view line = text.substr(lineStart,
                end == std::string_view::npos ? std::string_view::npos : end - lineStart);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            return line;
        }
    };

    char* ReadLine(char* str, int num, void* stream)
    {
        auto* s = static_cast<LineStream*>(stream);
        if (s->pos >= s->text.size() || num <= 1)
            return nullptr;
        if (s->pos == 0 || s->text[s->pos - 1] == '\n') {
            s->lineStart = s->pos;
            std::string_view line = s->CurrentLine();
            size_t open = line.find_first_not_of(" \t");
            size_t close = line.find(']');
            if (open != std::string_view::npos && line[open] == '['
                && close != std::string_view::npos)
                s->section = TrimBlanks(line.substr(open + 1, close - open - 1));
        }
        size_t limit = static_cast<size_t>(num - 1);
        size_t n = 0;
        while (n < limit && s->pos < s->text.size()) {
            char c = s->text[s->pos++];
            str[n++] = c;
            if (c == '\n')
                break;
        }
        str[n] = '\0';
        return str;
    }

    struct ParseState {
        LineStream stream;
        std::vector<std::pair<std::string, IniFile::Entry>> entries; // section, entry
    };

    int OnEntry(void* user, const char* /*section*/, const char* /*name*/, const char* /*value*/)
    {
        auto* state = static_cast<ParseState*>(user);
        std::string raw = TrimBlanks(state->stream.CurrentLine());
        if (raw.empty())
            return 1;
        IniFile::Entry entry;
        size_t eq = raw.find('=');
        if (eq == std::string::npos) {
            entry.line = raw;
        } else {
            entry.name = TrimBlanks(std::string_view(raw).substr(0, eq));
            entry.value = TrimBlanks(std::string_view(raw).substr(eq + 1));
            entry.hasValue = true;
            entry.line = entry.name + "=" + entry.value;
        }
        state->entries.emplace_back(state->stream.section, std::move(entry));
        return 1;
    }

    bool HexDigit(char c, int& v)
    {
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            return false;
        return true;
    }

} // namespace

IniFile::IniFile(const std::string& path)
    : fileName_(path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return;
    Parse(DecodeLegacyText(bytes.str()));
    loaded_ = true;
}

IniFile IniFile::FromBytes(std::string_view bytes) { return FromText(DecodeLegacyText(bytes)); }

IniFile IniFile::FromText(std::string_view utf8)
{
    IniFile ini;
    ini.Parse(utf8);
    ini.loaded_ = true;
    return ini;
}

void IniFile::Parse(std::string_view utf8)
{
    // A NUL would end inih's view of a line early; a damaged file simply loses those bytes.
    std::string text(utf8);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    // The handler splits raw lines, so a byte-order mark must not stay in front of the first key.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    // A section header without "]" is ignored like a comment. Left to inih it would count as a
    // parse error, after which inih drops every later line without "=".
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t first = text.find_first_not_of(" \t", start);
        if (first < end && text[first] == '[' && text.find(']', first) >= end)
            text[first] = ';';
        start = end + 1;
    }

    ParseState state;
    state.stream.text = text;
    {
        InihOptions options;
        ini_parse_stream(ReadLine, &state.stream, OnEntry, &state);
    }
    std::unordered_map<std::string, size_t> index; // lower-case name -> position
    for (auto& item : state.entries) {
        auto [it, added] = index.try_emplace(LowerCase(item.first), sections_.size());
        if (added)
            sections_.push_back({ item.first, {} });
        sections_[it->second].entries.push_back(std::move(item.second));
    }
}

const IniFile::Section* IniFile::Find(std::string_view section) const
{
    std::string wanted = TrimBlanks(section);
    for (const auto& s : sections_)
        if (SameText(s.name, wanted))
            return &s;
    return nullptr;
}

bool IniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const
{
    const Section* s = Find(section);
    if (!s)
        return false;
    std::string wanted = TrimBlanks(key);
    return std::any_of(s->entries.begin(), s->entries.end(),
        [&](const Entry& e) { return e.hasValue && SameText(e.name, wanted); });
}

std::string IniFile::Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

std::string IniFile::ReadString(
    std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    if (const Section* s = Find(section)) {
        std::string wanted = TrimBlanks(key);
        for (const auto& e : s->entries)
            if (e.hasValue && SameText(e.name, wanted))
                return Unquote(e.value);
    }
    return std::string(defaultValue);
}

bool IniFile::ParseInteger(std::string_view text, int& out)
{
    std::string t = TrimBlanks(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return false;
    long long value = 0;
    for (; i < t.size(); ++i) {
        int digit;
        if (!HexDigit(t[i], digit) || digit >= base)
            return false;
        value = value * base + digit;
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return false;
    out = static_cast<int>(value);
    return true;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    if (!ValueExists(section, key))
        return defaultValue;
    int value = 0;
    return ParseInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

std::vector<std::string> IniFile::ReadSections() const
{
    std::vector<std::string> names;
    for (const auto& s : sections_)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const
{
    std::vector<std::string> keys;
    std::unordered_set<std::string> seen;
    if (const Section* s = Find(section))
        for (const auto& e : s->entries)
            if (e.hasValue && seen.insert(LowerCase(e.name)).second)
                keys.push_back(e.name);
    return keys;
}

std::vector<IniFile::Entry> IniFile::SectionEntries(std::string_view section) const
{
    if (const Section* s = Find(section))
        return s->entries;
    return {};
}

std::vector<std::string> IniFile::ReadSectionValues(std::string_view section) const
{
    std::vector<std::string> lines;
    if (const Section* s = Find(section))
        for (const auto& e : s->entries)
            lines.push_back(e.hasValue ? e.name + "=" + Unquote(e.value) : e.line);
    return lines;
}

} // namespace zrv
