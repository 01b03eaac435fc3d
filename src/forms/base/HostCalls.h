#pragma once
// The calls the module makes on the shell's objects: the host object the shell hands over, and
// the counter, validator and lookup-window objects it gives out. Each routine fixes the member
// name, the argument order and which arguments travel by reference; texts go as wide texts.
// Every routine raises AutomationError (or VariantError for a malformed answer) when the call
// fails, including when the object is not assigned; callers apply their own fallbacks.

#include "platform/Automation.h"
#include "platform/Variant.h"

#include <string>

namespace zrv {

namespace HostCalls {
    // The object a Variant holds; raises AutomationError naming `what` when it holds none.
    DispatchPtr Need(const Variant& object, const char* what);

    // Host object.
    int32_t VersionType(const Variant& host);
    int32_t ProductID(const Variant& host);
    void CallHelp(const Variant& host, const std::string& system, const std::string& topic);
    std::string GetMessage(const Variant& host, const std::string& type, const std::string& number);
    Variant GetFileList(const Variant& host, const std::string& lowerCaseFileName);
    Variant ComCounter(const Variant& host);
    Variant ComValidator(const Variant& host);
    Variant ComF2Window(const Variant& host);

    // Counter object: the company's settings [0..1, 0..n-1], and a counter command.
    Variant GetSysInfo(const Variant& counter, const std::string& companyID);
    Variant GetCounter(const Variant& counter, const std::string& command, Variant& parameters,
        const std::string& companyID, const std::string& dbName);

    // Validator object: QueryData (query) or CheckValue, every argument by reference, the found
    // row or rows in `result`.
    bool AskValidator(const Variant& validator, bool query, const std::string& table,
        const std::string& kind, const std::string& dbName, Variant& conditions, Variant& result);

    // Lookup-window object.
    Variant F2GetData(const Variant& lookup, const Variant& request);
    Variant ShowInputDay(const Variant& lookup, bool localEra, const std::string& startDate,
        const std::string& dbName);
    Variant GetPhrase(const Variant& lookup, const std::string& userID, const std::string& dbName,
        int64_t windowHandle);
} // namespace HostCalls

} // namespace zrv
