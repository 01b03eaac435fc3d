#include "HostStandIn.h"

#include "DemoDatabase.h"
#include "HostManager.h"

namespace zrv {

DispatchPtr CreateHostObject(const HostOptions& options)
{
    try {
        return std::make_shared<HostManager>(options);
    } catch (const DemoDatabaseError& e) {
        throw AutomationError(e.what());
    }
}

void RegisterHostStandIn(const HostOptions& options)
{
    RegisterClassFactory(kHostProgId, [options] { return CreateHostObject(options); });
}

void UnregisterHostStandIn() { UnregisterClassFactory(kHostProgId); }

} // namespace zrv
