#include "ReportCounterS.h"

#include "ReportStore.h"
#include "dmReportCounter.h"

#include "platform/CodePage.h"

namespace zrv {

DispatchPtr CreateServedObject(const std::string& progId, const std::string& databasePath)
{
    if (!SameText(progId, TdmReportCounter::kProgId))
        return nullptr;
    return std::make_shared<TdmReportCounter>(
        databasePath.empty() ? ReportStore::DefaultPath() : databasePath);
}

void RegisterReportCounterS(const std::string& databasePath)
{
    RegisterClassFactory(TdmReportCounter::kProgId,
        [databasePath] { return CreateServedObject(TdmReportCounter::kProgId, databasePath); });
}

void UnregisterReportCounterS() { UnregisterClassFactory(TdmReportCounter::kProgId); }

} // namespace zrv
