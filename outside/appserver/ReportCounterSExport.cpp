// The entry point of ReportCounterS.so: the class registry maps "ReportCounterS.dmReportCounter"
// to this library, and creating the object by name calls here. The database is the one named by
// ZRV_APPSERVER_DB, else the default under the user's data folder.
#include "ReportStore.h"
#include "dmReportCounter.h"

#include "platform/CodePage.h"

extern "C" __attribute__((visibility("default"))) zrv::Dispatch* ZrvCreateObject(const char* progId)
{
    if (!progId || !zrv::SameText(progId, zrv::TdmReportCounter::kProgId))
        return nullptr;
    try {
        // The caller owns the object; a database that cannot be opened is reported by its calls.
        return new zrv::TdmReportCounter(zrv::ReportStore::DefaultPath());
    } catch (...) {
        return nullptr;
    }
}
