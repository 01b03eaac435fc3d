// The entry point of HalvorWorkCenter.so: the class registry maps "HalvorWorkCenter.Manager" to
// this library, so a module running on its own (without a shell) can create the host object by
// name. The demo database is the default one (ZRV_DEMO_DB); lookups show real dialogs.
#include "HostManager.h"

#include "platform/CodePage.h"

#include <cstdio>

extern "C" __attribute__((visibility("default"))) zrv::Dispatch* ZrvCreateObject(const char* progId)
{
    if (!progId || !zrv::SameText(progId, zrv::kHostProgId))
        return nullptr;
    try {
        return new zrv::HostManager(zrv::HostOptions {});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "HalvorWorkCenter: %s\n", e.what());
        return nullptr;
    }
}
