#include "ScriptedLookupAnswerer.h"

namespace zrv {

void ScriptedLookupAnswerer::ChooseCodes(std::vector<std::string> codes)
{
    rows_.push_back(std::move(codes));
}

void ScriptedLookupAnswerer::ChooseNothing() { rows_.emplace_back(); }

void ScriptedLookupAnswerer::AnswerDate(std::string date) { dates_.push_back(std::move(date)); }

void ScriptedLookupAnswerer::AnswerPhrase(std::string phrase)
{
    phrases_.push_back(std::move(phrase));
}

std::vector<size_t> ScriptedLookupAnswerer::ChooseRows(const LookupQuestion& question)
{
    questions.push_back(question);
    if (rows_.empty())
        return {};
    const std::vector<std::string> codes = std::move(rows_.front());
    rows_.pop_front();
    std::vector<size_t> chosen;
    for (const std::string& code : codes)
        for (size_t i = 0; i < question.rows.size(); ++i)
            if (!question.rows[i].empty() && question.rows[i][0] == code)
                chosen.push_back(i);
    if (!question.multiple && chosen.size() > 1)
        chosen.resize(1);
    return chosen;
}

std::string ScriptedLookupAnswerer::ChooseDate(const std::string& start, bool localEra, int64_t)
{
    dateStarts.push_back(start);
    dateEras.push_back(localEra);
    if (dates_.empty())
        return {};
    std::string date = std::move(dates_.front());
    dates_.pop_front();
    return date;
}

std::string ScriptedLookupAnswerer::ChoosePhrase(const std::vector<std::string>& phrases, int64_t)
{
    phraseLists.push_back(phrases);
    if (phrases_.empty())
        return {};
    std::string phrase = std::move(phrases_.front());
    phrases_.pop_front();
    return phrase;
}

} // namespace zrv
