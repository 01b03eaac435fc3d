#include "lib/StrFields.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace zrv {
namespace {

    TEST(GetFieldTest, SplitsAtWholeSeparator)
    {
        struct Case {
            const char* text;
            const char* sep;
            int n;
            const char* expected;
        } cases[] = {
            { "a\003b", "\003", 1, "a" },
            { "a\003b", "\003", 2, "b" },
            { "a\003b", "\003", 3, "" },
            { "a\003b\003", "\003", 2, "b" },
            { "a\003b\003", "\003", 3, "" },
            { "a\003b\003", "\003", 4, "" },
            { "\003a", "\003", 1, "" },
            { "\003a", "\003", 2, "a" },
            { "a\003\003c", "\003", 3, "c" },
            { "abc", "\003", 1, "abc" },
            { "abc", "\003", 0, "" },
            { "abc", "\003", -1, "" },
            { "", "\003", 1, "" },
            { "a::b::c", "::", 2, "b" },
            { "a::b::c", "::", 3, "c" },
            { "a:b::c", "::", 1, "a:b" },
            { "甲，乙，丙", "，", 2, "乙" },
            { "abc", "", 1, "abc" },
            { "abc", "", 2, "" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(GetField(c.text, c.sep, c.n), c.expected) << c.text << " #" << c.n;
    }

    TEST(CountFieldsTest, CountsSeparatorsPlusOne)
    {
        struct Case {
            const char* text;
            const char* sep;
            int expected;
        } cases[] = {
            { "a,b,c", ",", 3 },
            { "", ",", 0 },
            { "abc", ",", 1 },
            { "a,,", ",", 3 },
            { ",", ",", 2 },
            { "a::b::c", "::", 3 },
            { ":::", "::", 2 },
            { "abc", "", 1 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(CountFields(c.text, c.sep), c.expected) << c.text;
    }

    TEST(CutTokenTest, TakesTextBeforeFirstSeparator)
    {
        struct Case {
            const char* text;
            const char* sep;
            const char* token;
            const char* rest;
        } cases[] = {
            { "2024/03/05", "/", "2024", "03/05" },
            { "05", "/", "05", "" },
            { "/x", "/", "", "x" },
            { "x/", "/", "x", "" },
            { "", "/", "", "" },
            { "a--b--c", "--", "a", "b--c" },
            { "abc", "", "abc", "" },
        };
        for (const auto& c : cases) {
            std::string text = c.text;
            std::string token = "stale";
            CutToken(text, c.sep, token);
            EXPECT_EQ(token, c.token) << c.text;
            EXPECT_EQ(text, c.rest) << c.text;
        }
    }

    TEST(ReplaceAllTextTest, ReplacesUntilNoneIsLeft)
    {
        struct Case {
            const char* text;
            const char* oldText;
            const char* newText;
            bool trim;
            const char* expected;
        } cases[] = {
            { "aXbX", "X", "", false, "ab" },
            { "aBc", "B", "b", false, "aBc" }, // equal without regard to case: nothing changes
            { "a\r\nb\r\n", "\r\n", "", false, "ab" },
            { "a;b;c", ";", ",", false, "a,b,c" },
            // Searching again from the start catches occurrences a replacement forms.
            { "aabb", "ab", "", false, "" },
            { "xaabby", "ab", "", false, "xy" },
            { "  a;b; ", ";", "", true, "ab" },
            { "  a;b; ", ";", "", false, "  ab " },
            { "abc", "", "x", false, "abc" },
            { "", "a", "b", false, "" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(ReplaceAllText(c.text, c.oldText, c.newText, c.trim), c.expected) << c.text;
    }

    TEST(ReplaceAllTextTest, TerminatesWhenReplacementContainsTheSearchedText)
    {
        // Each occurrence is replaced once, from left to right.
        struct Case {
            const char* text;
            const char* oldText;
            const char* newText;
            const char* expected;
        } cases[] = {
            { "a;b", ";", ";;", "a;;b" },
            { "xx", "x", "xy", "xyxy" },
            { "abc", "b", "[b]", "a[b]c" },
            { "aa", "a", "Aa", "AaAa" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(ReplaceAllText(c.text, c.oldText, c.newText, false), c.expected) << c.text;
    }

    TEST(StrToFloatOrTest, ReadsWholeDecimalNumbersOnly)
    {
        struct Case {
            const char* text;
            double expected;
        } cases[] = {
            { "3.5", 3.5 },
            { " 2 ", 2 },
            { "-1e3", -1000 },
            { "+4", 4 },
            { ".5", 0.5 },
            { "5.", 5 },
            { "0", 0 },
            { "abc", -9 },
            { "", -9 },
            { " ", -9 },
            { "1.2.3", -9 },
            { "12abc", -9 },
            { "inf", -9 },
            { "nan", -9 },
            { "0x10", -9 },
            { "1e", -9 },
            { "1e999", -9 },
            { "-", -9 },
            { ".", -9 },
        };
        for (const auto& c : cases)
            EXPECT_DOUBLE_EQ(StrToFloatOr(c.text, -9), c.expected) << c.text;
    }

    TEST(IsLocalHostAddressTest, OnlyTheLoopbackAddressItself)
    {
        EXPECT_TRUE(IsLocalHostAddress("127.0.0.1"));
        for (const char* other :
            { "localhost", "127.0.0.2", " 127.0.0.1", "127.0.0.1 ", "", "::1" })
            EXPECT_FALSE(IsLocalHostAddress(other)) << other;
    }

    class TmpDirGuard {
    public:
        TmpDirGuard()
        {
            if (const char* old = std::getenv("TMPDIR"))
                old_ = old;
        }
        ~TmpDirGuard()
        {
            if (old_)
                setenv("TMPDIR", old_->c_str(), 1);
            else
                unsetenv("TMPDIR");
        }

    private:
        std::optional<std::string> old_;
    };

    TEST(LongTempPathTest, ResolvesTheTemporaryFolder)
    {
        TmpDirGuard guard;
        namespace fs = std::filesystem;
        fs::path base = fs::temp_directory_path() / ("kv_longtemp_" + std::to_string(getpid()));
        fs::create_directories(base / "real");
        fs::create_directory_symlink(base / "real", base / "link");

        setenv("TMPDIR", (base / "link").c_str(), 1);
        EXPECT_EQ(LongTempPath(), fs::canonical(base / "real").string() + "/");

        setenv("TMPDIR", (base / "missing").c_str(), 1);
        EXPECT_EQ(LongTempPath(), "");
        fs::remove_all(base);
    }

    TEST(DialogButtonCaptionTest, StandardButtonsGetChineseCaptions)
    {
        struct Case {
            const char* name;
            const char* caption;
        } cases[] = {
            { "Yes", "是(&Y)" },
            { "No", "否(&N)" },
            { "OK", "确定" },
            { "Cancel", "取消" },
            { "Abort", "中断(&A)" },
            { "Retry", "重试(&R)" },
            { "Ignore", "忽略(&I)" },
            { "All", "全部(&A)" },
            { "NoToAll", "全否(&o)" },
            { "YesToAll", "全是(&A)" },
            { "Help", "帮助(&H)" },
            // Names compare with case; others come back unchanged.
            { "yes", "yes" },
            { "Ok", "Ok" },
            { "Close", "Close" },
            { "", "" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(DialogButtonCaption(c.name), c.caption) << c.name;
    }

} // namespace
} // namespace zrv
