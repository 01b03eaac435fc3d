// The registrations and the report controller linked in directly, with a small window class
// whose initialisation the test decides: the "ZRV DLL Internal Error" failures, the order of the
// window's own handlers and the controller's events, and the result captured on destruction.

#include "forms/base/BaseGene.h"
#include "module/DLLFunc.h"
#include "module/DLLRPCtrller.h"
#include "platform/CodePage.h"
#include "platform/components/Application.h"
#include "platform/components/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zrv;

namespace {

std::vector<std::string> trace;

class TfrmCtlProbe : public TfrmBaseGene {
public:
    explicit TfrmCtlProbe(TComponent* owner)
        : TfrmBaseGene(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info
            = TClassInfo::Define<TfrmCtlProbe>("TfrmCtlProbe", TfrmBaseGene::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void FormCreate(TObject* sender) override
    {
        TfrmBaseGene::FormCreate(sender);
        // The window's own handlers, which the controller must keep calling.
        OnShow = TNotifyEvent([](TObject*) { trace.push_back("own show"); });
        OnHide = TNotifyEvent([](TObject*) { trace.push_back("own hide"); });
        OnDestroy = TNotifyEvent([](TObject*) { trace.push_back("own destroy"); });
    }
    bool OpenWithContext(const Variant& context) override
    {
        trace.push_back("open " + std::to_string(context.Count()));
        return accept;
    }
    static inline bool accept = true;
};

struct ControllerFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        trace.clear();
        savedController = DLLControllerClass;
        savedForm = frmBaseGeneClass;
        frmBaseGeneClass = &TfrmCtlProbe::StaticClassInfo();
        TfrmCtlProbe::accept = true;
    }
    void TearDown() override
    {
        DLLControllerClass = savedController;
        frmBaseGeneClass = savedForm;
        test::ProcessEvents();
    }

    std::unique_ptr<TDLLBaseController> NewController()
    {
        std::unique_ptr<TDLLBaseController> c(GetController());
        c->OnEvent = [](int32_t code, TDLLBaseController*) {
            trace.push_back("event " + std::to_string(code));
        };
        return c;
    }

    TDLLControllerClass savedController = nullptr;
    const TClassInfo* savedForm = nullptr;
};

TEST_F(ControllerFixture, MissingRegistrationsRaiseTheInternalErrors)
{
    ASSERT_NE(DLLControllerClass, nullptr) << "the controller unit registers itself";
    auto controller = NewController();
    EXPECT_NE(dynamic_cast<TDLLRPCtrller*>(controller.get()), nullptr);

    frmBaseGeneClass = nullptr;
    Variant context = Variant::ArrayOf(
        { Variant("DS"), Variant("DEMO"), Variant("DEMO"), Variant(0), Variant() });
    try {
        controller->Open(context);
        ADD_FAILURE() << "Open without a window class";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "ZRV DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible");
    }
    EXPECT_TRUE(controller->IsClosed());
    EXPECT_TRUE(trace.empty());

    // A window class that is not a module window is refused the same way.
    frmBaseGeneClass = &TForm::StaticClassInfo();
    EXPECT_THROW(controller->Open(context), std::runtime_error);
    EXPECT_TRUE(controller->IsClosed());

    DLLControllerClass = nullptr;
    try {
        GetController();
        ADD_FAILURE() << "GetController without a controller class";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(
            e.what(), "ZRV DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
    }
}

TEST_F(ControllerFixture, OwnHandlersRunBeforeTheShellHearsOfThem)
{
    auto controller = NewController();
    Variant context = Variant::ArrayOf(
        { Variant("DS"), Variant("DEMO"), Variant("DEMO"), Variant(0), Variant() });
    ASSERT_EQ(controller->Open(context), 0);
    controller->SetVisible(true);
    controller->SetVisible(false);
    controller->CloseWindow();
    // This program is not a library, so the window first started on its own with the built-in
    // three-element context, then took the shell's.
    EXPECT_EQ(trace,
        (std::vector<std::string> { "open 3", "event 256", "open 5", "own show", "event 272",
            "own hide", "event 288", "own destroy", "event 304" }));
}

TEST_F(ControllerFixture, OpenAnswersWhetherTheWindowTookTheContext)
{
    auto controller = NewController();
    Variant context = Variant::ArrayOf({ Variant("DS") });
    TfrmCtlProbe::accept = false;
    EXPECT_EQ(controller->Open(context), -1);
    EXPECT_FALSE(controller->IsClosed());
    TfrmCtlProbe::accept = true;
    EXPECT_EQ(controller->Open(context), 0);
}

TEST_F(ControllerFixture, TheResultIsCapturedAsAutomationValuesWhenTheWindowGoes)
{
    auto controller = NewController();
    Variant context = Variant::ArrayOf({ Variant("DS") });
    ASSERT_EQ(controller->Open(context), 0);
    auto* rp = dynamic_cast<TDLLRPCtrller*>(controller.get());
    ASSERT_NE(rp, nullptr);
    ASSERT_NE(rp->Window, nullptr);
    rp->Window->ResultCode = 1;
    rp->Window->ResultValue = Variant::ArrayOf(
        { Variant("J240506001"), Variant(3), Variant::ArrayOf({ Variant("进货") }) });
    rp->Window->Release(); // as when the window closes itself
    test::ProcessEvents();
    EXPECT_TRUE(controller->IsClosed());
    EXPECT_EQ(controller->ResultCode, 1);
    EXPECT_EQ(controller->ResultValue,
        Variant::ArrayOf({ Variant::Wide("J240506001"), Variant(3),
            Variant::ArrayOf({ Variant::Wide("进货") }) }));
}

TEST(ModuleFile, ThePathOfTheLoadedFileIsWhole)
{
    const std::string path = TDLLRPCtrller::ModuleFilePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("test_module"), std::string::npos);
}

} // namespace
