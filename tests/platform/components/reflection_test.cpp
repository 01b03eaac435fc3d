// Published properties by name and by path, events as values, the library's property routines,
// components and their owners.

#include "TestSupport.h"

#include "lib/LibRTTI.h"
#include "platform/components/BitBtn.h"
#include "platform/components/Button.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/Form.h"
#include "platform/components/ListView.h"
#include "platform/components/Menus.h"
#include "platform/components/Panel.h"
#include "platform/components/Properties.h"
#include "platform/components/StandardClasses.h"

#include <gtest/gtest.h>

using namespace zrv;

namespace {

struct ReflectionFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TForm>());
        form->SetName("frmTest");
        edit = new TEdit(form.get());
        edit->SetName("ed07");
        edit->SetParent(form.get());
        combo = new TComboBox(form.get());
        combo->SetName("cbo02");
        combo->SetParent(form.get());
        combo->Items()->SetStrings({ "a", "b" });
        combo->SetItemIndex(1);
        lv = new TListView(form.get());
        lv->SetName("lv");
        lv->SetParent(form.get());
        for (const char* c : { "名称", "代号", "备注" })
            lv->Columns()->Add()->SetCaption(c);
        lv->Items()->Add()->SetCaption("A");
    }
    TOwned<TForm> form;
    TEdit* edit = nullptr;
    TComboBox* combo = nullptr;
    TListView* lv = nullptr;
};

TEST_F(ReflectionFixture, PropertiesByNameAndKind)
{
    EXPECT_TRUE(IsPublishedProp(edit, "Text"));
    EXPECT_TRUE(IsPublishedProp(edit, "imename")); // names compare without regard to case
    EXPECT_FALSE(IsPublishedProp(edit, "Items"));
    EXPECT_EQ(GetPropInfo(edit, "Color")->Kind, TTypeKind::Integer);
    EXPECT_EQ(GetPropInfo(edit, "Align")->Kind, TTypeKind::Enumeration);
    EXPECT_EQ(GetPropInfo(edit, "Anchors")->Kind, TTypeKind::Set);
    EXPECT_EQ(GetPropInfo(edit, "Font")->Kind, TTypeKind::Class);
    EXPECT_EQ(GetPropInfo(edit, "OnChange")->Kind, TTypeKind::Method);

    // Ordinals and texts of every sort, read and written by name.
    EXPECT_TRUE(SetOrdProp(edit, "Visible", 0));
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(SetOrdProp(edit, "Align", static_cast<int>(TAlign::alBottom)));
    EXPECT_EQ(edit->Align(), TAlign::alBottom);
    EXPECT_FALSE(SetOrdProp(edit, "Align", 42)); // out of the enumeration
    EXPECT_EQ(edit->Align(), TAlign::alBottom);
    EXPECT_TRUE(SetStrProp(edit, "Text", "USD"));
    EXPECT_EQ(GetStrProp(edit, "Text"), "USD");
    EXPECT_FALSE(SetStrProp(edit, "Color", "x")); // not a text property
    EXPECT_EQ(GetOrdProp(combo, "ItemIndex"), 1);

    // Text forms as schemes and language files write them.
    struct Case {
        TObject* object;
        const char* path;
        const char* text;
        const char* readBack;
    } cases[] = {
        { edit, "Color", "clRed", "255" },
        { edit, "Color", "11534335", "11534335" },
        { edit, "Font.Color", "clBlue", "16711680" },
        { edit, "Font.Style", "[fsBold, fsItalic]", "[fsBold,fsItalic]" },
        { edit, "Font.Charset", "GB2312_CHARSET", "134" },
        { edit, "Align", "  alClient ", "alClient" },
        { edit, "Anchors", "[akLeft,akRight]", "[akLeft,akRight]" },
        { edit, "Visible", "True", "True" },
        { edit, "Hint", "[F2]币种信息查询", "[F2]币种信息查询" },
        { combo, "Items_1", "乙", "乙" },
        { lv, "Columns_1.Caption", "编号", "编号" },
        { lv, "Items_0.Caption", "B", "B" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_TRUE(SetPropertyPathText(c.object, c.path, c.text));
        std::string back;
        EXPECT_TRUE(GetPropertyPathText(c.object, c.path, back));
        EXPECT_EQ(back, c.readBack);
    }
    EXPECT_EQ(lv->Columns()->Items(1)->Caption(), "编号");

    // Paths that lead nowhere do nothing.
    for (const char* bad :
        { "Columns_7.Caption", "Nothing", "Font.Nothing", "Items_x", "Text_0", "" })
        EXPECT_FALSE(SetPropertyPathText(lv, bad, "z")) << bad;
    EXPECT_FALSE(SetPropertyPathText(edit, "Color", "notAColour"));
}

TEST_F(ReflectionFixture, StringListLinesByIndexAppendAndKeepTheSelection)
{
    // Items_3 on a combo box with two items adds an empty third and sets the fourth.
    EXPECT_TRUE(SetPropertyPathText(combo, "Items_3", "d"));
    EXPECT_EQ(combo->Items()->ToVector(), (std::vector<std::string> { "a", "b", "", "d" }));
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ReflectionFixture, EventsAreValuesThatCanBeStoredAndPutBack)
{
    auto* button = new TButton(form.get());
    button->SetName("btnOk");
    int original = 0, hook = 0;
    button->OnClick = TNotifyEvent([&](TObject*) { ++original; });
    TMethod saved = GetEventPropOf(button, "OnClick");
    EXPECT_TRUE(saved.Assigned());
    EXPECT_EQ(saved.Data, nullptr);

    TNotifyEvent hookEvent([&](TObject* sender) {
        ++hook;
        // ... then the handler that was there before
        TNotifyEvent previous;
        ASSERT_TRUE(previous.Assign(saved));
        previous(sender);
    });
    SetEventPropOf(button, "OnClick", hookEvent.Method());
    EXPECT_TRUE(GetEventPropOf(button, "OnClick") == hookEvent.Method());
    EXPECT_FALSE(GetEventPropOf(button, "OnClick") == saved);
    button->Click();
    EXPECT_EQ(hook, 1);
    EXPECT_EQ(original, 1);

    SetEventPropOf(button, "OnClick", saved);
    EXPECT_TRUE(GetEventPropOf(button, "OnClick") == saved);
    button->Click();
    EXPECT_EQ(hook, 1);
    EXPECT_EQ(original, 2);

    // A method of another shape is refused; an empty one clears.
    TKeyPressEvent press([](TObject*, TKeyChar&) {});
    SetEventPropOf(button, "OnClick", press.Method());
    EXPECT_TRUE(GetEventPropOf(button, "OnClick") == saved);
    SetEventPropOf(button, "OnClick", TMethod {});
    EXPECT_FALSE(GetEventPropOf(button, "OnClick").Assigned());
}

TEST_F(ReflectionFixture, NamedMethodsCompareByNameAndObject)
{
    struct Holder : TComponent {
        using TComponent::TComponent;
        void Handler(TObject*) { }
    } a(nullptr), b(nullptr);
    auto m1 = TNotifyEvent::Bind(&a, &Holder::Handler, "edDateExit");
    auto m2 = TNotifyEvent::Bind(&a, &Holder::Handler, "EDDATEEXIT");
    auto m3 = TNotifyEvent::Bind(&b, &Holder::Handler, "edDateExit");
    EXPECT_TRUE(m1 == m2); // bound twice, still the same handler
    EXPECT_FALSE(m1 == m3); // another object
    EXPECT_TRUE(TNotifyEvent() == TNotifyEvent(nullptr));
}

TEST_F(ReflectionFixture, LibraryRoutinesGiveNeutralValuesForMissingThings)
{
    EXPECT_FALSE(HasProp(nullptr, "Text"));
    EXPECT_FALSE(HasProp(edit, ""));
    EXPECT_FALSE(HasProp(edit, "NoSuch"));
    EXPECT_EQ(GetStrPropOf(nullptr, "Text"), "");
    EXPECT_EQ(GetOrdPropOf(edit, "NoSuch"), 0);
    EXPECT_FALSE(GetEventPropOf(nullptr, "OnClick").Assigned());
    SetStrPropOf(nullptr, "Text", "x"); // nothing happens
    SetEventPropOf(nullptr, "OnClick", TMethod {});
    SetOrdPropOf(edit, "Text", 5); // wrong kind: nothing happens
    ClickControl(nullptr);

    SetStrPropOf(edit, "Text", "CNY");
    EXPECT_EQ(GetStrPropOf(edit, "Text"), "CNY");
    SetOrdPropOf(edit, "Enabled", 0);
    EXPECT_FALSE(edit->Enabled());

    // Object references travel as addresses, but only live components are accepted back.
    auto* menu = new TPopupMenu(form.get());
    SetOrdPropOf(edit, "PopupMenu", GetOrdPropOf(nullptr, "x") + reinterpret_cast<intptr_t>(menu));
    EXPECT_EQ(edit->PopupMenu(), menu);
    EXPECT_EQ(GetOrdPropOf(edit, "PopupMenu"), reinterpret_cast<intptr_t>(menu));
    int stack = 0;
    SetOrdPropOf(edit, "PopupMenu", reinterpret_cast<intptr_t>(&stack));
    EXPECT_EQ(edit->PopupMenu(), menu);
    SetOrdPropOf(edit, "PopupMenu", 0);
    EXPECT_EQ(edit->PopupMenu(), nullptr);
}

TEST_F(ReflectionFixture, ClickControlClicksLikeTheMouse)
{
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 75, 25);
    int clicks = 0;
    button->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    form->ShowForm();
    ClickControl(button, 0, MakeLParam(5, 5));
    EXPECT_EQ(clicks, 1);
    // A release outside the button is no click, as with the mouse.
    ClickControl(button, 0, MakeLParam(500, 5));
    EXPECT_EQ(clicks, 1);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    int panelClicks = 0;
    panel->OnClick = TNotifyEvent([&](TObject*) { ++panelClicks; });
    ClickControl(panel, 0, MakeLParam(3, 3));
    EXPECT_EQ(panelClicks, 1);
}

TEST(Components, OwnershipNamesAndDestruction)
{
    std::vector<std::string> freed;
    struct Noted : TComponent {
        Noted(TComponent* owner, std::vector<std::string>* log, const char* name)
            : TComponent(owner)
            , log_(log)
        {
            SetName(name);
        }
        ~Noted() override { log_->push_back(Name()); }
        std::vector<std::string>* log_;
    };
    auto* owner = new TComponent(nullptr);
    new Noted(owner, &freed, "first");
    auto* second = new Noted(owner, &freed, "second");
    new Noted(owner, &freed, "third");
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->FindComponent("SECOND"), second);
    EXPECT_EQ(second->ComponentIndex(), 1);
    EXPECT_FALSE(second->SetName("first")); // taken (without regard to case: "FIRST" too)
    EXPECT_FALSE(second->SetName("FIRST"));
    EXPECT_FALSE(second->SetName("9lives")); // not an identifier
    EXPECT_TRUE(second->SetName("")); // unnamed is allowed
    EXPECT_TRUE(second->SetName("second"));
    second->Free();
    EXPECT_EQ(freed, (std::vector<std::string> { "second" }));
    EXPECT_EQ(owner->ComponentCount(), 2);
    owner->Free();
    EXPECT_EQ(freed, (std::vector<std::string> { "second", "third", "first" })); // last first
}

TEST(Components, ChildrenGoWithTheirParentWhoeverOwnsThem)
{
    EnsureApplication();
    TOwned<TForm> form(CreateForm<TForm>());
    auto* other = new TComponent(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(other); // owned elsewhere, shown on the panel
    edit->SetParent(panel);
    edit->SetName("ed");
    TComponent* alive = edit;
    panel->Free();
    EXPECT_FALSE(TComponent::IsLive(alive));
    EXPECT_EQ(other->ComponentCount(), 0);
    other->Free();
}

TEST(Components, ClassRegistryKnowsTheStandardClasses)
{
    RegisterStandardClasses();
    for (const char* name : { "TForm", "TPanel", "TGroupBox", "TLabel", "TEdit", "TMaskEdit",
             "TMemo", "TComboBox", "TCheckBox", "TRadioButton", "TButton", "TBitBtn",
             "TSpeedButton", "TPageControl", "TTabSheet", "TListView", "TToolBar", "TToolButton",
             "TPopupMenu", "TMenuItem", "TSplitter", "TImageList", "TSpinEdit" }) {
        const TClassInfo* c = FindClass(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_TRUE(c->CanCreate()) << name;
        EXPECT_TRUE(c->InheritsFrom("TComponent")) << name;
    }
    EXPECT_EQ(FindClass("tbitbtn"), FindClass("TBitBtn"));
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    // Properties declared by a base class appear once, where the base declared them.
    auto props = TBitBtn::StaticClassInfo().Properties();
    int captions = 0;
    for (const TPropInfo* p : props)
        captions += p->Name == "Caption";
    EXPECT_EQ(captions, 1);
}

TEST(StringLists, TextNamesValuesAndSorting)
{
    TStringList s;
    s.SetText("a=1\r\nb=2\nc\r");
    EXPECT_EQ(s.ToVector(), (std::vector<std::string> { "a=1", "b=2", "c" }));
    EXPECT_EQ(s.Text(), "a=1\r\nb=2\r\nc\r\n");
    EXPECT_EQ(s.Values("B"), "2");
    s.SetValue("b", "");
    EXPECT_EQ(s.Count(), 2);
    s.SetValue("d", "4");
    EXPECT_EQ(s.IndexOfName("d"), 2);
    s.SetCommaText("x, \"y z\",\"q\"\"\"");
    EXPECT_EQ(s.ToVector(), (std::vector<std::string> { "x", "y z", "q\"" }));
    EXPECT_EQ(s.CommaText(), "x,\"y z\",\"q\"\"\"");
    int changes = 0;
    s.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    s.BeginUpdate();
    s.Add("1");
    s.Add("2");
    s.EndUpdate();
    EXPECT_EQ(changes, 1);
    s.SetSorted(true);
    EXPECT_EQ(s.ToVector(), (std::vector<std::string> { "1", "2", "q\"", "x", "y z" }));
    EXPECT_EQ(s.Add("X"), 3); // duplicates ignored without regard to case
    EXPECT_EQ(s.Count(), 5);
}

} // namespace
