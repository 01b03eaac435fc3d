#include "lib/AlertLog.h"

#include "LogFixture.h"
#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace zrv {
namespace {

    using AlertLogTest = test::LogFixture;

    TEST(AlertLogFileNameTest, OneFilePerPrefixAndPeriod)
    {
        DateParts day { 2024, 3, 5, 23, 59, 59, 999 };
        struct Case {
            const char* prefix;
            const char* period;
            const char* expected;
        } cases[] = {
            { "libstrs", "D", "/i/Log/Alert_libstrs_20240305.log" },
            { "libstrs", "M", "/i/Log/Alert_libstrs_202403.log" },
            { "libstrs", "Y", "/i/Log/Alert_libstrs_2024.log" },
            { "libstrs", "W", "/i/Log/Alert_libstrs_20240305.log" },
            { "libstrs", "", "/i/Log/Alert_libstrs_20240305.log" },
            // The letter compares with case.
            { "libstrs", "m", "/i/Log/Alert_libstrs_20240305.log" },
            { "libstrs", "y", "/i/Log/Alert_libstrs_20240305.log" },
            // A prefix with a "." carries its own extension.
            { "a.b", "D", "/i/Log/Alert_a.b_20240305" },
            { "a.b", "M", "/i/Log/Alert_a.b_202403" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(AlertLogFileName("/i/Log", c.prefix, c.period, day), c.expected)
                << c.prefix << " " << c.period;
        EXPECT_EQ(AlertLogFileName("/i/Log/", "p", "D", day), "/i/Log/Alert_p_20240305.log");
    }

    TEST(AlertLogLineTest, TimeStampToTheMillisecond)
    {
        EXPECT_EQ(AlertLogLine(DateParts { 2024, 3, 5, 7, 8, 9, 45 }, "LINE[115] bad"),
            "[2024/03/05 07:08:09:045] LINE[115] bad");
        EXPECT_EQ(AlertLogLine(DateParts { 2024, 12, 31, 23, 0, 0, 0 }, ""),
            "[2024/12/31 23:00:00:000] ");
    }

    TEST_F(AlertLogTest, ProductRootPathPrefersClientPath)
    {
        EXPECT_EQ(ProductRootPath(), Client());
        WriteRegistry({ { "ClientPath", "/c" }, { "ServerPath", "/s" } });
        EXPECT_EQ(ProductRootPath(), "/c");
        WriteRegistry({ { "ClientPath", "" }, { "ServerPath", "/s" } });
        EXPECT_EQ(ProductRootPath(), "/s");
        WriteRegistry({ { "ServerPath", "/s" } });
        EXPECT_EQ(ProductRootPath(), "/s");
        WriteRegistry({});
        EXPECT_EQ(ProductRootPath(), "");
    }

    TEST_F(AlertLogTest, AppendsTimeStampedLinesUnderTheInstallation)
    {
        // ClientPath and its Log folder do not exist yet: they are made.
        ASSERT_TRUE(WriteAlertLog("libstrs", "LINE[2735] first", "D"));
        ASSERT_TRUE(WriteAlertLog("libstrs", "second 中文", "D"));
        ASSERT_TRUE(WriteAlertLog("libstrs", "monthly", "M"));
        DateParts now = LocalNow();
        std::string daily = AlertLogFileName(Client() + "/Log", "libstrs", "D", now);
        std::string monthly = AlertLogFileName(Client() + "/Log", "libstrs", "M", now);

        std::string content = ReadFile(daily);
        std::regex lines(R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}:\d{3}\] LINE\[2735\] first\n)"
                         R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}:\d{3}\] second 中文\n)");
        EXPECT_TRUE(std::regex_match(content, lines)) << content;
        EXPECT_EQ(LogTexts(monthly), std::vector<std::string> { "monthly" });
    }

    TEST_F(AlertLogTest, TrailingSlashOfTheInstallationFolderIsNotDoubled)
    {
        WriteRegistry({ { "ServerPath", Client() + "/" } });
        ASSERT_TRUE(WriteAlertLog("x", "t", "Y"));
        EXPECT_TRUE(
            std::filesystem::exists(AlertLogFileName(Client() + "/Log", "x", "Y", LocalNow())));
    }

    TEST_F(AlertLogTest, FailureToWriteIsAnsweredNotRaised)
    {
        // The installation folder is a plain file: no Log folder can be made under it.
        std::string blocker = (root_ / "blocker").string();
        std::ofstream(blocker) << "x";
        WriteRegistry({ { "ClientPath", blocker } });
        EXPECT_FALSE(WriteAlertLog("libstrs", "lost", "D"));
        // A log file that is a folder cannot be appended to.
        std::filesystem::create_directories(
            AlertLogFileName(root_.string() + "/Log", "dir", "D", LocalNow()));
        EXPECT_FALSE(WriteAlertLogIn(root_.string() + "/Log", "dir", "lost", "D"));
    }

    TEST_F(AlertLogTest, WithoutAnInstallationTheExecutableFolderIsUsed)
    {
        WriteRegistry({});
        ASSERT_TRUE(WriteAlertLog("kv_lib_test_fallback", "here", "D"));
        std::string file
            = AlertLogFileName(ExecutableFolder() + "Log", "kv_lib_test_fallback", "D", LocalNow());
        EXPECT_EQ(LogTexts(file), std::vector<std::string> { "here" });
        std::filesystem::remove(file);
        std::error_code keepIfUsed;
        std::filesystem::remove(ExecutableFolder() + "Log", keepIfUsed);
    }

} // namespace
} // namespace zrv
