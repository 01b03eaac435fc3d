#include "lib/AlertLog.h"

#include "platform/MachineRegistry.h"
#include "platform/SystemInfo.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <fstream>

namespace zrv {

namespace {
    const char kProductKey[] = "Software\\ZRV\\Orvane";
}

std::string ProductRootPath()
{
    for (const char* name : { "ClientPath", "ServerPath" }) {
        auto value = MachineRegistry::ReadString(kProductKey, name);
        if (value && !value->empty())
            return *value;
    }
    return {};
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

DateParts LocalNow()
{
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto msec
        = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::tm tm {};
    localtime_r(&seconds, &tm);
    DateParts parts;
    parts.year = tm.tm_year + 1900;
    parts.month = tm.tm_mon + 1;
    parts.day = tm.tm_mday;
    parts.hour = tm.tm_hour;
    parts.minute = tm.tm_min;
    parts.second = tm.tm_sec;
    parts.msec = static_cast<int>(msec.count() < 0 ? msec.count() + 1000 : msec.count());
    return parts;
}

std::string AlertLogFileName(std::string_view folder, std::string_view prefix,
    std::string_view period, const DateParts& when)
{
    char date[16];
    if (period == "M")
        std::snprintf(date, sizeof date, "%.4d%.2d", when.year, when.month);
    else if (period == "Y")
        std::snprintf(date, sizeof date, "%.4d", when.year);
    else
        std::snprintf(date, sizeof date, "%.4d%.2d%.2d", when.year, when.month, when.day);
    std::string name = "Alert_" + std::string(prefix) + "_" + date;
    // A prefix that already names its extension keeps it.
    if (prefix.find('.') == std::string_view::npos)
        name += ".log";
    return JoinPath(folder, name);
}

std::string AlertLogLine(const DateParts& when, std::string_view text)
{
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "[%.4d/%.2d/%.2d %.2d:%.2d:%.2d:%.3d] ", when.year,
        when.month, when.day, when.hour, when.minute, when.second, when.msec);
    return stamp + std::string(text);
}

bool AppendLogLine(const std::string& file, std::string_view line)
{
    try {
        std::ofstream out(file, std::ios::binary | std::ios::app);
        if (!out)
            return false;
        out << line << '\n';
        out.close();
        return !out.fail();
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteAlertLogIn(std::string_view folder, std::string_view prefix, std::string_view text,
    std::string_view period)
{
    try {
        std::string logFolder(folder);
        if (!ForceDirectories(logFolder))
            return false;
        DateParts now = LocalNow();
        return AppendLogLine(
            AlertLogFileName(logFolder, prefix, period, now), AlertLogLine(now, text));
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteAlertLog(std::string_view prefix, std::string_view text, std::string_view period)
{
    try {
        std::string root = ProductRootPath();
        if (root.empty())
            root = ExecutableFolder();
        return WriteAlertLogIn(JoinPath(root, "Log"), prefix, text, period);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace zrv
