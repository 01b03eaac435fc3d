#include "platform/CodePage.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace zrv;

namespace {

const char* const kProfile = "; installed by setup\n"
                             "[Server Information]\r\n"
                             "ComputerName = srvA;srvB; \r\n"
                             "ServerPort=300\r\n"
                             "computername=ignored, the first one counts\r\n"
                             "Quoted=\"  padded  \"\r\n"
                             "Single='x'\r\n"
                             "Half=\"x\r\n"
                             "Url=http://host:8080/a=b\r\n"
                             "\r\n"
                             "# another comment\n"
                             "[WorkDLLPath]\n"
                             "a=\\bin\n"
                             "D:\\pkg\n"
                             "k : v\n"
                             "  b = D:\\x  \n"
                             "[ codepage ]\n"
                             "UICodePage=950\n"
                             "[Server Information]\n"
                             "Late=1\n";

} // namespace

TEST(IniFile, FindsKeysWithoutCaseAndTakesTheFirstValue)
{
    IniFile ini = IniFile::FromText(kProfile);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        { "Server Information", "ComputerName", "srvA;srvB;" }, // ";" is no comment in a value
        { "SERVER information", "computername", "srvA;srvB;" },
        { "Server Information", "Quoted", "  padded  " }, // quotes removed, blanks inside kept
        { "Server Information", "Single", "x" },
        { "Server Information", "Half", "\"x" }, // no closing quote: kept as written
        { "Server Information", "Url", "http://host:8080/a=b" }, // split at the first "="
        { "Server Information", "Late", "1" }, // a section written twice is one section
        { "CodePage", "UICodePage", "950" }, // blanks around the section name
        { "Server Information", "Missing", "<default>" },
        { "No Such Section", "ComputerName", "<default>" },
        { "WorkDLLPath", "k", "<default>" }, // "k : v" is a line, not a key
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.expected)
            << c.section << "/" << c.key;
    EXPECT_TRUE(ini.ValueExists("server information", "SERVERPORT"));
    EXPECT_FALSE(ini.ValueExists("WorkDLLPath", "D:\\pkg"));
    EXPECT_EQ(ini.ReadSections(),
        (std::vector<std::string> { "Server Information", "WorkDLLPath", "codepage" }));
}

TEST(IniFile, ReadsWholeSectionsInFileOrder)
{
    IniFile ini = IniFile::FromText(kProfile);
    EXPECT_EQ(ini.ReadSectionValues("workdllpath"),
        (std::vector<std::string> { "a=\\bin", "D:\\pkg", "k : v", "b=D:\\x" }));
    auto entries = ini.SectionEntries("WorkDLLPath");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[0].hasValue);
    EXPECT_EQ(entries[0].name, "a");
    EXPECT_EQ(entries[0].value, "\\bin");
    EXPECT_FALSE(entries[1].hasValue);
    EXPECT_EQ(entries[1].line, "D:\\pkg"); // a drive letter is not a "name:value" pair
    EXPECT_EQ(ini.ReadSection("Server Information"),
        (std::vector<std::string> {
            "ComputerName", "ServerPort", "Quoted", "Single", "Half", "Url", "Late" }));
    EXPECT_TRUE(ini.ReadSectionValues("nothing").empty());
}

TEST(IniFile, IntegersFallBackToTheDefault)
{
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {
        { "300", 300 },
        { " -12 ", -12 },
        { "+7", 7 },
        { "$1F", 31 },
        { "0x1f", 31 },
        { "2147483647", 2147483647 },
        { "-2147483648", -2147483647 - 1 },
        { "2147483648", 99 }, // does not fit
        { "99999999999999999999", 99 },
        { "12abc", 99 },
        { "1.5", 99 },
        { "", 99 },
        { "-", 99 },
        { "0x", 99 },
        { "abc", 99 },
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::FromText(std::string("[s]\nn=") + c.value + "\n");
        EXPECT_EQ(ini.ReadInteger("s", "n", 99), c.expected) << "value '" << c.value << "'";
    }
    EXPECT_EQ(IniFile::FromText("[s]\n").ReadInteger("s", "n", 5), 5);
}

TEST(IniFile, LegacyAndDamagedFiles)
{
    OverrideSystemCodePage(cpGB);
    // GBK bytes of "[语言]\nName=中文" are not UTF-8: they are decoded from the system code page.
    IniFile gbk = IniFile::FromBytes(EncodeToCodePage("[语言]\nName=中文\n", cpGB));
    EXPECT_EQ(gbk.ReadString("语言", "Name", ""), "中文");
    OverrideSystemCodePage(0);

    // A byte-order mark, NUL bytes, a header without "]" and a line far longer than inih's own
    // buffer: nothing is lost that can be kept.
    std::string longValue(5000, 'x');
    std::string text = "\xEF\xBB\xBFKey=1\n[s]\nA=a";
    text += '\0';
    text += "b\n[broken\nLong=" + longValue + "\nB=2\nbare line\n";
    IniFile damaged = IniFile::FromText(text);
    EXPECT_EQ(damaged.ReadString("", "Key", ""), "1");
    EXPECT_EQ(damaged.ReadString("s", "Long", ""), longValue);
    EXPECT_EQ(damaged.ReadString("s", "A", ""), "ab");
    EXPECT_EQ(damaged.ReadString("s", "B", ""), "2");
    EXPECT_EQ(damaged.ReadSectionValues("s").back(), "bare line");

    // Section names longer than inih's own buffer keep every character.
    const std::string longSection(80, 'S');
    IniFile longNames
        = IniFile::FromText("[" + longSection + "]\nk=1\n[" + longSection + "x]\nk=2\n");
    EXPECT_EQ(longNames.ReadString(longSection, "k", ""), "1");
    EXPECT_EQ(longNames.ReadString(longSection + "x", "k", ""), "2");
}

TEST(IniFile, MissingFileReadsAsEmpty)
{
    IniFile none("/nonexistent/folder/OrvaneC.ini");
    EXPECT_FALSE(none.Loaded());
    EXPECT_EQ(none.ReadString("a", "b", "d"), "d");

    auto path = std::filesystem::temp_directory_path() / "kv_inifile_test.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[a]\nb=c\n";
    }
    IniFile file(path.string());
    EXPECT_TRUE(file.Loaded());
    EXPECT_EQ(file.FileName(), path.string());
    EXPECT_EQ(file.ReadString("A", "B", ""), "c");
    std::filesystem::remove(path);
}
