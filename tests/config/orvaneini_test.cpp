#include "config/OrvaneINI.h"
#include "lib/DIVUREdiveruvoU.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace zrv;
namespace fs = std::filesystem;

namespace {

// A machine with a registry file, an installation folder per side and the files a test writes.
class Profiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kv_profiles_XXXXXX";
        root_ = mkdtemp(pattern);
        client_ = root_ + "/client/";
        server_ = root_ + "/server/";
        fs::create_directories(client_);
        fs::create_directories(server_);
        registry_ = root_ + "/registry.ini";
        setenv("ZRV_REGISTRY_FILE", registry_.c_str(), 1);
        setenv("USER", "alice", 1);
        OverrideSystemCodePage(cpGB);
        Registry("ClientPath=" + client_ + "\nServerPath=" + server_ + "\n");
    }
    void TearDown() override
    {
        unsetenv("ZRV_REGISTRY_FILE");
        OverrideSystemCodePage(0);
        fs::remove_all(root_);
    }

    void Registry(const std::string& values)
    {
        Write(registry_, "[Software\\ZRV\\Orvane]\n" + values);
    }
    static void Write(const std::string& path, const std::string& text)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string root_, client_, server_, registry_;
};

std::vector<std::pair<std::string, int>> ServerList(const Variant& servers)
{
    std::vector<std::pair<std::string, int>> list;
    if (servers.IsEmpty())
        return list;
    EXPECT_EQ(servers.DimCount(), 2);
    EXPECT_EQ(servers.LowBound(1), 0);
    EXPECT_EQ(servers.HighBound(1), 1);
    for (int i = servers.LowBound(2); i <= servers.HighBound(2); ++i)
        list.emplace_back(servers.At(0, i).ToString(), servers.At(1, i).ToInt());
    return list;
}

using Servers = std::vector<std::pair<std::string, int>>;

} // namespace

TEST_F(Profiles, MissingRegistryKeyKeepsTheDefaults)
{
    Write(registry_, "[Software\\ZRV\\Other]\nClientPath=/x\n");
    TOrvaneIniC c;
    TOrvaneIniS s;
    for (const TOrvaneIniBase* r :
        { static_cast<const TOrvaneIniBase*>(&c), static_cast<const TOrvaneIniBase*>(&s) }) {
        EXPECT_EQ(r->ErrorCode, "E;000015");
        EXPECT_EQ(r->ProfileType, "0");
        EXPECT_EQ(r->ProfileUser, "Default");
        EXPECT_EQ(r->SystemCodePage, "936");
        EXPECT_EQ(r->UICodePage, "936");
        EXPECT_EQ(r->DBCodePage, "936");
        EXPECT_EQ(r->ProfileFile, "");
        EXPECT_TRUE(r->WorkDLLPaths.empty());
    }
    EXPECT_EQ(c.ClientPath, "");
    EXPECT_TRUE(c.Servers.IsEmpty());
    EXPECT_TRUE(s.Databases.IsEmpty());
    EXPECT_EQ(s.DBKind, 0);

    // No registry file at all reads the same way.
    fs::remove(registry_);
    EXPECT_EQ(TOrvaneIniC().ErrorCode, "E;000015");
}

TEST_F(Profiles, EmptyInstallationFolderFailsWithoutErrorCode)
{
    Registry("ClientPath=\nServerPath=   \nProfileType=1\n");
    TOrvaneIniC c;
    TOrvaneIniS s;
    EXPECT_EQ(c.ErrorCode, "");
    EXPECT_EQ(s.ErrorCode, "");
    EXPECT_EQ(c.ProfileFile, "");
    EXPECT_EQ(c.ProfileUser, "Default");
    EXPECT_TRUE(c.Servers.IsEmpty());
    EXPECT_TRUE(s.Databases.IsEmpty());
    EXPECT_TRUE(c.WorkDLLPaths.empty());
}

TEST_F(Profiles, MissingProfileFileGivesEveryDefault)
{
    TOrvaneIniC c;
    EXPECT_EQ(c.ErrorCode, "");
    EXPECT_EQ(c.ClientPath, client_);
    EXPECT_EQ(c.ProfilePath, client_);
    EXPECT_EQ(c.ProfileFile, client_ + "OrvaneC.ini");
    EXPECT_EQ(ServerList(c.Servers), (Servers { { "127.0.0.1", 211 } }));
    EXPECT_EQ(c.WorkDLLPaths, std::vector<std::string> { client_ + "C_PKG/" });
    EXPECT_EQ(c.LangType, "ENG");
    EXPECT_EQ(c.Version, "");
    EXPECT_EQ(c.CreateGifBeforeSendEF, "Y");
    EXPECT_EQ(c.AutoCheckNewMsg, "1");
    EXPECT_EQ(c.CheckInterval, "1");
    EXPECT_EQ(c.PopupMsg, "1");
    EXPECT_EQ(c.LoginCheck, "0");
    EXPECT_FALSE(c.SupportCallBack);

    TOrvaneIniS s;
    EXPECT_EQ(s.ServerPath, server_);
    EXPECT_EQ(s.WorkDLLPaths, std::vector<std::string> { server_ + "S_PKG/" });
    ASSERT_EQ(s.Databases.DimCount(), 2);
    EXPECT_EQ(s.Databases.HighBound(1), 3);
    EXPECT_EQ(s.Databases.HighBound(2), 7);
    const std::vector<std::vector<Variant>> expected = {
        { "Halvor", "sa", "", "MSSQL", "", "", 300, 3000 },
        { "HalvorTemp", "sa", "", "PARADOX", "", "PostgreSQL", 300, 3000 },
        { "", 211, 1024, "Chinese_Taiwan_Stroke_BIN", Variant(), Variant(), Variant(), Variant() },
        { "EDIDATA", "sa", "", Variant(), Variant(), Variant(), Variant(), Variant() },
    };
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 8; ++j)
            EXPECT_EQ(s.Databases.At(i, j), expected[i][j]) << "cell [" << i << ", " << j << "]";
    EXPECT_EQ(s.SystemControlAddress, "");
    EXPECT_EQ(s.DBKind, 0);
}

TEST_F(Profiles, PerUserProfilesFallBackToTheSharedFile)
{
    Write(client_ + "OrvaneC.ini", "[Client Components]\nLangType=CHS\n");
    struct Case {
        const char* profileType;
        bool userFileExists;
        std::string profilePath;
        const char* profileUser;
        const char* langType;
    };
    const Case cases[] = {
        { "0", true, client_, "Default", "CHS" },
        { "", true, client_, "Default", "CHS" },
        { "1", true, client_ + "Profile/alice/", "alice", "CHT" },
        { "1", false, client_, "alice", "CHS" },
        { "yes", true, client_ + "Profile/alice/", "alice", "CHT" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("ProfileType '") + c.profileType + "'");
        Registry("ClientPath=" + client_ + "\nProfileType=" + c.profileType + "\n");
        fs::remove_all(client_ + "Profile");
        if (c.userFileExists)
            Write(client_ + "Profile/alice/OrvaneC.ini", "[Client Components]\nLangType=CHT\n");
        TOrvaneIniC ini;
        EXPECT_EQ(ini.ProfilePath, c.profilePath);
        EXPECT_EQ(ini.ProfileFile, c.profilePath + "OrvaneC.ini");
        EXPECT_EQ(ini.ProfileUser, c.profileUser);
        EXPECT_EQ(ini.LangType, c.langType);
        EXPECT_EQ(ini.ProfileType, *c.profileType ? c.profileType : "0");
    }

    // A login name that cannot be a folder name never reaches outside the profile folder.
    Registry("ClientPath=" + client_ + "\nProfileType=1\n");
    Write(client_ + "OrvaneC.ini", "[Client Components]\nLangType=CHS\n");
    setenv("USER", "../client", 1);
    TOrvaneIniC odd;
    EXPECT_EQ(odd.ProfileUser, "../client");
    EXPECT_EQ(odd.ProfilePath, client_);
    EXPECT_EQ(odd.LangType, "CHS");
}

TEST_F(Profiles, ServerListFromComputerNameAndPort)
{
    struct Case {
        const char* lines;
        Servers servers;
        const char* errorCode;
    };
    const Case cases[] = {
        { "ComputerName=srvA;srvB;\nServerPort=300", { { "srvA", 300 }, { "srvB", 300 } }, "" },
        { "ComputerName=  srvA  ", { { "srvA", 211 } }, "" },
        { "ComputerName=srvA; srvB ;;srvC", { { "srvA", 211 }, { "srvB", 211 }, { "srvC", 211 } },
            "" },
        { "ComputerName=10.0.0.5\nServerPort=abc", { { "10.0.0.5", 211 } }, "" }, // malformed port
        { "ComputerName=10.0.0.5\nServerPort=", { { "10.0.0.5", 211 } }, "" },
        { "ComputerName=10.0.0.5\nServerPort=65535", { { "10.0.0.5", 65535 } }, "" },
        { "ServerPort=300", { { "127.0.0.1", 300 } }, "" }, // missing key: the default name
        { "ComputerName=", {}, "E;000016" }, // present but empty
        { "ComputerName=   ", {}, "E;000016" },
        { "ComputerName=;", {}, "E;000016" },
        { "ComputerName=; ;", {}, "E;000016" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        Write(client_ + "OrvaneC.ini",
            std::string("[Client Components]\nLangType=CHT\n[Server Information]\n") + c.lines
                + "\n[CodePage]\nUICodePage=950\n[WorkDLLPath]\np=pkg\n");
        TOrvaneIniC ini;
        EXPECT_EQ(ServerList(ini.Servers), c.servers);
        EXPECT_EQ(ini.ErrorCode, c.errorCode);
        // The rest of the profile is read either way; work folders are always resolved.
        EXPECT_EQ(ini.LangType, "CHT");
        EXPECT_EQ(ini.UIConvertMode, 2);
        EXPECT_EQ(ini.WorkDLLPaths, std::vector<std::string> { client_ + "pkg/" });
    }
}

TEST_F(Profiles, SupportCallBackTexts)
{
    struct Case {
        const char* value;
        bool expected;
    };
    const Case cases[] = { { "1", true }, { "y", true }, { "Yes", true }, { "YES", true },
        { "true", true }, { "TRUE", true }, { "0", false }, { "2", false }, { "no", false },
        { "", false }, { "yess", false } };
    for (const auto& c : cases) {
        Write(client_ + "OrvaneC.ini",
            std::string("[Server Information]\nSupportCallBack=") + c.value + "\n");
        Write(server_ + "OrvaneS.ini",
            std::string("[DBPasswordCtrl]\nSupportCallBack=") + c.value + "\n");
        EXPECT_EQ(TOrvaneIniC().SupportCallBack, c.expected) << c.value;
        EXPECT_EQ(TOrvaneIniS().SupportCallBack, c.expected) << c.value;
    }
}

TEST_F(Profiles, ConversionModesForEveryCodePageCombination)
{
    struct Case {
        int system;
        const char* ui; // nullptr: not in the profile, so the system code page
        const char* db; // nullptr: not in the profile, so "936"
        const char* systemText;
        int uiMode, dbMode;
    };
    const Case cases[] = {
        // GB system
        { cpGB, nullptr, nullptr, "936", 0, 0 },
        { cpGB, "936", "936", "936", 0, 0 },
        { cpGB, "936", "950", "936", 0, 1 },
        { cpGB, "936", "437", "936", 0, 0 },
        { cpGB, "950", "936", "936", 2, 2 },
        { cpGB, "950", "950", "936", 2, 0 },
        { cpGB, "950", "437", "936", 2, 0 },
        { cpGB, "437", "936", "936", 0, 0 },
        { cpGB, "437", "950", "936", 0, 0 },
        { cpGB, "437", "437", "936", 0, 0 },
        // Big5 system
        { cpBig5, nullptr, nullptr, "950", 2, 2 },
        { cpBig5, "936", "936", "950", 4, 0 },
        { cpBig5, "936", "950", "950", 4, 1 },
        { cpBig5, "936", "437", "950", 4, 0 },
        { cpBig5, "950", "936", "950", 2, 2 },
        { cpBig5, "950", "950", "950", 2, 0 },
        { cpBig5, "950", "437", "950", 2, 0 },
        { cpBig5, "437", "936", "950", 0, 0 },
        { cpBig5, "437", "950", "950", 0, 0 },
        { cpBig5, "437", "437", "950", 0, 0 },
        // any other system reads as English
        { cpEnglish, nullptr, nullptr, "437", 0, 0 },
        { 1252, nullptr, "950", "437", 0, 0 },
        { cpEnglish, "936", "936", "437", 0, 0 },
        { cpEnglish, "936", "950", "437", 0, 1 },
        { cpEnglish, "950", "936", "437", 2, 2 },
        { cpEnglish, "950", "950", "437", 2, 0 },
        { cpEnglish, "437", "950", "437", 0, 0 },
        { 1252, "936", "950", "437", 0, 1 },
    };
    for (const auto& c : cases) {
        std::string profile = "[CodePage]\n";
        if (c.ui)
            profile += std::string("UICodePage=") + c.ui + "\n";
        if (c.db)
            profile += std::string("DBCodePage=") + c.db + "\n";
        Write(client_ + "OrvaneC.ini", profile);
        Write(server_ + "OrvaneS.ini", profile);
        OverrideSystemCodePage(c.system);
        TOrvaneIniC client;
        TOrvaneIniS server;
        for (const TOrvaneIniBase* r : { static_cast<const TOrvaneIniBase*>(&client),
                 static_cast<const TOrvaneIniBase*>(&server) }) {
            SCOPED_TRACE(testing::Message()
                << "system " << c.system << " ui " << (c.ui ? c.ui : "-") << " db "
                << (c.db ? c.db : "-"));
            EXPECT_EQ(r->SystemCodePage, c.systemText);
            EXPECT_EQ(r->UICodePage, c.ui ? c.ui : c.systemText);
            EXPECT_EQ(r->DBCodePage, c.db ? c.db : "936");
            EXPECT_EQ(r->UIConvertMode, c.uiMode);
            EXPECT_EQ(r->DBConvertMode, c.dbMode);
        }
    }
}

TEST(OrvaneFolders, WorkFoldersResolveAgainstTheInstallationFolder)
{
    struct Case {
        const char* install;
        const char* folder;
        const char* expected;
    };
    const Case cases[] = {
        { "C:\\App\\", "\\bin", "C:/App/bin/" },
        { "C:\\App\\", "D:\\x", "D:/x/" },
        { "C:\\App\\", "d:\\x\\", "d:/x/" },
        { "C:\\App\\", "\\\\srv\\share\\pkg", "//srv/share/pkg/" },
        { "C:\\App\\", "sub\\dir", "C:/App/sub/dir/" },
        { "C:\\App\\", "", "C:/App/" },
        { "C:\\App\\", "  ", "C:/App/" },
        { "C:\\App", "\\bin\\", "C:/App/bin/" },
        { "/opt/zrv/client", "/usr/lib/zrv", "/usr/lib/zrv/" },
        { "/opt/zrv/client/", "pkg", "/opt/zrv/client/pkg/" },
        { "/opt/zrv/client/", "\\pkg", "/opt/zrv/client/pkg/" },
        { "/opt/zrv/client/", "//srv/share", "//srv/share/" },
        { "/opt/zrv/client/", "C_PKG/", "/opt/zrv/client/C_PKG/" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TOrvaneIniBase::ResolveWorkFolder(c.install, c.folder), c.expected)
            << c.install << " + " << c.folder;
    EXPECT_EQ(TOrvaneIniBase::NormalizeFolder("C:\\App"), "C:/App/");
    EXPECT_EQ(TOrvaneIniBase::NormalizeFolder(""), "");
}

TEST_F(Profiles, WorkDLLPathSectionAndWindowsNotation)
{
    Write(server_ + "OrvaneS.ini",
        "[WorkDLLPath]\n"
        "a=\\bin\n"
        "b=D:\\x\n"
        "c=\\\\srv\\share\n"
        "d=/usr/lib/zrv\n"
        "e=\"sub dir\"\n"
        "f=\n"
        "G:\\bare\n");
    TOrvaneIniS s;
    const std::vector<std::string> expected = { server_ + "bin/", "D:/x/", "//srv/share/",
        "/usr/lib/zrv/", server_ + "sub dir/", server_, "G:/bare/" };
    EXPECT_EQ(s.WorkDLLPaths, expected);
    std::vector<std::string> target = { "old" };
    s.CopyWorkDLLPaths(target);
    EXPECT_EQ(target, expected);

    // An installation folder written the Windows way is handed out in "/" notation.
    Registry("ClientPath=C:\\App\nServerPath=\\\\srv\\zrv\\\n");
    TOrvaneIniC c;
    EXPECT_EQ(c.ClientPath, "C:/App/");
    EXPECT_EQ(c.ProfileFile, "C:/App/OrvaneC.ini");
    EXPECT_EQ(c.WorkDLLPaths, std::vector<std::string> { "C:/App/C_PKG/" });
    EXPECT_EQ(TOrvaneIniS().ServerPath, "//srv/zrv/");
}

TEST_F(Profiles, ServerProfileDatabasesPasswordsAndAddresses)
{
    Write(server_ + "OrvaneS.ini",
        "[ProductVersion]\nVersion=9.0\n"
        "[DBE Setting]\n"
        "MainAlias=ERP\nMainUserName=erp\nXXXXXX="
            + ScramblePassword("s3cret") + "\nMainDBType=oracle\nMainDBName=erpdb\n"
            + "MainServerName=db01\nSystemControlAddress=   \nMainConnectionTimeOut=60\n"
            + "MainCommandTimeOut=1e3\nTempPassword=" + ScramblePassword("")
            + "\nTempConnectionTimeOut=-5\nTempCommandTimeOut=0x10\nEctPassword="
            + ScramblePassword("ect") + "\nOtherSystemControlAddress=ctl02\n"
            + "[DBPasswordCtrl]\nComputerName=  app01  \nServerPort=4000\nClientSocketPort=x\n");
    TOrvaneIniS s;
    EXPECT_EQ(s.ErrorCode, "");
    EXPECT_EQ(s.Version, "9.0");
    EXPECT_EQ(s.Databases.At(0, 0), Variant("ERP"));
    EXPECT_EQ(s.Databases.At(0, 1), Variant("erp"));
    EXPECT_EQ(s.Databases.At(0, 2), Variant("s3cret")); // unscrambled
    EXPECT_EQ(s.Databases.At(0, 3), Variant("oracle"));
    EXPECT_EQ(s.Databases.At(0, 6), Variant(60));
    EXPECT_EQ(s.Databases.At(0, 7), Variant(3000)); // "1e3" is not an integer
    EXPECT_EQ(s.Databases.At(1, 2), Variant("")); // the empty-password marker
    EXPECT_EQ(s.Databases.At(1, 6), Variant(-5));
    EXPECT_EQ(s.Databases.At(1, 7), Variant(16));
    EXPECT_EQ(s.Databases.At(2, 0), Variant("app01"));
    EXPECT_EQ(s.Databases.At(2, 1), Variant(4000));
    EXPECT_EQ(s.Databases.At(2, 2), Variant(1024));
    EXPECT_EQ(s.Databases.At(3, 2), Variant(ScramblePassword("ect"))); // kept as stored
    EXPECT_EQ(s.DBKind, 1);
    EXPECT_EQ(s.SystemControlAddress, "db01"); // blank: the main server
    EXPECT_EQ(s.OtherSystemControlAddress, "ctl02");
}

TEST_F(Profiles, DatabaseKindAndMalformedPassword)
{
    struct Case {
        const char* type;
        int kind;
    };
    const Case cases[] = { { "ORACLE", 1 }, { "Oracle", 1 }, { "db2", 2 }, { "DB2", 2 },
        { "MSSQL", 0 }, { "", 0 }, { "ORACLE8", 0 } };
    for (const auto& c : cases) {
        Write(server_ + "OrvaneS.ini",
            std::string("[DBE Setting]\nMainDBType=") + c.type + "\nXXXXXX=zz\nTempPassword=4\n");
        TOrvaneIniS s;
        EXPECT_EQ(s.DBKind, c.kind) << c.type;
        EXPECT_EQ(s.Databases.At(0, 2), Variant(kPasswordErrorMarker));
        EXPECT_EQ(s.Databases.At(1, 2), Variant("")); // a lone last character is ignored
        EXPECT_EQ(s.SystemControlAddress, "");
    }
}

TEST_F(Profiles, LegacyEncodedProfile)
{
    OverrideSystemCodePage(cpBig5);
    Write(client_ + "OrvaneC.ini",
        EncodeToCodePage(
            "[Server Information]\nComputerName=伺服器;\n[ProductVersion]\nVersion=正式版\n",
            cpBig5));
    TOrvaneIniC c;
    EXPECT_EQ(ServerList(c.Servers), (Servers { { "伺服器", 211 } }));
    EXPECT_EQ(c.Version, "正式版");
}
