#include "HostLookupWindow.h"

#include "DemoDatabase.h"
#include "HostValidator.h"
#include "LookupCatalog.h"

#include "platform/CodePage.h"

namespace zrv {

namespace {

    // Element i of an argument array counted from its low bound; unassigned when missing.
    Variant Element(const Variant& array, int i)
    {
        if (!array.IsArray() || array.DimCount() != 1
            || i >= static_cast<int>(array.Items().size()))
            return {};
        return array.Items()[static_cast<size_t>(i)];
    }

    std::string Text(const Variant& v)
    {
        return v.IsArray() || v.IsNull() ? std::string() : v.ToString();
    }

    bool Flag(const Variant& v)
    {
        try {
            return !v.IsArray() && !v.IsNull() && v.ToBool();
        } catch (const VariantError&) {
            return false;
        }
    }

    int64_t Handle(const Variant& v)
    {
        try {
            return v.IsNumeric() ? v.ToInt64() : 0;
        } catch (const VariantError&) {
            return 0;
        }
    }

} // namespace

HostLookupWindow::HostLookupWindow(
    std::shared_ptr<DemoDatabase> db, std::shared_ptr<LookupAnswerer> answerer)
    : db_(std::move(db))
    , answerer_(std::move(answerer))
{
    AddMethod("F2GetData", [this](std::span<Variant> args) { return F2GetData(args); });
    AddMethod("ShowInputDay", [this](std::span<Variant> args) { return ShowInputDay(args); });
    AddMethod("GetPhrase", [this](std::span<Variant> args) { return GetPhrase(args); });
}

Variant HostLookupWindow::F2GetData(std::span<Variant> args)
{
    NeedArgs("F2GetData", args, 1);
    const Variant& request = args[0];
    if (!request.IsArray())
        throw AutomationError("F2GetData: the lookup request must be an array");
    LookupQuestion q;
    q.table = Text(Element(request, 0));
    q.kind = Text(Element(request, 1));
    const CatalogEntry* entry = LookupCatalog::Lookup(q.table, q.kind);
    if (!entry)
        throw AutomationError("F2GetData: no lookup for table " + q.table + ", kind " + q.kind);
    std::vector<DemoDatabase::Row> rows;
    try {
        rows = db_->Query(entry->sql, HostValidator::Parameters(Element(request, 2)));
    } catch (const DemoDatabaseError& e) {
        throw AutomationError("F2GetData: " + std::string(e.what()));
    }
    q.multiple = Flag(Element(request, 3));
    q.filter = Trim(Text(Element(request, 4)));
    q.parentWindow = Handle(Element(request, 7));
    q.title = entry->title;
    q.captions = entry->captions;
    for (const auto& row : rows) {
        std::vector<std::string> cells;
        for (const Variant& v : row)
            cells.push_back(v.ToString());
        q.rows.push_back(std::move(cells));
    }

    const std::vector<size_t> chosen = answerer_->ChooseRows(q);
    std::vector<Variant> answer;
    for (size_t i : chosen)
        if (i < rows.size())
            answer.push_back(Variant::ArrayOf(rows[i]));
    if (answer.empty())
        return {};
    return Variant::ArrayOf(answer);
}

Variant HostLookupWindow::ShowInputDay(std::span<Variant> args)
{
    NeedArgs("ShowInputDay", args, 1);
    const Variant& request = args[0];
    const std::string start = Trim(Text(Element(request, 1)));
    return Variant::Wide(answerer_->ChooseDate(start, Flag(Element(request, 0)), 0));
}

Variant HostLookupWindow::GetPhrase(std::span<Variant> args)
{
    NeedArgs("GetPhrase", args, 1);
    const std::string user = Trim(Text(args[0]));
    std::vector<std::string> phrases;
    try {
        for (const auto& row : db_->Query(
                 "SELECT PHRASE FROM PHRASE WHERE USERID IN (?1, '*') ORDER BY USERID = '*', SEQ",
                 { user }))
            phrases.push_back(row[0].ToString());
    } catch (const DemoDatabaseError& e) {
        throw AutomationError("GetPhrase: " + std::string(e.what()));
    }
    return Variant::Wide(answerer_->ChoosePhrase(phrases, args.size() > 2 ? Handle(args[2]) : 0));
}

} // namespace zrv
