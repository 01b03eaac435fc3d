#pragma once
// Answers lookup questions with real modal dialogs (LookupDialog, DatePickDialog). Without a
// running Qt Widgets application there is no one to ask, and nothing is chosen.

#include "LookupAnswerer.h"

namespace zrv {

class QtLookupAnswerer : public LookupAnswerer {
public:
    std::vector<size_t> ChooseRows(const LookupQuestion& question) override;
    std::string ChooseDate(const std::string& start, bool localEra, int64_t parentWindow) override;
    std::string ChoosePhrase(
        const std::vector<std::string>& phrases, int64_t parentWindow) override;
};

} // namespace zrv
