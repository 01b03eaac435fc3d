#pragma once
// A host object on a fresh demo database with a scripted answerer, per test.

#include "HostStandIn.h"
#include "ScriptedLookupAnswerer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zrv::test {

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::path(::testing::TempDir())
            / ("host_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        options.databasePath = (folder / "demo.db").string();
        options.schemeDatabasePath = (folder / "appserver.db").string();
        options.answerer = answerer;
        host = CreateHostObject(options);
    }
    void TearDown() override
    {
        host.reset();
        std::filesystem::remove_all(folder);
    }

    DispatchPtr Service(const char* name) { return host->Call(name).ToDispatch(); }

    std::filesystem::path folder;
    std::shared_ptr<ScriptedLookupAnswerer> answerer = std::make_shared<ScriptedLookupAnswerer>();
    HostOptions options;
    DispatchPtr host;
};

} // namespace zrv::test
