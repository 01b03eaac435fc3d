#include "HostCounter.h"

#include "DemoDatabase.h"

#include "platform/CodePage.h"

#include <regex>

namespace zrv {

HostCounter::HostCounter(std::shared_ptr<DemoDatabase> db)
    : db_(std::move(db))
{
    AddMethod("GetSysInfo", [this](std::span<Variant> args) { return GetSysInfo(args); });
    AddMethod("GetCounter", [this](std::span<Variant> args) { return GetCounter(args); });
}

std::string HostCounter::ToSQLite(const std::string& sql)
{
    static const std::regex isnull(R"(\bISNULL\s*\()", std::regex::icase);
    static const std::regex len(R"(\bLEN\s*\()", std::regex::icase);
    static const std::regex getdate(R"(\bGETDATE\s*\(\s*\))", std::regex::icase);
    auto translate = [](const std::string& part) {
        std::string s = std::regex_replace(part, isnull, "IFNULL(");
        s = std::regex_replace(s, len, "LENGTH(");
        return std::regex_replace(s, getdate, "datetime('now', 'localtime')");
    };
    // Only the text outside quotes ('texts', "names", [names]) is translated.
    std::string out, plain;
    for (size_t i = 0; i < sql.size();) {
        const char open = sql[i];
        if (open != '\'' && open != '"' && open != '[') {
            plain += sql[i++];
            continue;
        }
        out += translate(plain);
        plain.clear();
        const char close = open == '[' ? ']' : open;
        size_t end = i + 1;
        for (;;) {
            end = sql.find(close, end);
            if (end == std::string::npos || close == ']' || end + 1 >= sql.size()
                || sql[end + 1] != close)
                break;
            end += 2; // a doubled quote stays inside the text
        }
        end = end == std::string::npos ? sql.size() : end + 1;
        out += sql.substr(i, end - i);
        i = end;
    }
    return out + translate(plain);
}

Variant HostCounter::GetSysInfo(std::span<Variant> args)
{
    NeedArgs("GetSysInfo", args, 1);
    const std::string company
        = args[0].IsArray() || args[0].IsNull() ? std::string() : Trim(args[0].ToString());
    std::vector<DemoDatabase::Row> rows;
    try {
        // A company's own value wins over the one for every company ("*").
        rows = db_->Query("SELECT NAME, VALUE FROM SYSSET s WHERE COMPANY = ?1"
                          " OR (COMPANY = '*' AND NOT EXISTS (SELECT 1 FROM SYSSET o WHERE "
                          "o.COMPANY = ?1 AND o.NAME = s.NAME))"
                          " ORDER BY NAME",
            { company });
    } catch (const DemoDatabaseError& e) {
        throw AutomationError(e.what());
    }
    Variant answer = Variant::Array2(0, 1, 0, static_cast<int>(rows.size()) - 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        answer.At(0, static_cast<int>(i)) = rows[i][0];
        answer.At(1, static_cast<int>(i)) = rows[i][1];
    }
    return answer;
}

Variant HostCounter::GetCounter(std::span<Variant> args)
{
    NeedArgs("GetCounter", args, 2);
    const std::string command = UpperCase(Trim(args[0].ToString()));
    if (command != "SIMPLESQL")
        throw AutomationError("GetCounter: unknown command " + command);
    const Variant& params = args[1];
    std::string sql;
    if (params.IsArray() && params.DimCount() == 1 && !params.Items().empty())
        sql = params.Items().front().ToString();
    else if (params.IsText())
        sql = params.ToString();
    if (Trim(sql).empty())
        throw AutomationError("GetCounter: SIMPLESQL needs an SQL text");
    try {
        const auto rows = db_->Query(ToSQLite(sql), {}, 1, true);
        if (rows.empty())
            return {};
        return Variant::ArrayOf({ Variant::ArrayOf(rows.front()) });
    } catch (const DemoDatabaseError& e) {
        throw AutomationError("GetCounter: " + std::string(e.what()));
    }
}

} // namespace zrv
