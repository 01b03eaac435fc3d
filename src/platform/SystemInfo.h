#pragma once
// Facts about the running system: folders, user and computer names, time.

#include <string>

namespace zrv {

// $TMPDIR or "/tmp", always with a trailing "/".
std::string TempFolder();
// The login user name (USER, LOGNAME, then the password database); "user" when none is found.
std::string LoginUserName();
// The host name; "localhost" when none is found.
std::string ComputerName();
// The folder of the running executable, with a trailing "/".
std::string ExecutableFolder();
// Creates a folder and its missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
// The current local time as an automation date (days from 1899-12-30 with fraction).
double NowAsDate();

} // namespace zrv
