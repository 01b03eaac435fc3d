#include "config/OrvaneINI.h"

#include "lib/DIVUREdiveruvoU.h"
#include "platform/CodePage.h"
#include "platform/IniFile.h"
#include "platform/MachineRegistry.h"
#include "platform/SystemInfo.h"

#include <filesystem>

namespace zrv {

namespace {

    const char* const kRegistryKey = "Software\\ZRV\\Orvane";

    bool IsDriveLetter(const std::string& path)
    {
        return path.size() >= 2 && path[1] == ':'
            && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    }

    bool FileExists(const std::string& path)
    {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }

    // A user name that can stand as one folder name; anything else cannot have a per-user
    // profile of its own.
    bool UsableAsFolderName(const std::string& name)
    {
        return !name.empty() && name != "." && name != ".."
            && name.find_first_of("/\\") == std::string::npos;
    }

    std::string ReadText(const IniFile& ini, const char* section, const char* key, const char* def)
    {
        return ini.ReadString(section, key, def);
    }

} // namespace

// ---------------------------------------------------------------------------------------------
// Shared part

TOrvaneIniBase::TOrvaneIniBase()
{
    int system = zrv::SystemCodePage();
    SystemCodePage = system == cpGB ? "936" : system == cpBig5 ? "950" : "437";
    UICodePage = SystemCodePage;
    DeriveModes();
}

std::string TOrvaneIniBase::NormalizeFolder(const std::string& folder)
{
    if (folder.empty())
        return folder;
    std::string result = folder;
    for (char& c : result)
        if (c == '\\')
            c = '/';
    if (result.back() != '/')
        result += '/';
    return result;
}

std::string TOrvaneIniBase::ResolveWorkFolder(
    const std::string& installFolder, const std::string& folder)
{
    std::string base = NormalizeFolder(installFolder);
    std::string value = Trim(folder);
    if (value.empty())
        return base;
    // Absolute: a drive letter, a network path, or a POSIX path.
    if (IsDriveLetter(value) || value.starts_with("\\\\") || value[0] == '/')
        return NormalizeFolder(value);
    if (value[0] == '\\')
        value.erase(0, 1);
    return NormalizeFolder(base + value);
}

bool TOrvaneIniBase::IsTrueText(const std::string& value)
{
    std::string upper = UpperCase(value);
    return upper == "1" || upper == "Y" || upper == "YES" || upper == "TRUE";
}

uint8_t TOrvaneIniBase::UIModeFor(const std::string& uiCodePage, const std::string& systemCodePage)
{
    if (uiCodePage == "950")
        return 2;
    if (uiCodePage == "936" && systemCodePage == "950")
        return 4;
    return 0;
}

uint8_t TOrvaneIniBase::DBModeFor(const std::string& uiCodePage, const std::string& dbCodePage)
{
    if (uiCodePage == "950" && dbCodePage == "936")
        return 2;
    if (uiCodePage == "936" && dbCodePage == "950")
        return 1;
    return 0;
}

void TOrvaneIniBase::DeriveModes()
{
    UIConvertMode = UIModeFor(UICodePage, SystemCodePage);
    DBConvertMode = DBModeFor(UICodePage, DBCodePage);
}

std::string TOrvaneIniBase::Locate(
    const std::string& folderValue, const std::string& fileName, IniFile& ini)
{
    if (!MachineRegistry::KeyExists(kRegistryKey)) {
        ErrorCode = "E;000015";
        return {};
    }
    std::string folder = Trim(MachineRegistry::ReadString(kRegistryKey, folderValue).value_or(""));
    std::string profileType = MachineRegistry::ReadString(kRegistryKey, "ProfileType").value_or("");
    ProfileType = profileType.empty() ? std::string("0") : profileType;
    if (folder.empty())
        return {};
    folder = NormalizeFolder(folder);

    ProfilePath = folder;
    if (Trim(ProfileType) != "0") {
        // The whole login name: a name that does not fit a fixed buffer must not turn into
        // another user's folder or an empty one.
        ProfileUser = LoginUserName();
        if (UsableAsFolderName(ProfileUser))
            ProfilePath = folder + "Profile/" + ProfileUser + "/";
    }
    ProfileFile = ProfilePath + fileName;
    if (!FileExists(ProfileFile)) {
        ProfilePath = folder;
        ProfileFile = folder + fileName;
    }
    ini = IniFile(ProfileFile);
    return folder;
}

void TOrvaneIniBase::ResolveWorkDLLPaths(
    const IniFile& ini, const std::string& installFolder, const std::string& defaultSubfolder)
{
    WorkDLLPaths.clear();
    for (const auto& entry : ini.SectionEntries("WorkDLLPath")) {
        // "name=folder" lines name their folder; a line that is only a folder stands for itself.
        std::string folder = entry.hasValue ? IniFile::Unquote(entry.value) : entry.line;
        WorkDLLPaths.push_back(ResolveWorkFolder(installFolder, folder));
    }
    if (WorkDLLPaths.empty())
        WorkDLLPaths.push_back(installFolder + defaultSubfolder);
}

// ---------------------------------------------------------------------------------------------
// Client

TOrvaneIniC::TOrvaneIniC() { Read(); }

TOrvaneIniC::~TOrvaneIniC() = default;

bool TOrvaneIniC::Read()
{
    IniFile ini;
    ClientPath = Locate("ClientPath", "OrvaneC.ini", ini);
    if (ClientPath.empty())
        return false;

    LangType = ReadText(ini, "Client Components", "LangType", "ENG");
    Version = ReadText(ini, "ProductVersion", "Version", "");
    CreateGifBeforeSendEF = ReadText(ini, "UserDefine", "CreateGifBeforeSendEF", "Y");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SystemCodePage);
    DBCodePage = ReadText(ini, "CodePage", "DBCodePage", "936");
    SupportCallBack = IsTrueText(ReadText(ini, "Server Information", "SupportCallBack", "0"));
    std::string computerName
        = Trim(ReadText(ini, "Server Information", "ComputerName", "127.0.0.1"));
    int port = ini.ReadInteger("Server Information", "ServerPort", 211);
    AutoCheckNewMsg = ReadText(ini, "TaskMessageCenter Setting", "AutoCheckNewMsg", "1");
    CheckInterval = ReadText(ini, "TaskMessageCenter Setting", "CheckInterval", "1");
    PopupMsg = ReadText(ini, "TaskMessageCenter Setting", "PopupMsg", "1");
    LoginCheck = ReadText(ini, "TaskMessageCenter Setting", "LoginCheck", "0");

    // Work folders are resolved even when the server list fails below: the list is documented
    // as absolute folders, and a caller must never find raw profile lines in it.
    ResolveWorkDLLPaths(ini, ClientPath, "C_PKG/");
    DeriveModes();

    // Server names: one trailing ";" is allowed; each name is trimmed and empty names between
    // separators are dropped, so "srvA; srvB" and "srvA;;srvB" both name two servers.
    std::vector<std::string> names;
    if (computerName.ends_with(';'))
        computerName.pop_back();
    size_t start = 0;
    while (true) {
        size_t sep = computerName.find(';', start);
        std::string name = Trim(
            computerName.substr(start, sep == std::string::npos ? std::string::npos : sep - start));
        if (!name.empty())
            names.push_back(name);
        if (sep == std::string::npos)
            break;
        start = sep + 1;
    }
    if (names.empty()) {
        ErrorCode = "E;000016";
        return false;
    }
    Servers = Variant::Array2(0, 1, 0, static_cast<int>(names.size()) - 1);
    for (size_t i = 0; i < names.size(); ++i) {
        Servers.At(0, static_cast<int>(i)) = Variant(names[i]);
        Servers.At(1, static_cast<int>(i)) = Variant(port);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Server

TOrvaneIniS::TOrvaneIniS() { Read(); }

TOrvaneIniS::~TOrvaneIniS() = default;

void TOrvaneIniS::CopyWorkDLLPaths(std::vector<std::string>& target) const
{
    target = WorkDLLPaths;
}

bool TOrvaneIniS::Read()
{
    IniFile ini;
    ServerPath = Locate("ServerPath", "OrvaneS.ini", ini);
    if (ServerPath.empty())
        return false;

    const char* const dbe = "DBE Setting";
    const char* const pwd = "DBPasswordCtrl";
    Variant db = Variant::Array2(0, 3, 0, 7);
    auto text = [&](int row, int col, const char* section, const char* key, const char* def) {
        db.At(row, col) = Variant(ReadText(ini, section, key, def));
    };
    auto number = [&](int row, int col, const char* section, const char* key, int def) {
        db.At(row, col) = Variant(ini.ReadInteger(section, key, def));
    };
    auto password = [&](int row, int col, const char* key) {
        std::string stored = ReadText(ini, dbe, key, "");
        db.At(row, col) = Variant(stored.empty() ? stored : UnscramblePassword(stored));
    };

    Version = ReadText(ini, "ProductVersion", "Version", "");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SystemCodePage);
    DBCodePage = ReadText(ini, "CodePage", "DBCodePage", "936");
    text(0, 0, dbe, "MainAlias", "Halvor");
    text(0, 1, dbe, "MainUserName", "sa");
    password(0, 2, "XXXXXX");
    text(0, 3, dbe, "MainDBType", "MSSQL");
    text(0, 4, dbe, "MainDBName", "");
    text(0, 5, dbe, "MainServerName", "");
    SystemControlAddress = ReadText(ini, dbe, "SystemControlAddress", "");
    OtherSystemControlAddress = ReadText(ini, dbe, "OtherSystemControlAddress", "");
    number(0, 6, dbe, "MainConnectionTimeOut", 300);
    number(0, 7, dbe, "MainCommandTimeOut", 3000);
    text(1, 0, dbe, "TempAlias", "HalvorTemp");
    text(1, 1, dbe, "TempUserName", "sa");
    password(1, 2, "TempPassword");
    text(1, 3, dbe, "TempDBType", "PARADOX");
    text(1, 4, dbe, "TempDBName", "");
    text(1, 5, dbe, "TempDriverName", "PostgreSQL");
    number(1, 6, dbe, "TempConnectionTimeOut", 300);
    number(1, 7, dbe, "TempCommandTimeOut", 3000);
    db.At(2, 0) = Variant(Trim(ReadText(ini, pwd, "ComputerName", "")));
    number(2, 1, pwd, "ServerPort", 211);
    number(2, 2, pwd, "ClientSocketPort", 1024);
    SupportCallBack = IsTrueText(ReadText(ini, pwd, "SupportCallBack", "0"));
    text(2, 3, dbe, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN");
    text(3, 0, dbe, "EctAlias", "EDIDATA");
    text(3, 1, dbe, "EctUserName", "sa");
    text(3, 2, dbe, "EctPassword", ""); // kept as stored
    Databases = std::move(db);

    ResolveWorkDLLPaths(ini, ServerPath, "S_PKG/");
    DeriveModes();

    std::string dbType = Trim(Databases.At(0, 3).ToString());
    DBKind = SameText(dbType, "ORACLE") ? 1 : SameText(dbType, "DB2") ? 2 : 0;
    std::string mainServer = Databases.At(0, 5).ToString();
    if (Trim(SystemControlAddress).empty())
        SystemControlAddress = mainServer;
    if (Trim(OtherSystemControlAddress).empty())
        OtherSystemControlAddress = mainServer;
    return true;
}

} // namespace zrv
