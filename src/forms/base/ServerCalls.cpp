#include "forms/base/ServerCalls.h"

#include "forms/base/HostCalls.h"

#include <vector>

namespace zrv::ServerCalls {

namespace {

    Variant Call(const Variant& server, const char* member, std::vector<Variant> args = {})
    {
        return HostCalls::Need(server, "application server object")->CallRef(member, args);
    }

    Variant Wide(const std::string& s) { return Variant::Wide(s); }

} // namespace

Variant Request(const Variant& server, const Variant& requestArray)
{
    return Call(server, "Request", { requestArray });
}

Variant Request1(
    const Variant& server, const Variant& requestArray, const std::string& computerName)
{
    return Call(server, "Request1", { requestArray, Wide(computerName) });
}

void UpdateStatus1(
    const Variant& server, Variant& jobID, const std::string& errorText, double dateTime)
{
    std::vector<Variant> args { jobID, Wide(errorText), Variant::FromDate(dateTime) };
    HostCalls::Need(server, "application server object")->CallRef("UpdateStatus1", args);
    jobID = args[0];
}

std::string ErrorDescript(const Variant& server)
{
    return HostCalls::Need(server, "application server object")->Get("ErrorDescript").ToString();
}

int32_t SQLType(const Variant& server)
{
    return HostCalls::Need(server, "application server object")->Get("SQLType").ToInt();
}

Variant GetPower(const Variant& server, const std::string& dbName, const std::string& userID,
    const std::string& moduleID)
{
    return Call(server, "GetPower",
        { Variant::ArrayOf({ Wide(dbName), Wide(userID), Wide(moduleID), Wide("") }) });
}

std::string InsertConTable(const Variant& server, const Variant& scheme)
{
    return Call(server, "InsertConTable", { scheme }).ToString();
}

void LoadTable(const Variant& server, const std::string& userID, const std::string& moduleID)
{
    Call(server, "LoadTable", { Variant::ArrayOf({ Wide(userID), Wide(moduleID) }) });
}

std::string DeleteConTable(const Variant& server, const std::string& name,
    const std::string& userID, const std::string& moduleID)
{
    return Call(server, "DeleteConTable",
        { Variant::ArrayOf({ Wide(name), Wide(userID), Wide(moduleID) }) })
        .ToString();
}

std::string ChangeConName(const Variant& server, const std::string& oldName,
    const std::string& newName, const std::string& userID, const std::string& moduleID)
{
    return Call(server, "ChangeConName",
        { Variant::ArrayOf({ Wide(oldName), Wide(userID), Wide(moduleID) }),
            Variant::ArrayOf({ Wide(newName), Wide(userID), Wide(moduleID) }) })
        .ToString();
}

Variant GetRecords(const Variant& server, const std::string& provider)
{
    return Call(server, "AS_GetRecords", { Wide(provider) });
}

} // namespace zrv::ServerCalls
