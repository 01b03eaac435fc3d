#include "lib/WebService.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace zrv;

TEST(WebService, AnswerFileNameCarriesTheLocalTimeToTheMillisecond)
{
    struct Case {
        int year, month, day, hour, minute, second, msec;
        const char* expected;
    };
    const Case cases[] = {
        { 2024, 3, 5, 14, 7, 9, 45, "/tmp/x/~Tarvo_20240305140709045.tmp" },
        { 2024, 12, 31, 23, 59, 59, 999, "/tmp/x/~Tarvo_20241231235959999.tmp" },
        { 2001, 1, 1, 0, 0, 0, 0, "/tmp/x/~Tarvo_20010101000000000.tmp" },
    };
    for (const auto& c : cases) {
        std::tm local {};
        local.tm_year = c.year - 1900;
        local.tm_mon = c.month - 1;
        local.tm_mday = c.day;
        local.tm_hour = c.hour;
        local.tm_min = c.minute;
        local.tm_sec = c.second;
        local.tm_isdst = -1;
        auto when = std::chrono::system_clock::from_time_t(std::mktime(&local))
            + std::chrono::milliseconds(c.msec);
        EXPECT_EQ(TarvoTempFileName("/tmp/x/", when), c.expected);
    }
}

TEST(WebService, TracePauseOnlyForALastArgumentT)
{
    struct Case {
        std::vector<std::string> args;
        bool pause;
    };
    const Case cases[] = {
        { { "host", "T" }, true },
        { { "host", "-x", "t" }, true },
        { { "host" }, false },
        { { "T" }, false }, // the program itself is no argument
        { { "host", "T", "x" }, false },
        { { "host", "TT" }, false },
        { { "host", " T" }, false },
        { {}, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TracePauseRequested(c.args), c.pause) << ::testing::PrintToString(c.args);
    auto own = CommandLineArguments();
    ASSERT_FALSE(own.empty());
    EXPECT_NE(own.front().find("test_lib"), std::string::npos);
}

TEST(WebService, MissingLibraryOrEntryPointGivesAnEmptyAnswer)
{
    EXPECT_EQ(
        CallWebService("http://127.0.0.1:1/", "m", "<a/>", "NoSuchWebServiceLibrary.dll"), "");
    // A library that exists but does not export the entry point.
    EXPECT_EQ(CallWebService("http://127.0.0.1:1/", "m", "<a/>", "libm.so.6"), "");
}

// Runs only in the child that PauseHookRunsForTraceArgument starts with "T" as last argument.
TEST(WebService, DISABLED_PauseHookChild)
{
    if (!std::getenv("KV_WEBSERVICE_PAUSE_CHILD"))
        GTEST_SKIP() << "runs only as the child of PauseHookRunsForTraceArgument";
    std::vector<std::string> messages;
    SetWebServicePauseHook([&](const std::string& m) { messages.push_back(m); });
    EXPECT_EQ(
        CallWebService("http://127.0.0.1:1/", "m", "<a/>", "NoSuchWebServiceLibrary.dll"), "");
    SetWebServicePauseHook(nullptr);
    // The exit code tells the parent that the checks ran and passed.
    bool passed = messages.size() == 1
        && messages[0] == "跟踪测试中断!可在此时设置Dll之Modules。点\"OK\"继续。";
    std::_Exit(passed ? 42 : 1);
}

TEST(WebService, PauseHookRunsForTraceArgument)
{
    // Without "T" the hook is never called.
    bool called = false;
    SetWebServicePauseHook([&](const std::string&) { called = true; });
    CallWebService("http://127.0.0.1:1/", "m", "<a/>", "NoSuchWebServiceLibrary.dll");
    SetWebServicePauseHook(nullptr);
    EXPECT_FALSE(called);

    std::string self = CommandLineArguments().front();
    std::string filter = "--gtest_filter=WebService.DISABLED_PauseHookChild";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = { self.data(), filter.data(), disabled.data(), const_cast<char*>("T"), nullptr };
    setenv("KV_WEBSERVICE_PAUSE_CHILD", "1", 1);
    pid_t pid;
    int rc = posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ);
    unsetenv("KV_WEBSERVICE_PAUSE_CHILD");
    ASSERT_EQ(rc, 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 42) << "the child's checks failed or did not run";
}
