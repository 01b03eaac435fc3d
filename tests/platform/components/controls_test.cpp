// Behaviour of the standard controls on real widgets: what raises which event, what code may
// change quietly, and the layout rules (alignment, anchors, tool bars, splitters, labels).

#include "TestSupport.h"

#include "platform/components/CheckBox.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/Form.h"
#include "platform/components/GroupBox.h"
#include "platform/components/ImageList.h"
#include "platform/components/Label.h"
#include "platform/components/ListView.h"
#include "platform/components/MaskEdit.h"
#include "platform/components/Memo.h"
#include "platform/components/Menus.h"
#include "platform/components/PageControl.h"
#include "platform/components/Panel.h"
#include "platform/components/SpeedButton.h"
#include "platform/components/Splitter.h"
#include "platform/components/ToolBar.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zrv;
using namespace zrv::test;

namespace {

struct ControlsFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TForm>());
        form->SetBounds(0, 0, 500, 400);
    }
    template <typename T> T* Make(TWinControl* parent = nullptr, const char* name = nullptr)
    {
        T* c = new T(form.get());
        if (name)
            c->SetName(name);
        c->SetParent(parent ? parent : form.get());
        return c;
    }
    std::vector<std::string> log;
    TNotifyEvent Note(const std::string& what)
    {
        return TNotifyEvent([this, what](TObject*) { log.push_back(what); });
    }
    TOwned<TForm> form;
};

TEST_F(ControlsFixture, ComboBoxItemsAndSelection)
{
    auto* cbo = Make<TComboBox>();
    cbo->SetStyle(TComboBoxStyle::csDropDownList);
    cbo->OnChange = Note("change");
    cbo->OnClick = Note("click");
    cbo->Items()->Add("进货");
    cbo->Items()->Add("退货");
    EXPECT_EQ(cbo->ItemIndex(), -1); // adding items does not select the first one
    cbo->SetItemIndex(1);
    EXPECT_EQ(cbo->Text(), "退货");
    cbo->SetItemIndex(7);
    EXPECT_EQ(cbo->ItemIndex(), -1);
    EXPECT_TRUE(log.empty()); // code raises no events

    cbo->SelectByUser(0);
    EXPECT_EQ(log, (std::vector<std::string> { "click", "change" }));
    log.clear();
    cbo->OnSelect = Note("select");
    cbo->SelectByUser(1); // OnSelect takes the place of OnChange
    EXPECT_EQ(log, (std::vector<std::string> { "click", "select" }));

    // A real choice through Qt's "activated" signal arrives the same way.
    log.clear();
    emit cbo->ComboWidget()->activated(0);
    EXPECT_EQ(log, (std::vector<std::string> { "click", "select" }));
    EXPECT_EQ(cbo->ItemIndex(), 0);

    // Sorted lists keep their order; the selection follows its item.
    cbo->SetSorted(true);
    cbo->Items()->Add("全部");
    EXPECT_EQ(cbo->Items()->IndexOf("全部"),
        cbo->Items()->Count() == 3 ? cbo->Items()->IndexOf("全部") : -1);
    std::vector<std::string> items = cbo->Items()->ToVector();
    EXPECT_TRUE(
        std::is_sorted(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
            return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive)
                < 0;
        }));
    EXPECT_EQ(cbo->Text(), "进货");

    // An editable combo box: typing raises OnChange; Text of a list style picks the item.
    auto* edit = Make<TComboBox>();
    edit->OnChange = Note("typed");
    log.clear();
    QLineEdit* line = edit->ComboWidget()->lineEdit();
    ASSERT_NE(line, nullptr);
    emit line->textEdited("x");
    EXPECT_EQ(log, (std::vector<std::string> { "typed" }));
    cbo->SetText("退货");
    EXPECT_EQ(cbo->Items()->Get(cbo->ItemIndex()), "退货");
}

TEST_F(ControlsFixture, CheckBoxStatesAndClicks)
{
    auto* chk = Make<TCheckBox>();
    chk->OnClick = Note("click");
    chk->SetChecked(true); // code changes raise OnClick, as the classic box does
    chk->SetChecked(true); // no change, no click
    EXPECT_EQ(log.size(), 1u);
    chk->SetChecked(false);
    EXPECT_EQ(log.size(), 2u);

    // Clicks follow unchecked -> checked -> unchecked, or through grayed with AllowGrayed.
    struct Case {
        bool allowGrayed;
        std::vector<TCheckBoxState> states;
    } cases[] = {
        { false, { TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked } },
        { true,
            { TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked } },
    };
    form->ShowForm();
    for (const Case& c : cases) {
        chk->SetAllowGrayed(c.allowGrayed);
        for (TCheckBoxState s : c.states) {
            chk->ButtonWidget()->click();
            EXPECT_EQ(chk->State(), s);
            EXPECT_EQ(chk->Checked(), s == TCheckBoxState::cbChecked);
        }
    }
}

TEST_F(ControlsFixture, RadioButtonsExcludeTheirSiblingsOnly)
{
    auto* p1 = Make<TPanel>();
    auto* p2 = Make<TPanel>();
    auto* a = Make<TRadioButton>(p1);
    auto* b = Make<TRadioButton>(p1);
    auto* c = Make<TRadioButton>(p1);
    auto* other = Make<TRadioButton>(p2);
    other->SetChecked(true);
    a->SetChecked(true);
    b->OnClick = Note("b");
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(c->Checked());
    EXPECT_TRUE(other->Checked()); // another parent
    EXPECT_EQ(log, (std::vector<std::string> { "b" }));
    form->ShowForm();
    c->ButtonWidget()->click();
    EXPECT_TRUE(c->Checked());
    EXPECT_FALSE(b->Checked());
    c->ButtonWidget()->click(); // clicking a checked radio button keeps it checked
    EXPECT_TRUE(c->Checked());
}

TEST_F(ControlsFixture, SpeedButtonGroups)
{
    auto* a = Make<TSpeedButton>();
    auto* b = Make<TSpeedButton>();
    auto* plain = Make<TSpeedButton>();
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down()); // without a group a button never stays down
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    b->SetDown(false); // the group keeps one button down...
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true); // ...unless all may be up (the whole group shares the setting)
    EXPECT_TRUE(a->AllowAllUp());
    b->SetDown(false);
    EXPECT_FALSE(b->Down());

    form->ShowForm();
    int clicks = 0;
    a->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    a->ButtonWidget()->click();
    EXPECT_TRUE(a->Down());
    a->ButtonWidget()->click();
    EXPECT_FALSE(a->Down()); // AllowAllUp: a second click releases it
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(a->ButtonWidget()->focusPolicy(), Qt::NoFocus);
}

TEST_F(ControlsFixture, PageChangesAskFirstAndReportAfter)
{
    auto* pc = Make<TPageControl>(nullptr, "pgOption");
    pc->SetBounds(0, 0, 300, 200);
    TTabSheet* pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TTabSheet(form.get());
        pages[i]->SetName("ts" + std::to_string(i));
        pages[i]->SetPageControl(pc);
        pages[i]->SetCaption("页" + std::to_string(i));
    }
    auto* edit0 = Make<TEdit>(pages[0]);
    auto* edit1 = Make<TEdit>(pages[1]);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_TRUE(edit0->CanFocus());
    EXPECT_FALSE(edit1->CanFocus()); // only the active page's controls can take the focus

    bool allow = true;
    pc->OnChanging = TTabChangingEvent([&](TObject*, bool& a) {
        log.push_back("changing from " + pc->ActivePage()->Name());
        a = allow;
    });
    pc->OnChange
        = TNotifyEvent([&](TObject*) { log.push_back("change to " + pc->ActivePage()->Name()); });
    pages[1]->OnShow = Note("show ts1");
    pages[0]->OnHide = Note("hide ts0");
    ShowAndActivate(*form);

    pc->SetActivePage(pages[2]); // code: no OnChanging / OnChange
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_TRUE(std::find(log.begin(), log.end(), "hide ts0") != log.end());
    log.clear();

    // A click on a tab asks first; a refusal keeps the page.
    QTabBar* bar = pc->TabWidget()->tabBar();
    auto clickTab = [&](int index) {
        QPoint pos = bar->tabRect(index).center();
        QMouseEvent press(QEvent::MouseButtonPress, pos, bar->mapToGlobal(pos), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, bar->mapToGlobal(pos), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &release);
    };
    allow = false;
    clickTab(1);
    EXPECT_EQ(log, (std::vector<std::string> { "changing from ts2" }));
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_EQ(pc->TabWidget()->currentIndex(), 2);

    log.clear();
    allow = true;
    clickTab(1);
    EXPECT_EQ(log, (std::vector<std::string> { "changing from ts2", "show ts1", "change to ts1" }));
    EXPECT_EQ(pc->ActivePage(), pages[1]);
    EXPECT_TRUE(edit1->CanFocus());

    // The next page as the keyboard asks for it, skipping hidden tabs and wrapping.
    pages[2]->SetTabVisible(false);
    log.clear();
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_EQ(log, (std::vector<std::string> { "changing from ts1", "change to ts0" }));
    EXPECT_EQ(pages[0]->TabIndex(), 0);
    EXPECT_EQ(pages[2]->TabIndex(), -1);
    EXPECT_EQ(pages[1]->PageIndex(), 1);
}

TEST_F(ControlsFixture, PageChangeMovesTheFocusOffTheOldPage)
{
    auto* pc = Make<TPageControl>();
    auto* p0 = new TTabSheet(form.get());
    p0->SetPageControl(pc);
    auto* p1 = new TTabSheet(form.get());
    p1->SetPageControl(pc);
    auto* ed = Make<TEdit>(p0);
    ed->OnExit = Note("exit");
    ShowAndActivate(*form);
    ed->SetFocus();
    EXPECT_TRUE(ed->Focused());
    pc->ChangePageByUser(p1);
    EXPECT_EQ(form->ActiveControl(), pc);
    EXPECT_EQ(log, (std::vector<std::string> { "exit" }));
}

TEST_F(ControlsFixture, ListViewItemsSelectionSortingAndEditing)
{
    auto* lv = Make<TListView>();
    lv->SetViewStyle(TViewStyle::vsReport);
    lv->SetMultiSelect(true);
    lv->Columns()->Add()->SetCaption("方案");
    lv->Columns()->Add()->SetCaption("日期");
    for (const char* c : { "b", "C", "a" }) {
        TListItem* item = lv->Items()->Add();
        item->SetCaption(c);
        item->SubItems()->Add(std::string("sub ") + c);
    }
    EXPECT_EQ(lv->Items()->Count(), 3);
    EXPECT_EQ(lv->Items()->Item(1)->SubItems()->Get(0), "sub C");
    EXPECT_EQ(lv->TreeWidget()->topLevelItem(1)->text(1), "sub C");

    lv->OnSelectItem = TLVSelectItemEvent([&](TObject*, TListItem* item, bool selected) {
        log.push_back(item->Caption() + (selected ? "+" : "-"));
    });
    lv->Items()->Item(0)->SetSelected(true);
    lv->Items()->Item(2)->SetSelected(true);
    EXPECT_EQ(lv->SelCount(), 2);
    EXPECT_EQ(lv->Selected(), lv->Items()->Item(0));
    lv->SetSelected(lv->Items()->Item(1));
    EXPECT_EQ(log, (std::vector<std::string> { "b+", "a+", "b-", "a-", "C+" }));

    // Sorting by caption without regard to case keeps the selection with its item.
    lv->AlphaSort();
    std::vector<std::string> order;
    for (int i = 0; i < lv->Items()->Count(); ++i)
        order.push_back(lv->Items()->Item(i)->Caption());
    EXPECT_EQ(order, (std::vector<std::string> { "a", "b", "C" }));
    EXPECT_EQ(lv->TreeWidget()->topLevelItem(2)->text(1), "sub C");
    EXPECT_TRUE(lv->Items()->Item(2)->Selected());

    // Sorted by text: new captions take their place at once.
    lv->SetSortType(TSortType::stText);
    lv->Items()->Add()->SetCaption("B2");
    EXPECT_EQ(lv->Items()->Item(2)->Caption(), "B2");

    // In-place editing: OnEditing may refuse, OnEdited may change the new caption.
    bool allowEdit = false;
    lv->OnEditing = TLVEditingEvent([&](TObject*, TListItem*, bool& allow) { allow = allowEdit; });
    lv->OnEdited = TLVEditedEvent([&](TObject*, TListItem*, std::string& text) { text += "!"; });
    TListItem* target = lv->Items()->Item(0);
    EXPECT_FALSE(lv->CanEdit(target));
    allowEdit = true;
    EXPECT_TRUE(lv->CanEdit(target));
    std::string text = "renamed";
    lv->Edited(target, text);
    EXPECT_EQ(text, "renamed!");
    lv->SetReadOnly(true);
    EXPECT_FALSE(lv->CanEdit(target));
    EXPECT_FALSE(target->EditCaption());

    // Deleting tells OnDeletion and keeps the list consistent.
    lv->OnDeletion = TLVDeletedEvent(
        [&](TObject*, TListItem* item) { log.push_back("del " + item->Caption()); });
    log.clear();
    lv->Items()->Item(0)->Delete();
    EXPECT_EQ(log, (std::vector<std::string> { "del a" }));
    EXPECT_EQ(lv->Items()->Count(), 3);
    EXPECT_EQ(lv->TreeWidget()->topLevelItemCount(), 3);
    lv->Items()->Clear();
    EXPECT_EQ(lv->TreeWidget()->topLevelItemCount(), 0);
}

TEST_F(ControlsFixture, MaskedEditTextAndEditText)
{
    auto* me = Make<TMaskEdit>();
    me->SetEditMask("9999/99/99;1; ");
    EXPECT_EQ(me->Text(), "    /  /  "); // empty: the literals among blanks
    me->SetText("2024/03/05");
    EXPECT_EQ(me->Text(), "2024/03/05");
    me->SetEditMask("9999/99/99;0;_");
    EXPECT_EQ(me->EditText(), "2024/03/05");
    EXPECT_EQ(me->Text(), "20240305"); // literals not saved
    me->SetText("");
    EXPECT_EQ(me->EditText(), "____/__/__");
    EXPECT_EQ(me->Text(), "        ");

    // The mask notation is translated, with characters Qt reads as codes kept literal.
    EXPECT_EQ(QtInputMaskFor("9999/99/99;1; "), "0000/00/00; ");
    EXPECT_EQ(QtInputMaskFor("!>LL-000;0;_"), ">AA-999;_");
    EXPECT_EQ(QtInputMaskFor("No. 00;1;*"), "\\No. 99;*");
    EXPECT_EQ(QtInputMaskFor(""), "");
    TEditMaskParts parts = SplitEditMask("99\\;99;0;#");
    EXPECT_EQ(parts.body, "99\\;99");
    EXPECT_FALSE(parts.saveLiterals);
    EXPECT_EQ(parts.blank, '#');
}

TEST_F(ControlsFixture, MemoLinesAndCaret)
{
    auto* memo = Make<TMemo>();
    memo->Lines()->Add("第一行");
    memo->Lines()->Add("second");
    memo->Lines()->Add("third");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Text(), "第一行\r\nsecond\r\nthird");
    memo->SetText("a\r\nb\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 2); // a final line break ends the last line
    memo->SetCaretPos({ 1, 1 });
    EXPECT_EQ(memo->CaretPos(), (TPoint { 1, 1 }));
    memo->Lines()->Put(0, "A");
    EXPECT_EQ(memo->Lines()->Get(0), "A");
    memo->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_TRUE(memo->WantsKey(VK_RETURN, 0));
    EXPECT_FALSE(memo->WantsKey(VK_TAB, 0));
}

TEST_F(ControlsFixture, RadioMenuItemsAndClicks)
{
    auto* menu = new TPopupMenu(form.get());
    TMenuItem* items[4];
    for (int i = 0; i < 4; ++i) {
        items[i] = new TMenuItem(form.get());
        items[i]->SetCaption("视图" + std::to_string(i));
        items[i]->SetRadioItem(true);
        items[i]->SetGroupIndex(i < 3 ? 1 : 2);
        menu->Items()->Add(items[i]);
    }
    items[0]->SetChecked(true);
    items[3]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[3]->Checked()); // another group
    items[2]->OnClick = Note("clicked");
    items[2]->SetEnabled(false);
    items[2]->Click();
    EXPECT_TRUE(log.empty());
    items[2]->SetEnabled(true);
    items[2]->Click();
    EXPECT_EQ(log, (std::vector<std::string> { "clicked" }));

    // The Qt menu mirrors the items; triggering an action clicks the item.
    menu->Rebuild();
    QMenu* qm = menu->QtMenu();
    ASSERT_EQ(qm->actions().size(), 4);
    EXPECT_TRUE(qm->actions()[1]->isChecked());
    qm->actions()[2]->trigger();
    EXPECT_EQ(log.size(), 2u);

    // Freeing an item takes it out of its menu.
    items[0]->Free();
    EXPECT_EQ(menu->Items()->Count(), 3);
}

TEST_F(ControlsFixture, ToolBarLinesUpButtons)
{
    auto* bar = Make<TToolBar>();
    bar->SetButtonWidth(30);
    bar->SetButtonHeight(24);
    auto* b1 = Make<TToolButton>(bar);
    auto* sep = Make<TToolButton>(bar);
    sep->SetStyle(TToolButtonStyle::tbsSeparator);
    auto* b2 = Make<TToolButton>(bar);
    b2->SetLeft(100);
    EXPECT_EQ(b1->Left(), 0);
    EXPECT_EQ(sep->Left(), 30);
    EXPECT_EQ(sep->Width(), 8);
    EXPECT_EQ(b2->Left(), 38);
    EXPECT_EQ(b2->Height(), 24);
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Width(), form->ClientWidth()); // aligned to the top

    b1->SetStyle(TToolButtonStyle::tbsCheck);
    b1->Click();
    EXPECT_TRUE(b1->Down());
    b1->Click();
    EXPECT_FALSE(b1->Down());

    auto* menu = new TPopupMenu(form.get());
    b2->SetStyle(TToolButtonStyle::tbsDropDown);
    b2->SetDropdownMenu(menu);
    EXPECT_EQ(b2->ButtonWidget()->menu(), menu->QtMenu());
    EXPECT_EQ(b2->ButtonWidget()->popupMode(), QToolButton::MenuButtonPopup);
    menu->Free();
    EXPECT_EQ(b2->DropdownMenu(), nullptr);
    EXPECT_EQ(b2->ButtonWidget()->menu(), nullptr);
}

TEST_F(ControlsFixture, AlignmentAnchorsAndSplitter)
{
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    auto* bottom = Make<TPanel>();
    bottom->SetHeight(43);
    bottom->SetAlign(TAlign::alBottom);
    auto* left = Make<TPanel>();
    left->SetWidth(120);
    left->SetAlign(TAlign::alLeft);
    auto* split = Make<TSplitter>();
    split->SetLeft(121);
    split->SetAlign(TAlign::alLeft);
    auto* client = Make<TPanel>();
    client->SetAlign(TAlign::alClient);
    auto* ok = Make<TPanel>(bottom);
    ok->SetBounds(320, 10, 75, 25);
    ok->SetAnchors(AnchorBit(akTop) | AnchorBit(akRight));

    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 257, 400, 43));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 120, 257));
    EXPECT_EQ(split->BoundsRect(), Bounds(120, 0, 3, 257));
    EXPECT_EQ(client->BoundsRect(), Bounds(123, 0, 277, 257));

    // The window grows: aligned controls follow, the anchored button keeps its right margin.
    form->SetClientWidth(500);
    form->SetClientHeight(400);
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 357, 500, 43));
    EXPECT_EQ(client->BoundsRect(), Bounds(123, 0, 377, 357));
    EXPECT_EQ(ok->Left(), 420);

    // Dragging the splitter resizes its neighbour, never below MinSize on either side.
    EXPECT_EQ(split->FindControl(), left);
    split->MoveBy(30);
    EXPECT_EQ(left->Width(), 150);
    EXPECT_EQ(client->Left(), 153);
    split->MoveBy(-1000);
    EXPECT_EQ(left->Width(), split->MinSize());
    split->MoveBy(1000);
    EXPECT_EQ(client->Width(), split->MinSize());

    // Hidden aligned controls give up their room.
    bottom->SetVisible(false);
    EXPECT_EQ(client->Height(), 400);
}

TEST_F(ControlsFixture, LabelsSizeToTheirText)
{
    auto* lbl = Make<TLabel>();
    lbl->SetCaption("制表日期");
    int w = lbl->Width();
    EXPECT_GT(w, 0);
    EXPECT_EQ(lbl->Height(), lbl->TextHeight());
    lbl->SetCaption("制表日期制表日期");
    EXPECT_GT(lbl->Width(), w);
    lbl->SetCaption("&F");
    EXPECT_EQ(lbl->DisplayText(), "F"); // the accelerator mark takes no room
    lbl->SetAutoSize(false);
    lbl->SetWidth(100);
    lbl->SetCaption("x");
    EXPECT_EQ(lbl->Width(), 100);
}

TEST_F(ControlsFixture, ImageListCutsStrips)
{
    auto* images = new TImageList(form.get());
    TBitmap strip(48, 16, clFuchsia);
    strip.SetPixel(17, 3, clRed);
    EXPECT_EQ(images->AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(images->Count(), 3);
    TBitmap second;
    ASSERT_TRUE(images->GetBitmap(1, second));
    EXPECT_EQ(second.Width(), 16);
    EXPECT_EQ(second.Pixel(1, 3), clRed);
    EXPECT_FALSE(images->GetBitmap(5, second));
    EXPECT_FALSE(images->Icon(2).isNull());
}

TEST_F(ControlsFixture, EditChangesAndCase)
{
    auto* ed = Make<TEdit>();
    ed->OnChange = Note("change");
    ed->SetText("abc");
    EXPECT_EQ(log.size(), 1u); // code changes raise OnChange too
    ed->SetText("abc");
    EXPECT_EQ(log.size(), 1u);
    ed->SetCharCase(TEditCharCase::ecUpperCase);
    EXPECT_EQ(ed->Text(), "ABC");
    ed->SetMaxLength(4);
    ed->SetText("ABCDEFG");
    EXPECT_EQ(ed->Text(), "ABCD");
    ed->SelectAll();
    EXPECT_EQ(ed->SelLength(), 4);
}

} // namespace

namespace {

TEST_F(ControlsFixture, MouseClicksAndDoubleClicksReachTheirEventsOnce)
{
    auto* lv = Make<TListView>();
    lv->SetBounds(0, 0, 200, 100);
    lv->Items()->Add()->SetCaption("x");
    int clicks = 0, doubles = 0;
    lv->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    lv->OnDblClick = TNotifyEvent([&](TObject*) { ++doubles; });
    form->ShowForm();
    QWidget* viewport = lv->TreeWidget()->viewport();
    QPoint pos(5, 5);
    auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent e(
            type, pos, viewport->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
}

} // namespace
