// Focus bookkeeping (OnEnter/OnExit across nested parents), tab order, key preview, dialog keys
// and posted messages, on real widgets.

#include "TestSupport.h"

#include "platform/components/Application.h"
#include "platform/components/Button.h"
#include "platform/components/Edit.h"
#include "platform/components/Form.h"
#include "platform/components/Memo.h"
#include "platform/components/Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zrv;
using namespace zrv::test;

namespace {

// A form with two panels of edits and a button:
//   pnlA (tab 0): edA1 (tab 1), edA2 (tab 0)      pnlB (tab 1): edB1      btnGo (tab 2)
class FocusForm : public TForm {
public:
    explicit FocusForm(TComponent* owner)
        : TForm(owner)
    {
        SetBounds(0, 0, 400, 300);
        pnlA = Make<TPanel>("pnlA", this, 0, 0, 200, 100);
        edA1 = Make<TEdit>("edA1", pnlA, 10, 10, 100, 21);
        edA2 = Make<TEdit>("edA2", pnlA, 10, 40, 100, 21);
        edA2->SetTabOrder(0);
        pnlB = Make<TPanel>("pnlB", this, 0, 110, 200, 100);
        edB1 = Make<TEdit>("edB1", pnlB, 10, 10, 100, 21);
        btnGo = Make<TButton>("btnGo", this, 220, 10, 75, 25);
        for (TWinControl* c :
            std::initializer_list<TWinControl*> { pnlA, edA1, edA2, pnlB, edB1, btnGo }) {
            c->OnEnter = TNotifyEvent([this, c](TObject*) { log.push_back("enter " + c->Name()); });
            c->OnExit = TNotifyEvent([this, c](TObject*) { log.push_back("exit " + c->Name()); });
        }
    }

    template <typename T> T* Make(const char* name, TWinControl* parent, int l, int t, int w, int h)
    {
        T* c = new T(this);
        c->SetName(name);
        c->SetParent(parent);
        c->SetBounds(l, t, w, h);
        return c;
    }

    TPanel *pnlA, *pnlB;
    TEdit *edA1, *edA2, *edB1;
    TButton* btnGo;
    std::vector<std::string> log;
};

struct FocusFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<FocusForm>());
    }
    TOwned<FocusForm> form;
};

TEST_F(FocusFixture, TabOrderFollowsTabOrderWithinEachParent)
{
    std::vector<TWinControl*> list;
    form->GetTabOrderList(list);
    std::vector<std::string> names;
    for (TWinControl* c : list)
        names.push_back(c->Name());
    EXPECT_EQ(
        names, (std::vector<std::string> { "pnlA", "edA2", "edA1", "pnlB", "edB1", "btnGo" }));

    // Panels have no tab stop, so the next control skips them and wraps around.
    EXPECT_EQ(form->FindNextControl(form->edA1, true, true, false), form->edB1);
    EXPECT_EQ(form->FindNextControl(form->btnGo, true, true, false), form->edA2);
    EXPECT_EQ(form->FindNextControl(form->edA2, false, true, false), form->btnGo);
    // A disabled or hidden control cannot take the focus and is skipped.
    form->edB1->SetEnabled(false);
    EXPECT_EQ(form->FindNextControl(form->edA1, true, true, false), form->btnGo);
    form->edB1->SetEnabled(true);
    form->pnlB->SetVisible(false);
    EXPECT_EQ(form->FindNextControl(form->edA1, true, true, false), form->btnGo);
}

TEST_F(FocusFixture, EnterAndExitRunInOrderAcrossNestedParents)
{
    ShowAndActivate(*form);
    // Showing focuses the first control in tab order: the panel is entered before its edit.
    EXPECT_EQ(form->log, (std::vector<std::string> { "enter pnlA", "enter edA2" }));
    EXPECT_EQ(form->ActiveControl(), form->edA2);
    EXPECT_EQ(QApplication::focusWidget(), form->edA2->Handle());

    form->log.clear();
    form->edA1->SetFocus(); // a sibling: only the edits change
    EXPECT_EQ(form->log, (std::vector<std::string> { "exit edA2", "enter edA1" }));

    form->log.clear();
    form->edB1->SetFocus(); // another panel: inner exits first, then outer enters
    EXPECT_EQ(form->log,
        (std::vector<std::string> { "exit edA1", "exit pnlA", "enter pnlB", "enter edB1" }));
    EXPECT_TRUE(form->edB1->Focused());

    form->log.clear();
    PressKey(Qt::Key_Tab); // the real key: the form moves the focus in tab order
    EXPECT_EQ(form->log, (std::vector<std::string> { "exit edB1", "exit pnlB", "enter btnGo" }));
    EXPECT_EQ(QApplication::focusWidget(), form->btnGo->Handle());

    form->log.clear();
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form->log, (std::vector<std::string> { "exit btnGo", "enter pnlB", "enter edB1" }));
}

TEST_F(FocusFixture, ExitHandlerCanKeepTheFocus)
{
    ShowAndActivate(*form);
    form->edA1->SetFocus();
    bool refuse = true;
    form->edA1->OnExit = TNotifyEvent([&](TObject*) {
        form->log.push_back("exit edA1");
        if (refuse)
            form->edA1->SetFocus(); // the check failed: stay here
    });
    form->log.clear();
    form->edB1->SetFocus();
    EXPECT_EQ(form->log, (std::vector<std::string> { "exit edA1" }));
    EXPECT_EQ(form->FocusedControl(), form->edA1);
    EXPECT_EQ(QApplication::focusWidget(), form->edA1->Handle());

    refuse = false;
    form->log.clear();
    form->edB1->SetFocus();
    EXPECT_EQ(form->log,
        (std::vector<std::string> { "exit edA1", "exit pnlA", "enter pnlB", "enter edB1" }));
}

TEST_F(FocusFixture, HidingTheFocusedControlLeavesIt)
{
    ShowAndActivate(*form);
    form->edB1->SetFocus();
    form->log.clear();
    form->pnlB->SetVisible(false);
    EXPECT_EQ(form->log, (std::vector<std::string> { "exit edB1", "exit pnlB" }));
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(FocusFixture, KeyPreviewSeesKeysFirstAndCanConsumeThem)
{
    std::vector<std::string> keys;
    form->SetKeyPreview(true);
    form->OnKeyDown = TKeyEvent([&](TObject*, uint16_t& key, TShiftState shift) {
        keys.push_back("form down " + std::to_string(key));
        if (key == VK_F2 || (key == VK_TAB && (shift & ssCtrl)))
            key = 0;
    });
    form->OnKeyPress = TKeyPressEvent([&](TObject*, TKeyChar& key) {
        keys.push_back("form press " + std::to_string(key));
        if (key == 'x')
            key = 0;
        if (key == 'a')
            key = 'b'; // the form may also change the character
    });
    form->edA1->OnKeyDown = TKeyEvent([&](TObject*, uint16_t& key, TShiftState) {
        keys.push_back("edit down " + std::to_string(key));
    });
    form->edA1->OnKeyPress = TKeyPressEvent(
        [&](TObject*, TKeyChar& key) { keys.push_back("edit press " + std::to_string(key)); });
    ShowAndActivate(*form);
    form->edA1->SetFocus();

    PressKey(Qt::Key_F2);
    EXPECT_EQ(keys, (std::vector<std::string> { "form down 113" }));

    keys.clear();
    PressKey(Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(
        keys, (std::vector<std::string> { "form down 88", "edit down 88", "form press 120" }));
    EXPECT_EQ(form->edA1->Text(), "");

    keys.clear();
    PressKey(Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(keys,
        (std::vector<std::string> {
            "form down 65", "edit down 65", "form press 97", "edit press 98" }));
    EXPECT_EQ(form->edA1->Text(), "b");

    // Ctrl+Tab is not a dialog key: the form sees it and keeps the focus where it is.
    keys.clear();
    PressKey(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(keys, (std::vector<std::string> { "form down 9" }));
    EXPECT_EQ(form->FocusedControl(), form->edA1);

    // Without key preview the form hears nothing.
    form->SetKeyPreview(false);
    keys.clear();
    PressKey(Qt::Key_F2);
    EXPECT_EQ(keys, (std::vector<std::string> { "edit down 113" }));
}

TEST_F(FocusFixture, EnterAndEscClickTheDefaultAndCancelButtons)
{
    auto* btnCancel = form->Make<TButton>("btnCancel", form.get(), 220, 40, 75, 25);
    form->btnGo->SetDefault(true);
    btnCancel->SetCancel(true);
    std::vector<std::string> clicks;
    form->btnGo->OnClick = TNotifyEvent([&](TObject*) { clicks.push_back("go"); });
    btnCancel->OnClick = TNotifyEvent([&](TObject*) { clicks.push_back("cancel"); });
    ShowAndActivate(*form);
    form->edA1->SetFocus();
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    PressKey(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_EQ(clicks, (std::vector<std::string> { "go", "cancel" }));

    // In a memo Enter makes a new line instead.
    auto* memo = form->Make<TMemo>("me", form.get(), 220, 80, 100, 60);
    memo->SetFocus();
    clicks.clear();
    PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(clicks.empty());
}

TEST(PostedMessages, CloseRequestedWhileOpeningRunsAfterOpeningReturned)
{
    EnsureApplication();
    auto* form = CreateForm<TForm>();
    std::vector<std::string> log;
    form->OnClose = TCloseEvent([&](TObject*, TCloseAction& action) {
        log.push_back("close");
        action = TCloseAction::caFree;
    });
    form->OnDestroy = TNotifyEvent([&](TObject*) { log.push_back("destroy"); });
    TComponent* alive = form;

    auto open = [&] {
        form->PostMessage(WM_CLOSE); // the opening code finds a problem
        log.push_back("opened");
    };
    open();
    EXPECT_EQ(log, (std::vector<std::string> { "opened" }));
    EXPECT_TRUE(TComponent::IsLive(alive));

    ProcessEvents(); // the event loop: close, then the release it posts
    EXPECT_EQ(log, (std::vector<std::string> { "opened", "close", "destroy" }));
    EXPECT_FALSE(TComponent::IsLive(alive));
}

TEST(PostedMessages, MessagesToAFormFreedMeanwhileAreDropped)
{
    EnsureApplication();
    auto* form = CreateForm<TForm>();
    int closes = 0;
    form->OnClose = TCloseEvent([&](TObject*, TCloseAction&) { ++closes; });
    form->PostMessage(WM_CLOSE);
    form->Free();
    ProcessEvents();
    EXPECT_EQ(closes, 0);
}

TEST(Forms, CloseActionsHideOrFreeOrKeepTheForm)
{
    EnsureApplication();
    struct Case {
        TCloseAction action;
        bool visibleAfter;
        bool aliveAfterLoop;
    } cases[] = {
        { TCloseAction::caHide, false, true }, { TCloseAction::caNone, true, true },
        { TCloseAction::caFree, true, false }, // freed later, from the event loop
    };
    for (const Case& c : cases) {
        auto* form = CreateForm<TForm>();
        form->OnClose = TCloseEvent([&](TObject*, TCloseAction& a) { a = c.action; });
        form->ShowForm();
        form->Close();
        EXPECT_EQ(form->Visible(), c.visibleAfter) << static_cast<int>(c.action);
        TComponent* alive = form;
        ProcessEvents();
        EXPECT_EQ(TComponent::IsLive(alive), c.aliveAfterLoop) << static_cast<int>(c.action);
        if (TComponent::IsLive(alive))
            form->Free();
    }
    // OnCloseQuery can refuse before OnClose is asked.
    auto* form = CreateForm<TForm>();
    bool asked = false;
    form->OnCloseQuery = TCloseQueryEvent([](TObject*, bool& canClose) { canClose = false; });
    form->OnClose = TCloseEvent([&](TObject*, TCloseAction&) { asked = true; });
    form->ShowForm();
    form->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(asked);
    form->Free();
}

} // namespace

namespace {

// A self-drawn control that acts on its accelerator, as the framework's check box does.
class TAccelBox : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool DialogChar(TKeyChar ch) override
    {
        if (!IsAccel(ch, caption) || !CanFocus())
            return false;
        SetFocus();
        ++toggles;
        return true;
    }
    std::string caption;
    int toggles = 0;
};

TEST_F(FocusFixture, AcceleratorsReachSelfDrawnControls)
{
    auto* box = new TAccelBox(form.get());
    box->SetParent(form->pnlB);
    box->caption = "只打印存货&M仓";
    box->SetTabStop(true);
    ShowAndActivate(*form);
    form->edA1->SetFocus();
    PressKey(Qt::Key_M, Qt::AltModifier, "m");
    EXPECT_EQ(box->toggles, 1);
    EXPECT_TRUE(box->Focused());
    PressKey(Qt::Key_Q, Qt::AltModifier, "q");
    EXPECT_EQ(box->toggles, 1);
    EXPECT_TRUE(TControl::IsAccel('a', "R&&D &all"));
    EXPECT_FALSE(TControl::IsAccel('d', "R&&D"));
}

} // namespace
