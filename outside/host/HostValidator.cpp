#include "HostValidator.h"

#include "DemoDatabase.h"
#include "LookupCatalog.h"

#include "platform/CodePage.h"

namespace zrv {

HostValidator::HostValidator(std::shared_ptr<DemoDatabase> db)
    : db_(std::move(db))
{
    AddProperty(
        "ProductID", [this] { return productId_; }, [this](const Variant& v) { productId_ = v; });
    AddProperty(
        "BaseLimited", [this] { return baseLimited_; },
        [this](const Variant& v) { baseLimited_ = v; });
    AddMethod(
        "CheckValue", [this](std::span<Variant> args) { return Ask("CheckValue", args, false); });
    AddMethod(
        "QueryData", [this](std::span<Variant> args) { return Ask("QueryData", args, true); });
}

std::vector<std::string> HostValidator::Parameters(const Variant& conditions)
{
    auto text
        = [](const Variant& v) { return v.IsArray() || v.IsNull() ? std::string() : v.ToString(); };
    std::vector<std::string> params;
    if (conditions.IsArray()) {
        for (const Variant& v : conditions.Items())
            params.push_back(text(v));
    } else if (!conditions.IsEmpty() && !conditions.IsNull()) {
        params.push_back(text(conditions));
    }
    return params;
}

Variant HostValidator::Ask(const std::string& member, std::span<Variant> args, bool allRows)
{
    NeedArgs(member, args, 5);
    const std::string table = args[0].ToString();
    const std::string kind = args[1].ToString();
    const CatalogEntry* entry = LookupCatalog::Check(table, kind);
    if (!entry)
        throw AutomationError(member + ": no query for table " + table + ", kind " + kind);
    std::string sql = entry->sql;
    if (const size_t at = sql.find("{S}"); at != std::string::npos)
        sql.replace(at, 3, db_->SchemeSchema());
    std::vector<DemoDatabase::Row> rows;
    try {
        rows = db_->Query(sql, Parameters(args[3]), allRows ? static_cast<size_t>(-1) : 1);
    } catch (const DemoDatabaseError& e) {
        throw AutomationError(member + ": " + e.what());
    }
    if (rows.empty()) {
        args[4] = Variant();
        return Variant(false);
    }
    if (allRows) {
        std::vector<Variant> list;
        for (auto& row : rows)
            list.push_back(Variant::ArrayOf(row));
        args[4] = Variant::ArrayOf(list);
    } else {
        args[4] = Variant::ArrayOf(rows.front());
    }
    return Variant(true);
}

} // namespace zrv
