// Radio buttons and radio groups, the spin edit's change rule, and the owner-drawn pages.

#include "ControlsTestSupport.h"

#include "controls/ExtPage.h"
#include "controls/ZrRadioButton.h"
#include "controls/ZrRadioGroup.h"
#include "controls/ZrSpin.h"
#include "platform/components/Panel.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QTabBar>
#include <QTabWidget>

using namespace zrv;
using namespace zrv::test;

namespace {

struct RadioFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        a = form->Make<TPanel>("pnlA", form.get(), 0, 0, 300, 100);
        b = form->Make<TPanel>("pnlB", form.get(), 0, 100, 300, 100);
        for (int i = 0; i < 3; ++i)
            onA.push_back(form->Make<TZrRadioButton>(
                ("rdoA" + std::to_string(i)).c_str(), a, 8, 8 + 20 * i, 113, 17));
        onB = form->Make<TZrRadioButton>("rdoB", b, 8, 8, 113, 17);
    }
    std::vector<bool> States() const
    {
        std::vector<bool> out;
        for (auto* r : onA)
            out.push_back(r->Checked());
        out.push_back(onB->Checked());
        return out;
    }
    TOwned<TLookupForm> form;
    TPanel *a = nullptr, *b = nullptr;
    std::vector<TZrRadioButton*> onA;
    TZrRadioButton* onB = nullptr;
};

TEST_F(RadioFixture, CheckingOneUnchecksItsSiblingsOnly)
{
    onB->SetChecked(true);
    onA[0]->SetChecked(true);
    onA[2]->SetChecked(true);
    EXPECT_EQ(States(), (std::vector<bool> { false, false, true, true }));
    EXPECT_TRUE(onA[2]->TabStop());
    EXPECT_FALSE(onA[0]->TabStop()) << "only the checked button is a tab stop";
    EXPECT_EQ(onA[2]->ButtonWidget()->isChecked(), true);
    EXPECT_EQ(onA[0]->ButtonWidget()->isChecked(), false);
}

TEST_F(RadioFixture, CheckingClicksUnlessClicksAreDisabled)
{
    int clicks = 0;
    onA[1]->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    onA[1]->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    onA[1]->SetChecked(false);
    EXPECT_EQ(clicks, 1) << "unchecking does not click";
    onA[1]->SetClicksDisabled(true);
    onA[1]->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    onA[1]->SetClicksDisabled(false);
    // A click on the native button checks it.
    onA[0]->ButtonWidget()->click();
    EXPECT_TRUE(onA[0]->Checked());
    EXPECT_FALSE(onA[1]->Checked());
    onA[0]->ButtonWidget()->click();
    EXPECT_TRUE(onA[0]->Checked()) << "a checked radio button stays checked";
}

TEST(RadioCaption, IndentGrowsWithTheFontSize)
{
    const std::pair<int, int> cases[] = { { 1, 17 }, { 8, 17 }, { 9, 19 }, { 15, 19 }, { 16, 20 },
        { 17, 20 }, { 18, 21 }, { 24, 23 }, { 30, 25 }, { 36, 27 }, { 42, 29 }, { 44, 31 },
        { 60, 31 }, { 61, 39 }, { 80, 39 }, { 81, 44 }, { 0, 44 } };
    for (const auto& [points, indent] : cases)
        EXPECT_EQ(RadioCaptionIndent(points), indent) << points;
}

TEST_F(RadioFixture, ADisabledButtonShowsItsCaptionInItsFontColour)
{
    TZrRadioButton* r = onA[0];
    r->SetCaption("MMMMMM");
    r->Font()->SetColor(clRed);
    r->SetColor(clWhite);
    auto redPixels = [&] {
        QImage image = r->Handle()->grab().toImage();
        int n = 0;
        TRect area = r->CaptionArea();
        for (int y = 0; y < image.height(); ++y)
            for (int x = area.Left; x < std::min(image.width(), area.Right); ++x) {
                QColor c = image.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return n;
    };
    EXPECT_GT(redPixels(), 10);
    r->SetEnabled(false);
    EXPECT_GT(redPixels(), 10);
    EXPECT_EQ(r->CaptionArea().Left, RadioCaptionIndent(r->Font()->Size()));
}

struct GroupFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        group = form->Make<TZrRadioGroup>("grp", form.get(), 8, 8, 250, 120);
    }
    TOwned<TLookupForm> form;
    TZrRadioGroup* group = nullptr;
};

TEST_F(GroupFixture, ButtonsAreArrangedDownThenAcross)
{
    group->Items()->SetStrings({ "1", "2", "3", "4", "5" });
    group->SetColumns(2);
    ASSERT_EQ(group->ButtonCount(), 5);
    const int t = QFontMetrics(group->Font()->ToQFont()).height();
    const int rows = 3;
    const int width = (250 - 10) / 2;
    const int usable = 120 - t - 5;
    const int height = usable / rows;
    const int margin = (usable % rows) / 2 + t + 1;
    EXPECT_EQ(
        group->Buttons(4)->BoundsRect(), Bounds(width + 8, 1 * height + margin, width, height))
        << "the fifth is in the second column, second row";
    EXPECT_EQ(group->Buttons(2)->BoundsRect(), Bounds(8, 2 * height + margin, width, height))
        << "the third closes the first column";
    EXPECT_EQ(group->Buttons(3)->Left(), width + 8);
    EXPECT_EQ(group->Buttons(3)->Caption(), "4");

    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(20);
    EXPECT_EQ(group->Columns(), 16);
}

TEST_F(GroupFixture, ItemIndexChecksOneButton)
{
    group->Items()->SetStrings({ "a", "b", "c" });
    group->SetItemIndex(1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    group->SetItemIndex(7);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_TRUE(group->Buttons(2)->Checked());
    group->SetItemIndex(-5);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(2)->Checked());

    group->SetItemIndex(2);
    group->Items()->SetStrings({ "a", "b" });
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->ItemIndex(), 1) << "lowered to the last item";
    EXPECT_TRUE(group->Buttons(1)->Checked());

    std::vector<std::string> log;
    group->OnChange = TNotifyEvent(
        [&](TObject*) { log.push_back("change " + std::to_string(group->ItemIndex())); });
    group->OnClick = TNotifyEvent([&](TObject*) { log.push_back("click"); });
    group->Buttons(0)->ButtonWidget()->click();
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(log, (std::vector<std::string> { "change 0", "click" }));
    group->SetItemIndex(1);
    EXPECT_EQ(log.size(), 2u) << "setting from code raises nothing";

    group->SetEnabled(false);
    EXPECT_FALSE(group->Buttons(0)->Enabled());
}

TEST_F(GroupFixture, KeysInAButtonReachTheGroup)
{
    group->Items()->SetStrings({ "a" });
    std::string keys;
    group->OnKeyPress
        = TKeyPressEvent([&](TObject*, TKeyChar& k) { keys += static_cast<char>(k); });
    ShowAndActivate(*form);
    group->Buttons(0)->SetFocus();
    PressKey(Qt::Key_Q, Qt::NoModifier, "q");
    EXPECT_EQ(keys, "q");
}

TEST(ZrSpinEdit, DropsASignAfterTheFirstCharacter)
{
    EnsureApplication();
    TOwned<TZrSpinEdit> spin(new TZrSpinEdit(nullptr));
    std::vector<std::string> changes;
    spin->OnChange = TNotifyEvent([&](TObject*) { changes.push_back(spin->Text()); });
    struct Case {
        std::string typed, shown;
    };
    const Case cases[] = { { "12-", "12" }, { "-5", "-5" }, { "7+", "7" }, { "", "" } };
    for (const Case& c : cases) {
        spin->SetText(c.typed);
        EXPECT_EQ(spin->Text(), c.shown) << c.typed;
    }
    EXPECT_EQ(changes, (std::vector<std::string> { "12", "-5", "7" }))
        << "a sign dropped raises the change once; an empty text none";
}

struct PagesFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        pages = form->Make<TExtPageControl>("pgOption", form.get(), 0, 0, 400, 200);
        for (const char* caption : { "条件选项", "交易分类选项", "高级选项" }) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
            sheets.push_back(sheet);
        }
    }
    TOwned<TLookupForm> form;
    TExtPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
};

TEST_F(PagesFixture, TabsOfHiddenPagesAreSkipped)
{
    EXPECT_TRUE(pages->OwnerDraw());
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->PageOfTab(0), sheets[0]);
    EXPECT_EQ(pages->PageOfTab(1), sheets[2]) << "the third page's caption on the second tab";
    EXPECT_EQ(pages->PageOfTab(2), nullptr);
}

TEST_F(PagesFixture, ActiveTabIsDrawnInTheActiveCaptionColours)
{
    ShowAndActivate(*form);
    pages->SetActivePage(sheets[0]);
    ProcessEvents();
    QTabBar* bar = pages->TabWidget()->tabBar();
    QImage image = bar->grab().toImage();
    QRect active = bar->tabRect(0);
    QRect inactive = bar->tabRect(1);
    EXPECT_EQ(FromQColor(image.pixelColor(active.left() + 3, active.top() + 3)),
        ColorToRGB(clActiveCaption));
    EXPECT_EQ(FromQColor(image.pixelColor(inactive.left() + 1, inactive.top() + 1)),
        ColorToRGB(clInactiveCaption));

    std::vector<std::string> drawn;
    pages->OnDrawTab = TDrawTabEvent([&](TObject*, int index, const TRect&, bool isActive) {
        drawn.push_back(std::to_string(index) + (isActive ? "*" : ""));
    });
    bar->grab();
    EXPECT_EQ(drawn, (std::vector<std::string> { "0*", "1", "2" }));
}

} // namespace
