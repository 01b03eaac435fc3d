// The routines the base form delegates to: module identifiers from file names, window names,
// help topics, message codes and their templates, and the dialogs of message types.

#include "forms/base/BaseGeneU.h"

#include <gtest/gtest.h>

using namespace zrv;

namespace {

TEST(BaseGeneU, ModuleIdentifierFromTheFileName)
{
    struct Case {
        const char* path;
        bool library;
        const char* id;
    };
    const Case cases[] = {
        { "/opt/zrv/C_PKG/KVSR58C.so", true, "KVSR58" },
        { "kvsr58c.SO", true, "kvsr58" },
        { "/opt/zrv/KVSR58CX.exe", false, "KVSR58" }, // two characters go
        { "/opt/zrv/KVSR58.exe", false, "KVSR58" }, // never shorter than six characters
        { "/opt/zrv/INVR05C", false, "INVR05" }, // no extension
        { "/x/AB.so", true, "AB.so" },
        { "/x/PURR101C.so", true, "PURR101" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsLibraryFile(c.path), c.library);
        EXPECT_EQ(ModuleIDFromFileName(c.path, IsLibraryFile(c.path)), c.id);
    }
    EXPECT_FALSE(IsLibraryFile("/x/KVSR58C.dll")) << "this platform's libraries end in .so";
    EXPECT_FALSE(IsLibraryFile("/x/KVSR58C.so.1"));
    EXPECT_FALSE(IsLibraryFile("/x.so/KVSR58C"));
}

TEST(BaseGeneU, WindowNameAgainstModule)
{
    EXPECT_TRUE(WindowNameMatchesModule("frmKvsr58", "KVSR58"));
    EXPECT_TRUE(WindowNameMatchesModule("frmKVSR58", "kvsr99"));
    EXPECT_FALSE(WindowNameMatchesModule("frmKvsr58", "ABCD12"));
    EXPECT_FALSE(WindowNameMatchesModule("frm", "KVSR58"));
    EXPECT_FALSE(WindowNameMatchesModule("frmBaseGene", "KVSR58"));
}

TEST(BaseGeneU, HelpTopics)
{
    struct Case {
        const char* module;
        const char* topic; // nullptr: no help call
    };
    const Case cases[] = {
        { "INVR05", "12050000" },
        { "MOCAR2", "62R20000" },
        { "PURB03", "13030000" },
        { "ACTMB1", "83B10000" },
        { "invr05", "12050000" },
        { "KVSR58", "12580000" },
        { "ABCX12", nullptr },
        { "ABCAX1", nullptr },
        { "ABCM", nullptr },
        { "ABC", nullptr },
        { "", nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.module);
        auto topic = HelpTopicFor(c.module);
        if (c.topic)
            EXPECT_EQ(topic.value_or("(none)"), c.topic);
        else
            EXPECT_FALSE(topic.has_value()) << *topic;
    }
}

TEST(BaseGeneU, MessageCodes)
{
    struct Case {
        const char* code;
        const char* type;
        const char* number;
        bool show;
        std::vector<std::string> params;
    };
    const Case cases[] = {
        { "E;000038", "E", "000038", true, { "" } },
        { "I;-000004;J123", "I", "000004", false, { "J123" } },
        { "E;000030;", "E", "000030", true, { "" } },
        { "W;000002;条件;9;8", "W", "000002", true, { "条件", "9", "8" } },
        { "E;-1", "E", "1", false, { "" } }, { "E;abc;x", "E", "bc", false, { "x" } },
        { "E;000001;1;2;3;4;5;6;7;8;9;10;11", "E", "000001", true,
            { "1", "2", "3", "4", "5", "6", "7", "8", "9", "10" } }, // ten places
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TMessageCode m = ParseMessageCode(c.code);
        EXPECT_EQ(m.type, c.type);
        EXPECT_EQ(m.number, c.number);
        EXPECT_EQ(m.show, c.show);
        EXPECT_EQ(m.params, c.params);
    }
}

TEST(BaseGeneU, MessageTemplates)
{
    struct Case {
        const char* templ;
        std::vector<std::string> params;
        const char* text;
    };
    const Case cases[] = {
        { "报表作业已送出，工作编号：%s", { "J123" }, "报表作业已送出，工作编号：J123" },
        { "%s不可小于%s！", { "截止日期", "起始日期" }, "截止日期不可小于起始日期！" },
        { "no placeholders", { "x" }, "no placeholders" },
        { "100%% %s", { "done" }, "100% done" },
        { "%1:s-%0:s-%s", { "a", "b" }, "b-a-b" },
        { "[%-4s][%4s][%.2s]", { "ab", "cd", "xyz" }, "[ab  ][  cd][xy]" },
        { "%s %s", { "only one" }, "only one " }, // missing parameters are empty
        // Templates the formatter cannot serve: the template and the parameters.
        { "%d items", { "3" }, "%d items\r3;" },
        { "%10:s", { "a", "b" }, "%10:s\ra;b;" },
        { "trailing %", { "x" }, "trailing %\rx;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templ);
        EXPECT_EQ(MessageTextFor(c.templ, c.params), c.text);
    }
    // Eleven placeholders ask for more than the ten places.
    EXPECT_FALSE(FormatMessageTemplate("%s%s%s%s%s%s%s%s%s%s%s", {}).has_value());
}

TEST(BaseGeneU, DialogsOfMessageTypes)
{
    struct Case {
        const char* letter;
        TMsgDlgType type;
        TMsgDlgButtons buttons;
    };
    const Case cases[] = {
        { "C", TMsgDlgType::mtWarning, mbOKCancel },
        { "D", TMsgDlgType::mtWarning, mbYesNoCancel },
        { "E", TMsgDlgType::mtError, mbOKOnly },
        { "I", TMsgDlgType::mtInformation, mbOKOnly },
        { "Q", TMsgDlgType::mtConfirmation, mbOKCancel },
        { "W", TMsgDlgType::mtWarning, mbOKCancel },
        { "R", TMsgDlgType::mtCustom, mbOKOnly },
        { "", TMsgDlgType::mtCustom, mbOKOnly },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        EXPECT_EQ(DialogTypeForLetter(c.letter), c.type);
        EXPECT_EQ(DefaultButtonsForLetter(c.letter), c.buttons);
    }
}

} // namespace
