#include "DemoDatabase.h"
#include "HostCounter.h"
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdlib>
#include <fstream>

using namespace zrv;
using zrv::test::HostFixture;

namespace {

int Placeholders(const std::string& text)
{
    int n = 0;
    for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2))
        ++n;
    return n;
}

// The value of a setting in a GetSysInfo answer; "<missing>" when it is not there.
std::string SettingOf(const Variant& info, const std::string& name)
{
    for (int i = info.LowBound(2); i <= info.HighBound(2); ++i)
        if (info.At(0, i).ToString() == name)
            return info.At(1, i).ToString();
    return "<missing>";
}

void Exec(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

class HostObject : public HostFixture { };

TEST_F(HostObject, AnswersEditionVersionHelpAndFileDescriptors)
{
    EXPECT_EQ(host->Call("VersionType").ToInt(), 9);
    EXPECT_EQ(host->Call("ProductID").ToInt(), 1);
    options.productId = 5;
    EXPECT_EQ(CreateHostObject(options)->Call("ProductID").ToInt(), 5);

    std::string system, topic;
    options.help = [&](const std::string& s, const std::string& t) {
        system = s;
        topic = t;
    };
    CreateHostObject(options)->Call(
        "CallHelp", { Variant::ArrayOf({ Variant::Wide("KVS"), Variant::Wide("58R00000") }) });
    EXPECT_EQ(system, "KVS");
    EXPECT_EQ(topic, "58R00000");

    const std::string descriptor
        = host->Call("GetFileList", { Variant::ArrayOf({ Variant::Wide("kvsr58s.dll") }) })
              .ToString();
    EXPECT_EQ(descriptor,
        "<Modify>2024-05-06 10:20:00</Modify><Path>\\\\APPSRV\\ZRV\\S_PKG\\KVSR58S.DLL</Path>");
    EXPECT_EQ(
        host->Call("GetFileList", { Variant::ArrayOf({ Variant::Wide("other.dll") }) }).ToString(),
        "");

    // One service object of each kind per host object.
    EXPECT_EQ(Service("Com_Counter"), Service("Com_Counter"));
    EXPECT_NE(Service("Com_Validator"), nullptr);
    EXPECT_NE(Service("Com_F2Window"), nullptr);
}

TEST_F(HostObject, HasATemplateForEveryMessageCodeTheModuleUses)
{
    struct Case {
        const char* type;
        const char* number;
        int parameters;
    } cases[] = {
        { "E", "000001", 1 },
        { "E", "000005", 1 },
        { "E", "000006", 0 },
        { "E", "000013", 1 },
        { "E", "000015", 0 },
        { "E", "000016", 0 },
        { "E", "000030", 1 },
        { "E", "000036", 0 },
        { "E", "000037", 0 },
        { "E", "000038", 0 },
        { "E", "100082", 2 },
        { "I", "000003", 0 },
        { "I", "000004", 1 },
        { "I", "000005", 0 },
        { "I", "000008", 0 },
        { "I", "000009", 0 },
        { "I", "000010", 0 },
        { "I", "000011", 0 },
        { "W", "000002", 3 },
        { "W", "000003", 3 },
        { "W", "000004", 1 },
        { "W", "000014", 0 },
        { "R", "100235", 0 },
        { "R", "100236", 0 },
        { "R", "200235", 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + ";" + c.number);
        const Variant text
            = host->Call("GetMessage", { Variant::Wide(c.type), Variant::Wide(c.number) });
        EXPECT_EQ(text.Type(), varOleStr);
        EXPECT_EQ(text.ToString().find("未定义"), std::string::npos) << text.ToString();
        EXPECT_EQ(Placeholders(text.ToString()), c.parameters) << text.ToString();
    }
    EXPECT_EQ(host->Call("GetMessage", { Variant("e"), Variant("6") }).ToString(),
        host->Call("GetMessage", { Variant("E"), Variant("000006") }).ToString());
    const std::string unknown
        = host->Call("GetMessage", { Variant("E"), Variant("999999") }).ToString();
    EXPECT_EQ(unknown, "未定义的信息 [E;999999]");
    EXPECT_EQ(Placeholders(unknown), 0);
}

TEST_F(HostObject, CounterGivesTheCompanysSettings)
{
    DispatchPtr counter = Service("Com_Counter");
    std::vector<Variant> company { Variant::Wide("DEMO") };
    const Variant info = counter->CallRef("GetSysInfo", company);
    ASSERT_EQ(info.DimCount(), 2);
    EXPECT_EQ(info.LowBound(1), 0);
    EXPECT_EQ(info.HighBound(1), 1);
    EXPECT_EQ(info.LowBound(2), 0);
    EXPECT_EQ(SettingOf(info, "Sys001"), "1");
    EXPECT_EQ(SettingOf(info, "Sys002"), "/");
    EXPECT_EQ(SettingOf(info, "ZRV002"), "华东示范贸易股份有限公司");
    EXPECT_EQ(SettingOf(info, "SYS007"), "产品大类");
    EXPECT_EQ(SettingOf(info, "SYS010"), "");
    EXPECT_EQ(SettingOf(info, "SYS026"), "2");
    EXPECT_EQ(SettingOf(info, "SYS181"), "Y");

    // A company's own settings win over the common ones, which fill the rest.
    std::vector<Variant> taiwan { Variant::Wide("TW01") };
    const Variant tw = counter->CallRef("GetSysInfo", taiwan);
    EXPECT_EQ(SettingOf(tw, "Sys001"), "5");
    EXPECT_EQ(SettingOf(tw, "ZRV002"), "台湾示范实业股份有限公司");
    EXPECT_EQ(SettingOf(tw, "Sys002"), "/");
    EXPECT_EQ(tw.Count(2), info.Count(2));
}

TEST_F(HostObject, SimpleSqlAnswersTheFirstRowOfTheModulesQueries)
{
    DispatchPtr counter = Service("Com_Counter");
    auto simple = [&](const std::string& sql) {
        std::vector<Variant> args { Variant("SIMPLESQL"),
            Variant::ArrayOf({ Variant::Wide(sql), Variant("MA003") }),
            Variant::ArrayOf({ Variant::Wide("DEMO"), Variant::Wide("DEMODB") }) };
        return counter->CallRef("GetCounter", args);
    };
    // The texts exactly as the module sends them, trailing blank included.
    const Variant startup = simple("SELECT MA003 FROM ZRVINTMA WHERE MA001='StartupPortal' ");
    ASSERT_TRUE(startup.IsArray());
    EXPECT_EQ(startup[0][0].ToString(), "N");
    EXPECT_EQ(simple("SELECT MA003 FROM ZRVINTMA WHERE MA001='Portal WS' ")[0][0].ToString(),
        "http://127.0.0.1:8766/PortalService.asmx");
    EXPECT_TRUE(simple("SELECT MA003 FROM ZRVINTMA WHERE MA001='Nothing' ").IsEmpty());
    EXPECT_EQ(simple("SELECT ISNULL(NULL, 'x'), LEN('abc')")[0][1].ToInt(), 3);

    EXPECT_THROW(simple("DELETE FROM ZRVINTMA"), AutomationError);
    EXPECT_THROW(simple("SELECT 1; DELETE FROM ZRVINTMA"), AutomationError);
    EXPECT_THROW(simple("SELECT * FROM NOSUCHTABLE"), AutomationError);
    EXPECT_EQ(simple("SELECT COUNT(*) FROM ZRVINTMA")[0][0].ToInt(), 2);
    std::vector<Variant> other { Variant("NEXTNO"), Variant::ArrayOf({ Variant("x") }), Variant() };
    EXPECT_THROW(counter->CallRef("GetCounter", other), AutomationError);
}

TEST(HostCounterDialect, TranslatesOutsideQuotesOnly)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        { "SELECT ISNULL(A, '') FROM T", "SELECT IFNULL(A, '') FROM T" },
        { "select isnull (a,0), len(b) from t", "select IFNULL(a,0), LENGTH(b) from t" },
        { "SELECT GETDATE( )", "SELECT datetime('now', 'localtime')" },
        { "SELECT 'ISNULL(x)', \"LEN(\", [GETDATE()] FROM T",
            "SELECT 'ISNULL(x)', \"LEN(\", [GETDATE()] FROM T" },
        { "SELECT 'it''s ISNULL(' || ISNULL(A,1)", "SELECT 'it''s ISNULL(' || IFNULL(A,1)" },
        { "SELECT MYISNULL(A), LENGTH(B)", "SELECT MYISNULL(A), LENGTH(B)" },
        { "SELECT 'unterminated ISNULL(", "SELECT 'unterminated ISNULL(" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(HostCounter::ToSQLite(c.in), c.out) << c.in;
}

TEST(DemoDatabaseBuild, IsBuiltFromTheSeedAndRebuiltWhenTheSeedIsNewer)
{
    const auto folder = std::filesystem::path(::testing::TempDir()) / "host_demo_build";
    std::filesystem::remove_all(folder);
    const std::string path = (folder / "sub" / "demo.db").string();

    EXPECT_EQ(DemoDatabase::SeedVersion(DemoDatabase::SeedText()), 1);
    {
        DemoDatabase db(path);
        EXPECT_EQ(db.Query("SELECT MB002 FROM ADMMB WHERE MB001 = 'KVSR58'")[0][0].ToString(),
            "进退货明细表(依供应商)");
        for (const char* table : { "PURMA", "INVMA", "INVMB", "CMSMR", "CMSMK", "CMSMF", "CMSMT",
                 "CMSMS", "CMSMA", "GENES", "ZRVMA", "ZRVINTMA" })
            EXPECT_NO_THROW(db.Query(std::string("SELECT COUNT(*) FROM ") + table)) << table;
    }
    // Local changes survive reopening; a database of an older seed is rebuilt.
    Exec(path, "UPDATE CMSMF SET MF002 = 'changed' WHERE MF001 = 'USD'");
    EXPECT_EQ(
        DemoDatabase(path).Query("SELECT MF002 FROM CMSMF WHERE MF001 = 'USD'")[0][0].ToString(),
        "changed");
    Exec(path, "PRAGMA user_version = 0");
    EXPECT_EQ(
        DemoDatabase(path).Query("SELECT MF002 FROM CMSMF WHERE MF001 = 'USD'")[0][0].ToString(),
        "美元");

    // Another seed can be given by file.
    const std::string seed = (folder / "seed.sql").string();
    std::ofstream(seed)
        << "PRAGMA user_version = 7;\nCREATE TABLE HOSTSET (NAME TEXT, VALUE TEXT);\n";
    setenv("ZRV_DEMO_SEED", seed.c_str(), 1);
    EXPECT_EQ(DemoDatabase::SeedVersion(DemoDatabase::SeedText()), 7);
    EXPECT_EQ(DemoDatabase(":memory:").Query("SELECT COUNT(*) FROM HOSTSET")[0][0].ToInt(), 0);
    unsetenv("ZRV_DEMO_SEED");
    EXPECT_THROW(DemoDatabase("/proc/no/such/place/demo.db"), DemoDatabaseError);
    std::filesystem::remove_all(folder);
}

TEST(HostRegistration, TheHostIsCreatedByItsName)
{
    const auto folder = std::filesystem::path(::testing::TempDir()) / "host_registration";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    HostOptions options;
    options.databasePath = (folder / "demo.db").string();
    RegisterHostStandIn(options);
    EXPECT_EQ(CreateObject("HalvorWorkCenter.Manager")->Call("VersionType").ToInt(), 9);
    UnregisterHostStandIn();

    // Through the class registry, as a module running without a shell creates it.
    const std::string registry = (folder / "registry.ini").string();
    std::ofstream(registry)
        << "[Software\\Classes\\HalvorWorkCenter.Manager]\nLibrary=HalvorWorkCenter.so\n";
    setenv("ZRV_REGISTRY_FILE", registry.c_str(), 1);
    setenv("ZRV_DEMO_DB", options.databasePath.c_str(), 1);
    DispatchPtr host = CreateObject("HalvorWorkCenter.Manager");
    EXPECT_EQ(host->Call("GetMessage", { Variant("E"), Variant("000006") }).ToString(),
        "无法连接应用服务器，请检查客户端配置文件中的服务器地址与端口！");
    DispatchPtr validator = host->Call("Com_Validator").ToDispatch();
    std::vector<Variant> args { Variant("CMSMF"), Variant("01"), Variant("DEMODB"),
        Variant::ArrayOf({ Variant("USD") }), Variant() };
    EXPECT_TRUE(validator->CallRef("CheckValue", args).ToBool());
    host.reset();
    unsetenv("ZRV_DEMO_DB");
    unsetenv("ZRV_REGISTRY_FILE");
    std::filesystem::remove_all(folder);
}
