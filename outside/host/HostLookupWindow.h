#pragma once
// The lookup-window object. Members (late-bound):
//   F2GetData(request)  the 19-element lookup request (0 table, 1 kind, 2 conditions, 3 multiple,
//                       4 the caller's text, 7 window handle, ...) -> unassigned when nothing was
//                       chosen, else an array of the chosen rows, each an array whose column 0
//                       is the code
//   ShowInputDay([local-era flag, start "YYYYMMDD", DbName]) -> "YYYYMMDD" or ""
//   GetPhrase(UserID, DbName, window handle)                 -> a phrase or ""
// The questions go to a LookupAnswerer: real dialogs, or a script in tests.

#include "LookupAnswerer.h"

#include "platform/Automation.h"

#include <memory>

namespace zrv {

class DemoDatabase;

class HostLookupWindow : public DispatchObject {
public:
    HostLookupWindow(std::shared_ptr<DemoDatabase> db, std::shared_ptr<LookupAnswerer> answerer);

private:
    Variant F2GetData(std::span<Variant> args);
    Variant ShowInputDay(std::span<Variant> args);
    Variant GetPhrase(std::span<Variant> args);

    std::shared_ptr<DemoDatabase> db_;
    std::shared_ptr<LookupAnswerer> answerer_;
};

} // namespace zrv
