#pragma once
// The validator object. Properties "ProductID" and "BaseLimited" (kept as given); methods
//   CheckValue(table, kind, DbName, conditions, result)  -> true and the first found row in result
//   QueryData(table, kind, DbName, conditions, result)   -> true and every found row in result
// (all arguments by reference). Rows are arrays from 0 in the order LookupCatalog gives; the
// conditions (an array, or one value) fill the statement's parameters in order. An unknown
// table or kind raises.

#include "platform/Automation.h"

#include <memory>

namespace zrv {

class DemoDatabase;

class HostValidator : public DispatchObject {
public:
    explicit HostValidator(std::shared_ptr<DemoDatabase> db);

    // The condition values as statement parameters.
    static std::vector<std::string> Parameters(const Variant& conditions);

private:
    Variant Ask(const std::string& member, std::span<Variant> args, bool allRows);

    std::shared_ptr<DemoDatabase> db_;
    Variant productId_ = Variant(0);
    Variant baseLimited_ = Variant::Wide("");
};

} // namespace zrv
