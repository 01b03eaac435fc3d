#pragma once
// The host object "HalvorWorkCenter.Manager". Members (late-bound):
//   VersionType, ProductID                 -> integers
//   CallHelp([system, topic])              hands the request to the help handler
//   GetMessage(type, number)               -> the message template
//   GetFileList([lower-case file name])    -> "<Modify>stamp</Modify><Path>path</Path>", or ""
//   Com_Counter, Com_Validator, Com_F2Window -> the service objects (one each per host object)

#include "HostStandIn.h"

#include <memory>

namespace zrv {

class DemoDatabase;

class HostManager : public DispatchObject {
public:
    // Raises DemoDatabaseError when the demo database cannot be opened or built.
    explicit HostManager(const HostOptions& options);
    ~HostManager() override;

    DemoDatabase& Database() const { return *db_; }

private:
    Variant Setting(const std::string& name, int fallback) const;
    Variant GetMessage(std::span<Variant> args);

    HostOptions options_;
    std::shared_ptr<DemoDatabase> db_;
    DispatchPtr counter_;
    DispatchPtr validator_;
    DispatchPtr lookup_;
};

} // namespace zrv
