#include "platform/SystemInfo.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace zrv {

std::string TempFolder()
{
    const char* t = std::getenv("TMPDIR");
    std::string dir = t && *t ? t : "/tmp";
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

std::string LoginUserName()
{
    for (const char* var : { "USER", "LOGNAME" })
        if (const char* v = std::getenv(var); v && *v)
            return v;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    return "user";
}

std::string ComputerName()
{
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) == 0 && buf[0])
        return buf;
    return "localhost";
}

std::string ExecutableFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "./";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

bool ForceDirectories(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

double NowAsDate()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const time_t secs = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local {};
    localtime_r(&secs, &local);
    // Local calendar time expressed as days from 1899-12-30 (25569 days before 1970-01-01).
    const time_t asUtc = timegm(&local);
    return 25569.0 + (static_cast<double>(asUtc) + ms / 1000.0) / 86400.0;
}

} // namespace zrv
