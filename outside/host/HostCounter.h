#pragma once
// The counter object. Members (late-bound):
//   GetSysInfo(CompanyID (by ref))  -> array [0..1, 0..n-1]: [0, i] setting name, [1, i] value
//   GetCounter(command, parameters (by ref), [CompanyID, DbName])
//       "SIMPLESQL" with [SQL text, ...]: the first row of the query as [[values]], or
//       unassigned when there is none. Only queries run.

#include "platform/Automation.h"

#include <memory>

namespace zrv {

class DemoDatabase;

class HostCounter : public DispatchObject {
public:
    explicit HostCounter(std::shared_ptr<DemoDatabase> db);

    // The company database's SQL as modules write it, made to run on SQLite: ISNULL( becomes
    // IFNULL(, LEN( becomes LENGTH(, GETDATE() becomes the local date and time. Quoted texts and
    // names are left alone.
    static std::string ToSQLite(const std::string& sql);

private:
    Variant GetSysInfo(std::span<Variant> args);
    Variant GetCounter(std::span<Variant> args);

    std::shared_ptr<DemoDatabase> db_;
};

} // namespace zrv
