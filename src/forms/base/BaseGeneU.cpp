#include "forms/base/BaseGeneU.h"

#include "lib/StrFields.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace zrv {

namespace {

    constexpr size_t kMessageParams = 10;

    // The integer a text spells as a whole (blanks around allowed), else 0.
    long ReadInteger(std::string_view text)
    {
        std::string t = Trim(text);
        if (t.empty())
            return 0;
        char* end = nullptr;
        long n = std::strtol(t.c_str(), &end, 10);
        return end && *end == '\0' ? n : 0;
    }

} // namespace

bool IsLibraryFile(std::string_view path)
{
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    return dot != std::string::npos && SameText(name.substr(dot), ".so");
}

std::string FileNameOf(std::string_view path)
{
    size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ModuleIDFromFileName(std::string_view path, bool library)
{
    const std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const size_t cut = library ? 1 : 2;
    std::string id = stem.substr(0, stem.size() > cut ? stem.size() - cut : 0);
    if (id.size() < 6)
        id = name.substr(0, std::min<size_t>(6, name.size()));
    return id;
}

bool WindowNameMatchesModule(std::string_view windowName, std::string_view moduleID)
{
    std::string_view part = windowName.size() > 3 ? windowName.substr(3, 3) : std::string_view();
    return SameText(part, moduleID.substr(0, std::min<size_t>(3, moduleID.size())));
}

std::optional<std::string> HelpTopicFor(std::string_view moduleID)
{
    if (moduleID.size() < 4)
        return std::nullopt;
    std::string topic;
    size_t at = 3;
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(moduleID[at])));
    if (c == 'A' || c == 'M') {
        topic = c == 'A' ? "6" : "8";
        if (moduleID.size() < 5)
            return std::nullopt;
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(moduleID[++at])));
    } else
        topic = "1";
    if (c == 'B')
        topic += "3";
    else if (c == 'R')
        topic += "2";
    else
        return std::nullopt;
    topic += std::string(moduleID.substr(moduleID.size() >= 2 ? moduleID.size() - 2 : 0));
    topic += "0000";
    return topic;
}

TMessageCode ParseMessageCode(std::string_view code)
{
    TMessageCode m;
    std::string rest(code);
    CutToken(rest, ";", m.type);
    CutToken(rest, ";", m.number);
    m.show = ReadInteger(m.number) > 0;
    if (!m.show && !m.number.empty())
        m.number.erase(0, 1);
    do {
        std::string param;
        CutToken(rest, ";", param);
        m.params.push_back(param);
    } while (!rest.empty() && m.params.size() < kMessageParams);
    return m;
}

std::optional<std::string> FormatMessageTemplate(
    std::string_view templ, const std::vector<std::string>& params)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] != '%') {
            out += templ[i];
            continue;
        }
        size_t j = i + 1;
        if (j < templ.size() && templ[j] == '%') {
            out += '%';
            i = j;
            continue;
        }
        // %[index:][-][width][.precision]s
        auto readNumber = [&](size_t& k, int& value) {
            size_t start = k;
            value = 0;
            while (k < templ.size() && std::isdigit(static_cast<unsigned char>(templ[k])))
                value = std::min(value * 10 + (templ[k++] - '0'), 100000);
            return k > start;
        };
        int number = 0;
        size_t k = j;
        if (readNumber(k, number) && k < templ.size() && templ[k] == ':') {
            next = static_cast<size_t>(number);
            j = k + 1;
        }
        bool left = false;
        if (j < templ.size() && templ[j] == '-') {
            left = true;
            ++j;
        }
        int width = 0, precision = -1;
        readNumber(j, width);
        if (j < templ.size() && templ[j] == '.') {
            ++j;
            readNumber(j, precision);
        }
        if (j >= templ.size() || (templ[j] != 's' && templ[j] != 'S'))
            return std::nullopt;
        if (next >= kMessageParams)
            return std::nullopt;
        std::string value = next < params.size() ? params[next] : std::string();
        ++next;
        if (precision >= 0 && value.size() > static_cast<size_t>(precision))
            value.resize(static_cast<size_t>(precision));
        if (value.size() < static_cast<size_t>(width)) {
            std::string pad(static_cast<size_t>(width) - value.size(), ' ');
            value = left ? value + pad : pad + value;
        }
        out += value;
        i = j;
    }
    return out;
}

std::string MessageTextFor(std::string_view templ, const std::vector<std::string>& params)
{
    if (auto text = FormatMessageTemplate(templ, params))
        return *text;
    std::string text(templ);
    text += '\r';
    for (const std::string& p : params)
        text += p + ";";
    return text;
}

TMsgDlgType DialogTypeForLetter(std::string_view letter)
{
    if (letter == "C" || letter == "D" || letter == "W")
        return TMsgDlgType::mtWarning;
    if (letter == "E")
        return TMsgDlgType::mtError;
    if (letter == "I")
        return TMsgDlgType::mtInformation;
    if (letter == "Q")
        return TMsgDlgType::mtConfirmation;
    return TMsgDlgType::mtCustom;
}

TMsgDlgButtons DefaultButtonsForLetter(std::string_view letter)
{
    if (letter == "C" || letter == "Q" || letter == "W")
        return mbOKCancel;
    if (letter == "D")
        return mbYesNoCancel;
    return mbOKOnly;
}

} // namespace zrv
