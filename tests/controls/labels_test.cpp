// Labelled edits (owned label, lookup button) and attached labels (placing, caption from the data
// field, one label per control).

#include "ControlsTestSupport.h"

#include "controls/DBLabel.h"
#include "controls/ZrcEdit.h"
#include "platform/components/Panel.h"
#include "platform/components/Properties.h"

#include <gtest/gtest.h>

using namespace zrv;
using namespace zrv::test;

namespace {

TEST(LabelPlace, PutsTheLabelOnItsSide)
{
    const TRect combo = Bounds(267, 312, 121, 21);
    struct Case {
        TLabelPosition pos;
        int spacing;
        TPoint want;
    };
    const Case cases[] = {
        { TLabelPosition::lpLeft, 4, { 215, 316 } },
        { TLabelPosition::lpLeft, 0, { 219, 316 } },
        { TLabelPosition::lpRight, 4, { 392, 316 } },
        { TLabelPosition::lpAbove, 4, { 267, 295 } },
        { TLabelPosition::lpBelow, 4, { 267, 337 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelPlace(combo, 48, 13, c.pos, c.spacing), c.want)
            << static_cast<int>(c.pos) << "/" << c.spacing;
}

struct LabelledFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        cbo16 = form->Make<TZrComboBox>("cbo16", form.get(), 0, 0, 121, 21);
        cbo16->EditLabel()->SetAutoSize(false);
        cbo16->EditLabel()->SetBounds(0, 0, 48, 13);
    }
    TOwned<TLookupForm> form;
    TZrComboBox* cbo16 = nullptr;
    ScriptedDialogs dialogs;
};

TEST_F(LabelledFixture, TheOwnedLabelFollowsTheControl)
{
    TLabel* label = cbo16->EditLabel();
    EXPECT_EQ(label->Name(), "EditLabel");
    EXPECT_EQ(label->Owner(), cbo16);
    EXPECT_EQ(label->FocusControl(), cbo16);
    EXPECT_EQ(label->Parent(), form.get());
    EXPECT_EQ(cbo16->LabelCaption(), "");

    cbo16->SetLabelCaption("选择类型");
    cbo16->SetBounds(267, 312, 121, 21);
    EXPECT_EQ(label->BoundsRect(), Bounds(215, 316, 48, 13));
    cbo16->SetLabelSpacing(-1);
    EXPECT_EQ(cbo16->LabelSpacing(), 4);
    cbo16->SetLabelSpacing(0);
    EXPECT_EQ(label->Left(), 267 - 48);
    cbo16->SetLabelPosition(TLabelPosition::lpAbove);
    EXPECT_EQ(label->BoundsRect(), Bounds(267, 312 - 13, 48, 13));

    auto* panel = form->Make<TPanel>("pnl", form.get(), 0, 0, 400, 400);
    cbo16->SetParent(panel);
    EXPECT_EQ(label->Parent(), panel);

    cbo16->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    cbo16->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    cbo16->SetVisible(true);
    EXPECT_TRUE(label->Visible());

    label->Free();
    EXPECT_EQ(cbo16->EditLabel(), nullptr) << "a label gone on its own is forgotten";
    cbo16->SetLabelCaption("x");
    EXPECT_EQ(cbo16->LabelCaption(), "");
    cbo16->SetBounds(1, 1, 50, 21);
}

TEST_F(LabelledFixture, CaptionIsThePublishedLabelText)
{
    EXPECT_TRUE(SetStrProp(cbo16, "Caption", "选择类型"));
    EXPECT_EQ(cbo16->EditLabel()->Caption(), "选择类型");
    EXPECT_EQ(GetStrProp(cbo16, "Caption"), "选择类型");
    EXPECT_EQ(cbo16->Text(), "") << "the combo box's own text is another thing";
}

TEST_F(LabelledFixture, TheLookupEditsButtonSitsAtItsRightEnd)
{
    ShowAndActivate(*form);
    auto* ed = form->Make<TZrBtnDBEdit>("edNoteID", form.get(), 100, 50, 80, 21);
    TGSpeedButton* button = ed->Button();
    EXPECT_EQ(button->Name(), "F2Button");
    EXPECT_EQ(button->Owner(), ed);
    EXPECT_EQ(button->Parent(), form.get());
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(ed->GlyphIndex(), 8);
    EXPECT_EQ(button->BoundsRect(), Bounds(182, 50, 21, 21));
    ed->SetButtonSpacing(5);
    EXPECT_EQ(button->Left(), 185);
    ed->SetBounds(10, 10, 100, 24);
    EXPECT_EQ(button->BoundsRect(), Bounds(115, 10, 24, 24));
    ed->SetButtonHint("页脚信息查询");
    EXPECT_EQ(button->Hint(), "页脚信息查询");
    ed->SetGlyphIndex(81);
    EXPECT_EQ(button->GlyphIndex(), 81);

    button->Click();
    EXPECT_TRUE(ed->Focused());
    EXPECT_EQ(form->requests, std::vector<TWinControl*> { ed });
    int dialogsOpened = 0;
    ed->OnDialog = TNotifyEvent([&](TObject* s) { dialogsOpened += s == ed; });
    button->Click();
    EXPECT_EQ(dialogsOpened, 1);
    EXPECT_EQ(form->requests.size(), 1u) << "OnDialog replaces the lookup request";

    ed->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    ed->SetVisible(false);
    EXPECT_FALSE(button->Visible());
}

// A stand-in for data-aware controls: a field list in a data set behind a data source.
class TFakeField : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TFakeField>(
            "TFakeField", TPersistent::StaticClassInfo(), [](TClassBuilder<TFakeField>& c) {
                c.Text("FieldName", &TFakeField::FieldName, &TFakeField::SetFieldName);
                c.Text("DisplayLabel", &TFakeField::DisplayLabel, &TFakeField::SetDisplayLabel);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    std::string FieldName() const { return name; }
    void SetFieldName(const std::string& v) { name = v; }
    std::string DisplayLabel() const { return label; }
    void SetDisplayLabel(const std::string& v) { label = v; }
    std::string name, label;
};

class TFakeDataSet : public TComponent {
public:
    explicit TFakeDataSet(TComponent* owner)
        : TComponent(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info
            = TClassInfo::Define<TFakeDataSet>("TFakeDataSet", TComponent::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int IndexedCount() const override { return static_cast<int>(fields.size()); }
    TObject* IndexedItem(int i) override { return fields[static_cast<size_t>(i)].get(); }
    std::vector<std::unique_ptr<TFakeField>> fields;
};

class TFakeDataSource : public TComponent {
public:
    explicit TFakeDataSource(TComponent* owner)
        : TComponent(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TFakeDataSource>("TFakeDataSource",
            TComponent::StaticClassInfo(), [](TClassBuilder<TFakeDataSource>& c) {
                c.Reference<TFakeDataSet>(
                    "DataSet", &TFakeDataSource::DataSet, &TFakeDataSource::SetDataSet);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TFakeDataSet* DataSet() const { return dataSet; }
    void SetDataSet(TFakeDataSet* d) { dataSet = d; }
    TFakeDataSet* dataSet = nullptr;
};

class TFakeDBEdit : public TEdit {
public:
    explicit TFakeDBEdit(TComponent* owner)
        : TEdit(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TFakeDBEdit>(
            "TFakeDBEdit", TEdit::StaticClassInfo(), [](TClassBuilder<TFakeDBEdit>& c) {
                c.Reference<TFakeDataSource>(
                    "DataSource", &TFakeDBEdit::DataSource, &TFakeDBEdit::SetDataSource);
                c.Text("DataField", &TFakeDBEdit::DataField, &TFakeDBEdit::SetDataField);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TFakeDataSource* DataSource() const { return source; }
    void SetDataSource(TFakeDataSource* s) { source = s; }
    std::string DataField() const { return field; }
    void SetDataField(const std::string& f) { field = f; }
    TFakeDataSource* source = nullptr;
    std::string field;
};

struct DBLabelFixture : LabelledFixture {
    void SetUp() override
    {
        LabelledFixture::SetUp();
        target = form->Make<TEdit>("ed07", form.get(), 100, 50, 80, 21);
        label = form->Make<TDBLabel>("lbl07", form.get(), 0, 0, 10, 10);
        label->SetAutoSize(false);
        label->SetBounds(0, 0, 40, 13);
    }
    TEdit* target = nullptr;
    TDBLabel* label = nullptr;
};

TEST_F(DBLabelFixture, IsCreatedWithItsDefaults)
{
    TOwned<TDBLabel> fresh(new TDBLabel(nullptr));
    EXPECT_EQ(fresh->Caption(), "挂靠标签");
    EXPECT_TRUE(fresh->AutoAlign());
    EXPECT_TRUE(fresh->AutoCaption());
    EXPECT_EQ(fresh->Pos(), TPos::psLeft);
    EXPECT_EQ(fresh->Gap(), 4);
}

TEST_F(DBLabelFixture, PlacesItselfBesideItsControl)
{
    label->SetFocusControl(target);
    struct Case {
        TPos pos;
        int gap;
        TPoint want;
    };
    const Case cases[] = {
        { TPos::psLeft, 4, { 100 - 40 - 4, 50 + 10 - 6 } },
        { TPos::psRight, 4, { 184, 54 } },
        { TPos::psTop, 4, { 100, 50 - 13 - 4 } },
        { TPos::psBottom, 6, { 100, 77 } },
        { TPos::psTop, 40, { 100, 0 } }, // raised to 0
        { TPos::psLeft, 200, { 0, 54 } },
    };
    for (const Case& c : cases) {
        label->SetGap(c.gap);
        label->SetPos(c.pos);
        EXPECT_EQ((TPoint { label->Left(), label->Top() }), c.want)
            << static_cast<int>(c.pos) << "/" << c.gap;
    }
    // A label as high as the control sits at its top.
    label->SetBounds(0, 0, 40, 21);
    label->SetPos(TPos::psRight);
    EXPECT_EQ(label->Top(), 50);

    label->SetAutoAlign(false);
    label->SetBounds(1, 2, 40, 21);
    label->SetPos(TPos::psTop);
    EXPECT_EQ(label->Left(), 1);
}

TEST_F(DBLabelFixture, OneLabelPerControl)
{
    label->SetFocusControl(target);
    label->SetFocusControl(target);
    EXPECT_TRUE(dialogs.Texts().empty()) << "the same control again is refused silently";
    auto* second = form->Make<TDBLabel>("lbl08", form.get(), 0, 0, 10, 10);
    second->SetFocusControl(target);
    EXPECT_EQ(second->FocusControl(), nullptr);
    EXPECT_EQ(
        dialogs.Texts(), std::vector<std::string> { "不能同时有两个 DBLabel 指到同一个 Control." });
}

TEST_F(DBLabelFixture, TakesItsCaptionFromTheDataFieldWhenThereIsOne)
{
    label->SetCaption("设计时");
    label->SetFocusControl(target);
    EXPECT_EQ(label->Caption(), "设计时") << "a plain edit has no data field";

    auto* dataSet = new TFakeDataSet(form.get());
    auto field = std::make_unique<TFakeField>();
    field->name = "CURRENCY";
    field->label = "币种";
    dataSet->fields.push_back(std::move(field));
    auto* source = new TFakeDataSource(form.get());
    auto* dbEdit = form->Make<TFakeDBEdit>("edCur", form.get(), 10, 100, 80, 21);
    dbEdit->source = source;
    dbEdit->field = "currency";
    auto* dbLabel = form->Make<TDBLabel>("lblCur", form.get(), 0, 0, 10, 10);
    dbLabel->SetFocusControl(dbEdit);
    EXPECT_EQ(dbLabel->Caption(), "挂靠标签") << "no data set yet";
    source->dataSet = dataSet;
    dbLabel->SetAutoCaption(true);
    EXPECT_EQ(dbLabel->Caption(), "币种");
    dbEdit->field = "MISSING";
    dbLabel->SetCaption("x");
    dbLabel->SetGap(3);
    EXPECT_EQ(dbLabel->Caption(), "x");
}

} // namespace
