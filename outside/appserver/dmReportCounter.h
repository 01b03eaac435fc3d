#pragma once
// The remote module "ReportCounterS.dmReportCounter": takes report run requests and keeps them
// as jobs, answers user rights, and stores condition schemes, whose rows it delivers through the
// provider "pvdConSave".
//
// Members (late-bound, names without regard to case; texts answered as wide texts):
//   Request(RequestArray)                  -> job identifier, or "ERROR" (see ErrorDescript)
//   Request1(RequestArray, computer name)  -> the same, remembering the computer
//   UpdateStatus1(job id (by ref), error text, date and time)   records how a run ended
//   ErrorDescript (property)               -> the description of the last failure
//   SQLType (property)                     -> integer setting "SQLType"
//   GetPower([DbName, UserID, ModuleID, ""]) -> [UserID, rights text, ModuleID, DbName,
//                                              base-limited text, "936"]
//   InsertConTable([name, UserID, "yyyymmdd", ModuleID, field list, value text, replace])
//   DeleteConTable([name, UserID, ModuleID])
//   ChangeConName([old name, UserID, ModuleID], [new name, UserID, ModuleID])
//                                          -> "" on success, else the reason
//   LoadTable([UserID, ModuleID])          selects the rows "pvdConSave" delivers
//   AS_GetProviderNames                    -> ["pvdConSave"]
//   AS_GetRecords(provider name)           -> [[column names], [[row values], ...]]

#include "ReportStore.h"

#include "platform/Automation.h"

#include <memory>
#include <string>

namespace zrv {

class TdmReportCounter : public DispatchObject {
public:
    static constexpr const char* kProgId = "ReportCounterS.dmReportCounter";

    // Opens the database at `databasePath`. When that fails the object still exists and every
    // call reports the reason (requests answer "ERROR" with it as the description).
    explicit TdmReportCounter(const std::string& databasePath);

private:
    ReportStore& Store();
    Variant Request(std::span<Variant> args, bool withComputer);
    Variant UpdateStatus(std::span<Variant> args);
    Variant GetPower(std::span<Variant> args);
    Variant InsertConTable(std::span<Variant> args);
    Variant DeleteConTable(std::span<Variant> args);
    Variant ChangeConName(std::span<Variant> args);
    Variant LoadTable(std::span<Variant> args);
    Variant GetRecords(std::span<Variant> args);

    std::unique_ptr<ReportStore> store_;
    std::string openError_;
    std::string errorDescript_;
    bool loaded_ = false;
    std::string loadedCreator_;
    std::string loadedProgramme_;
};

} // namespace zrv
