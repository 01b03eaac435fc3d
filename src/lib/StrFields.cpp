#include "lib/StrFields.h"

#include "platform/CodePage.h"
#include "platform/SystemInfo.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <utility>

namespace zrv {

std::string GetField(std::string_view text, std::string_view separator, int n)
{
    if (text.empty() || n < 1)
        return {};
    if (separator.empty())
        return n == 1 ? std::string(text) : std::string();
    size_t start = 0;
    for (int field = 1; field < n; ++field) {
        size_t at = text.find(separator, start);
        if (at == std::string_view::npos)
            return {};
        start = at + separator.size();
    }
    size_t end = text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

int CountFields(std::string_view text, std::string_view separator)
{
    if (text.empty())
        return 0;
    if (separator.empty())
        return 1;
    int count = 1;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, at + separator.size()))
        ++count;
    return count;
}

void CutToken(std::string& text, std::string_view separator, std::string& token)
{
    size_t at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos) {
        token = std::move(text);
        text.clear();
        return;
    }
    token = text.substr(0, at);
    text.erase(0, at + separator.size());
}

std::string ReplaceAllText(
    std::string_view text, std::string_view oldText, std::string_view newText, bool trim)
{
    std::string result(text);
    if (!oldText.empty() && !SameText(oldText, newText)) {
        // Searching again from the start after each replacement would never end when the
        // replacement brings its own pattern along; then one pass from left to right is all
        // that can be meant.
        bool onePass = newText.find(oldText) != std::string_view::npos;
        // A replacement can only form a new occurrence that overlaps it, so the next search may
        // begin just before it instead of at the start. The guard keeps a rule that keeps
        // recreating its pattern elsewhere from running away: past it, the search only moves on.
        size_t guard = text.size() + 1;
        size_t replaced = 0;
        size_t from = 0;
        for (size_t at = result.find(oldText, from); at != std::string::npos;
             at = result.find(oldText, from)) {
            result.replace(at, oldText.size(), newText);
            if (onePass || ++replaced > guard)
                from = at + newText.size();
            else
                from = at >= oldText.size() - 1 ? at - (oldText.size() - 1) : 0;
        }
    }
    return trim ? Trim(result) : result;
}

double StrToFloatOr(std::string_view text, double fallback)
{
    std::string_view s = text;
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    // Only plain decimal notation counts: sign, digits with one optional decimal point, and an
    // optional exponent. Words such as "inf" or "nan" and hexadecimal forms are not numbers here.
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    size_t digits = 0;
    size_t mantissa = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return fallback;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t e = i + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-'))
            ++e;
        size_t expDigits = 0;
        while (e < s.size() && std::isdigit(static_cast<unsigned char>(s[e])))
            ++e, ++expDigits;
        if (expDigits == 0)
            return fallback;
        i = e;
    }
    if (i != s.size())
        return fallback;
    double value = 0;
    auto [end, ec] = std::from_chars(s.data() + mantissa, s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return fallback;
    return negative ? -value : value;
}

bool IsLocalHostAddress(std::string_view address) { return address == "127.0.0.1"; }

std::string LongTempPath()
{
    std::string folder = TempFolder();
    char* resolved = realpath(folder.c_str(), nullptr);
    if (!resolved)
        return {};
    std::string path(resolved);
    free(resolved);
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string DialogButtonCaption(std::string_view buttonName)
{
    static const std::pair<std::string_view, std::string_view> captions[] = {
        { "Yes", "是(&Y)" },
        { "No", "否(&N)" },
        { "OK", "确定" },
        { "Cancel", "取消" },
        { "Abort", "中断(&A)" },
        { "Retry", "重试(&R)" },
        { "Ignore", "忽略(&I)" },
        { "All", "全部(&A)" },
        { "NoToAll", "全否(&o)" },
        { "YesToAll", "全是(&A)" },
        { "Help", "帮助(&H)" },
    };
    for (const auto& [name, caption] : captions) {
        if (name == buttonName)
            return std::string(caption);
    }
    return std::string(buttonName);
}

} // namespace zrv
