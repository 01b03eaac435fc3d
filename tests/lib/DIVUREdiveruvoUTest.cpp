#include "lib/DIVUREdiveruvoU.h"

#include "LogFixture.h"
#include "lib/AlertLog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <regex>

namespace zrv {
namespace {

    class GeneratorLogTest : public test::LogFixture {
    protected:
        std::string LogFile(const std::string& root)
        {
            DateParts now = LocalNow();
            char date[16];
            std::snprintf(date, sizeof date, "%.4d%.2d%.2d", now.year, now.month, now.day);
            return root + "/Log/Alert_DIVUREdiveruvo_" + date + ".log";
        }
        std::vector<std::string> Texts() { return LogTexts(LogFile(Client())); }
    };

    const std::string kDashes = "----------------------------------";

    TEST(ScramblePasswordTest, RotatesEachByteByItsPosition)
    {
        EXPECT_EQ(ScramblePassword("A"), "a0");
        // Position 8 is not rotated: 'H' (48) stays 48; position 9 rotates by one again.
        std::string scrambled = ScramblePassword("ABCDEFGHA");
        EXPECT_EQ(scrambled.substr(14, 2), "48");
        EXPECT_EQ(scrambled.substr(16, 2), "a0");
        EXPECT_EQ(scrambled.size(), 18u);
        for (char c : scrambled)
            EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c))
                && !std::isupper(static_cast<unsigned char>(c)));
    }

    TEST(ScramblePasswordTest, EmptyPasswordIsStoredAsTheMarker)
    {
        std::string scrambled = ScramblePassword("");
        EXPECT_EQ(scrambled.size(), 72u);
        EXPECT_EQ(scrambled, ScramblePassword(kEmptyPasswordMarker));
        EXPECT_EQ(UnscramblePassword(scrambled), "");
        EXPECT_EQ(UnscramblePassword(""), "");
    }

    TEST(ScramblePasswordTest, RoundTripsEveryByteAtEveryRotation)
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        EXPECT_EQ(UnscramblePassword(ScramblePassword(all)), all);
        for (int b = 0; b < 256; ++b) {
            for (int position = 1; position <= 8; ++position) {
                std::string text(position - 1, 'x');
                text += static_cast<char>(b);
                ASSERT_EQ(UnscramblePassword(ScramblePassword(text)), text)
                    << b << " at " << position;
            }
        }
        EXPECT_EQ(UnscramblePassword(ScramblePassword("密码 sa")), "密码 sa");
    }

    TEST(ScramblePasswordTest, UnscrambleIgnoresAnUnpairedLastCharacterAndReadsUpperCase)
    {
        std::string scrambled = ScramblePassword("secret");
        EXPECT_EQ(UnscramblePassword(scrambled + "7"), "secret");
        std::string upper = scrambled;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(UnscramblePassword(upper), "secret");
        EXPECT_EQ(UnscramblePassword("a"), "");
    }

    TEST_F(GeneratorLogTest, MalformedScrambledTextGivesTheErrorMarkerAndAReport)
    {
        for (const char* bad : { "zz", "a0z1", "-1", " a" })
            EXPECT_EQ(UnscramblePassword(bad), kPasswordErrorMarker) << bad;
        auto texts = Texts();
        ASSERT_EQ(texts.size(), 4u * 5);
        EXPECT_EQ(texts[0], kDashes + " on " + ScramblePassword("DecodeSQLSa") + " " + kDashes);
        EXPECT_EQ(texts[1], "讯息信息:");
        EXPECT_TRUE(texts[2].starts_with("Exception is EConvertError\r\nMessage 01: ")) << texts[2];
        EXPECT_NE(texts[2].find("zz"), std::string::npos);
        EXPECT_EQ(texts[3], "ErrorMessage Count: 1");
        EXPECT_EQ(texts[4], "Programer Message: 解析 Sa 时发生错误!");
    }

    TEST_F(GeneratorLogTest, ReportHeaderAlone)
    {
        ReportException(nullptr, "", "");
        ReportException(nullptr, "  ", " ");
        EXPECT_EQ(Texts(), (std::vector<std::string> { kDashes + kDashes, kDashes + kDashes }));
    }

    TEST_F(GeneratorLogTest, ReportLinesByExceptionKind)
    {
        struct Case {
            std::function<void()> raise;
            std::vector<std::string> lines;
        } cases[] = {
            { [] {
                 throw EDBEngineError("db", { { 7, "table busy" }, { 12, "key 100% taken" } });
             },
                { "EDBEngineError Error 01: Code: 7, Message: table busy",
                    "EDBEngineError Error 02: Code: 12, Message: key 100% taken",
                    "ErrorMessage Count: 2" } },
            { [] { throw EDBEngineError("db", {}); }, { "ErrorMessage Count: 0" } },
            { [] { throw EWin32Error("Access denied", 5); },
                { "EWin32Error Error 01: Code: 5, Message: Access denied",
                    "ErrorMessage Count: 1" } },
            { [] { throw EInOutError("File not found", 2); },
                { "EInOutError Error 01: Code: 2, Message: File not found",
                    "ErrorMessage Count: 1" } },
            // No character of a message is taken as a format directive.
            { [] { throw std::runtime_error("100%s %d sure"); },
                { "Exception is std::runtime_error\r\nMessage 01: 100%s %d sure",
                    "ErrorMessage Count: 1" } },
        };
        for (const auto& c : cases) {
            std::filesystem::remove(LogFile(Client()));
            try {
                c.raise();
            } catch (const std::exception& e) {
                ReportException(&e, "TfrmBaseGene.Load", "note");
            }
            std::vector<std::string> expected { kDashes + " on TfrmBaseGene.Load " + kDashes,
                "讯息信息:" };
            expected.insert(expected.end(), c.lines.begin(), c.lines.end());
            expected.push_back("Programer Message: note");
            EXPECT_EQ(Texts(), expected);
        }
    }

    TEST_F(GeneratorLogTest, LinesCarryTheLocalTimeStamp)
    {
        ASSERT_TRUE(WriteGeneratorLog("hello"));
        std::string content = ReadFile(LogFile(Client()));
        EXPECT_TRUE(std::regex_match(content, std::regex(R"(\[[^\]\n]+\] hello\n)"))) << content;
    }

    TEST_F(GeneratorLogTest, RootFallsBackToServerPathThenTheTemporaryFolder)
    {
        WriteRegistry({ { "ClientPath", "" }, { "ServerPath", root_.string() + "/server" } });
        EXPECT_EQ(GeneratorRootPath(), root_.string() + "/server");
        ASSERT_TRUE(WriteGeneratorLog("to server"));
        EXPECT_EQ(LogTexts(LogFile(root_.string() + "/server")),
            std::vector<std::string> { "to server" });

        WriteRegistry({});
        std::string temp = root_.string() + "/tmp/";
        std::filesystem::create_directories(temp);
        setenv("TMPDIR", temp.c_str(), 1);
        EXPECT_EQ(GeneratorRootPath(), temp);
        ASSERT_TRUE(WriteGeneratorLog("to temp"));
        EXPECT_EQ(LogTexts(LogFile(temp.substr(0, temp.size() - 1))),
            std::vector<std::string> { "to temp" });

        // A temporary folder name longer than the generator ever read is not taken.
        setenv("TMPDIR", (root_.string() + "/" + std::string(260, 't')).c_str(), 1);
        EXPECT_EQ(GeneratorRootPath(), "/tmp");
    }

} // namespace
} // namespace zrv
