#pragma once
// The host's automation objects as a library: the host object "HalvorWorkCenter.Manager" with
// its counter, validator and lookup-window objects, all answering from the demo database.
//
//   DispatchPtr host = CreateHostObject();          // the demo shell hands this to the module
//   RegisterHostStandIn();                          // or make
//   CreateObject("HalvorWorkCenter.Manager") work
//
// The same object is also reachable through the class registry: HalvorWorkCenter.so exports it.

#include "LookupAnswerer.h"

#include "platform/Automation.h"

#include <functional>
#include <memory>
#include <string>

namespace zrv {

constexpr const char* kHostProgId = "HalvorWorkCenter.Manager";

struct HostOptions {
    std::string databasePath; // empty: DemoDatabase::DefaultPath()
    std::string schemeDatabasePath; // empty: DemoDatabase::DefaultSchemePath(); "-": none
    int productId = 0; // edition answered by "ProductID"; 0: the demo database's
    std::shared_ptr<LookupAnswerer> answerer; // nullptr: real dialogs (QtLookupAnswerer)
    // Called by "CallHelp" with the system code and the topic.
    std::function<void(const std::string& system, const std::string& topic)> help;
};

// A new host object. Raises AutomationError when the demo database cannot be opened or built.
DispatchPtr CreateHostObject(const HostOptions& options = {});
// Registers "HalvorWorkCenter.Manager" as an in-process class creating CreateHostObject(options).
void RegisterHostStandIn(const HostOptions& options = {});
void UnregisterHostStandIn();

} // namespace zrv
