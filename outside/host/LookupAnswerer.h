#pragma once
// Who answers the lookup window's questions: the user through real dialogs (QtLookupAnswerer),
// or a script (ScriptedLookupAnswerer) in tests and unattended runs, which never blocks.

#include <cstdint>
#include <string>
#include <vector>

namespace zrv {

struct LookupQuestion {
    std::string table;
    std::string kind;
    std::string title;
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> rows; // display texts; column 0 is the code
    bool multiple = false;
    std::string filter; // the caller's text, offered as the starting filter
    int64_t parentWindow = 0; // native handle of the calling window, 0 when none
};

class LookupAnswerer {
public:
    virtual ~LookupAnswerer() = default;
    // Positions of the chosen rows in question.rows; empty when nothing was chosen.
    virtual std::vector<size_t> ChooseRows(const LookupQuestion& question) = 0;
    // A date "YYYYMMDD", or empty when none was chosen. `start` is "YYYYMMDD".
    virtual std::string ChooseDate(const std::string& start, bool localEra, int64_t parentWindow)
        = 0;
    // One of the phrases, or empty.
    virtual std::string ChoosePhrase(const std::vector<std::string>& phrases, int64_t parentWindow)
        = 0;
};

} // namespace zrv
