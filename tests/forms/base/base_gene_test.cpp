// The base form's own life: opening with a context, its identity and caption, pages and focus,
// the keys every module window shares, run parameters and the control-list check, rights, and
// the base parts of a run request.

#include "BaseGeneTestSupport.h"

#include "forms/base/ServerCalls.h"
#include "platform/components/Application.h"
#include "platform/components/Button.h"
#include "platform/components/Label.h"
#include "platform/components/MaskEdit.h"
#include "platform/components/SpeedButton.h"

#include <QApplication>
#include <QWidget>

using namespace zrv;
using namespace zrv::test;

namespace {

using Strings = std::vector<std::string>;

struct BaseGene : ProbeFixture { };

TEST_F(BaseGene, OpensWithItsIdentityAndStaysHidden)
{
    Open();
    ASSERT_TRUE(opened) << form->MessageTextLog;
    EXPECT_TRUE(dialogs->Records().empty()) << MessageTexts().front();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Name(), "frmKvsProbe");
    EXPECT_EQ(form->ModuleVersion, "890619");
    EXPECT_EQ(form->UserID, "DS");
    EXPECT_EQ(form->CompanyID, "DEMO");
    EXPECT_EQ(form->DbName, "DEMO");
    EXPECT_EQ(form->HostWindow, 0u);
    EXPECT_EQ(form->ModuleID, "KVSR58");
    EXPECT_EQ(form->ServerProgID, "KVSR58S.Class1");
    EXPECT_EQ(form->ProgramTitle, "进退货明细表(依供应商)");
    EXPECT_EQ(form->CompanyName, "华东示范贸易股份有限公司");
    EXPECT_TRUE(form->RequestIn936);
    EXPECT_EQ(form->VersionType, 9);
    EXPECT_EQ(form->ProductID, 1);
    EXPECT_EQ(form->ModuleKind, "R");
    EXPECT_EQ(form->HeaderSize, 9);
    EXPECT_EQ(form->ConditionBase, 1);
    EXPECT_EQ(form->ConditionCount, 1);
    EXPECT_EQ(form->DateFields, "edPrintDate");
    EXPECT_EQ(form->InfoArray(),
        Variant::ArrayOf({ Variant::Wide("DS"), Variant::Wide("DEMO"), Variant::Wide("KVSR58"),
            Variant::Wide("进退货明细表(依供应商)") }));

    // A second context is refused; the window keeps the first.
    Variant other = Context();
    other[1] = Variant("TW01");
    EXPECT_FALSE(form->OpenWithContext(other));
    EXPECT_EQ(form->CompanyID, "DEMO");
}

TEST_F(BaseGene, StartsOnItsOwnWhenItIsNotALibrary)
{
    // A program of its own opens with the built-in test context, which is short; it says so
    // before it has created its host object by name, so the message is the placeholder.
    RegisterHostStandIn(Installation::Get().Options());
    Create("KVSR58C");
    UnregisterHostStandIn();
    ASSERT_TRUE(Alive());
    EXPECT_EQ(form->UserID, "796");
    EXPECT_EQ(form->CompanyID, "KMTest60");
    EXPECT_EQ(form->ModuleID, "KVSR58");
    EXPECT_EQ(form->HostObject.Type(), varDispatch);
    EXPECT_NE(form->Caption().find("[您现在运行的是Exe版本!]"), std::string::npos);
    ASSERT_EQ(dialogs->Messages().size(), 1u);
    EXPECT_EQ(dialogs->Messages()[0].text, "Can not Get Message\rType= E, ID= 000038 ");
    ProcessAll();
    EXPECT_FALSE(Alive());
}

TEST_F(BaseGene, CaptionRules)
{
    struct Case {
        const char* name;
        int productId;
        const char* path;
        const char* caption;
    };
    const Case cases[] = {
        { "standard edition", 1, "KVSR58C.so", "进退货明细表(依供应商)[华东示范贸易股份有限公司]" },
        { "public edition", 5, "KVSR58C.so",
            "进退货明细表(依供应商)-普及版[华东示范贸易股份有限公司]" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host = Variant(Installation::Get().Host(c.productId));
        Open();
        ASSERT_TRUE(opened);
        form->ShowForm();
        EXPECT_EQ(form->Caption(), c.caption);
        Free();
    }

    // The title of a window that is not a library says so.
    Create();
    form->CompanyName = "示范";
    form->SetCaptionTitle("标题");
    EXPECT_EQ(form->Caption(), "标题[示范]");
    form->ModulePath = "/opt/zrv/KVSR58C";
    form->SetCaptionTitle("标题");
    EXPECT_EQ(form->ProgramTitle, "标题[您现在运行的是Exe版本!]");
    EXPECT_EQ(form->Caption(), "标题[您现在运行的是Exe版本!][示范]");
}

TEST_F(BaseGene, ConditionCountKeepsRoomForTheBaseConditions)
{
    struct Case {
        int base, count, n, expected;
    };
    const Case cases[] = { { 1, 0, 0, 1 }, { 1, 1, 12, 13 }, { 1, 5, 3, 3 }, { 0, 0, 4, 4 } };
    Create();
    for (const Case& c : cases) {
        form->ConditionBase = c.base;
        form->ConditionCount = c.count;
        form->SetConditionCount(c.n);
        EXPECT_EQ(form->ConditionCount, c.expected) << c.base << " " << c.count << " " << c.n;
    }
}

TEST_F(BaseGene, ShowingFocusesTheFirstEnabledControlOfTheFirstPage)
{
    Open();
    ASSERT_TRUE(opened);
    form->ed01->SetEnabled(false); // tab order 0 is skipped, 1 takes the focus
    form->pgOption->SetActivePageIndex(2);
    ShowAndActivate(*form);
    EXPECT_EQ(form->pgOption->ActivePageIndex(), 0);
    EXPECT_EQ(form->ActiveControl(), form->ed02);
    EXPECT_EQ(QApplication::focusWidget(), form->ed02->Handle());
}

TEST_F(BaseGene, TheSystemPageIsArrangedOnce)
{
    Open();
    ShowAndActivate(*form);
    form->pgOption->ChangePageByUser(form->tsOption2);
    EXPECT_TRUE(form->SystemPageArranged);
    EXPECT_EQ(form->lblToday->Left(), 8);
    EXPECT_EQ(form->lblToday->Top(), 12);
    EXPECT_EQ(form->edPrintDate->BoundsRect(), Bounds(60, 8, 85, form->edPrintDate->Height()));
    EXPECT_EQ(form->btnPrintDate->Left(), 145);
    EXPECT_EQ(form->tsOption2->Font()->Size(), 9);
    form->edPrintDate->SetLeft(100);
    form->pgOption->ChangePageByUser(form->tsOption1);
    form->pgOption->ChangePageByUser(form->tsOption2);
    EXPECT_EQ(form->edPrintDate->Left(), 100);
}

struct Keys : ProbeFixture {
    void SetUp() override
    {
        ProbeFixture::SetUp();
        Open();
        ASSERT_TRUE(opened);
        ShowAndActivate(*form);
        ASSERT_EQ(form->ActiveControl(), form->ed01);
    }
};

TEST_F(Keys, PageKeysMoveBetweenPages)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int page;
    };
    const Case cases[] = {
        { Qt::Key_Tab, Qt::ControlModifier, 1 },
        { Qt::Key_PageDown, Qt::ControlModifier, 2 },
        { Qt::Key_PageDown, Qt::ControlModifier, 0 }, // round again
        { Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2 },
        { Qt::Key_PageUp, Qt::ControlModifier, 1 },
        { Qt::Key_PageDown, Qt::NoModifier, 1 },
    };
    for (const Case& c : cases) {
        PressKey(c.key, c.mods);
        EXPECT_EQ(form->pgOption->ActivePageIndex(), c.page) << c.key;
    }
    // A page that is entered focuses its first control.
    PressKey(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form->ActiveControl(), form->ed31);
}

TEST_F(Keys, LeavingAPageRunsTheExitCheckQuietly)
{
    bool quietDuringCheck = false;
    form->ed01->OnExit = TNotifyEvent([&](TObject*) {
        quietDuringCheck = form->QuietMessages;
        form->CheckFailed = true;
    });
    PressKey(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form->pgOption->ActivePageIndex(), 0) << "the failed check keeps the page";
    EXPECT_TRUE(quietDuringCheck);
    EXPECT_FALSE(form->QuietMessages);

    form->ed01->OnExit = TNotifyEvent([&](TObject*) { form->CheckFailed = false; });
    PressKey(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form->pgOption->ActivePageIndex(), 1);
}

TEST_F(Keys, FunctionKeysAskForHelpAndLookups)
{
    PressKey(Qt::Key_F1);
    using Calls = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Installation::Get().helpCalls, (Calls { { "KVS", "12580000" } }));

    form->ed02->SetFocus();
    PressKey(Qt::Key_F2);
    form->Perform(WM_F2CONTROL, 0, reinterpret_cast<intptr_t>(form->ed31));
    form->Perform(WM_F2CONTROL, 0, 12345); // not a control: ignored
    EXPECT_EQ(form->log, (Strings { "F2 ed02", "F2 ed31" }));
}

TEST_F(Keys, CtrlAltVShowsTheModuleFile)
{
    PressKey(Qt::Key_V, Qt::ControlModifier);
    PressKey(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(dialogs->Messages().empty()) << "only exactly Ctrl+Alt";
    PressKey(Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(dialogs->Messages().size(), 1u);
    const auto r = dialogs->Messages()[0];
    EXPECT_EQ(r.type, TMsgDlgType::mtInformation);
    EXPECT_NE(r.text.find(form->ModulePath), std::string::npos);
    EXPECT_NE(r.text.find("890619"), std::string::npos);
}

TEST_F(Keys, EscClosesTheWindow)
{
    PressKey(Qt::Key_Escape);
    ProcessAll();
    EXPECT_FALSE(Alive());
}

TEST_F(Keys, EnterMovesOnOrToTheNextPage)
{
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(form->ActiveControl(), form->ed02);
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(form->ActiveControl(), form->mm03);

    // The first two lines of a memo take the line break; the third moves on.
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(form->ActiveControl(), form->mm03);
    EXPECT_EQ(form->mm03->CaretPos().Y, 2);
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(form->ActiveControl(), form->cbo04);
    EXPECT_EQ(form->mm03->Text(), "\r\n\r\n");

    // A control that ends its page moves to the next page; on the last page Enter stays.
    form->PageEndControls = { form->chk05, form->ed31 };
    form->chk05->SetFocus();
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(form->pgOption->ActivePageIndex(), 1);
    form->pgOption->ChangePageByUser(form->tsOption3);
    ASSERT_EQ(form->ActiveControl(), form->ed31);
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(form->pgOption->ActivePageIndex(), 2);
    EXPECT_EQ(form->ActiveControl(), form->ed31);
}

// Run parameters as the controller delivers them: [flag, X], X = [mode, [is control list,
// payload]].
Variant Params(const Variant& x) { return Variant::ArrayOf({ Variant(true), x }); }
Variant ControlList(const Strings& names)
{
    std::vector<Variant> items, values;
    for (const std::string& n : names) {
        items.push_back(Variant::ArrayOf({ Variant(""), Variant(n) }));
        values.push_back(Variant("v"));
    }
    return Variant::ArrayOf({ Variant::ArrayOf(items), Variant::ArrayOf(values) });
}
Variant RunParams(int mode, bool controls, const Variant& payload)
{
    return Variant::ArrayOf({ Variant(mode), Variant::ArrayOf({ Variant(controls), payload }) });
}

TEST_F(BaseGene, RunParameterModes)
{
    const Variant good = ControlList({ "ed01", "cbo04", "chk05", "mm03", "sp99x" });
    const Variant fine = ControlList({ "ed01", "cbo04", "chk05", "mm03" });
    struct Case {
        const char* name;
        Variant x;
        Strings log;
        bool interactive;
        bool autoRun;
        bool warned; // W;000014
    };
    const Case cases[] = {
        { "mode 0", RunParams(0, true, fine), {}, true, false, false },
        { "mode 1", RunParams(1, true, fine), { "ok" }, true, true, false },
        { "mode 2", RunParams(2, true, fine), { "ok" }, false, true, false },
        { "mode 3", RunParams(3, true, fine), { "run mode 3" }, false, true, false },
        { "unknown control", RunParams(1, true, good), {}, true, false, true },
        { "a button is no condition", RunParams(1, true, ControlList({ "btnOk" })), {}, true, false,
            true },
        { "empty lists", RunParams(1, true, ControlList({})), {}, true, false, true },
        { "lists of different lengths",
            RunParams(
                1, true, Variant::ArrayOf({ ControlList({ "ed01" })[0], Variant::ArrayOf({}) })),
            {}, true, false, true },
        { "payload for the module", RunParams(2, false, fine), {}, false, false, false },
        { "no payload", Variant::ArrayOf({ Variant(1) }), {}, true, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        ASSERT_TRUE(opened);
        dialogs->Clear();
        form->ApplyRunParams(Params(c.x));
        EXPECT_EQ(form->log, c.log);
        EXPECT_EQ(form->Interactive, c.interactive);
        EXPECT_EQ(form->AutoRun, c.autoRun);
        EXPECT_EQ(form->RunParamsStore, c.x);
        EXPECT_TRUE(form->Converted);
        EXPECT_EQ(form->MessageCodeLog.find("W;000014") != std::string::npos, c.warned);
        if (c.warned) {
            EXPECT_EQ(MessageTexts(), Strings { "传入的控件清单不正确，无法自动执行！" });
        }
        Free();
    }

    // Anything but an array is only kept.
    Open();
    form->ApplyRunParams(Params(Variant("later")));
    EXPECT_EQ(form->RunParamsStore, Variant("later"));
    EXPECT_TRUE(form->log.empty());
}

TEST_F(BaseGene, RightsAnswer)
{
    struct Case {
        const char* rights;
        bool flag7, flag8;
    };
    const Case cases[] = {
        { "Y,Y,Y,YYYYYYYY", true, true },
        { "Y,Y,Y,YYYYYYNY", false, true },
        { "Y,Y,Y,YYYYYYYN,N", true, false },
        { "Y,Y,Y,YYYYYYY", true, false }, // a missing character counts as N
        { "Y,Y", false, false },
        { "", false, false },
    };
    Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rights);
        form->log.clear();
        form->ApplyRights(Variant::ArrayOf({ Variant("DS"), Variant::Wide(c.rights),
            Variant("KVSR58"), Variant("DEMO"), Variant("部门='01'"), Variant("936") }));
        EXPECT_EQ(form->RightFlag7, c.flag7);
        EXPECT_EQ(form->RightFlag8, c.flag8);
        EXPECT_EQ(form->BaseLimited, u"部门='01'");
        EXPECT_EQ(form->log, Strings { "rights" });
    }
    form->ApplyRights(Variant("not an answer"));
    EXPECT_FALSE(form->RightFlag7);
    EXPECT_EQ(form->BaseLimited, u"");
}

TEST_F(BaseGene, TheRightsOfTheServerReachTheWindow)
{
    Open();
    ASSERT_TRUE(opened);
    form->ApplyRights(
        ServerCalls::GetPower(form->AppServer, form->DbName, form->UserID, form->ModuleID));
    EXPECT_EQ(form->log, Strings { "rights" });
}

TEST_F(BaseGene, TheBaseConditionIsThePrintDate)
{
    Open();
    ASSERT_TRUE(opened);
    struct Case {
        const char* text;
        const char* compact; // nullptr: the value cannot be read
    };
    const Case cases[] = {
        { "", "" },
        { "   ", "" },
        { "2024/05/06", "20240506" },
        { " 2024/5/6 ", "20240506" },
        { "2024/05/", "" }, // an incomplete entry
        { "/05/06", "" },
        { "2024-05-06", nullptr },
        { "abc", nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dialogs->Clear();
        form->edPrintDate->SetText(c.text);
        Variant values = Variant::Array(1, 3);
        const bool ok = form->FillConditionValues(values, 2);
        EXPECT_EQ(ok, c.compact != nullptr);
        if (c.compact) {
            EXPECT_EQ(values[3], Variant(c.compact));
        } else {
            EXPECT_EQ(MessageTexts(), Strings { "设置报表条件时发生错误！" });
        }
    }

    Variant labels = Variant::Array(1, 3);
    form->DirectView = false;
    ASSERT_TRUE(form->FillConditionLabels(labels, 2));
    EXPECT_EQ(labels[3], Variant::ArrayOf({ Variant("制表日期"), Variant("edPrintDate") }));
    EXPECT_TRUE(form->DirectView);
    Variant tooShort = Variant::Array(1, 1);
    EXPECT_FALSE(form->FillConditionLabels(tooShort, 2));
    EXPECT_EQ(MessageTexts().back(), "设置报表条件时发生错误！请检查制表日期。");
}

TEST_F(BaseGene, TheRequestHasTheBaseHeaderAndConditions)
{
    Open();
    ASSERT_TRUE(opened);
    form->edPrintDate->SetText("2024/05/06");
    ASSERT_TRUE(form->BuildRequest());
    const Variant& request = form->RequestArray;
    ASSERT_EQ(request.Count(), 3);
    const Variant& header = request[0];
    ASSERT_EQ(header.LowBound(1), 1);
    ASSERT_EQ(header.HighBound(1), 9);
    EXPECT_EQ(header[1], Variant("KVSR58"));
    EXPECT_EQ(header[2], Variant(9));
    EXPECT_EQ(header[3], Variant(1));
    EXPECT_EQ(header[4], Variant("DEMO"));
    EXPECT_EQ(header[5], Variant("DS"));
    EXPECT_EQ(header[6], Variant("DEMO"));
    EXPECT_EQ(header[7].Type(), varDate);
    EXPECT_EQ(header[8], Variant("KVSR58S.Class1"));
    EXPECT_EQ(header[9], Variant("R"));
    ASSERT_EQ(request[1].HighBound(1), 1);
    EXPECT_EQ(request[1][1], Variant::ArrayOf({ Variant("制表日期"), Variant("edPrintDate") }));
    EXPECT_EQ(request[2][1], Variant("20240506"));

    // Nothing to send without a header.
    form->HeaderSize = 0;
    EXPECT_FALSE(form->BuildRequest());
    EXPECT_EQ(MessageTexts().back(), "尚未设置报表条件或环境参数，无法送出！");
}

} // namespace
