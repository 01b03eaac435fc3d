#pragma once
// The classes the application server serves, for its three hosts: the server program, the
// in-process library ReportCounterS.so (used when the client's server address is 127.0.0.1) and
// tests, which register the class in their own process.

#include "platform/Automation.h"

#include <string>

namespace zrv {

// A new object of a served class ("ReportCounterS.dmReportCounter", any case) on the database at
// `databasePath` (empty: ReportStore::DefaultPath()); nullptr for a class that is not served.
DispatchPtr CreateServedObject(const std::string& progId, const std::string& databasePath = "");

// Registers "ReportCounterS.dmReportCounter" as an in-process class of this process.
void RegisterReportCounterS(const std::string& databasePath = "");
void UnregisterReportCounterS();

} // namespace zrv
