#pragma once
// The client and server profiles of an installation. Each side has a folder recorded in the
// machine registry (key "Software\ZRV\Orvane", values "ClientPath" / "ServerPath", and
// "ProfileType" for per-user profiles) and a profile file in that folder ("OrvaneC.ini" /
// "OrvaneS.ini"). A reader does all its work in its constructor and is then only read.
//
// Folders may be written in Windows notation (drive letters, "\\server\share" network paths, a
// leading "\" meaning "inside the installation folder") or as POSIX paths (a leading "/" is
// absolute). Every folder the readers hand out uses "/" and ends with "/".

#include "platform/Variant.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zrv {

class IniFile;

// What both readers share: the folders, the code pages and the conversion modes.
class TOrvaneIniBase {
public:
    std::string ProfilePath; // folder that holds the profile file used
    std::string ProfileType = "0"; // "0" or empty: one shared profile; else one per user
    std::string ProfileUser = "Default";
    std::string UICodePage = "936";
    std::string DBCodePage = "936";
    std::string SystemCodePage = "936";
    uint8_t UIConvertMode = 0; // 2 Big5 interface; 4 GB interface on a Big5 system; else 0
    uint8_t DBConvertMode = 0; // 2 Big5 interface, GB data; 1 GB interface, Big5 data; else 0
    bool SupportCallBack = false;
    std::string ProfileFile; // full path of the profile file read
    std::string ErrorCode; // empty, "E;000015" (registry key missing), "E;000016" (no server)
    std::vector<std::string> WorkDLLPaths;
    std::string Version;

    // A folder as the readers hand it out: "\" becomes "/", a trailing "/" is added; empty
    // stays empty.
    static std::string NormalizeFolder(const std::string& folder);
    // One line of a "WorkDLLPath" section resolved against the installation folder (itself
    // normalised): drive letters, network paths and POSIX absolute paths stay as written, a
    // leading "\" or any other relative folder is taken inside the installation folder, an
    // empty folder is the installation folder itself.
    static std::string ResolveWorkFolder(
        const std::string& installFolder, const std::string& folder);
    // The rule for the "SupportCallBack" keys: "1", "Y", "YES", "TRUE" in any case.
    static bool IsTrueText(const std::string& value);
    // The two modes for a pair of code pages on a system code page.
    static uint8_t UIModeFor(const std::string& uiCodePage, const std::string& systemCodePage);
    static uint8_t DBModeFor(const std::string& uiCodePage, const std::string& dbCodePage);

protected:
    TOrvaneIniBase();
    // Registry and profile location shared by both readers. Returns the installation folder
    // (normalised) or empty on failure (ErrorCode set when the registry key is missing); `ini`
    // receives the profile.
    std::string Locate(const std::string& folderValue, const std::string& fileName, IniFile& ini);
    void DeriveModes();
    // The work folders from the "WorkDLLPath" section, or the single default entry.
    void ResolveWorkDLLPaths(
        const IniFile& ini, const std::string& installFolder, const std::string& defaultSubfolder);
};

// The client profile "OrvaneC.ini".
class TOrvaneIniC : public TOrvaneIniBase {
public:
    TOrvaneIniC();
    ~TOrvaneIniC();

    std::string ClientPath;
    // Two-dimensional [0..1, 0..n-1]: [0, i] the i-th server name, [1, i] the port.
    Variant Servers;
    std::string LangType;
    std::string CreateGifBeforeSendEF;
    std::string AutoCheckNewMsg;
    std::string CheckInterval;
    std::string PopupMsg;
    std::string LoginCheck;

private:
    bool Read();
};

// The server profile "OrvaneS.ini".
class TOrvaneIniS : public TOrvaneIniBase {
public:
    TOrvaneIniS();
    ~TOrvaneIniS();

    // Replaces the contents of `target` with the work folders.
    void CopyWorkDLLPaths(std::vector<std::string>& target) const;

    std::string ServerPath;
    // [0..3, 0..7]: row 0 the main database, row 1 the temporary database, row 2 the server's
    // listening settings and the collation, row 3 the exchange database.
    Variant Databases;
    uint8_t DBKind = 0; // 1 "ORACLE", 2 "DB2", else 0
    std::string SystemControlAddress;
    std::string OtherSystemControlAddress;

private:
    bool Read();
};

} // namespace zrv
