#pragma once
// The calls the module makes on its server object on the application server. Each routine fixes
// the member name and the argument order; texts go as wide texts. Every routine raises
// AutomationError when the call fails or no server object is assigned.

#include "platform/Variant.h"

#include <string>

namespace zrv {

namespace ServerCalls {
    // The job identifier, or a text equal to "ERROR" (any case) on failure.
    Variant Request(const Variant& server, const Variant& requestArray);
    Variant Request1(
        const Variant& server, const Variant& requestArray, const std::string& computerName);
    void UpdateStatus1(
        const Variant& server, Variant& jobID, const std::string& errorText, double dateTime);
    std::string ErrorDescript(const Variant& server);
    int32_t SQLType(const Variant& server);
    Variant GetPower(const Variant& server, const std::string& dbName, const std::string& userID,
        const std::string& moduleID);

    // Condition schemes: an empty text on success, else the failure's message.
    std::string InsertConTable(const Variant& server, const Variant& scheme);
    void LoadTable(const Variant& server, const std::string& userID, const std::string& moduleID);
    std::string DeleteConTable(const Variant& server, const std::string& name,
        const std::string& userID, const std::string& moduleID);
    std::string ChangeConName(const Variant& server, const std::string& oldName,
        const std::string& newName, const std::string& userID, const std::string& moduleID);
    // The rows of a provider: [[column names], [[row values], ...]].
    Variant GetRecords(const Variant& server, const std::string& provider);
} // namespace ServerCalls

} // namespace zrv
