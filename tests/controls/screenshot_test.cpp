// A condition page built from the framework's controls, drawn and saved as a picture for people
// to look at (<build>/screenshots/controls_form.png): one selection panel of each style, the
// check box in its three states, labelled combo box and edits with their lookup buttons.

#include "ControlsTestSupport.h"

#include "controls/BtChkBox.h"
#include "controls/F2Button.h"
#include "controls/SelectPnl.h"
#include "controls/ZrcEdit.h"
#include "platform/components/Button.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

using namespace zrv;
using namespace zrv::test;

namespace {

TEST(Screenshot, AConditionPageOfTheFrameworksControls)
{
    EnsureApplication();
    TOwned<TLookupForm> form(CreateForm<TLookupForm>());
    form->SetCaption("采购进退货明细表");
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-13);
    form->SetClientWidth(744);
    form->SetClientHeight(372);
    TLookupForm* f = form.get();

    auto* sp01 = f->Make<TSelectPanel>("sp01", f, 8, 8, 353, 100);
    sp01->SetCaption("选择供应商编号");
    sp01->SetStyle(TSelectStyle::sp_UserChoice);
    sp01->SetBounds(8, 8, 353, 100); // the style change took the list size
    sp01->SetGlyphIndex(61);
    sp01->SetBeginText("S0001");
    sp01->SetFinalText("S0099");

    auto* sp03 = f->Make<TSelectPanel>("sp03", f, 8, 112, 353, 100);
    sp03->SetCaption("类别");
    sp03->SetStyle(TSelectStyle::sp_Discrete);
    sp03->SetBounds(8, 112, 353, 100); // the style change took the list size
    sp03->SetSortListBox(true);
    sp03->AddListRow({ "02", "辅料" });
    sp03->AddListRow({ "01", "原材料" });
    sp03->AddListRow({ "05", "包装材料" });

    auto* sp06 = f->Make<TSelectPanel>("sp06", f, 8, 216, 353, 100);
    sp06->SetCaption("选择收/退日期");
    sp06->SetUseVertical(true);
    sp06->SetBounds(8, 216, 353, 100);
    sp06->SetGlyphIndex(9);
    sp06->SetEditMask("9999/99/99;1; ");
    sp06->SetBeginText("2024/02/01");
    sp06->SetFinalText("2024/02/29");

    auto* sp04 = f->Make<TSelectPanel>("sp04", f, 376, 8, 353, 45);
    sp04->SetCaption("选择品号");
    sp04->SetGlyphIndex(68);
    sp04->SetBeginText("A-1001");
    sp04->SetFinalText("A-2999");

    auto* sp08 = f->Make<TSelectPanel>("sp08", f, 376, 58, 353, 100);
    sp08->SetCaption("选择采购人员");
    sp08->SetStyle(TSelectStyle::sp_UserChoice);
    sp08->SetBounds(376, 58, 353, 100); // the style change took the list size
    sp08->SetUserChoice(false);
    sp08->SetGlyphIndex(39);
    sp08->AddListRow({ "E003", "王小明" });
    sp08->AddListRow({ "E007", "李华" });

    auto* cbo16 = f->Make<TZrComboBox>("cbo16", f, 448, 168, 160, 21);
    cbo16->SetStyle(TComboBoxStyle::csDropDownList);
    cbo16->Items()->SetStrings({ "1.工程品号", "2.正式品号", "3.全部" });
    cbo16->SetItemIndex(2);
    cbo16->SetLabelCaption("选择类型");

    auto* ed07 = f->Make<TZrEdit>("ed07", f, 448, 198, 80, 21);
    ed07->SetLabelCaption("选择币种");
    ed07->SetText("RMB");
    auto* f2 = f->Make<TF2Button>("F2Button2", f, 0, 0, 21, 21);
    f2->SetGlyphIndex(44);
    f2->SetF2Control(ed07);

    auto* edNote = f->Make<TZrBtnDBEdit>("edNoteID", f, 448, 228, 80, 21);
    edNote->SetLabelCaption("页脚编号");
    edNote->SetGlyphIndex(81);

    const char* captions[]
        = { "只打印存货管理", "供应商不同自动分页", "打印单价金额", "只打印存货仓" };
    const TCheckBoxState states[] = { TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked,
        TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked };
    for (int i = 0; i < 4; ++i) {
        auto* chk = f->Make<TBitCheckBox>(
            ("chk" + std::to_string(i)).c_str(), f, 384, 262 + 20 * i, 170, 17);
        chk->SetCaption(captions[i]);
        chk->SetAllowGrayed(true);
        chk->SetState(states[i]);
        chk->SetEnabled(i != 3);
    }
    auto* ok = f->Make<TButton>("btnOk", f, 574, 334, 75, 25);
    ok->SetCaption("确定");
    auto* cancel = f->Make<TButton>("btnCancel", f, 656, 334, 75, 25);
    cancel->SetCaption("取消");

    ShowAndActivate(*form);
    sp01->edBegin()->SetFocus();
    ProcessEvents();
    QImage shot = form->Handle()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.width(), 744);
    const std::string path = ScreenshotFolder() + "/controls_form.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(path))) << path;

    // The pictures are there: the panel's lookup button shows the supplier picture, not its
    // number.
    EXPECT_EQ(sp01->BeginButton()->Caption(), "");
    EXPECT_FALSE(sp01->BeginButton()->Glyph()->Empty());
}

} // namespace
