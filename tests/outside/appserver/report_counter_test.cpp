#include "AppServerTestSupport.h"
#include "ReportCounterS.h"
#include "ReportStore.h"

#include "platform/Automation.h"
#include "platform/VariantStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace zrv;
using zrv::test::RunRequest;
using zrv::test::TempDatabase;

namespace {

const char* const kProgId = "ReportCounterS.dmReportCounter";

class ReportCounter : public ::testing::Test {
protected:
    void SetUp() override { RegisterReportCounterS(db.Path()); }
    void TearDown() override { UnregisterReportCounterS(); }

    DispatchPtr Create() { return CreateObject(kProgId); }

    TempDatabase db;
};

Variant Key(
    const std::string& name, const std::string& user = "DS", const std::string& module = "KVSR58")
{
    return Variant::ArrayOf({ Variant::Wide(name), Variant::Wide(user), Variant::Wide(module) });
}

Variant Scheme(const std::string& name, const std::string& values, bool replace,
    const std::string& user = "DS")
{
    return Variant::ArrayOf({ Variant::Wide(name), Variant::Wide(user), Variant::Wide("20240506"),
        Variant::Wide("KVSR58"), Variant::Wide("sp01.style;cbo02.itemindex;"),
        Variant::Wide(values), replace });
}

// The rows "pvdConSave" delivers, as [name, values] pairs.
std::vector<std::pair<std::string, std::string>> Rows(
    const DispatchPtr& app, const std::string& user = "DS")
{
    app->Call("LoadTable", { Variant::ArrayOf({ Variant::Wide(user), Variant::Wide("KVSR58") }) });
    const Variant records = app->Call("AS_GetRecords", { Variant("pvdConSave") });
    EXPECT_EQ(records[0][0].ToString(), "NCONDITION");
    EXPECT_EQ(records[0][5].ToString(), "VCONDITION");
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Variant& r : records[1].Items()) {
        EXPECT_EQ(r[1].ToString(), user);
        EXPECT_EQ(r[2].ToString(), "KVSR58");
        EXPECT_EQ(r[3].ToString(), "20240506");
        rows.emplace_back(r[0].ToString(), r[5].ToString());
    }
    return rows;
}

} // namespace

TEST_F(ReportCounter, AcceptedRequestsBecomeJobsKeepingTheWholeRequest)
{
    DispatchPtr app = Create();
    const Variant request = RunRequest("DS", 20, 2);
    const std::string first = app->Call("Request", { request }).ToString();
    EXPECT_EQ(app->Call("Request", { request }).Type(), varOleStr);
    ASSERT_EQ(first.size(), 14u);
    EXPECT_EQ(app->Get("ErrorDescript").ToString(), "");

    // Identifiers count up within the day; J8 (the first eight characters) is the day.
    const std::string second
        = app->Call("Request1", { RunRequest("DS", 3, 0, true), Variant::Wide("PC-17") })
              .ToString();
    EXPECT_EQ(second.substr(0, 8), first.substr(0, 8));
    EXPECT_EQ(std::stoll(second.substr(8)), std::stoll(first.substr(8)) + 2);

    ReportStore store(db.Path());
    const auto job = store.Job(first);
    ASSERT_TRUE(job);
    EXPECT_TRUE(job->request == request);
    EXPECT_EQ(job->programme, "KVSR58");
    EXPECT_EQ(job->creator, "DS");
    EXPECT_EQ(job->mode, 2);
    EXPECT_EQ(job->status, "S");
    EXPECT_EQ(job->runAt, "2024-05-07 08:30:00");
    const auto repeating = store.Job(second);
    ASSERT_TRUE(repeating);
    EXPECT_EQ(repeating->status, "P");
    EXPECT_EQ(repeating->kind, "r");
    EXPECT_EQ(repeating->computer, "PC-17");

    // The report form records how its run ended; the identifier comes back unchanged.
    std::vector<Variant> args { Variant::Wide(second), Variant::Wide("打印机未就绪; "),
        Variant::FromDate(45419.75) };
    app->CallRef("UpdateStatus1", args);
    EXPECT_EQ(args[0].ToString(), second);
    EXPECT_EQ(store.Job(second)->status, "E");
    EXPECT_EQ(store.Job(second)->updated, "2024-05-07 18:00:00");
    std::vector<Variant> unknown { Variant::Wide("ERROR"), Variant::Wide(""),
        Variant::FromDate(45419.75) };
    EXPECT_NO_THROW(app->CallRef("UpdateStatus1", unknown));
}

TEST_F(ReportCounter, MalformedOrRefusedRequestsAnswerErrorWithADescription)
{
    DispatchPtr app = Create();
    Variant wrongCount = RunRequest("DS");
    wrongCount[0][3] = 19;
    Variant zeroBased = RunRequest("DS");
    zeroBased[0] = Variant::ArrayOf({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 });
    Variant unreadable = RunRequest("DS");
    unreadable[0][2] = Variant::Wide("fourteen");

    struct Case {
        const char* name;
        Variant request;
        const char* says;
    } cases[] = {
        { "not an array", Variant::Wide("KVSR58"), "一维数组" },
        { "four parts", Variant::ArrayOf({ 1, 2, 3, 4 }), "3 或 5" },
        { "header from 0", zeroBased, "从 1 起算" },
        { "condition count differs", wrongCount, "条件文字数组" },
        { "header size unreadable", unreadable, "无法读取" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app->Call("Request", { c.request }).ToString(), "ERROR");
        EXPECT_NE(app->Get("ErrorDescript").ToString().find(c.says), std::string::npos)
            << app->Get("ErrorDescript").ToString();
    }

    // The operator can make the server refuse every request with a text of their choosing.
    ReportStore(db.Path()).SetSetting("RequestFailure", "报表服务器维护中");
    EXPECT_EQ(app->Call("Request1", { RunRequest("DS"), Variant::Wide("PC") }).ToString(), "ERROR");
    EXPECT_EQ(app->Get("ErrorDescript").ToString(), "报表服务器维护中");
    EXPECT_TRUE(ReportStore(db.Path()).JobIds().empty());
}

TEST_F(ReportCounter, RightsComeFromTheMostSpecificRow)
{
    {
        ReportStore store(db.Path());
        store.SetRights("*", "KVSR58", { "Y,Y,Y,YYYYYYYN", "" });
        store.SetRights("LI", "*", { "Y,N,N,NNNNNNNN", "供应商='V001'" });
        store.SetSetting("SQLType", "3");
    }
    DispatchPtr app = Create();
    auto power = [&](const std::string& user, const std::string& module) {
        return app->Call("GetPower",
            { Variant::ArrayOf({ Variant::Wide("DEMODB"), Variant::Wide(user),
                Variant::Wide(module), Variant::Wide("") }) });
    };
    const Variant ds = power("DS", "kvsr58");
    ASSERT_EQ(ds.Count(), 6);
    EXPECT_EQ(ds[0].ToString(), "DS");
    EXPECT_EQ(ds[1].ToString(), "Y,Y,Y,YYYYYYYN");
    EXPECT_EQ(ds[5].ToString(), "936");
    EXPECT_EQ(power("LI", "KVSR58")[1].ToString(), "Y,N,N,NNNNNNNN");
    EXPECT_EQ(power("LI", "KVSR58")[4].ToString(), "供应商='V001'");
    EXPECT_EQ(power("DS", "INVR05")[1].ToString(), "Y,Y,Y,YYYYYYYY");
    EXPECT_EQ(app->Get("SQLType").ToInt(), 3);
}

TEST_F(ReportCounter, SchemesAreSavedListedRenamedAndDeletedPerUserAndProgram)
{
    DispatchPtr app = Create();
    EXPECT_EQ(app->Call("InsertConTable", { Scheme("月报", "1\r\n2\r\n", false) }).ToString(), "");
    EXPECT_EQ(app->Call("InsertConTable", { Scheme("周报", "3\r\n4\r\n", false) }).ToString(), "");
    EXPECT_EQ(app->Call("InsertConTable", { Scheme("月报", "x", false, "LI") }).ToString(), "");

    // Saving under a taken name needs the replace flag.
    EXPECT_EQ(app->Call("InsertConTable", { Scheme("月报", "9\r\n", false) }).ToString(),
        "此方案名已存在！");
    EXPECT_EQ(Rows(app),
        (std::vector<std::pair<std::string, std::string>> {
            { "周报", "3\r\n4\r\n" }, { "月报", "1\r\n2\r\n" } }));
    EXPECT_EQ(app->Call("InsertConTable", { Scheme("月报", "9\r\n", true) }).ToString(), "");
    EXPECT_EQ(Rows(app)[1].second, "9\r\n");
    EXPECT_EQ(
        app->Call("InsertConTable", { Scheme("  ", "9", true) }).ToString(), "方案名不可空白!");

    EXPECT_EQ(app->Call("ChangeConName", { Key("周报"), Key("月报") }).ToString(),
        "此方案名称已经存在！");
    EXPECT_EQ(
        app->Call("ChangeConName", { Key("季报"), Key("年报") }).ToString(), "方案不存在：季报");
    EXPECT_EQ(app->Call("ChangeConName", { Key("周报"), Key("周报二") }).ToString(), "");
    EXPECT_EQ(app->Call("DeleteConTable", { Key("月报") }).ToString(), "");
    EXPECT_EQ(app->Call("DeleteConTable", { Key("月报") }).ToString(), "方案不存在：月报");
    EXPECT_EQ(Rows(app),
        (std::vector<std::pair<std::string, std::string>> { { "周报二", "3\r\n4\r\n" } }));
    EXPECT_EQ(Rows(app, "LI").size(), 1u);

    // Before any LoadTable the provider delivers nothing; unknown providers are refused.
    DispatchPtr fresh = Create();
    EXPECT_EQ(fresh->Call("AS_GetRecords", { Variant("PVDCONSAVE") })[1].Count(), 0);
    EXPECT_THROW(fresh->Call("AS_GetRecords", { Variant("pvdOther") }), AutomationError);
    EXPECT_THROW(fresh->Call("InsertConTable", { Variant::Wide("not an array") }), AutomationError);
}

TEST_F(ReportCounter, JobsAndSchemesSurviveANewObjectOnTheSameDatabase)
{
    std::string job;
    {
        DispatchPtr app = Create();
        job = app->Call("Request", { RunRequest("DS") }).ToString();
        app->Call("InsertConTable", { Scheme("常用", "A\r\n", false) });
    }
    DispatchPtr again = Create();
    EXPECT_EQ(
        Rows(again), (std::vector<std::pair<std::string, std::string>> { { "常用", "A\r\n" } }));
    EXPECT_EQ(ReportStore(db.Path()).JobIds(), std::vector<std::string> { job });
    const std::string next = again->Call("Request", { RunRequest("DS") }).ToString();
    EXPECT_EQ(std::stoll(next.substr(8)), std::stoll(job.substr(8)) + 1);
}

TEST_F(ReportCounter, ADatabaseThatCannotBeOpenedIsReportedByTheCalls)
{
    UnregisterReportCounterS();
    RegisterReportCounterS("/proc/no/such/folder/appserver.db");
    DispatchPtr app = Create();
    EXPECT_EQ(app->Call("Request", { RunRequest("DS") }).ToString(), "ERROR");
    EXPECT_NE(app->Get("ErrorDescript").ToString().find("/proc/no/such/folder"), std::string::npos);
    EXPECT_THROW(app->Call("LoadTable", { Key("x") }), AutomationError);
}

TEST(ReportCounterLibrary, TheClassRegistryLoadsTheInProcessLibrary)
{
    TempDatabase db;
    const std::string registry = db.Folder() + "/registry.ini";
    std::ofstream(registry)
        << "[Software\\Classes\\ReportCounterS.dmReportCounter]\nLibrary=ReportCounterS.so\n";
    setenv("ZRV_REGISTRY_FILE", registry.c_str(), 1);
    setenv("ZRV_APPSERVER_DB", db.Path().c_str(), 1);
    DispatchPtr app = CreateObject("ReportCounterS.dmReportCounter");
    const std::string job = app->Call("Request", { RunRequest("DS") }).ToString();
    EXPECT_NE(job, "ERROR") << app->Get("ErrorDescript").ToString();
    app.reset();
    unsetenv("ZRV_APPSERVER_DB");
    unsetenv("ZRV_REGISTRY_FILE");
    EXPECT_TRUE(ReportStore(db.Path()).Job(job));
}
