#include "HostManager.h"

#include "DemoDatabase.h"
#include "HostCounter.h"
#include "HostLookupWindow.h"
#include "HostValidator.h"
#include "QtLookupAnswerer.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <cctype>

namespace zrv {

namespace {

    std::string Text(std::span<Variant> args, size_t i)
    {
        if (i >= args.size() || args[i].IsArray() || args[i].IsNull())
            return {};
        return args[i].ToString();
    }

    // The first element of a one-element array argument, or the argument itself.
    std::string FirstText(std::span<Variant> args)
    {
        if (!args.empty() && args[0].IsArray() && args[0].DimCount() == 1
            && !args[0].Items().empty()) {
            const Variant& v = args[0].Items().front();
            return v.IsArray() || v.IsNull() ? std::string() : v.ToString();
        }
        return Text(args, 0);
    }

} // namespace

HostManager::HostManager(const HostOptions& options)
    : options_(options)
{
    const std::string path
        = options.databasePath.empty() ? DemoDatabase::DefaultPath() : options.databasePath;
    std::string schemes = options.schemeDatabasePath.empty() ? DemoDatabase::DefaultSchemePath()
                                                             : options.schemeDatabasePath;
    if (schemes == "-")
        schemes.clear();
    db_ = std::make_shared<DemoDatabase>(path, schemes);
    std::shared_ptr<LookupAnswerer> answerer
        = options.answerer ? options.answerer : std::make_shared<QtLookupAnswerer>();

    counter_ = std::make_shared<HostCounter>(db_);
    validator_ = std::make_shared<HostValidator>(db_);
    lookup_ = std::make_shared<HostLookupWindow>(db_, answerer);

    AddProperty("VersionType", [this] { return Setting("VersionType", 9); });
    AddProperty("ProductID", [this] {
        return options_.productId ? Variant(options_.productId) : Setting("ProductID", 1);
    });
    AddMethod("CallHelp", [this](std::span<Variant> args) {
        NeedArgs("CallHelp", args, 1);
        std::string system, topic;
        if (args[0].IsArray() && args[0].Items().size() >= 2) {
            system = args[0].Items()[0].ToString();
            topic = args[0].Items()[1].ToString();
        } else {
            system = Text(args, 0);
            topic = Text(args, 1);
        }
        if (options_.help)
            options_.help(system, topic);
        return Variant();
    });
    AddMethod("GetMessage", [this](std::span<Variant> args) { return GetMessage(args); });
    AddMethod("GetFileList", [this](std::span<Variant> args) {
        NeedArgs("GetFileList", args, 1);
        const auto rows = db_->Query("SELECT MODIFY, PATH FROM FILELIST WHERE FILENAME = LOWER(?1)",
            { Trim(FirstText(args)) }, 1);
        if (rows.empty())
            return Variant::Wide("");
        return Variant::Wide("<Modify>" + rows[0][0].ToString() + "</Modify><Path>"
            + rows[0][1].ToString() + "</Path>");
    });
    AddMethod("Com_Counter", [this](std::span<Variant>) { return Variant(counter_); });
    AddMethod("Com_Validator", [this](std::span<Variant>) { return Variant(validator_); });
    AddMethod("Com_F2Window", [this](std::span<Variant>) { return Variant(lookup_); });
}

HostManager::~HostManager() = default;

Variant HostManager::Setting(const std::string& name, int fallback) const
{
    try {
        const auto rows = db_->Query("SELECT VALUE FROM HOSTSET WHERE NAME = ?1", { name }, 1);
        if (!rows.empty())
            return Variant(std::stoi(rows[0][0].ToString()));
    } catch (const std::exception&) {
    }
    return Variant(fallback);
}

Variant HostManager::GetMessage(std::span<Variant> args)
{
    NeedArgs("GetMessage", args, 2);
    const std::string type = UpperCase(Trim(Text(args, 0)));
    std::string number = Trim(Text(args, 1));
    // Numbers are kept with six digits; "6" and "000006" name the same message.
    if (!number.empty() && number.size() < 6
        && std::all_of(number.begin(), number.end(),
            [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        number.insert(0, 6 - number.size(), '0');
    try {
        const auto rows = db_->Query(
            "SELECT MTEXT FROM MESSAGES WHERE MTYPE = ?1 AND MNUMBER = ?2", { type, number }, 1);
        if (!rows.empty())
            return rows[0][0];
    } catch (const DemoDatabaseError& e) {
        throw AutomationError(e.what());
    }
    return Variant::Wide("未定义的信息 [" + type + ";" + number + "]");
}

} // namespace zrv
