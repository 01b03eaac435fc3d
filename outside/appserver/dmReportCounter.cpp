#include "dmReportCounter.h"

#include "platform/CodePage.h"

namespace zrv {

namespace {

    const char* const kProvider = "pvdConSave";

    Variant Wide(const std::string& text) { return Variant::Wide(text); }

    // The elements of an argument that must be a one-dimensional array of at least `count`
    // elements, as texts.
    std::vector<std::string> Texts(const Variant& arg, size_t count, const std::string& member)
    {
        if (!arg.IsArray() || arg.DimCount() != 1 || arg.Items().size() < count)
            throw AutomationError(member + ": the argument must be an array of at least "
                + std::to_string(count) + " elements");
        std::vector<std::string> texts;
        try {
            for (const Variant& v : arg.Items())
                texts.push_back(v.IsArray() ? std::string() : v.ToString());
        } catch (const VariantError& e) {
            throw AutomationError(member + ": " + e.what());
        }
        return texts;
    }

    bool IsOneBased(const Variant& v, int count)
    {
        return v.IsArray() && v.DimCount() == 1 && v.LowBound() == 1 && v.Count() == count;
    }

    // Why a run request cannot be accepted; empty when its shape is right.
    std::string RequestProblem(const Variant& r)
    {
        if (!r.IsArray() || r.DimCount() != 1)
            return "请求不是一维数组";
        const size_t parts = r.Items().size();
        if (parts != 3 && parts != 5)
            return "请求数组应有 3 或 5 个元素，实际为 " + std::to_string(parts) + " 个";
        const Variant& header = r.Items()[0];
        if (!header.IsArray() || header.DimCount() != 1 || header.LowBound() != 1
            || header.Count() < 9)
            return "请求表头应为从 1 起算且至少 9 项的数组";
        try {
            if (header[2].ToInt() != header.Count())
                return "请求表头的项数 " + header[2].ToString() + " 与实际的 "
                    + std::to_string(header.Count()) + " 不符";
            const int n = header[3].ToInt();
            if (!IsOneBased(r.Items()[1], n))
                return "条件文字数组应为 1.." + std::to_string(n);
            if (!IsOneBased(r.Items()[2], n))
                return "条件信息数组应为 1.." + std::to_string(n);
            if (Trim(header[1].ToString()).empty())
                return "请求未指明程序代号";
        } catch (const VariantError& e) {
            return std::string("请求表头无法读取：") + e.what();
        }
        return {};
    }

} // namespace

TdmReportCounter::TdmReportCounter(const std::string& databasePath)
{
    try {
        store_ = std::make_unique<ReportStore>(databasePath);
    } catch (const StoreError& e) {
        openError_ = e.what();
    }

    AddMethod("Request", [this](std::span<Variant> a) { return Request(a, false); });
    AddMethod("Request1", [this](std::span<Variant> a) { return Request(a, true); });
    AddMethod("UpdateStatus1", [this](std::span<Variant> a) { return UpdateStatus(a); });
    AddProperty("ErrorDescript", [this] { return Wide(errorDescript_); });
    AddProperty("SQLType", [this] {
        try {
            return Variant(std::stoi(Store().Setting("SQLType", "1")));
        } catch (const std::logic_error&) {
            return Variant(1);
        }
    });
    AddMethod("GetPower", [this](std::span<Variant> a) { return GetPower(a); });
    AddMethod("InsertConTable", [this](std::span<Variant> a) { return InsertConTable(a); });
    AddMethod("DeleteConTable", [this](std::span<Variant> a) { return DeleteConTable(a); });
    AddMethod("ChangeConName", [this](std::span<Variant> a) { return ChangeConName(a); });
    AddMethod("LoadTable", [this](std::span<Variant> a) { return LoadTable(a); });
    AddMethod("AS_GetProviderNames",
        [](std::span<Variant>) { return Variant::ArrayOf({ Wide(kProvider) }); });
    AddMethod("AS_GetRecords", [this](std::span<Variant> a) { return GetRecords(a); });
}

ReportStore& TdmReportCounter::Store()
{
    if (!store_)
        throw AutomationError(openError_);
    return *store_;
}

Variant TdmReportCounter::Request(std::span<Variant> args, bool withComputer)
{
    const char* member = withComputer ? "Request1" : "Request";
    NeedArgs(member, args, withComputer ? 2 : 1);
    errorDescript_.clear();
    const std::string problem = RequestProblem(args[0]);
    if (!problem.empty()) {
        errorDescript_ = problem;
        return Wide("ERROR");
    }
    try {
        ReportStore& store = Store();
        const std::string refusal = store.Setting("RequestFailure");
        if (!Trim(refusal).empty()) {
            errorDescript_ = refusal;
            return Wide("ERROR");
        }
        const Variant& header = args[0].Items()[0];
        JobRecord job;
        job.programme = UpperCase(header[1].ToString());
        job.company = header[4].ToString();
        job.creator = header[5].ToString();
        job.dbName = header[6].ToString();
        job.kind = header[9].ToString();
        job.mode = header.Count() >= 10 && header[10].IsNumeric() ? header[10].ToInt() : 0;
        job.runAt = header.Count() >= 11 ? ReportStore::DateTimeText(header[11]) : std::string();
        job.computer = withComputer ? args[1].ToString() : std::string();
        static const std::string kStatus[] = { "Q", "R", "S", "P" };
        job.status = kStatus[args[0].Items().size() == 5 ? 3
                : job.mode == 1 || job.mode == 2         ? job.mode
                                                         : 0];
        job.request = args[0];
        return Wide(store.AddJob(std::move(job)));
    } catch (const std::exception& e) {
        errorDescript_ = std::string("服务器无法登记此工作：") + e.what();
        return Wide("ERROR");
    }
}

Variant TdmReportCounter::UpdateStatus(std::span<Variant> args)
{
    NeedArgs("UpdateStatus1", args, 2);
    try {
        const std::string jobId = Trim(args[0].ToString());
        const std::string error = Trim(args[1].ToString());
        const std::string when
            = args.size() > 2 ? ReportStore::DateTimeText(args[2]) : std::string();
        Store().UpdateJobStatus(jobId, error.empty() ? "D" : "E", error, when);
    } catch (const std::exception& e) {
        throw AutomationError(std::string("UpdateStatus1: ") + e.what());
    }
    return {};
}

Variant TdmReportCounter::GetPower(std::span<Variant> args)
{
    NeedArgs("GetPower", args, 1);
    // [DbName, UserID, ModuleID, ""]; the parts as separate arguments are taken as well.
    std::vector<std::string> t;
    if (args[0].IsArray())
        t = Texts(args[0], 3, "GetPower");
    else
        for (const Variant& v : args)
            t.push_back(v.ToString());
    t.resize(std::max<size_t>(t.size(), 3));
    try {
        const RightsRow rights = Store().Rights(t[1], UpperCase(t[2]));
        return Variant::ArrayOf({ Wide(t[1]), Wide(rights.power), Wide(t[2]), Wide(t[0]),
            Variant(rights.baseLimited), Wide("936") });
    } catch (const StoreError& e) {
        throw AutomationError(e.what());
    }
}

Variant TdmReportCounter::InsertConTable(std::span<Variant> args)
{
    NeedArgs("InsertConTable", args, 1);
    const auto t = Texts(args[0], 7, "InsertConTable");
    bool replace = false;
    try {
        replace = args[0].Items()[6].ToBool();
    } catch (const VariantError&) {
        return Wide("替换标志无法读取");
    }
    if (Trim(t[0]).empty())
        return Wide("方案名不可空白!");
    try {
        const SchemeRow row { t[0], t[1], UpperCase(t[3]), t[2], t[4], t[5] };
        if (!Store().SaveScheme(row, replace))
            return Wide("此方案名已存在！");
    } catch (const StoreError& e) {
        return Wide(e.what());
    }
    return Wide("");
}

Variant TdmReportCounter::DeleteConTable(std::span<Variant> args)
{
    NeedArgs("DeleteConTable", args, 1);
    const auto t = Texts(args[0], 3, "DeleteConTable");
    try {
        if (!Store().DeleteScheme(t[0], t[1], UpperCase(t[2])))
            return Wide("方案不存在：" + t[0]);
    } catch (const StoreError& e) {
        return Wide(e.what());
    }
    return Wide("");
}

Variant TdmReportCounter::ChangeConName(std::span<Variant> args)
{
    NeedArgs("ChangeConName", args, 2);
    const auto from = Texts(args[0], 3, "ChangeConName");
    const auto to = Texts(args[1], 3, "ChangeConName");
    if (from[1] != to[1] || !SameText(from[2], to[2]))
        return Wide("只能在同一用户和程序的方案之间更名");
    if (Trim(to[0]).empty())
        return Wide("方案名不可空白!");
    try {
        switch (Store().RenameScheme(from[0], to[0], from[1], UpperCase(from[2]))) {
        case ReportStore::Rename::Done:
            return Wide("");
        case ReportStore::Rename::Missing:
            return Wide("方案不存在：" + from[0]);
        case ReportStore::Rename::Taken:
            return Wide("此方案名称已经存在！");
        }
    } catch (const StoreError& e) {
        return Wide(e.what());
    }
    return Wide("");
}

Variant TdmReportCounter::LoadTable(std::span<Variant> args)
{
    NeedArgs("LoadTable", args, 1);
    const auto t = Texts(args[0], 2, "LoadTable");
    Store(); // a database that cannot be opened fails here, where the caller expects the load
    loaded_ = true;
    loadedCreator_ = t[0];
    loadedProgramme_ = UpperCase(t[1]);
    return {};
}

Variant TdmReportCounter::GetRecords(std::span<Variant> args)
{
    NeedArgs("AS_GetRecords", args, 1);
    if (!SameText(args[0].ToString(), kProvider))
        throw AutomationError("Provider not found: " + args[0].ToString());
    Variant names = Variant::ArrayOf({ Wide("NCONDITION"), Wide("CREATOR"), Wide("PROGRAMME"),
        Wide("CREATE_DATE"), Wide("SCONDITION"), Wide("VCONDITION") });
    std::vector<Variant> rows;
    if (loaded_) {
        try {
            for (const SchemeRow& r : Store().Schemes(loadedCreator_, loadedProgramme_))
                rows.push_back(Variant::ArrayOf({ Wide(r.name), Wide(r.creator), Wide(r.programme),
                    Wide(r.createDate), Wide(r.fields), Wide(r.values) }));
        } catch (const StoreError& e) {
            throw AutomationError(e.what());
        }
    }
    return Variant::ArrayOf({ names, Variant::ArrayOf(rows) });
}

} // namespace zrv
