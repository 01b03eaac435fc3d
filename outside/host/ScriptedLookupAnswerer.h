#pragma once
// A lookup answerer driven by a script: tests and unattended runs queue the answers, and every
// question is recorded. It never blocks; with nothing queued it chooses nothing.

#include "LookupAnswerer.h"

#include <deque>

namespace zrv {

class ScriptedLookupAnswerer : public LookupAnswerer {
public:
    // The next lookup chooses the rows whose code (column 0) is one of `codes`.
    void ChooseCodes(std::vector<std::string> codes);
    void ChooseNothing();
    void AnswerDate(std::string date);
    void AnswerPhrase(std::string phrase);

    std::vector<size_t> ChooseRows(const LookupQuestion& question) override;
    std::string ChooseDate(const std::string& start, bool localEra, int64_t parentWindow) override;
    std::string ChoosePhrase(
        const std::vector<std::string>& phrases, int64_t parentWindow) override;

    std::vector<LookupQuestion> questions;
    std::vector<std::string> dateStarts; // the start date of every date question
    std::vector<bool> dateEras;
    std::vector<std::vector<std::string>> phraseLists;

private:
    std::deque<std::vector<std::string>> rows_;
    std::deque<std::string> dates_;
    std::deque<std::string> phrases_;
};

} // namespace zrv
