#pragma once
// Alert logs: plain-text files under the installation's "Log" folder, one per prefix and period,
// one time-stamped line per event. Writing never raises; a failure only makes the writer answer
// false, and the caller goes on.

#include "platform/Variant.h"

#include <string>
#include <string_view>

namespace zrv {

// The installation folder: the machine registry's "ClientPath" under "Software\ZRV\Orvane", or
// "ServerPath" when "ClientPath" is empty or missing; empty when neither gives a folder.
std::string ProductRootPath();

// Appends "[yyyy/mm/dd hh:nn:ss:zzz] text" to the alert log of the prefix and period under the
// installation folder (or the running executable's folder when there is none) + "/Log", creating
// the folder as needed. Period "D" (and any unknown letter) means one file per day, "M" per month,
// "Y" per year; the letter compares with case.
bool WriteAlertLog(std::string_view prefix, std::string_view text, std::string_view period);
// The same writer for a given log folder (the download unit keeps its logs beside the executable).
bool WriteAlertLogIn(std::string_view folder, std::string_view prefix, std::string_view text,
    std::string_view period);

// The pieces, for writers that keep the same layout:
// folder + "/Alert_" + prefix + "_" + date (+ ".log" unless the prefix holds a ".").
std::string AlertLogFileName(std::string_view folder, std::string_view prefix,
    std::string_view period, const DateParts& when);
// "[yyyy/mm/dd hh:nn:ss:zzz] " + text.
std::string AlertLogLine(const DateParts& when, std::string_view text);
// Appends one line (and a line break) to a file, creating it when missing; false on failure.
bool AppendLogLine(const std::string& file, std::string_view line);
// The current local date and time, to the millisecond.
DateParts LocalNow();
// folder + "/" + name, without doubling a "/" the folder already ends with.
std::string JoinPath(std::string_view folder, std::string_view name);

} // namespace zrv
