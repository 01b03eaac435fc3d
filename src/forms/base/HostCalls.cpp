#include "forms/base/HostCalls.h"

#include <vector>

namespace zrv::HostCalls {

namespace {

    Variant Call(
        const Variant& object, const char* what, const char* member, std::vector<Variant> args = {})
    {
        return Need(object, what)->CallRef(member, args);
    }

} // namespace

DispatchPtr Need(const Variant& object, const char* what)
{
    DispatchPtr d = object.Type() == varDispatch ? object.ToDispatch() : nullptr;
    if (!d)
        throw AutomationError(std::string("The ") + what + " is not assigned");
    return d;
}

int32_t VersionType(const Variant& host)
{
    return Call(host, "host object", "VersionType").ToInt();
}

int32_t ProductID(const Variant& host) { return Call(host, "host object", "ProductID").ToInt(); }

void CallHelp(const Variant& host, const std::string& system, const std::string& topic)
{
    Call(host, "host object", "CallHelp",
        { Variant::ArrayOf({ Variant::Wide(system), Variant::Wide(topic) }) });
}

std::string GetMessage(const Variant& host, const std::string& type, const std::string& number)
{
    return Call(host, "host object", "GetMessage", { Variant::Wide(type), Variant::Wide(number) })
        .ToString();
}

Variant GetFileList(const Variant& host, const std::string& lowerCaseFileName)
{
    return Call(host, "host object", "GetFileList",
        { Variant::ArrayOf({ Variant::Wide(lowerCaseFileName) }) });
}

Variant ComCounter(const Variant& host) { return Call(host, "host object", "Com_Counter"); }
Variant ComValidator(const Variant& host) { return Call(host, "host object", "Com_Validator"); }
Variant ComF2Window(const Variant& host) { return Call(host, "host object", "Com_F2Window"); }

Variant GetSysInfo(const Variant& counter, const std::string& companyID)
{
    return Call(counter, "counter object", "GetSysInfo", { Variant::Wide(companyID) });
}

Variant GetCounter(const Variant& counter, const std::string& command, Variant& parameters,
    const std::string& companyID, const std::string& dbName)
{
    std::vector<Variant> args { Variant::Wide(command), parameters,
        Variant::ArrayOf({ Variant::Wide(companyID), Variant::Wide(dbName) }) };
    Variant answer = Need(counter, "counter object")->CallRef("GetCounter", args);
    parameters = args[1];
    return answer;
}

bool AskValidator(const Variant& validator, bool query, const std::string& table,
    const std::string& kind, const std::string& dbName, Variant& conditions, Variant& result)
{
    std::vector<Variant> args { Variant::Wide(table), Variant::Wide(kind), Variant::Wide(dbName),
        conditions, result };
    Variant answer
        = Need(validator, "validator object")->CallRef(query ? "QueryData" : "CheckValue", args);
    conditions = args[3];
    result = args[4];
    return answer.ToBool();
}

Variant F2GetData(const Variant& lookup, const Variant& request)
{
    return Call(lookup, "lookup-window object", "F2GetData", { request });
}

Variant ShowInputDay(
    const Variant& lookup, bool localEra, const std::string& startDate, const std::string& dbName)
{
    return Call(lookup, "lookup-window object", "ShowInputDay",
        { Variant::ArrayOf(
            { Variant(localEra), Variant::Wide(startDate), Variant::Wide(dbName) }) });
}

Variant GetPhrase(const Variant& lookup, const std::string& userID, const std::string& dbName,
    int64_t windowHandle)
{
    return Call(lookup, "lookup-window object", "GetPhrase",
        { Variant::Wide(userID), Variant::Wide(dbName), Variant(windowHandle) });
}

} // namespace zrv::HostCalls
