// The controls in form descriptions: every class is found by name, its published properties and
// events are read, and references between components are resolved.

#include "ControlsTestSupport.h"

#include "controls/BtChkBox.h"
#include "controls/ControlClasses.h"
#include "controls/DBLabel.h"
#include "controls/ExtPage.h"
#include "controls/F2Button.h"
#include "controls/SelectPnl.h"
#include "controls/ZrRadioButton.h"
#include "controls/ZrRadioGroup.h"
#include "controls/ZrSpin.h"
#include "controls/ZrcEdit.h"
#include "platform/components/Edit.h"
#include "platform/components/FormResources.h"

#include <gtest/gtest.h>

using namespace zrv;
using namespace zrv::test;

namespace {

class TControlsForm : public TForm {
public:
    explicit TControlsForm(TComponent* owner)
        : TForm(owner)
    {
        RegisterControlClasses();
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TControlsForm>(
            "TControlsForm", TForm::StaticClassInfo(), [](TClassBuilder<TControlsForm>& c) {
                c.Handler("sp01TypeClick", &TControlsForm::sp01TypeClick);
                c.Field("sp01", &TControlsForm::sp01);
                c.Field("sp08", &TControlsForm::sp08);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void sp01TypeClick(TObject*) { ++typeClicks; }
    TSelectPanel* sp01 = nullptr;
    TSelectPanel* sp08 = nullptr;
    int typeClicks = 0;
};

const char* kDescription = R"(object frmControls: TControlsForm
  Width = 760
  Height = 420
  Caption = 'controls'
  object sp01: TSelectPanel
    Left = 8
    Top = 8
    Width = 353
    Height = 100
    Caption = '选择供应商编号'
    Style = sp_UserChoice
    UserChoice = True
    GlyphIndex = 61
    OtherWidth = 353
    OtherHeight = 64
    ChildHints.Strings = (
      '用户自定输入方式'
      '[F2]供应商信息查询'
      '供应商信息查询')
    OnTypeClick = sp01TypeClick
    TabOrder = 0
  end
  object sp08: TSelectPanel
    Left = 8
    Top = 112
    Width = 353
    Height = 100
    Caption = '选择采购人员'
    UserChoice = False
    Style = sp_UserChoice
    GlyphIndex = 39
    FinalWords.Strings = (
      '讫'
      '讫')
    CheckDuplicate = cd_CheckCase
    ValueType = vt_Date
    DateType = dt_YYYMMDD
    TabOrder = 1
  end
  object ed07: TEdit
    Left = 440
    Top = 196
    Width = 60
    Height = 21
    TabOrder = 2
  end
  object F2Button2: TF2Button
    Left = 0
    Top = 0
    GlyphIndex = 44
    Hint = '币种信息查询'
    F2Control = ed07
  end
  object lbl07: TDBLabel
    AutoSize = False
    Width = 48
    Height = 13
    Caption = '选择币种'
    FocusControl = ed07
  end
  object cbo16: TZrComboBox
    Left = 440
    Top = 168
    Width = 121
    Height = 21
    Caption = '选择类型'
    LabelSpacing = 6
    Style = csDropDownList
    Items.Strings = (
      '1.工程品号'
      '2.正式品号'
      '3.全部')
    TabOrder = 3
  end
  object edNote: TZrBtnDBEdit
    Left = 440
    Top = 240
    Width = 80
    Height = 21
    Caption = '页脚'
    GlyphIndex = 81
    ButtonHint = '页脚信息查询'
    ButtonSpacing = 3
    DataField = 'NOTE'
    TabOrder = 4
  end
  object chk09: TBitCheckBox
    Left = 376
    Top = 300
    Width = 150
    Caption = '供应商不同自动分页'
    Checked = True
    TabOrder = 5
  end
  object grp: TZrRadioGroup
    Left = 560
    Top = 8
    Width = 180
    Height = 90
    Caption = '生成方式'
    Columns = 2
    ItemIndex = 2
    Items.Strings = (
      '排程'
      '即时'
      '定时')
    TabOrder = 6
  end
  object rdoQueue: TZrRadioButton
    Left = 560
    Top = 110
    Caption = '排入伺服器'
    Checked = True
    TabOrder = 7
  end
  object seDays: TZrSpinEdit
    Left = 560
    Top = 140
    MaxValue = 99
    MinValue = -99
    Value = 5
    TabOrder = 8
  end
  object pgOption: TExtPageControl
    Left = 560
    Top = 180
    Width = 180
    Height = 100
    TabOrder = 9
    object tsOption1: TTabSheet
      Caption = '条件选项'
    end
    object tsOption2: TTabSheet
      Caption = '系统选项'
    end
  end
end
)";

TEST(ControlDescriptions, ReadEveryControlWithItsProperties)
{
    EnsureApplication();
    ScriptedDialogs dialogs;
    ASSERT_TRUE(FormResources::Add("ControlsForm.zfm", kDescription));
    TOwned<TControlsForm> form(CreateForm<TControlsForm>());
    auto find = [&](const char* name) { return form->FindComponent(name); };

    ASSERT_NE(form->sp01, nullptr);
    EXPECT_EQ(form->sp01->Style(), TSelectStyle::sp_UserChoice);
    EXPECT_EQ(form->sp01->Width(), 353) << "no size exchange while loading";
    EXPECT_EQ(form->sp01->BeginButton()->GlyphIndex(), 61);
    EXPECT_EQ(form->sp01->edBegin()->Hint(), "[F2]供应商信息查询");
    EXPECT_EQ(form->sp01->edFinal()->Hint(), "区间选择-截止信息");
    EXPECT_TRUE(form->sp01->RangePage()->Visible());
    form->sp01->CheckBox()->Click();
    EXPECT_EQ(form->typeClicks, 1) << "the handler named in the description runs";

    ASSERT_NE(form->sp08, nullptr);
    EXPECT_FALSE(form->sp08->UserChoice()) << "named before the style, still taken";
    EXPECT_TRUE(form->sp08->ListPage()->Visible());
    EXPECT_EQ(form->sp08->FinalWords()->Get(1), "讫");
    EXPECT_EQ(form->sp08->CheckDuplicate(), TCheckDuplicate::cd_CheckCase);
    EXPECT_TRUE(form->sp08->SortListBox());
    EXPECT_EQ(form->sp08->DateType(), TDateType::dt_YYYMMDD);

    auto* ed07 = dynamic_cast<TEdit*>(find("ed07"));
    auto* f2 = dynamic_cast<TF2Button*>(find("F2Button2"));
    ASSERT_TRUE(f2 && ed07);
    EXPECT_EQ(f2->F2Control(), ed07);
    EXPECT_EQ(f2->BoundsRect(), Bounds(502, 196, 21, 21));
    EXPECT_EQ(f2->GlyphIndex(), 44);

    auto* lbl07 = dynamic_cast<TDBLabel*>(find("lbl07"));
    ASSERT_NE(lbl07, nullptr);
    EXPECT_EQ(lbl07->FocusControl(), ed07);
    EXPECT_EQ(lbl07->BoundsRect(), Bounds(440 - 48 - 4, 196 + 10 - 6, 48, 13));

    auto* cbo16 = dynamic_cast<TZrComboBox*>(find("cbo16"));
    ASSERT_NE(cbo16, nullptr);
    EXPECT_EQ(cbo16->LabelCaption(), "选择类型");
    EXPECT_EQ(cbo16->LabelSpacing(), 6);
    EXPECT_EQ(cbo16->EditLabel()->Left() + cbo16->EditLabel()->Width(), 440 - 6);
    EXPECT_EQ(cbo16->Items()->Count(), 3);

    auto* edNote = dynamic_cast<TZrBtnDBEdit*>(find("edNote"));
    ASSERT_NE(edNote, nullptr);
    EXPECT_EQ(edNote->Button()->BoundsRect(), Bounds(523, 240, 21, 21));
    EXPECT_EQ(edNote->Button()->GlyphIndex(), 81);
    EXPECT_EQ(edNote->DataField(), "NOTE");

    auto* chk09 = dynamic_cast<TBitCheckBox*>(find("chk09"));
    ASSERT_NE(chk09, nullptr);
    EXPECT_TRUE(chk09->Checked());

    auto* grp = dynamic_cast<TZrRadioGroup*>(find("grp"));
    ASSERT_NE(grp, nullptr);
    EXPECT_EQ(grp->ItemIndex(), 2) << "the index given before the items";
    EXPECT_TRUE(grp->Buttons(2)->Checked());
    EXPECT_EQ(grp->Buttons(2)->Left(), (180 - 10) / 2 + 8);

    EXPECT_TRUE(dynamic_cast<TZrRadioButton*>(find("rdoQueue"))->Checked());
    EXPECT_EQ(dynamic_cast<TZrSpinEdit*>(find("seDays"))->Value(), 5);
    auto* pages = dynamic_cast<TExtPageControl*>(find("pgOption"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->PageOfTab(1)->Caption(), "系统选项");

    EXPECT_TRUE(dialogs.Texts().empty());
    // The glyph buttons inside controls, for the disabled images windows add.
    EXPECT_EQ(BuiltInGlyphButtons(form->sp01).size(), 3u);
    EXPECT_EQ(BuiltInGlyphButtons(edNote), std::vector<TComponent*> { edNote->Button() });
    EXPECT_TRUE(BuiltInGlyphButtons(ed07).empty());
    FormResources::Remove("TControlsForm");
}

TEST(ControlDescriptions, EveryClassIsRegistered)
{
    RegisterControlClasses();
    for (const char* name : { "TGSpeedButton", "TF2Button", "TBitCheckBox", "TVixCheckBox",
             "TVixMaskEdit", "TVixListView", "TSelectPanel", "TZrEdit", "TZrDBEdit", "TZrBtnDBEdit",
             "TZrComboBox", "TDBLabel", "TZrRadioButton", "TZrGroupButton", "TZrRadioGroup",
             "TZrSpinEdit", "TExtPageControl", "TEdit" }) {
        const TClassInfo* info = FindClass(name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_TRUE(info->CanCreate()) << name;
    }
}

} // namespace
