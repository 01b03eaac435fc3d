// The selection panel as a control: styles and the user's choice, the layouts the forms use,
// words and hints, the buttons, leaving by focus, and the events it passes on.

#include "ControlsTestSupport.h"

#include "controls/SelectPnl.h"
#include "platform/components/Edit.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QTreeWidget>
#include <stdexcept>

using namespace zrv;
using namespace zrv::test;

namespace {

struct PanelControl : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        panel = form->Make<TSelectPanel>("sp01", form.get(), 8, 8, 353, 45);
        other = form->Make<TEdit>("edOther", form.get(), 400, 8, 100, 21);
    }
    TOwned<TLookupForm> form;
    TSelectPanel* panel = nullptr;
    TEdit* other = nullptr;
    ScriptedDialogs dialogs;
};

TEST_F(PanelControl, IsCreatedWithTheDocumentedDefaults)
{
    EXPECT_EQ(panel->Style(), TSelectStyle::sp_Range);
    EXPECT_TRUE(panel->UserChoice());
    EXPECT_EQ(panel->HintWord(), "区间选择");
    EXPECT_EQ(panel->BeginWords()->ToVector(), (std::vector<std::string> { "起", "起" }));
    EXPECT_EQ(panel->FinalWords()->ToVector(), (std::vector<std::string> { "止", "止" }));
    EXPECT_EQ(panel->DateSign(), "/");
    EXPECT_EQ(panel->GlyphIndex(), 8);
    EXPECT_EQ(panel->OtherWidth(), 200);
    EXPECT_EQ(panel->OtherHeight(), 105);
    EXPECT_TRUE(panel->ColumnsAutoSize());
    EXPECT_FALSE(panel->ShowColumnHeader());
    EXPECT_FALSE(panel->HideSelection());
    EXPECT_EQ(panel->edBegin()->Name(), "edBegin");
    EXPECT_EQ(panel->edFinal()->Name(), "edFinal");
    EXPECT_EQ(panel->ListBox()->Name(), "ListBox");
    EXPECT_EQ(panel->ListBox()->ViewStyle(), TViewStyle::vsReport);
    EXPECT_TRUE(panel->ListBox()->MultiSelect());
    EXPECT_TRUE(panel->ListBox()->ReadOnly());
    EXPECT_EQ(panel->DeleteButton()->GlyphIndex(), 47);
    EXPECT_EQ(panel->ClearButton()->GlyphIndex(), 4);
    EXPECT_EQ(panel->ClearButton()->NumGlyphs(), 2);
    EXPECT_EQ(panel->BeginButton()->BoundsRect().Width(), 23);

    TOwned<TSelectPanel> fresh(new TSelectPanel(nullptr));
    EXPECT_EQ(fresh->Width(), 353);
    EXPECT_EQ(fresh->Height(), 45);
    const std::vector<std::string> hints { "用户自定输入方式", "区间选择-起始信息",
        "区间选择-起始信息开窗", "区间选择-截止信息", "区间选择-截止信息开窗", "多选-己选择的信息",
        "多选-信息开窗", "多选-删除一笔信息", "多选-删除己选信息" };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(fresh->HintControl(i)->Hint(), hints[static_cast<size_t>(i)]) << i;
}

// --- styles ----------------------------------------------------------------------------------

TEST_F(PanelControl, OnlyThePageOfTheModeIsShown)
{
    using S = TSelectStyle;
    struct Case {
        S style;
        bool choice;
        bool checkBox, range, list;
    };
    const Case cases[] = {
        { S::sp_Range, true, false, true, false },
        { S::sp_Discrete, true, false, false, true },
        { S::sp_UserChoice, true, true, true, false },
        { S::sp_UserChoice, false, true, false, true },
        { S::sp_Range, false, false, true, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SelectStyleName(c.style) + (c.choice ? " range" : " list"));
        panel->SetStyle(c.style);
        panel->SetUserChoice(c.choice);
        EXPECT_EQ(panel->CheckBox()->Visible(), c.checkBox);
        EXPECT_EQ(panel->RangePage()->Visible(), c.range);
        EXPECT_EQ(panel->ListPage()->Visible(), c.list);
        EXPECT_EQ(panel->IsRangeMode(), c.range);
    }
}

TEST_F(PanelControl, ChangingToOrFromTheRangeStyleExchangesTheSize)
{
    using S = TSelectStyle;
    panel->SetStyle(S::sp_Discrete);
    EXPECT_EQ(panel->BoundsRect(), Bounds(8, 8, 200, 105));
    EXPECT_EQ(panel->OtherWidth(), 353);
    EXPECT_EQ(panel->OtherHeight(), 45);
    panel->SetStyle(S::sp_UserChoice);
    EXPECT_EQ(panel->Width(), 200) << "between the list styles the size stays";
    panel->SetStyle(S::sp_Range);
    EXPECT_EQ(panel->BoundsRect(), Bounds(8, 8, 353, 45));
    panel->SetStyle(S::sp_Range);
    EXPECT_EQ(panel->Width(), 353) << "no change, no exchange";

    panel->SetUseVertical(true);
    EXPECT_EQ(panel->BoundsRect(), Bounds(8, 8, 200, 105)) << "UseVertical exchanges too";
    panel->SetStyle(S::sp_Discrete);
    EXPECT_EQ(panel->Width(), 200) << "a vertical range keeps its size";
    panel->SetUseVertical(false);
    EXPECT_TRUE(panel->UseVertical()) << "only in sp_Range";

    panel->SetStyle(S::sp_Range);
    panel->SetUseVertical(false);
    panel->SetBounds(8, 8, 353, 45);
    panel->SetLoadingState(true);
    panel->SetStyle(S::sp_Discrete);
    panel->SetLoadingState(false);
    EXPECT_EQ(panel->Width(), 353) << "a form being loaded has its sizes already";
}

TEST_F(PanelControl, StyleChangeEventsMayRefuseOrRedirect)
{
    using S = TSelectStyle;
    std::vector<std::string> log;
    S redirect = S::sp_Discrete;
    bool accept = true;
    panel->OnStyleChanging = TStyleChangingEvent([&](TObject*, S now, S& next, bool& ok) {
        log.push_back("changing " + SelectStyleName(now) + ">" + SelectStyleName(next));
        next = redirect;
        ok = accept;
    });
    panel->OnStyleChange = TStyleChangeEvent([&](TObject*, S old, S next) {
        log.push_back("change " + SelectStyleName(old) + ">" + SelectStyleName(next) + " while "
            + SelectStyleName(panel->Style()));
    });
    accept = false;
    panel->SetStyle(S::sp_Discrete);
    EXPECT_EQ(panel->Style(), S::sp_Range);
    accept = true;
    redirect = S::sp_UserChoice;
    panel->SetStyle(S::sp_Discrete);
    EXPECT_EQ(panel->Style(), S::sp_UserChoice);
    EXPECT_EQ(log,
        (std::vector<std::string> { "changing sp_Range>sp_Discrete",
            "changing sp_Range>sp_Discrete", "change sp_Range>sp_UserChoice while sp_Range" }));
}

TEST_F(PanelControl, TheChoiceCheckBoxSwitchesBetweenRangeAndList)
{
    panel->SetStyle(TSelectStyle::sp_UserChoice);
    std::vector<std::string> log;
    panel->OnTypeClick = TNotifyEvent([&](TObject* s) {
        log.push_back(std::string("type ") + (s == panel ? "panel" : "?")
            + (panel->UserChoice() ? " range" : " list"));
    });
    panel->OnClick = TNotifyEvent(
        [&](TObject* s) { log.push_back(std::string("click ") + (s == panel ? "panel" : "?")); });
    panel->CheckBox()->Click();
    EXPECT_FALSE(panel->UserChoice());
    EXPECT_TRUE(panel->ListPage()->Visible());
    panel->SetUserChoice(true);
    EXPECT_TRUE(panel->RangePage()->Visible());
    EXPECT_EQ(
        log, (std::vector<std::string> { "type panel list", "click panel", "type panel range" }));

    panel->SetStyle(TSelectStyle::sp_Range);
    panel->SetUserChoice(false);
    EXPECT_TRUE(panel->UserChoice()) << "outside sp_UserChoice the setting has no effect";
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(PanelControl, ADescriptionMayNameTheChoiceBeforeTheStyle)
{
    panel->SetLoadingState(true);
    panel->SetUserChoice(false);
    panel->SetStyle(TSelectStyle::sp_UserChoice);
    panel->SetLoadingState(false);
    panel->Loaded();
    EXPECT_FALSE(panel->UserChoice());
    EXPECT_TRUE(panel->ListPage()->Visible());
}

// --- layouts ---------------------------------------------------------------------------------

struct Page {
    int width, height;
};

Page PageOf(TSelectPanel* p) { return { p->RangePage()->Width(), p->RangePage()->Height() }; }

TEST_F(PanelControl, HorizontalRangeLayout)
{
    for (bool buttons : { true, false }) {
        SCOPED_TRACE(buttons);
        panel->SetCanOpenWin(buttons);
        const int t = panel->CaptionHeight();
        EXPECT_EQ(panel->RangePage()->BoundsRect(), Bounds(2, t + 3, 353 - 4, 45 - t - 5));
        EXPECT_EQ(panel->ListPage()->BoundsRect(), panel->RangePage()->BoundsRect());
        const Page pg = PageOf(panel);
        const int w0 = panel->BeginLabel()->TextWidth();
        const int w1 = panel->FinalLabel()->TextWidth();
        const int top = (pg.height - 24) / 2;
        EXPECT_EQ(panel->BeginLabel()->Caption(), "起");
        EXPECT_EQ(panel->BeginLabel()->Left(), 2);
        EXPECT_EQ(panel->BeginLabel()->Top(), top);
        EXPECT_EQ(panel->edBegin()->Left(), 2 + w0 + 1);
        EXPECT_EQ(panel->edBegin()->Top(), top);
        EXPECT_EQ(panel->edBegin()->Height(), 24);
        if (buttons) {
            const int ew = (pg.width - 2 - w0 - 23 - w1 - 23 - 8) / 2;
            const int b1 = 2 + w0 + 1 + ew + 2;
            const int l1 = b1 + 23 + 2;
            const int e1 = l1 + w1 + 2;
            EXPECT_EQ(panel->edBegin()->Width(), ew);
            EXPECT_EQ(panel->BeginButton()->BoundsRect(), Bounds(b1, top, 23, 23));
            EXPECT_EQ(panel->FinalLabel()->Left(), l1);
            EXPECT_EQ(panel->edFinal()->BoundsRect(), Bounds(e1, top, ew, 24));
            EXPECT_EQ(panel->FinalButton()->BoundsRect(), Bounds(e1 + ew + 2, top, 23, 23));
            EXPECT_TRUE(panel->BeginButton()->Visible());
        } else {
            const int ew = (pg.width - 2 - w0 - w1 - 4) / 2;
            EXPECT_EQ(panel->edBegin()->Width(), ew);
            EXPECT_EQ(panel->FinalLabel()->Left(), 2 + w0 + 1 + ew + 4);
            EXPECT_EQ(panel->edFinal()->Width(), ew);
            EXPECT_FALSE(panel->BeginButton()->Visible());
            EXPECT_FALSE(panel->ListButton()->Visible());
            EXPECT_TRUE(panel->DeleteButton()->Visible()) << "delete and clear stay";
        }
    }
}

TEST_F(PanelControl, VerticalRangeLayout)
{
    // As the receipt-date panel: a vertical range.
    panel->SetUseVertical(true);
    TStringList words({ "起", "起始" });
    panel->SetBeginWords(&words);
    panel->SetBounds(8, 8, 355, 90);
    const int t = panel->CaptionHeight();
    EXPECT_EQ(panel->RangePage()->BoundsRect(), Bounds(2, t + 3, 351, 90 - t - 5));
    const Page pg = PageOf(panel);
    EXPECT_EQ(panel->BeginLabel()->Caption(), "起始") << "the second entry";
    const int w0 = panel->BeginLabel()->TextWidth();
    const int g = (pg.height - 24 - 24) / 3;
    const int left = 2 + w0 + 2;
    const int ew = pg.width - 2 - w0 - 23 - 4;
    EXPECT_EQ(panel->BeginLabel()->Left(), 2);
    EXPECT_EQ(panel->BeginLabel()->Top(), g);
    EXPECT_EQ(panel->edBegin()->BoundsRect(), Bounds(left, g, ew, 24));
    EXPECT_EQ(panel->BeginButton()->BoundsRect(), Bounds(left + ew + 1, g, 23, 23));
    EXPECT_EQ(panel->FinalLabel()->Top(), g + g + 24);
    EXPECT_EQ(panel->edFinal()->BoundsRect(), Bounds(left, g + g + 24, ew, 24));
    EXPECT_EQ(panel->FinalButton()->BoundsRect(), Bounds(left + ew + 1, g + g + 24, 23, 23));

    panel->SetCanOpenWin(false);
    EXPECT_EQ(panel->edBegin()->Width(), pg.width - 2 - w0 - 2);
}

TEST_F(PanelControl, UserChoiceLayout)
{
    // As the supplier panel: the user's choice, vertical range under the check box.
    panel->SetStyle(TSelectStyle::sp_UserChoice);
    panel->SetBounds(8, 8, 353, 100);
    const int t = panel->CaptionHeight();
    QFontMetrics fm(panel->CheckBox()->Font()->ToQFont());
    EXPECT_EQ(panel->CheckBox()->BoundsRect(),
        Bounds(16, t + 1, fm.horizontalAdvance("区间选择") + 24, fm.height() + 2));
    const int pageTop = t + 1 + fm.height() + 2;
    EXPECT_EQ(panel->RangePage()->BoundsRect(), Bounds(2, pageTop, 349, 100 - pageTop - 2));
    EXPECT_EQ(panel->ListPage()->BoundsRect(), panel->RangePage()->BoundsRect());
    const int g = (panel->RangePage()->Height() - 48) / 3;
    EXPECT_EQ(panel->edBegin()->Top(), g);
    EXPECT_EQ(panel->edFinal()->Top(), g + g + 24);
    EXPECT_EQ(panel->BeginLabel()->Caption(), "起");

    panel->SetHintWord("按区间");
    EXPECT_EQ(panel->CheckBox()->Caption(), "按区间");
    EXPECT_EQ(panel->CheckBox()->Width(), fm.horizontalAdvance("按区间") + 24);
}

TEST_F(PanelControl, ListLayout)
{
    // As the category panel: a list.
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->SetBounds(8, 8, 353, 100);
    const Page pg { panel->ListPage()->Width(), panel->ListPage()->Height() };
    const int lw = pg.width - 23 - 3;
    EXPECT_EQ(panel->ListBox()->BoundsRect(), Bounds(0, 0, lw, pg.height));
    EXPECT_EQ(panel->ListButton()->BoundsRect(), Bounds(lw + 2, 0, 23, 23));
    EXPECT_EQ(panel->DeleteButton()->BoundsRect(), Bounds(lw + 2, 23, 23, 23));
    EXPECT_EQ(panel->ClearButton()->BoundsRect(), Bounds(lw + 2, 46, 23, 23));
}

// --- words, hints, pictures ------------------------------------------------------------------

TEST_F(PanelControl, WordListsTakeTheirFirstTwoEntries)
{
    TStringList one({ "从" });
    panel->SetBeginWords(&one);
    EXPECT_EQ(panel->BeginWords()->ToVector(), (std::vector<std::string> { "从", "起" }));
    EXPECT_EQ(panel->BeginLabel()->Caption(), "从");
    TStringList none;
    panel->SetFinalWords(&none);
    EXPECT_EQ(panel->FinalWords()->ToVector(), (std::vector<std::string> { "止", "止" }));
    TStringList three({ "讫", "至", "x" });
    panel->SetFinalWords(&three);
    EXPECT_EQ(panel->FinalWords()->ToVector(), (std::vector<std::string> { "讫", "至" }));
    panel->SetStyle(TSelectStyle::sp_UserChoice);
    EXPECT_EQ(panel->FinalLabel()->Caption(), "至");
}

TEST_F(PanelControl, ChildHintsGoToTheSubControlsByPosition)
{
    TStringList hints({ "a", "b", "c" });
    panel->SetChildHints(&hints);
    EXPECT_EQ(panel->CheckBox()->Hint(), "a");
    EXPECT_EQ(panel->edBegin()->Hint(), "b");
    EXPECT_EQ(panel->BeginButton()->Hint(), "c");
    EXPECT_EQ(panel->edFinal()->Hint(), "区间选择-截止信息") << "beyond the list: unchanged";
    panel->ChildHints()->Add("d");
    EXPECT_EQ(panel->edFinal()->Hint(), "d");
}

TEST_F(PanelControl, LookupButtonsTakeThePanelsPictureOrFallBack)
{
    panel->SetGlyphIndex(61);
    for (TF2Button* b : { panel->BeginButton(), panel->FinalButton(), panel->ListButton() })
        EXPECT_EQ(b->GlyphIndex(), 61);

    TBitmapLibrary broken;
    broken.MaxId = [] { return 100; };
    broken.Load = [](int, TBitmap&) -> bool { throw std::runtime_error("unreadable"); };
    ScopedBitmapLibrary scope(broken);
    panel->SetGlyphIndex(68);
    for (TF2Button* b : { panel->BeginButton(), panel->FinalButton(), panel->ListButton() }) {
        EXPECT_EQ(b->GlyphIndex(), 0);
        EXPECT_TRUE(b->Glyph()->Empty());
    }
    EXPECT_EQ(dialogs.Texts().size(), 3u);
}

// --- buttons and focus -----------------------------------------------------------------------

TEST_F(PanelControl, LookupButtonsFocusTheirControlAndAskTheForm)
{
    ShowAndActivate(*form);
    std::vector<std::pair<TObject*, TObject*>> opened;
    panel->OnOpenWinClick = TOpenWinClickEvent([&](TObject* parent, TObject* s) {
        opened.push_back({ parent, s });
    });
    panel->BeginButton()->Click();
    EXPECT_TRUE(panel->edBegin()->Focused());
    panel->FinalButton()->Click();
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->ListButton()->Click();
    EXPECT_TRUE(panel->ListBox()->Focused());
    EXPECT_EQ(form->requests,
        (std::vector<TWinControl*> { panel->edBegin(), panel->edFinal(), panel->ListBox() }));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2], (std::pair<TObject*, TObject*>(panel, panel->ListBox())));
}

TEST_F(PanelControl, DeleteAsksFirstAndClearEmptiesTheList)
{
    ShowAndActivate(*form);
    panel->SetStyle(TSelectStyle::sp_Discrete);
    for (const char* v : { "A", "B", "C" })
        panel->AddListRow({ v });
    panel->Items()->Item(0)->SetSelected(true);
    panel->Items()->Item(2)->SetSelected(true);
    bool accept = false;
    panel->OnDeleteClick = TAcceptEvent([&](TObject*, bool& ok) { ok = accept; });
    panel->DeleteButton()->Click();
    EXPECT_EQ(panel->Items()->Count(), 3);
    accept = true;
    panel->DeleteButton()->Click();
    ASSERT_EQ(panel->Items()->Count(), 1);
    EXPECT_EQ(panel->Items()->Item(0)->Caption(), "B");

    int cleared = 0;
    panel->OnClearClick = TNotifyEvent([&](TObject*) { cleared += panel->Items()->Count() == 0; });
    other->SetFocus();
    panel->ClearButton()->Click();
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(panel->ListBox()->Focused());
}

TEST_F(PanelControl, LeavingThePanelOrdersTheRangeBeforeOnExit)
{
    ShowAndActivate(*form);
    std::vector<std::string> exits;
    panel->OnExit = TNotifyEvent(
        [&](TObject*) { exits.push_back(panel->BeginText() + ".." + panel->FinalText()); });
    panel->edBegin()->SetFocus();
    panel->SetBeginText("B");
    panel->SetFinalText("A");
    panel->edFinal()->SetFocus();
    EXPECT_EQ(panel->BeginText(), "B") << "moving inside the panel is not leaving it";
    EXPECT_TRUE(exits.empty());
    other->SetFocus();
    EXPECT_EQ(exits, std::vector<std::string> { "A..B" });
}

TEST_F(PanelControl, SetFocusGoesToTheEntryControlOfTheMode)
{
    ShowAndActivate(*form);
    panel->SetFocus();
    EXPECT_TRUE(panel->edBegin()->Focused());
    other->SetFocus();
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->SetFocus();
    EXPECT_TRUE(panel->ListBox()->Focused());
}

TEST_F(PanelControl, EnabledReachesEverySubControl)
{
    panel->SetEnabled(false);
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(panel->HintControl(i)->Enabled()) << i;
    EXPECT_FALSE(panel->BeginLabel()->Enabled());
    panel->SetEnabled(true);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(panel->HintControl(i)->Enabled()) << i;
}

TEST_F(PanelControl, SubControlEventsArriveAsThePanelsOwn)
{
    ShowAndActivate(*form);
    std::vector<std::string> log;
    auto name = [&](TObject* s) {
        return s == panel ? std::string("panel") : static_cast<TComponent*>(s)->Name();
    };
    panel->OnClick = TNotifyEvent([&](TObject* s) { log.push_back("click " + name(s)); });
    panel->OnKeyPress = TKeyPressEvent([&](TObject* s, TKeyChar& k) {
        log.push_back("key " + name(s) + " " + std::string(1, static_cast<char>(k)));
    });
    panel->OnMouseDown = TMouseEvent([&](TObject* s, TMouseButton, TShiftState, int x, int y) {
        log.push_back("down " + name(s) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    panel->OnItemSelect = TItemSelectEvent([&](TObject* s, TListItem*, int index, bool on) {
        log.push_back("select " + name(s) + " " + std::to_string(index) + (on ? " on" : " off"));
    });
    panel->edBegin()->Click();
    panel->RangePage()->Click();
    panel->edBegin()->SetFocus();
    PressKey(Qt::Key_X, Qt::NoModifier, "x");
    const TPoint label { 1 + panel->BeginLabel()->Left() + panel->RangePage()->Left(),
        2 + panel->BeginLabel()->Top() + panel->RangePage()->Top() };
    panel->BeginLabel()->OnMouseDown(panel->BeginLabel(), TMouseButton::mbLeft, 0, 1, 2);
    panel->edFinal()->OnMouseDown(panel->edFinal(), TMouseButton::mbLeft, 0, 1, 2);
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->AddListRow({ "A" });
    panel->AddListRow({ "B" });
    panel->Items()->Item(1)->SetSelected(true);
    EXPECT_EQ(log,
        (std::vector<std::string> { "click edBegin", "click panel", "key edBegin x",
            "down panel " + std::to_string(label.X) + "," + std::to_string(label.Y),
            "down edFinal 1,2", "select panel 1 on" }));
}

TEST_F(PanelControl, AClickOnTheListCountsOnlyOnceTheListHasTheFocus)
{
    ShowAndActivate(*form);
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->AddListRow({ "A" });
    ProcessEvents();
    QTreeWidget* tree = panel->ListBox()->TreeWidget();
    const QPoint at = tree->visualItemRect(panel->Items()->Item(0)->WidgetItem()).center();
    auto click = [&] {
        QMouseEvent press(QEvent::MouseButtonPress, at, tree->viewport()->mapToGlobal(at),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, tree->viewport()->mapToGlobal(at),
            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &release);
    };
    // The edit being left keeps the focus (as a failed exit check does).
    other->SetFocus();
    other->OnExit = TNotifyEvent([&](TObject*) { other->SetFocus(); });
    click();
    EXPECT_FALSE(panel->ListBox()->Focused());
    EXPECT_FALSE(panel->Items()->Item(0)->Selected());

    other->OnExit = nullptr;
    click();
    EXPECT_TRUE(panel->ListBox()->Focused());
    EXPECT_TRUE(panel->Items()->Item(0)->Selected());
}

} // namespace
