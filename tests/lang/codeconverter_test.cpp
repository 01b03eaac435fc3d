#include "lang/CodeConverter.h"
#include "lang/Translator.h"

#include "platform/CodePage.h"
#include "platform/components/Application.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Dialogs.h"
#include "platform/components/Font.h"
#include "platform/components/Form.h"
#include "platform/components/Label.h"
#include "platform/components/ListView.h"
#include "platform/components/Menus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace zrv;

namespace {

// A window with one control of each kind the whole-window conversion treats.
struct ConverterFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TForm>());
        form->SetCaption("采购进货");
        converter = new TCodeConverter(form.get());
        label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetCaption("简体中文");
        label->SetHint("请输入");
        label->Font()->SetName("宋体");
        combo = new TComboBox(form.get());
        combo->SetParent(form.get());
        combo->SetStyle(TComboBoxStyle::csDropDownList);
        for (const char* t : { "进货", "退货", "进退货" })
            combo->Items()->Add(t);
        combo->SetItemIndex(2);
        list = new TListView(form.get());
        list->SetParent(form.get());
        list->Columns()->Add()->SetCaption("方案");
        list->Columns()->Add()->SetCaption("日期");
        TListItem* item = list->Items()->Add();
        item->SetCaption("简体");
        item->SubItems()->Add("发货");
        menu = new TPopupMenu(form.get());
    }

    void UseModes(const char* system, const char* ui, const char* db, int uiMode, int dbMode)
    {
        converter->SetCodePages(system, ui, db);
        converter->SetConvertModes(uiMode, dbMode);
    }

    TOwned<TForm> form;
    TCodeConverter* converter = nullptr;
    TLabel* label = nullptr;
    TComboBox* combo = nullptr;
    TListView* list = nullptr;
    TPopupMenu* menu = nullptr;
};

} // namespace

TEST_F(ConverterFixture, GBInterfaceOnGBSystemChangesNothing)
{
    UseModes("936", "936", "936", 0, 0);
    EXPECT_FALSE(converter->HasTranslator());
    converter->ConvertForm(form.get());
    EXPECT_EQ(label->Caption(), "简体中文");
    EXPECT_EQ(label->Font()->Name(), "宋体");
    EXPECT_EQ(combo->Style(), TComboBoxStyle::csDropDownList);
    EXPECT_FALSE(menu->OwnerDraw());
    EXPECT_EQ(converter->ToDisplay(Variant("简体")).ToString(), "简体");

    // Message dialogs still take SimSun in the GB character set, and six trailing blanks.
    auto dialogs = std::make_shared<TScriptedDialogPresenter>();
    TScopedDialogPresenter scope(dialogs);
    converter->ShowMessageDialog("完成", TMsgDlgType::mtInformation, mbOKOnly);
    EXPECT_EQ(converter->ShowMessageDialog("", TMsgDlgType::mtInformation, mbOKOnly), mrNone);
    ASSERT_EQ(dialogs->Messages().size(), 1u);
    EXPECT_EQ(dialogs->Messages()[0].text, "完成      ");
    EXPECT_EQ(dialogs->Messages()[0].fontName, "SimSun");
    EXPECT_EQ(dialogs->Messages()[0].fontCharset, GB2312_CHARSET);
    EXPECT_EQ(dialogs->Messages()[0].caption, "采购进货");
}

TEST_F(ConverterFixture, GBInterfaceOnBig5SystemChangesFontsAndStylesOnly)
{
    UseModes("950", "936", "936", 4, 0);
    ASSERT_TRUE(converter->HasTranslator());
    converter->ConvertForm(form.get());
    EXPECT_EQ(label->Caption(), "简体中文") << "mode 4 converts no text";
    EXPECT_EQ(form->Caption(), "採購進貨") << "a Big5 system shows the window caption in Big5";
    EXPECT_EQ(label->Font()->Name(), "SimSun");
    EXPECT_EQ(label->Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(combo->Style(), TComboBoxStyle::csOwnerDrawFixed);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(Screen().HintFont()->Name(), "SimSun");
}

TEST_F(ConverterFixture, Big5InterfaceConvertsTheWholeWindow)
{
    UseModes("936", "950", "936", 2, 2);
    converter->ConvertForm(form.get());
    EXPECT_EQ(form->Caption(), "采购进货") << "the caption follows the system code page";
    EXPECT_EQ(label->Caption(), "簡體中文");
    EXPECT_EQ(label->Hint(), "請輸入");
    EXPECT_EQ(label->Font()->Charset(), CHINESEBIG5_CHARSET);
    ASSERT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->Items()->Get(0), "進貨");
    EXPECT_EQ(combo->ItemIndex(), 2) << "the choice survives the new items";
    EXPECT_EQ(list->Columns()->Items(0)->Caption(), "方案");
    EXPECT_EQ(list->Columns()->Items(1)->Caption(), "日期");
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "簡體");
    EXPECT_EQ(list->Items()->Item(0)->SubItems()->Get(0), "發貨");
}

TEST_F(ConverterFixture, ValuesTravelBetweenScreenAndDatabase)
{
    // A Big5 interface on a GB database: typed values go to the server in GB, values from the
    // server come to the screen in Big5.
    UseModes("936", "950", "936", 2, 2);
    EXPECT_EQ(converter->ToDatabase(Variant("簡體")).ToString(), "简体");
    EXPECT_EQ(converter->FromDatabase(Variant("简体")).ToString(), "簡體");
    EXPECT_EQ(converter->FromDisplay(Variant("簡體")).ToString(), "简体");
    EXPECT_EQ(converter->ToDisplay(Variant("简体")).ToString(), "簡體");

    Variant nested = Variant::ArrayOf({ 7, "简体", Variant::ArrayOf({ "发货", Variant() }) });
    const Variant out = converter->FromDatabase(nested);
    EXPECT_EQ(out[0].Type(), varString) << "numbers come back as text";
    EXPECT_EQ(out[0].ToString(), "7");
    EXPECT_EQ(out[1].ToString(), "簡體");
    EXPECT_EQ(out[2][0].ToString(), "發貨");
    EXPECT_TRUE(out[2][1].IsEmpty());

    Variant grid = Variant::Array2(0, 1, 0, 0);
    grid.At(0, 0) = "简";
    const Variant g = converter->FromDatabase(grid);
    EXPECT_EQ(g.At(0, 0).ToString(), "簡");
    EXPECT_TRUE(g.At(1, 0).IsEmpty());

    EXPECT_TRUE(converter->FromDatabase(Variant::Null()).IsNull());
    UseModes("936", "936", "936", 0, 0);
    EXPECT_EQ(converter->ToDatabase(Variant(7)).Type(), varInteger) << "no conversion: unchanged";
}

TEST(CodeConverter, ReadsTheClientProfileWhenCreated)
{
    const auto dir = std::filesystem::temp_directory_path() / "kv_converter_profile";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "registry.ini")
        << "[Software\\ZRV\\Orvane]\nClientPath=" << dir.string() << "\n";
    std::ofstream(dir / "OrvaneC.ini") << "[CodePage]\nUICodePage=950\nDBCodePage=936\n";
    setenv("ZRV_REGISTRY_FILE", (dir / "registry.ini").c_str(), 1);
    OverrideSystemCodePage(cpGB);
    {
        TCodeConverter converter(nullptr);
        EXPECT_EQ(converter.UICodePage(), "950");
        EXPECT_EQ(converter.UIConvertMode(), 2);
        EXPECT_EQ(converter.DBConvertMode(), 2);
        EXPECT_TRUE(converter.HasTranslator());
        EXPECT_EQ(converter.GBToBig5Text("简体中文"), "簡體中文");
        EXPECT_EQ(converter.Big5ToGBText(""), "");
    }
    OverrideSystemCodePage(0);
    unsetenv("ZRV_REGISTRY_FILE");
    std::filesystem::remove_all(dir);
}
