// Application-server access and messages of the base form: the message codes and their logs,
// typed messages and dialog buttons, system settings, the validator and counter calls, the
// program title, and connecting to the server in this process, over a socket, and failing to.

#include "BaseGeneTestSupport.h"

#include "AppServerListener.h"
#include "forms/base/ObjBrkr.h"
#include "forms/base/ServerCalls.h"
#include "platform/CodePage.h"
#include "platform/components/Button.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zrv;
using namespace zrv::test;

namespace {

using Strings = std::vector<std::string>;

// An automation object whose members the test writes, and which notes every call.
class FakeObject : public DispatchObject {
public:
    using DispatchObject::AddMethod;
    using DispatchObject::AddProperty;
    Variant Invoke(const std::string& member, InvokeKind kind, std::span<Variant> args) override
    {
        std::string call = member;
        for (const Variant& a : args)
            call += " " + a.Debug();
        calls.push_back(call);
        return DispatchObject::Invoke(member, kind, args);
    }
    Strings calls;
};

// A host whose counter answers the given settings and whose validator is `validator`.
std::shared_ptr<FakeObject> FakeHost(
    const std::vector<std::pair<std::string, std::string>>& settings,
    std::shared_ptr<FakeObject> validator = nullptr, std::shared_ptr<FakeObject> counter = nullptr)
{
    auto host = std::make_shared<FakeObject>();
    if (!counter)
        counter = std::make_shared<FakeObject>();
    counter->AddMethod("GetSysInfo", [settings](std::span<Variant>) {
        Variant info = Variant::Array2(0, 1, 0, static_cast<int>(settings.size()) - 1);
        for (size_t i = 0; i < settings.size(); ++i) {
            info.At(0, static_cast<int>(i)) = Variant(settings[i].first);
            info.At(1, static_cast<int>(i)) = Variant(settings[i].second);
        }
        return info;
    });
    host->AddMethod("VersionType", [](std::span<Variant>) { return Variant(9); });
    host->AddMethod("ProductID", [](std::span<Variant>) { return Variant(1); });
    host->AddMethod("Com_Counter", [counter](std::span<Variant>) { return Variant(counter); });
    host->AddMethod("Com_Validator", [validator](std::span<Variant>) {
        if (!validator)
            throw AutomationError("no validator here");
        return Variant(std::static_pointer_cast<Dispatch>(validator));
    });
    host->AddMethod("GetMessage", [](std::span<Variant> a) {
        return Variant::Wide("[" + a[0].ToString() + a[1].ToString() + "] %s");
    });
    return host;
}

struct Messages : ProbeFixture {
    void SetUp() override
    {
        ProbeFixture::SetUp();
        Open();
        ASSERT_TRUE(opened);
        form->SetCaption("进退货明细表");
    }
};

TEST_F(Messages, CodesAreLoggedAndShownByType)
{
    form->ShowMessageCode("E;000038");
    EXPECT_EQ(form->MessageCodeLog, "E;000038; ");
    EXPECT_EQ(form->MessageTextLog, "传入作业的环境参数不足，无法开启此作业！; ");
    ASSERT_EQ(dialogs->Messages().size(), 1u);
    const auto r = dialogs->Messages()[0];
    EXPECT_EQ(r.type, TMsgDlgType::mtError);
    EXPECT_EQ(r.text, "传入作业的环境参数不足，无法开启此作业！");
    EXPECT_EQ(r.buttons, mbOKOnly);
    EXPECT_EQ(r.caption, "进退货明细表");

    // A negative number records without a dialog.
    form->ShowMessageCode("I;-000004;J123");
    EXPECT_EQ(form->MessageCodeLog, "E;000038; I;-000004;J123; ");
    EXPECT_EQ(form->MessageTextLog,
        "传入作业的环境参数不足，无法开启此作业！; 报表作业已送出，工作编号：J123; ");
    EXPECT_EQ(dialogs->Messages().size(), 1u);

    // The same text twice is one text but two codes.
    form->ShowMessageCode("E;000038");
    EXPECT_EQ(form->MessageCodeLog, "E;000038; I;-000004;J123; E;000038; ");
    EXPECT_EQ(form->MessageTextLog,
        "传入作业的环境参数不足，无法开启此作业！; 报表作业已送出，工作编号：J123; ");

    // An error without a code; an empty one clears both logs.
    form->RecordError("  socket closed  ");
    EXPECT_TRUE(form->MessageCodeLog.ends_with("E;-1; "));
    EXPECT_TRUE(form->MessageTextLog.ends_with("socket closed; "));
    EXPECT_EQ(dialogs->Messages().size(), 2u);
    form->RecordError(" ");
    EXPECT_EQ(form->MessageCodeLog, "");
    EXPECT_EQ(form->MessageTextLog, "");
    form->ShowMessageCode("W;000004;x");
    form->ShowMessageCode("");
    EXPECT_EQ(form->MessageCodeLog, "");
    EXPECT_EQ(form->MessageTextLog, "");
}

TEST_F(Messages, DialogTypesButtonsAndQuietMode)
{
    struct Case {
        const char* code;
        bool quiet;
        bool shown;
        TMsgDlgType type;
    };
    const Case cases[] = {
        { "W;000004;数量", false, true, TMsgDlgType::mtWarning },
        { "W;000004;数量", true, false, TMsgDlgType::mtWarning },
        { "E;000037", true, true, TMsgDlgType::mtError },
        { "I;000011", true, false, TMsgDlgType::mtInformation },
        { "Q;000001", false, true, TMsgDlgType::mtConfirmation },
        { "R;200235", false, true, TMsgDlgType::mtCustom },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        dialogs->Clear();
        form->ShowMessageCode("");
        form->QuietMessages = c.quiet;
        form->ShowMessageCode(c.code);
        EXPECT_EQ(form->MessageCodeLog, std::string(c.code) + "; ") << "logged in any case";
        ASSERT_EQ(dialogs->Messages().size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(dialogs->Messages()[0].type, c.type);
            EXPECT_EQ(dialogs->Messages()[0].buttons, mbOKOnly);
        }
    }
    form->QuietMessages = false;
}

TEST_F(Messages, ButtonCaptionsFollowTheInterfaceCodePage)
{
    using Captions = std::map<TMsgDlgBtn, std::string>;
    form->ShowTypedMessage("D", "000001", {});
    ASSERT_EQ(dialogs->Messages().size(), 1u);
    EXPECT_EQ(dialogs->Messages()[0].buttons, mbYesNoCancel);
    EXPECT_EQ(dialogs->Messages()[0].buttonCaptions,
        (Captions { { mbYes, "是(&Y)" }, { mbNo, "否(&N)" }, { mbCancel, "取消" } }));

    form->ZrConverter->SetCodePages("437", "437", "936");
    form->ShowTypedMessage("D", "000001", {});
    EXPECT_TRUE(dialogs->Messages()[1].buttonCaptions.empty());
}

TEST_F(Messages, TypedMessagesTakeTheirOwnOrTheGivenButtons)
{
    struct Case {
        const char* type;
        const char* number;
        std::vector<std::string> args;
        TMsgDlgButtons given;
        TMsgDlgButtons shown;
        const char* text;
    };
    const Case cases[] = {
        { "D", "000001", {}, 0, mbYesNoCancel, "资料已经修改，是否保存？" },
        { "D", "000001", {}, mbOKOnly, mbOKOnly, "资料已经修改，是否保存？" },
        { "C", "000001", {}, 0, mbOKCancel, "资料尚未保存，确定要离开吗？" },
        { "E", "100082", { "截止日期", "起始日期" }, 0, mbOKOnly, "截止日期不可小于起始日期！" },
        { "I", "000004", { "J1" }, mbOKCancel, mbOKCancel, "报表作业已送出，工作编号：J1" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + c.number);
        dialogs->Clear();
        dialogs->QueueAnswer(mrNo);
        EXPECT_EQ(form->ShowTypedMessage(c.type, c.number, c.args, c.given), mrNo);
        ASSERT_EQ(dialogs->Messages().size(), 1u);
        EXPECT_EQ(dialogs->Messages()[0].buttons, c.shown);
        EXPECT_EQ(dialogs->Messages()[0].text, c.text);
    }
    EXPECT_EQ(form->MessageCodeLog, "") << "typed messages leave the logs alone";
}

TEST_F(Messages, NothingIsSaidWhileCancelHasTheFocus)
{
    ShowAndActivate(*form);
    form->btnCancel->SetFocus();
    ASSERT_EQ(form->ActiveControl(), form->btnCancel);
    form->ShowMessageCode("E;000037");
    form->RecordError("boom");
    EXPECT_EQ(form->MessageCodeLog, "");
    EXPECT_TRUE(dialogs->Messages().empty());
}

TEST_F(Messages, AnErrorGivesTheFocusBackToTheLastControl)
{
    ShowAndActivate(*form);
    form->ed02->SetFocus();
    EXPECT_EQ(form->FocusAfterError, form->ed02);
    form->FocusAfterError = form->chk05; // as if the focus was there before the check moved it
    form->ShowMessageCode("E;000037");
    EXPECT_EQ(form->ActiveControl(), form->chk05);
}

TEST_F(Messages, WithoutAHostTheMessageSaysWhichOneItWas)
{
    form->HostObject = Variant();
    form->ShowMessageCode("E;000038");
    EXPECT_EQ(dialogs->Messages().at(0).text, "Can not Get Message\rType= E, ID= 000038 ");
    // A host that fails to answer is treated alike.
    form->HostObject = Variant(std::static_pointer_cast<Dispatch>(std::make_shared<FakeObject>()));
    EXPECT_EQ(form->GetMessageText("W", "000002"), "Can not Get Message\rType= W, ID= 000002 ");
}

// ---------------------------------------------------------------------------------------------

struct Services : ProbeFixture { };

TEST_F(Services, SettingsWithTheirDefaults)
{
    struct Case {
        const char* name;
        const char* chinese;
        const char* english;
    };
    const Case cases[] = {
        { "ZRV002", "示范公司", "示范公司" },
        { "sys007", "产品大类", "产品大类" },
        { "SYS008", "商品分类方式二", "Inv.Cate.2" },
        { "Sys009", "商品分类方式三", "Inv.Cate.3" },
        { "sys010", "商品分类方式四", "Inv.Cate.4" },
        { "SYS011", "", "" },
        { "Sys001", "abc", "abc" },
    };
    host = Variant(std::static_pointer_cast<Dispatch>(FakeHost({ { "ZRV002", "示范公司" },
        { "SYS007", "产品大类" }, { "SYS008", "" }, { "Sys001", "abc" }, { "Sys002", "" } })));
    Open();
    EXPECT_EQ(form->CompanyName, "示范公司");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->ZrConverter->SetCodePages("936", "936", "936");
        EXPECT_EQ(form->GetSetting(c.name), c.chinese);
        form->ZrConverter->SetCodePages("936", "437", "936");
        EXPECT_EQ(form->GetSetting(c.name), c.english);
    }
    EXPECT_EQ(form->DateFormatKind(), 1) << "not a number";
    EXPECT_EQ(form->DateSeparator(), "/");

    // The demo company of the host stand-in.
    host = Variant(Installation::Get().Host());
    Open();
    EXPECT_EQ(form->DateFormatKind(), 1);
    EXPECT_EQ(form->DateSeparator(), "/");
    Create();
    form->OpenWithContext(Variant::ArrayOf(
        { Variant("DS"), Variant("TW01"), Variant("DEMO"), Variant(0), Variant() }));
    EXPECT_EQ(form->DateFormatKind(), 5);
    EXPECT_EQ(form->CompanyName, "台湾示范实业股份有限公司");
}

TEST_F(Services, WithoutHostServicesEverythingIsNeutral)
{
    Create();
    form->CompanyID = "";
    form->HostObject = Variant();
    form->CreateHostServices();
    form->CreateLookupService();
    EXPECT_TRUE(form->CounterObject.IsEmpty());
    EXPECT_TRUE(form->ValidatorObject.IsEmpty());
    EXPECT_TRUE(form->LookupObject.IsEmpty());
    EXPECT_EQ(form->GetSetting("sys010"), "商品分类方式四");
    EXPECT_EQ(form->DateFormatKind(), 1);
    EXPECT_EQ(form->DateSeparator(), "/");
    Variant result, params;
    EXPECT_FALSE(form->AskValidator("ADMMB", "01", false, result, Variant()));
    EXPECT_TRUE(form->CallCounter("SimpleSQL", params).IsEmpty());

    // The lookup window is only asked for when the window wants it.
    form->HostObject = host;
    form->CreateLookupService();
    EXPECT_TRUE(form->LookupObject.IsEmpty());
    form->ServiceFlags = 4;
    form->CreateLookupService();
    EXPECT_EQ(form->LookupObject.Type(), varDispatch);
}

TEST_F(Services, TheValidatorIsToldTheRightsBeforeEachQuestion)
{
    auto validator = std::make_shared<FakeObject>();
    Variant product, limited;
    validator->AddProperty(
        "ProductID", [] { return Variant(); }, [&](const Variant& v) { product = v; });
    validator->AddProperty(
        "BaseLimited", [] { return Variant(); }, [&](const Variant& v) { limited = v; });
    auto answer = [](std::span<Variant> a) {
        a[4] = Variant::ArrayOf({ Variant("found"), a[3] });
        return Variant(true);
    };
    validator->AddMethod("CheckValue", answer);
    validator->AddMethod("QueryData", answer);
    host = Variant(std::static_pointer_cast<Dispatch>(FakeHost({}, validator)));
    Open();
    form->ProductID = 5;
    form->BaseLimited = u"部门='01'";
    validator->calls.clear();

    Variant result;
    EXPECT_TRUE(
        form->AskValidator("PURMA", "01", false, result, Variant::ArrayOf({ Variant("A01") })));
    EXPECT_EQ(product, Variant(5));
    EXPECT_EQ(limited, Variant::Wide("部门='01'"));
    EXPECT_EQ(result, Variant::ArrayOf({ Variant("found"), Variant::ArrayOf({ Variant("A01") }) }));
    EXPECT_TRUE(form->AskValidator("INVMB", "02", true, result, Variant("x")));
    ASSERT_EQ(validator->calls.size(), 6u);
    EXPECT_EQ(validator->calls[2], "CheckValue L\"PURMA\" L\"01\" L\"DEMO\" ['A01'] Empty");
    EXPECT_TRUE(validator->calls[5].starts_with("QueryData L\"INVMB\" L\"02\" L\"DEMO\" 'x'"));

    // A validator that fails answers false.
    validator->AddMethod("CheckValue",
        [](std::span<Variant>) -> Variant { throw AutomationError("database gone"); });
    EXPECT_FALSE(form->AskValidator("PURMA", "01", false, result, Variant()));
}

TEST_F(Services, CounterCommandsGoInUpperCaseWithTheCompany)
{
    auto counter = std::make_shared<FakeObject>();
    counter->AddMethod("GetCounter", [](std::span<Variant> a) {
        a[1] = Variant("written back");
        return Variant::ArrayOf({ Variant::ArrayOf({ Variant("row") }) });
    });
    host = Variant(std::static_pointer_cast<Dispatch>(FakeHost({}, nullptr, counter)));
    Open();
    counter->calls.clear();
    Variant params = Variant::ArrayOf({ Variant("SELECT 1") });
    EXPECT_EQ(form->CallCounter("SimpleSQL", params),
        Variant::ArrayOf({ Variant::ArrayOf({ Variant("row") }) }));
    EXPECT_EQ(params, Variant("written back"));
    EXPECT_EQ(counter->calls,
        Strings { "GetCounter L\"SIMPLESQL\" ['SELECT 1'] [L\"DEMO\", L\"DEMO\"]" });

    // With the host stand-in: the first row of a query.
    host = Variant(Installation::Get().Host());
    Open();
    Variant sql = Variant::ArrayOf({ Variant("SELECT MB002 FROM ADMMB WHERE MB001 = 'INVR05'") });
    Variant answer = form->CallCounter("SimpleSQL", sql);
    ASSERT_TRUE(answer.IsArray()) << answer.Debug();
    EXPECT_NE(answer.Debug().find("库存明细表"), std::string::npos);
}

TEST_F(Services, TheProgramTitleComesFromTheProgramTable)
{
    struct Case {
        const char* name;
        std::function<Variant(std::span<Variant>)> answer;
        const char* ui;
        const char* title;
        bool in936;
    };
    auto row = [](std::vector<Variant> items) {
        return [items](std::span<Variant> a) {
            a[4] = Variant::ArrayOf(items);
            return Variant(true);
        };
    };
    const std::vector<Variant> full { Variant("进货表"), Variant("KVS"), Variant("R"),
        Variant("9.0"), Variant("Y"), Variant("進貨表"), Variant("采购"), Variant("Receipts") };
    const Case cases[] = {
        { "found", row(full), "936", "进货表", true },
        { "found, English interface", row(full), "437", "Receipts", true },
        { "found without English title",
            row({ Variant("进货表"), Variant(""), Variant(""), Variant(""), Variant("N") }), "437",
            "进货表", false },
        { "not found", [](std::span<Variant>) { return Variant(false); }, "936", "", false },
        { "a row that is not a row",
            [](std::span<Variant> a) {
                a[4] = Variant("garbage");
                return Variant(true);
            },
            "936", "KVSR58", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto validator = std::make_shared<FakeObject>();
        validator->AddProperty(
            "ProductID", [] { return Variant(); }, [](const Variant&) {});
        validator->AddProperty(
            "BaseLimited", [] { return Variant(); }, [](const Variant&) {});
        validator->AddMethod("CheckValue", c.answer);
        host = Variant(std::static_pointer_cast<Dispatch>(FakeHost({}, validator)));
        Create();
        form->ZrConverter->SetCodePages("936", c.ui, "936");
        form->RequestIn936 = true;
        form->OpenWithContext(Context());
        EXPECT_EQ(form->ProgramTitle, c.title);
        EXPECT_EQ(form->InfoArray()[3], Variant::Wide(c.title));
        EXPECT_EQ(form->RequestIn936, c.in936);
        EXPECT_EQ(
            validator->calls.back(), "CheckValue L\"ADMMB\" L\"01\" L\"DEMO\" ['KVSR58'] Empty");
    }
}

// ---------------------------------------------------------------------------------------------

struct Connection : ProbeFixture {
    void TearDown() override
    {
        ProbeFixture::TearDown();
        Installation::Get().WriteProfile("");
    }
    // The outcome of opening: whether it succeeded and which dialogs it showed.
    void ExpectRefused(const char* reason)
    {
        EXPECT_FALSE(opened);
        EXPECT_EQ(MessageTexts(),
            Strings { "无法连接应用服务器，请检查客户端配置文件中的服务器地址与端口！" });
        EXPECT_NE(form->MessageTextLog.find(reason), std::string::npos) << form->MessageTextLog;
        EXPECT_TRUE(form->AppServer.IsEmpty());
        ProcessAll();
        EXPECT_FALSE(Alive()) << "the window closes itself";
    }
};

TEST_F(Connection, InThisProcessForTheLocalAddress)
{
    Open();
    ASSERT_TRUE(opened) << form->MessageTextLog;
    EXPECT_EQ(form->MainMidas->Address(), "127.0.0.1");
    EXPECT_EQ(form->MainMidas->Port(), 211);
    EXPECT_EQ(form->MainMidas->ServerName(), "ReportCounterS.dmReportCounter");
    EXPECT_EQ(form->MainMidas->ObjectBroker(), nullptr) << "the broker is not used";
    EXPECT_NE(form->ObjBroker, nullptr);
    EXPECT_TRUE(form->LocalServer);
    EXPECT_TRUE(form->MainMidas->Connected());
    const Variant power = ServerCalls::GetPower(form->AppServer, "DEMO", "DS", "KVSR58");
    ASSERT_TRUE(power.IsArray());
    EXPECT_EQ(power[0].ToString(), "DS");
}

int FreePort(bool keepListening, int* fdOut = nullptr)
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    if (keepListening) {
        ::listen(fd, 4);
        *fdOut = fd;
    } else
        ::close(fd);
    return ntohs(a.sin_port);
}

TEST_F(Connection, OverASocketForAnyOtherAddress)
{
    const std::string db = Installation::Get().ServerDatabase();
    AppServerListener listener([db](const std::string& progId) -> DispatchPtr {
        if (!SameText(progId, TdmReportCounter::kProgId))
            return nullptr;
        return std::make_shared<TdmReportCounter>(db);
    });
    const int port = listener.Start("127.0.0.1", 0);
    Installation::Get().UseServer("localhost", port);
    Open();
    ASSERT_TRUE(opened) << form->MessageTextLog;
    EXPECT_TRUE(dialogs->Records().empty());
    EXPECT_FALSE(form->LocalServer);
    EXPECT_EQ(form->MainMidas->Address(), "localhost");
    EXPECT_EQ(form->MainMidas->Port(), port);
    const Variant power = ServerCalls::GetPower(form->AppServer, "DEMO", "DS", "KVSR58");
    ASSERT_TRUE(power.IsArray());
    EXPECT_EQ(power[2].ToString(), "KVSR58");
    EXPECT_EQ(listener.ActiveConnections(), 1);

    // The window's going closes its connection.
    Free();
    for (int i = 0; i < 100 && listener.ActiveConnections() > 0; ++i)
        ::usleep(10000);
    EXPECT_EQ(listener.ActiveConnections(), 0);
}

TEST_F(Connection, AnEmptyServerListConfiguresNothing)
{
    Installation::Get().WriteProfile("[Server Information]\nComputerName= ; \n");
    Open();
    ExpectRefused("No application server address is configured");
}

TEST_F(Connection, AClosedPortRefuses)
{
    Installation::Get().UseServer("localhost", FreePort(false));
    Open();
    ExpectRefused("localhost");
}

TEST_F(Connection, AServerThatDoesNotAnswerTimesOut)
{
    int fd = -1;
    const int port = FreePort(true, &fd);
    Installation::Get().UseServer("localhost", port);
    Create();
    form->MainMidas->SetTimeouts({ 2000, 300 });
    opened = form->OpenWithContext(Context());
    ::close(fd);
    ExpectRefused("localhost");
}

TEST_F(Connection, AServerObjectThatCannotBeMadeRefuses)
{
    UnregisterClassFactory(TdmReportCounter::kProgId);
    Open();
    const std::string db = Installation::Get().ServerDatabase();
    RegisterClassFactory(TdmReportCounter::kProgId,
        [db]() -> DispatchPtr { return std::make_shared<TdmReportCounter>(db); });
    ExpectRefused("ReportCounterS.dmReportCounter");
}

TEST_F(Connection, OnlyProblemsNobodyWasToldOfStopTheConnection)
{
    Open();
    ASSERT_TRUE(opened);
    dialogs->Clear();
    form->ShowMessageCode("");
    form->ShowMessageCode("E;000038"); // shown already: no reason to stop
    EXPECT_TRUE(form->SetUpConnection());
    form->RecordError("counter unavailable");
    EXPECT_FALSE(form->SetUpConnection());
    EXPECT_EQ(dialogs->Messages().size(), 1u) << "the recorded problem is not shown";

    // A short context still opens when the server can be reached.
    Open(4);
    EXPECT_TRUE(opened) << form->MessageTextLog;
    EXPECT_EQ(MessageTexts().back(), "传入作业的环境参数不足，无法开启此作业！");
    ProcessAll();
    EXPECT_FALSE(Alive());
}

TEST_F(Connection, AWindowOfAnotherModuleDoesNotConnect)
{
    Create("ABCD12C.so");
    opened = form->OpenWithContext(Context());
    EXPECT_TRUE(opened);
    EXPECT_EQ(MessageTexts(), Strings { "程序代号与作业画面不符，无法开启此作业！" });
    EXPECT_FALSE(form->MainMidas->Connected());
    EXPECT_TRUE(form->AppServer.IsEmpty());
    ProcessAll();
    EXPECT_FALSE(Alive());
}

TEST_F(Connection, AnErrorWhileOpeningIsRecordedNotShown)
{
    Create();
    form->HostObject = Variant();
    EXPECT_FALSE(form->OpenWithContext(Context()));
    EXPECT_TRUE(dialogs->Messages().empty());
    EXPECT_EQ(form->MessageCodeLog, "E;-1; ");
    EXPECT_NE(form->MessageTextLog.find("host object"), std::string::npos);
    ProcessAll();
    EXPECT_TRUE(Alive()) << "no close request for an error";

    // A host that cannot tell its edition makes it the standard one.
    auto fake = FakeHost({});
    fake->AddMethod(
        "ProductID", [](std::span<Variant>) -> Variant { throw AutomationError("no edition"); });
    host = Variant(std::static_pointer_cast<Dispatch>(fake));
    Open();
    EXPECT_TRUE(opened);
    EXPECT_EQ(form->ProductID, 3);
}

} // namespace
