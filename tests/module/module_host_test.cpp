// A test host playing the client shell: it loads KVSR58C.so by name, takes controllers from its
// only export, hands them the host object and its callback, and checks the controller contract
// from the outside: events and their order, the results of every operation with and without a
// window, short and mismatched contexts, an unreachable server, and a host that fails.

#include "HostStandIn.h"
#include "ScriptedLookupAnswerer.h"
#include "module/DLLBaseCtrller.h"
#include "platform/Automation.h"
#include "platform/CodePage.h"
#include "platform/SystemInfo.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace zrv;
namespace fs = std::filesystem;

namespace {

void ProcessEvents()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents();
    }
}

// Passes every call to the host stand-in and notes the member names (and message requests).
class RecordingHost : public Dispatch {
public:
    explicit RecordingHost(DispatchPtr target)
        : target_(std::move(target))
    {
    }
    Variant Invoke(const std::string& member, InvokeKind kind, std::span<Variant> args) override
    {
        std::string call = member;
        if (SameText(member, "GetMessage") && args.size() == 2)
            call += " " + args[0].ToString() + " " + args[1].ToString();
        calls.push_back(call);
        return target_->Invoke(member, kind, args);
    }
    bool Called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    std::vector<std::string> calls;

private:
    DispatchPtr target_;
};

// A host object whose every call fails.
class BrokenHost : public Dispatch {
public:
    Variant Invoke(const std::string& member, InvokeKind, std::span<Variant>) override
    {
        throw AutomationError("host is down: " + member);
    }
};

struct Environment {
    fs::path folder;
    fs::path registry;
    std::vector<std::pair<std::string, std::string>> helpCalls;
    std::shared_ptr<ScriptedLookupAnswerer> answerer = std::make_shared<ScriptedLookupAnswerer>();

    Environment()
    {
        char tmpl[] = "/tmp/kvsr58-host-XXXXXX";
        folder = ::mkdtemp(tmpl);
        fs::create_directories(folder / "client");
        WriteRegistry(true);
        ::setenv("ZRV_APPSERVER_DB", (folder / "appserver.db").c_str(), 1);
    }
    ~Environment() { fs::remove_all(folder); }

    // With or without the class entry that lets the module make its server object by name.
    void WriteRegistry(bool withServerClass)
    {
        registry = folder / (withServerClass ? "registry.ini" : "registry-noserver.ini");
        std::ofstream out(registry);
        out << "[Software\\ZRV\\Orvane]\nClientPath=" << (folder / "client").string() << "\n";
        if (withServerClass)
            out << "[Software\\Classes\\ReportCounterS.dmReportCounter]\nLibrary="
                << ExecutableFolder() << "ReportCounterS.so\n";
        out.close();
        ::setenv("ZRV_REGISTRY_FILE", registry.c_str(), 1);
    }

    DispatchPtr Host()
    {
        HostOptions options;
        options.databasePath = (folder / "demo.db").string();
        options.schemeDatabasePath = "-";
        options.answerer = answerer;
        options.help
            = [this](const std::string& s, const std::string& t) { helpCalls.emplace_back(s, t); };
        return CreateHostObject(options);
    }
};

Environment* env = nullptr;

struct ControllerDeleter {
    void operator()(TDLLBaseController* c) const { delete c; }
};
using Controller = std::unique_ptr<TDLLBaseController, ControllerDeleter>;

Variant Context(int elements = 5, int64_t hostWindow = 0)
{
    std::vector<Variant> items { Variant("DS"), Variant("DEMO"), Variant("DEMO"),
        Variant(hostWindow), Variant() };
    items.resize(static_cast<size_t>(elements));
    return Variant::ArrayOf(items);
}

class ModuleHost : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        env = new Environment;
        // By name, as a shell loads it: the test program's folder is on its library path.
        library = ::dlopen("KVSR58C.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << ::dlerror();
        getController = reinterpret_cast<GetControllerFn>(::dlsym(library, "GetController"));
        ASSERT_NE(getController, nullptr);
    }
    static void TearDownTestSuite()
    {
        ProcessEvents();
        delete env;
        env = nullptr;
    }

    void SetUp() override
    {
        env->WriteRegistry(true);
        host = std::make_shared<RecordingHost>(env->Host());
    }
    void TearDown() override
    {
        controller.reset();
        ProcessEvents();
    }

    // A controller as the shell sets it up: host object and callback.
    Controller NewController(GetControllerFn get = nullptr)
    {
        Controller c((get ? get : getController)());
        c->HostObject = Variant(std::static_pointer_cast<Dispatch>(host));
        c->OnEvent = [this](int32_t code, TDLLBaseController*) { events.push_back(code); };
        return c;
    }

    QWidget* WindowOf(TDLLBaseController& c)
    {
        return QWidget::find(static_cast<WId>(c.GetHandle()));
    }

    static inline void* library = nullptr;
    static inline GetControllerFn getController = nullptr;
    std::shared_ptr<RecordingHost> host;
    Controller controller;
    std::vector<int32_t> events;
};

using Events = std::vector<int32_t>;

TEST_F(ModuleHost, OnlyGetControllerIsExportedAndEachCallMakesANewController)
{
    EXPECT_EQ(::dlsym(library, "_ZN3zrv18DLLControllerClassE"), nullptr);
    EXPECT_EQ(::dlsym(library, "_ZN3zrv16frmBaseGeneClassE"), nullptr);
    EXPECT_EQ(::dlsym(library, "ZrvCreateObject"), nullptr);
    Controller a(getController()), b(getController());
    EXPECT_NE(a.get(), b.get());
    EXPECT_TRUE(a->IsClosed());
}

TEST_F(ModuleHost, WithoutAWindowEveryOperationAnswersNeutrally)
{
    controller = NewController();
    Variant info = Variant("untouched");
    Variant params = Variant::ArrayOf({ Variant(0), Variant::ArrayOf({ Variant(0) }) });
    EXPECT_EQ(controller->GetInfo(info), -1);
    EXPECT_EQ(info, Variant("untouched"));
    EXPECT_EQ(controller->GetVersion(), u"");
    EXPECT_EQ(controller->GetVisible(), 0);
    EXPECT_EQ(controller->GetHandle(), 0u);
    EXPECT_EQ(controller->ShowModal(), Variant(2));
    EXPECT_TRUE(controller->IsClosed());
    EXPECT_EQ(controller->ApplyParams(params), -1);
    EXPECT_EQ(controller->ApplyCommand(5, 0, params), -1);
    controller->SetVisible(true);
    controller->CloseWindow();
    EXPECT_TRUE(events.empty());
}

TEST_F(ModuleHost, AWindowLivesThroughTheEventsInOrder)
{
    controller = NewController();
    Variant context = Context();
    EXPECT_EQ(controller->Open(context), 0);
    EXPECT_EQ(events, Events { ceCreated });
    EXPECT_EQ(context, Context()) << "the shell keeps its own context";

    Variant info;
    ASSERT_EQ(controller->GetInfo(info), 0);
    EXPECT_EQ(info,
        Variant::ArrayOf({ Variant::Wide("DS"), Variant::Wide("DEMO"), Variant::Wide("KVSR58"),
            Variant::Wide("进退货明细表(依供应商)") }));
    EXPECT_EQ(controller->GetVersion(), u"890619");
    EXPECT_EQ(controller->GetVisible(), 0) << "kept invisible until the shell shows it";
    EXPECT_FALSE(host->Called("GetMessage E 000006"));

    controller->SetVisible(true);
    EXPECT_EQ(events, (Events { ceCreated, ceShown }));
    EXPECT_EQ(controller->GetVisible(), -1);
    QWidget* window = WindowOf(*controller);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(
        window->windowTitle().toStdString(), "进退货明细表(依供应商)[华东示范贸易股份有限公司]");

    controller->SetVisible(false);
    controller->SetVisible(true);
    EXPECT_EQ(events, (Events { ceCreated, ceShown, ceHidden, ceShown }));

    controller->CloseWindow();
    EXPECT_EQ(events, (Events { ceCreated, ceShown, ceHidden, ceShown, ceHidden, ceDestroyed }));
    EXPECT_TRUE(controller->IsClosed());
    EXPECT_EQ(controller->ResultCode, 0);
    EXPECT_TRUE(controller->ResultValue.IsEmpty());
    EXPECT_EQ(controller->GetInfo(info), -1);
}

TEST_F(ModuleHost, ASecondOpenIsRefusedAndHooksRunOncePerEvent)
{
    controller = NewController();
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);
    EXPECT_EQ(controller->Open(context), -1);
    controller->SetVisible(true);
    controller->SetVisible(false);
    EXPECT_EQ(events, (Events { ceCreated, ceShown, ceHidden }));
}

TEST_F(ModuleHost, TheUserClosingTheWindowEndsIt)
{
    controller = NewController();
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);
    controller->SetVisible(true);
    ASSERT_NE(WindowOf(*controller), nullptr);
    WindowOf(*controller)->close(); // the title bar's close button
    ProcessEvents();
    EXPECT_EQ(events, (Events { ceCreated, ceShown, ceHidden, ceDestroyed }));
    EXPECT_TRUE(controller->IsClosed());

    // The controller starts again with a new window.
    events.clear();
    EXPECT_EQ(controller->Open(context), 0);
    EXPECT_EQ(events, Events { ceCreated });
    EXPECT_FALSE(controller->IsClosed());
}

TEST_F(ModuleHost, ContextsTheWindowRefusesCloseItAfterOpenReturned)
{
    struct Case {
        const char* name;
        Variant context;
        bool withServerClass;
        int32_t open;
        const char* message;
    };
    const Case cases[] = {
        { "four elements", Context(4), true, 0, "GetMessage E 000038" },
        { "three elements", Context(3), true, 0, "GetMessage E 000038" },
        { "no server object", Context(), false, -1, "GetMessage E 000006" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        env->WriteRegistry(c.withServerClass);
        host->calls.clear();
        events.clear();
        controller = NewController();
        Variant context = c.context;
        EXPECT_EQ(controller->Open(context), c.open);
        EXPECT_TRUE(host->Called(c.message));
        EXPECT_EQ(events, Events { ceCreated });
        EXPECT_FALSE(controller->IsClosed()) << "the close request is posted";
        ProcessEvents();
        EXPECT_EQ(events, (Events { ceCreated, ceDestroyed }));
        EXPECT_TRUE(controller->IsClosed());
        controller.reset();
    }
}

TEST_F(ModuleHost, AModuleFileOfAnotherNameDoesNotFitTheWindow)
{
    // The same library under another module's name: its window is frmKvsr58, not ABC.
    const fs::path copy = env->folder / "ABCD12C.so";
    fs::copy_file(ExecutableFolder() + "KVSR58C.so", copy);
    void* other = ::dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(other, nullptr) << ::dlerror();
    auto get = reinterpret_cast<GetControllerFn>(::dlsym(other, "GetController"));
    ASSERT_NE(get, nullptr);

    controller = NewController(get);
    Variant context = Context();
    EXPECT_EQ(controller->Open(context), 0);
    EXPECT_TRUE(host->Called("GetMessage E 000036"));
    EXPECT_FALSE(host->Called("GetMessage E 000006")) << "no connection is tried";
    Variant info;
    ASSERT_EQ(controller->GetInfo(info), 0);
    EXPECT_EQ(info[2], Variant::Wide("ABCD12"));
    ProcessEvents();
    EXPECT_EQ(events, (Events { ceCreated, ceDestroyed }));
    controller.reset(); // before its library would go
}

TEST_F(ModuleHost, AFailingHostMakesOpenFailWithoutClosingTheWindow)
{
    struct Case {
        const char* name;
        Variant hostObject;
    };
    const Case cases[] = {
        { "no host object", Variant() },
        { "host object that fails", Variant(std::make_shared<BrokenHost>()) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        controller = NewController();
        controller->HostObject = c.hostObject;
        Variant context = Context();
        EXPECT_EQ(controller->Open(context), -1);
        ProcessEvents();
        EXPECT_EQ(events, Events { ceCreated }) << "the error is recorded, not shown";
        controller->CloseWindow();
        EXPECT_EQ(events, (Events { ceCreated, ceDestroyed }));
        controller.reset();
    }
}

TEST_F(ModuleHost, RunParametersAndCommandsReachTheWindow)
{
    controller = NewController();
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);

    struct Case {
        const char* name;
        int32_t kind; // 0: ApplyParams
        Variant params;
        int32_t result;
    };
    // Run mode 0 with a control list naming the print date: accepted, nothing run.
    Variant runParams = Variant::ArrayOf({ Variant(0),
        Variant::ArrayOf({ Variant(true),
            Variant::ArrayOf(
                { Variant::ArrayOf({ Variant::ArrayOf({ Variant(""), Variant("edPrintDate") }) }),
                    Variant::ArrayOf({ Variant("20240506") }) }) }) });
    const Case cases[] = {
        { "params: null", 0, Variant::Null(), -1 },
        { "params: scalar", 0, Variant(7), -1 },
        { "params: one element", 0, Variant::ArrayOf({ Variant(0) }), -1 },
        { "params: run parameters as element 1", 0, Variant::ArrayOf({ Variant(), runParams }), 0 },
        { "command 4", 4, runParams, -1 },
        { "command 5", 5, runParams, 0 },
        { "command 9", 9, runParams, 0 },
        { "command 5, nothing to do", 5, Variant(), 0 },
        { "command 5, unreadable run mode", 5, Variant::ArrayOf({ Variant("fast") }), -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Variant p = c.params;
        EXPECT_EQ(c.kind == 0 ? controller->ApplyParams(p) : controller->ApplyCommand(c.kind, 0, p),
            c.result);
    }
    EXPECT_EQ(events, Events { ceCreated });
}

TEST_F(ModuleHost, ShowModalRunsTheWindowAndAnswersItsResult)
{
    controller = NewController();
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);
    // Nobody answers the window in this process, so it ends as cancelled and frees itself.
    EXPECT_EQ(controller->ShowModal(), Variant(2));
    ProcessEvents();
    EXPECT_EQ(events, (Events { ceCreated, ceShown, ceHidden, ceDestroyed }));
}

TEST_F(ModuleHost, AMinimisedWindowIsRestoredWhenShown)
{
    controller = NewController();
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);
    controller->SetVisible(true);
    QWidget* window = WindowOf(*controller);
    ASSERT_NE(window, nullptr);
    window->showMinimized();
    ProcessEvents();
    ASSERT_TRUE(window->isMinimized());
    controller->SetVisible(true);
    ProcessEvents();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ModuleHost, TheShellWindowIsRepaintedWhenTheWindowResizes)
{
    struct ShellWindow : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    } shell;
    shell.resize(200, 100);
    shell.show();
    ProcessEvents();

    controller = NewController();
    Variant context = Context(5, static_cast<int64_t>(shell.winId()));
    ASSERT_EQ(controller->Open(context), 0);
    controller->SetVisible(true);
    ProcessEvents();
    const int before = shell.paints;
    WindowOf(*controller)->resize(600, 400);
    ProcessEvents();
    EXPECT_GT(shell.paints, before);
    controller.reset();
}

TEST_F(ModuleHost, WithoutACallbackNotificationsAreDropped)
{
    controller = NewController();
    controller->OnEvent = nullptr;
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);
    controller->SetVisible(true);
    controller->CloseWindow();
    EXPECT_TRUE(controller->IsClosed());
    EXPECT_TRUE(events.empty());
}

TEST_F(ModuleHost, DestroyingTheControllerClosesItsWindow)
{
    controller = NewController();
    Variant context = Context();
    ASSERT_EQ(controller->Open(context), 0);
    controller->SetVisible(true);
    QPointer<QWidget> window = WindowOf(*controller);
    controller.reset();
    EXPECT_EQ(events, (Events { ceCreated, ceShown, ceHidden, ceDestroyed }));
    EXPECT_TRUE(window.isNull());
}

} // namespace
