// Form descriptions: forms built from their description (components, properties, handlers,
// references), inherited descriptions, and errors that name the file and line.

#include "TestSupport.h"

#include "platform/components/Application.h"
#include "platform/components/Button.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/Form.h"
#include "platform/components/FormReader.h"
#include "platform/components/FormResources.h"
#include "platform/components/Label.h"
#include "platform/components/ListView.h"
#include "platform/components/Menus.h"
#include "platform/components/PageControl.h"
#include "platform/components/Panel.h"

#include <gtest/gtest.h>

using namespace zrv;

namespace {

// A component that notes what it saw while it was read.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner)
        : TComponent(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TProbe>(
            "TProbe", TComponent::StaticClassInfo(), [](TClassBuilder<TProbe>& c) {
                c.Reference<TComponent>("Target", &TProbe::Target, &TProbe::SetTarget);
                c.Float("Ratio", &TProbe::Ratio, &TProbe::SetRatio);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* t)
    {
        target_ = t;
        loadingWhenTargetSet = Loading();
    }
    double Ratio() const { return ratio_; }
    void SetRatio(double r) { ratio_ = r; }
    void Loaded() override
    {
        TComponent::Loaded();
        targetAtLoaded = target_ ? target_->Name() : "(none)";
    }
    // A reference to a component of the same owner is cleared when that component goes.
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == target_)
            target_ = nullptr;
    }
    bool loadingWhenTargetSet = false;
    std::string targetAtLoaded;

private:
    TComponent* target_ = nullptr;
    double ratio_ = 0;
};

class TDescForm : public TForm {
public:
    explicit TDescForm(TComponent* owner)
        : TForm(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TDescForm>(
            "TDescForm", TForm::StaticClassInfo(), [](TClassBuilder<TDescForm>& c) {
                c.Handler("FormCreate", &TDescForm::FormCreate);
                c.Handler("btnOkClick", &TDescForm::btnOkClick);
                c.Handler("edNameKeyPress", &TDescForm::edNameKeyPress);
                c.Field("btnOk", &TDescForm::btnOk);
                c.Field("edName", &TDescForm::edName);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    virtual void btnOkClick(TObject* sender)
    {
        log.push_back("ok:" + static_cast<TComponent*>(sender)->Name());
    }
    void FormCreate(TObject*)
    {
        log.push_back("create:" + (btnOk ? btnOk->Caption() : std::string("?")));
    }
    void edNameKeyPress(TObject*, TKeyChar&) { }

    TButton* btnOk = nullptr;
    TEdit* edName = nullptr;
    std::vector<std::string> log;
};

class TDescChild : public TDescForm {
public:
    explicit TDescChild(TComponent* owner)
        : TDescForm(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TDescChild>(
            "TDescChild", TDescForm::StaticClassInfo(), [](TClassBuilder<TDescChild>& c) {
                c.Handler("btnOkClickChild", &TDescChild::btnOkClickChild);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void btnOkClickChild(TObject*) { log.push_back("child ok"); }
};

const char* kDescForm = R"(object DescForm: TDescForm
  Left = 10
  Top = 20
  Width = 408
  Height = 327
  Caption = '报表条件'
  Font.Name = #23435#20307
  Font.Height = -13
  Font.Style = [fsBold]
  Color = clBtnFace
  KeyPreview = True
  Position = poScreenCenter
  BorderIcons = [biSystemMenu, biMaximize]
  ActiveControl = edName
  OnCreate = FormCreate
  object pnlTop: TPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 60
    Align = alTop
    Caption = ' '
    BevelOuter = bvNone
    object edName: TEdit
      Left = 8
      Top = 8
      Width = 121
      Height = 21
      MaxLength = 10
      TabOrder = 1
      OnKeyPress = edNameKeyPress
    end
    object cbo05: TComboBox
      Left = 140
      Top = 8
      Width = 100
      Height = 21
      Style = csDropDownList
      Items.Strings = (
        '进货'
        '退货'
        '全部')
      ItemIndex = 2
      TabOrder = 0
    end
  end
  object lblNote: TLabel
    Left = 8
    Top = 70
    Caption = 'it''s '#27721#23383 + ' ok'
    AutoSize = False
    Width = 200
    Height = 17
  end
  object lv: TListView
    Left = 8
    Top = 90
    Width = 300
    Height = 100
    ViewStyle = vsReport
    Columns = <
      item
        Caption = '名称'
        Width = 80
      end
      item
        Caption = 'Code'
      end>
    ReadOnly = True
    TabOrder = 2
  end
  object btnOk: TButton
    Left = 300
    Top = 260
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    PopupMenu = pm
    TabOrder = 3
    OnClick = btnOkClick
  end
  object pm: TPopupMenu
    object mnA: TMenuItem
      Caption = '大型图标(&G)'
      RadioItem = True
      GroupIndex = 1
      Checked = True
    end
    object mnB: TMenuItem
      Caption = '-'
    end
  end
  object probe: TProbe
    Target = btnOk
    Ratio = 1.5
  end
end
)";

const char* kDescChild = R"(inherited DescChild: TDescChild
  Caption = 'Child'
  inherited pnlTop: TPanel
    Height = 80
    object edExtra: TEdit
      Left = 260
      Top = 8
      TabOrder = 0
    end
  end
  inherited btnOk: TButton
    Caption = '确定'
    OnClick = btnOkClickChild
  end
end
)";

struct DescriptionFixture : ::testing::Test {
    static void SetUpTestSuite()
    {
        EnsureApplication();
        RegisterClass(TProbe::StaticClassInfo());
        ASSERT_TRUE(FormResources::Add("tests/DescForm.zfm", kDescForm));
        ASSERT_TRUE(FormResources::Add("tests/DescChild.zfm", kDescChild));
    }
};

TEST_F(DescriptionFixture, FormIsBuiltWithComponentsPropertiesAndHandlers)
{
    TOwned<TDescForm> f(CreateForm<TDescForm>());
    EXPECT_EQ(f->Name(), "DescForm");
    EXPECT_EQ(f->Caption(), "报表条件");
    EXPECT_EQ(f->Font()->Name(), "宋体");
    EXPECT_EQ(f->Font()->Height(), -13);
    EXPECT_EQ(f->Font()->Style(), FontStyleBit(fsBold));
    EXPECT_EQ(f->Color(), clBtnFace);
    EXPECT_TRUE(f->KeyPreview());
    EXPECT_EQ(f->Position(), TPosition::poScreenCenter);
    EXPECT_EQ(f->BorderIcons(), (1 << biSystemMenu) | (1 << biMaximize));
    EXPECT_EQ(f->ClientWidth(), 400);

    // Components: owned by the form in description order, placed in their parents.
    std::vector<std::string> names;
    for (int i = 0; i < f->ComponentCount(); ++i)
        names.push_back(f->Components(i)->Name());
    EXPECT_EQ(names,
        (std::vector<std::string> {
            "pnlTop", "edName", "cbo05", "lblNote", "lv", "btnOk", "pm", "mnA", "mnB", "probe" }));
    auto* pnl = dynamic_cast<TPanel*>(f->FindComponent("pnlTop"));
    ASSERT_NE(pnl, nullptr);
    ASSERT_NE(f->edName, nullptr);
    EXPECT_EQ(f->edName->Parent(), pnl);
    EXPECT_EQ(f->edName->MaxLength(), 10);
    EXPECT_EQ(f->edName->Font()->Name(), "宋体"); // taken from the form
    EXPECT_EQ(pnl->Width(), 400); // aligned to the top of the form

    auto* cbo = dynamic_cast<TComboBox*>(f->FindComponent("cbo05"));
    ASSERT_NE(cbo, nullptr);
    EXPECT_EQ(cbo->Items()->ToVector(), (std::vector<std::string> { "进货", "退货", "全部" }));
    EXPECT_EQ(cbo->ItemIndex(), 2);
    EXPECT_EQ(cbo->Text(), "全部");
    EXPECT_EQ(cbo->Style(), TComboBoxStyle::csDropDownList);

    auto* lbl = dynamic_cast<TLabel*>(f->FindComponent("lblNote"));
    ASSERT_NE(lbl, nullptr);
    EXPECT_EQ(lbl->Caption(), "it's 汉字 ok");
    EXPECT_EQ(lbl->Width(), 200);

    auto* lv = dynamic_cast<TListView*>(f->FindComponent("lv"));
    ASSERT_NE(lv, nullptr);
    ASSERT_EQ(lv->Columns()->Count(), 2);
    EXPECT_EQ(lv->Columns()->Items(0)->Caption(), "名称");
    EXPECT_EQ(lv->Columns()->Items(0)->Width(), 80);
    EXPECT_EQ(lv->Columns()->Items(1)->Caption(), "Code");
    EXPECT_TRUE(lv->ReadOnly());

    // Tab order from the description, fixed up once all siblings existed.
    EXPECT_EQ(cbo->TabOrder(), 0);
    EXPECT_EQ(f->edName->TabOrder(), 1);

    // References resolved after reading: the form's ActiveControl, the button's menu.
    EXPECT_EQ(f->ActiveControl(), f->edName);
    ASSERT_NE(f->btnOk, nullptr);
    auto* pm = dynamic_cast<TPopupMenu*>(f->FindComponent("pm"));
    EXPECT_EQ(f->btnOk->PopupMenu(), pm);
    ASSERT_EQ(pm->Items()->Count(), 2);
    EXPECT_EQ(pm->Items()->Items(0)->Caption(), "大型图标(&G)");
    EXPECT_TRUE(pm->Items()->Items(0)->Checked());
    EXPECT_TRUE(pm->Items()->Items(1)->IsLine());

    auto* probe = dynamic_cast<TProbe*>(f->FindComponent("probe"));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->Target(), f->btnOk);
    EXPECT_TRUE(probe->loadingWhenTargetSet); // references are fixed up while still loading
    EXPECT_EQ(probe->targetAtLoaded, "btnOk"); // and before Loaded
    EXPECT_FALSE(probe->Loading());
    EXPECT_DOUBLE_EQ(probe->Ratio(), 1.5);

    // Handlers bound by name: OnCreate ran after reading; the button's OnClick is ours.
    EXPECT_EQ(f->log, (std::vector<std::string> { "create:OK" }));
    f->btnOk->Click();
    EXPECT_EQ(f->log.back(), "ok:btnOk");
    EXPECT_EQ(f->btnOk->OnClick.Name(), "btnOkClick");
    EXPECT_EQ(f->btnOk->OnClick.Data(), f.get());
    EXPECT_EQ(f->ModalResult(), mrOk);
}

TEST_F(DescriptionFixture, FieldsFollowTheirComponents)
{
    TOwned<TDescForm> f(CreateForm<TDescForm>());
    ASSERT_NE(f->btnOk, nullptr);
    f->btnOk->Free();
    EXPECT_EQ(f->btnOk, nullptr); // cleared, not left dangling
    auto* probe = dynamic_cast<TProbe*>(f->FindComponent("probe"));
    EXPECT_EQ(probe->Target(), nullptr);
}

TEST_F(DescriptionFixture, InheritedDescriptionAddsAndOverrides)
{
    TOwned<TDescChild> f(CreateForm<TDescChild>());
    EXPECT_EQ(f->Name(), "DescChild");
    EXPECT_EQ(f->Caption(), "Child"); // overridden
    EXPECT_EQ(f->Font()->Name(), "宋体"); // inherited
    auto* pnl = dynamic_cast<TPanel*>(f->FindComponent("pnlTop"));
    EXPECT_EQ(pnl->Height(), 80);
    auto* extra = dynamic_cast<TEdit*>(f->FindComponent("edExtra"));
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->Parent(), pnl);
    EXPECT_EQ(extra->TabOrder(), 0);
    EXPECT_EQ(f->btnOk->Caption(), "确定");
    EXPECT_EQ(f->btnOk->Default(), true); // inherited settings stay
    EXPECT_EQ(f->log, (std::vector<std::string> { "create:确定" }));
    f->btnOk->Click();
    EXPECT_EQ(f->log.back(), "child ok");
    EXPECT_EQ(f->FindComponent("probe") != nullptr, true);
}

struct ErrorCase {
    const char* what;
    const char* text;
    int line;
    const char* message; // a part of the message
};

const ErrorCase kErrors[] = {
    { "unknown class", "object DescForm: TDescForm\n  object x: TNoSuchThing\n  end\nend\n", 2,
        "class TNoSuchThing is not registered" },
    { "unknown property", "object DescForm: TDescForm\n  Caption = 'a'\n  Colour = clRed\nend\n", 3,
        "unknown property 'Colour'" },
    { "unknown sub-property", "object DescForm: TDescForm\n  Font.Colour = clRed\nend\n", 2,
        "unknown property 'Font.Colour'" },
    { "unknown handler",
        "object DescForm: TDescForm\n  object b: TButton\n    OnClick = NoSuchClick\n  end\nend\n",
        3, "handler 'NoSuchClick'" },
    { "handler of another shape",
        "object DescForm: TDescForm\n  object b: TButton\n    OnClick = edNameKeyPress\n  "
        "end\nend\n",
        3, "does not fit event OnClick" },
    { "bad enumeration value", "object DescForm: TDescForm\n\n  Position = poNowhere\nend\n", 3,
        "poNowhere" },
    { "bad set element", "object DescForm: TDescForm\n  Font.Style = [fsBold, fsWide]\nend\n", 2,
        "fsWide" },
    { "text without quotes", "object DescForm: TDescForm\n  Caption = Hello\nend\n", 2,
        "single quotes" },
    { "missing reference", "object DescForm: TDescForm\n  ActiveControl = edNowhere\nend\n", 2,
        "edNowhere" },
    { "reference of the wrong class",
        "object DescForm: TDescForm\n  object m: TPopupMenu\n  end\n  ActiveControl = m\nend\n", 4,
        "needs a TWinControl" },
    { "duplicate name",
        "object DescForm: TDescForm\n  object a: TEdit\n  end\n  object a: TEdit\n  end\nend\n", 4,
        "already exists" },
    { "field of another class", "object DescForm: TDescForm\n  object btnOk: TEdit\n  end\nend\n",
        2, "field 'btnOk'" },
    { "control inside a non-container",
        "object DescForm: TDescForm\n  object b: TLabel\n    object c: TEdit\n    end\n  "
        "end\nend\n",
        3, "cannot be placed" },
    { "inherited component missing",
        "inherited DescForm: TDescForm\n  inherited nothing: TEdit\n  end\nend\n", 2,
        "does not exist in the ancestor" },
    { "unterminated string", "object DescForm: TDescForm\n  Caption = 'abc\nend\n", 2,
        "unterminated string" },
    { "missing end", "object DescForm: TDescForm\n  Caption = 'abc'\n  object b: TButton\n", 4,
        "'end' expected" },
    { "description for another class", "object x: TPanel\nend\n", 1, "not TDescForm" },
};

TEST_F(DescriptionFixture, ErrorsNameTheFileAndLine)
{
    for (const ErrorCase& c : kErrors) {
        SCOPED_TRACE(c.what);
        TOwned<TDescForm> form(new TDescForm(nullptr));
        try {
            TFormDescription d = ParseFormDescriptionOrThrow(c.text, "forms/Broken.zfm");
            LoadFormDescription(*form, { &d });
            ADD_FAILURE() << "no error";
        } catch (const EFormDescriptionError& e) {
            EXPECT_EQ(e.File(), "forms/Broken.zfm");
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(
                std::string(e.what()).rfind("forms/Broken.zfm:" + std::to_string(c.line) + ": ", 0),
                0u);
        }
        // Nothing is left half-loaded.
        for (int i = 0; i < form->ComponentCount(); ++i)
            EXPECT_FALSE(form->Components(i)->Loading());
    }
}

TEST_F(DescriptionFixture, CreatingAFormWithABrokenDescriptionRaisesAndLeaksNothing)
{
    FormResources::Add(
        "tests/Child.zfm", "inherited DescChild: TDescChild\n  Caption = 'x'\n  Bogus = 1\nend\n");
    size_t forms = static_cast<size_t>(Screen().FormCount());
    try {
        TOwned<TDescChild> f(CreateForm<TDescChild>());
        ADD_FAILURE() << "no error";
    } catch (const EFormDescriptionError& e) {
        EXPECT_EQ(e.File(), "tests/Child.zfm");
        EXPECT_EQ(e.Line(), 3);
    }
    EXPECT_EQ(static_cast<size_t>(Screen().FormCount()), forms);
    FormResources::Add("tests/DescChild.zfm", kDescChild);
}

TEST(FormDescriptionParser, ReadsValuesOfEveryKind)
{
    const char* text = "object Root: TForm\n"
                       "  A = -12\n"
                       "  B = $FF\n"
                       "  C = 1.25e2\n"
                       "  D = 'x'#9'y'#$4E2D\n"
                       "  E = [a,b]\n"
                       "  F = []\n"
                       "  G = ( 'l1' 2 three )\n"
                       "  H = { 0A0b FF }\n"
                       "  I = < item X = 1 end item end >\n"
                       "  J.K.L = ident // a comment\n"
                       "end\n";
    TFormDescription d;
    std::string error;
    ASSERT_TRUE(ParseFormDescription(text, "t.zfm", d, &error)) << error;
    const auto& p = d.root.properties;
    ASSERT_EQ(p.size(), 10u);
    EXPECT_EQ(p[0].value.integer, -12);
    EXPECT_EQ(p[1].value.integer, 255);
    EXPECT_DOUBLE_EQ(p[2].value.number, 125.0);
    EXPECT_EQ(p[3].value.text, "x\ty中");
    EXPECT_EQ(p[4].value.names, (std::vector<std::string> { "a", "b" }));
    EXPECT_TRUE(p[5].value.names.empty());
    EXPECT_EQ(p[5].value.kind, TDescValue::Kind::Set);
    ASSERT_EQ(p[6].value.items.size(), 3u);
    EXPECT_EQ(p[6].value.items[2].kind, TDescValue::Kind::Ident);
    EXPECT_EQ(p[7].value.text, std::string("\x0a\x0b\xff", 3));
    ASSERT_EQ(p[8].value.collection.size(), 2u);
    EXPECT_EQ(p[8].value.collection[0][0].path, "X");
    EXPECT_TRUE(p[8].value.collection[1].empty());
    EXPECT_EQ(p[9].path, "J.K.L");
    EXPECT_EQ(p[9].line, 11);
    EXPECT_EQ(DescribedClassName(text), "TForm");
    EXPECT_EQ(DescribedClassName("garbage"), "");
}

} // namespace
