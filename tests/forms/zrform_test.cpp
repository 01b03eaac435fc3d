// The root form: its description, FormCreate (input methods, English fonts, disabled glyphs),
// the disabled glyph pixel by pixel, text conversion once, language packages on show, message
// dialogs through the converter, and a screenshot with Chinese captions.

#include "platform/components/TestSupport.h"

#include "forms/root/ZRForm.h"
#include "platform/CodePage.h"
#include "platform/components/BitBtn.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/FormResources.h"
#include "platform/components/GroupBox.h"
#include "platform/components/Label.h"
#include "platform/components/PageControl.h"
#include "platform/components/SpeedButton.h"

#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace zrv;

namespace {

std::string Hex(const std::string& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// A 3 x 2 one-image glyph on an olive background (olive is the bottom-left pixel).
std::unique_ptr<TBitmap> SmallGlyph()
{
    auto b = std::make_unique<TBitmap>(3, 2, clOlive);
    b->SetPixel(1, 0, clBlack);
    return b;
}

class TRootTestForm : public TZRForm {
public:
    using TZRForm::TZRForm;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info
            = TClassInfo::Define<TRootTestForm>("TRootTestForm", TZRForm::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

std::string RootTestDescription()
{
    auto one = SmallGlyph();
    TBitmap two(6, 2, clOlive);
    return "inherited RootTest: TRootTestForm\n"
           "  object edCode: TEdit\n"
           "    ImeName = 'Chinese (Simplified) - US Keyboard'\n"
           "  end\n"
           "  object lblCode: TLabel\n"
           "    Caption = '币种'\n"
           "    ParentFont = False\n"
           "    Font.Name = 'Arial'\n"
           "  end\n"
           "  object btnOne: TBitBtn\n"
           "    Glyph.Data = {"
        + Hex(one->Data())
        + "}\n"
          "  end\n"
          "  object btnTwo: TSpeedButton\n"
          "    Glyph.Data = {"
        + Hex(two.Data())
        + "}\n"
          "    NumGlyphs = 2\n"
          "  end\n"
          "  object btnEmpty: TSpeedButton\n"
          "  end\n"
          "end\n";
}

struct RootFormFixture : ::testing::Test {
    static void SetUpTestSuite()
    {
        EnsureApplication();
        FormResources::Add("tests/RootTest.zfm", RootTestDescription());
    }
    // The windows here run on a simplified-Chinese system without a profile, so the
    // converter takes GB for system and interface.
    void SetUp() override { OverrideSystemCodePage(cpGB); }
    void TearDown() override { OverrideSystemCodePage(0); }
    std::shared_ptr<TScriptedDialogPresenter> scripted
        = std::make_shared<TScriptedDialogPresenter>();
    TScopedDialogPresenter presenter { scripted };
};

TEST_F(RootFormFixture, DescriptionGivesTheDesignedWindow)
{
    TOwned<TZRForm> f(CreateForm<TZRForm>());
    EXPECT_EQ(f->Name(), "ZRForm");
    ASSERT_NE(f->ZrConverter, nullptr);
    ASSERT_NE(f->LangController, nullptr);
    EXPECT_EQ(f->ZrConverter->DesignType(), TDesignType::dtClient);
    EXPECT_FALSE(f->LangController->Active());
    EXPECT_EQ(f->Position(), TPosition::poScreenCenter);
    EXPECT_TRUE(f->KeyPreview());
    EXPECT_FALSE(f->Scaled());
    EXPECT_TRUE(f->ShowHint());
    EXPECT_EQ(f->Font()->Name(), "宋体");
    EXPECT_EQ(f->Font()->Height(), -13);
    EXPECT_EQ(f->Color(), clBtnFace);
    EXPECT_FALSE(f->Converted);
    EXPECT_TRUE(f->LanguageOnShow);
    EXPECT_EQ(f->OnCreate.Name(), "FormCreate");
    EXPECT_EQ(f->OnShow.Name(), "FormShow");
    EXPECT_EQ(f->SystemCodePage(), "936");
    EXPECT_EQ(f->UICodePage(), "936");
}

TEST_F(RootFormFixture, FormCreatePreparesTheComponents)
{
    TOwned<TRootTestForm> f(CreateForm<TRootTestForm>());
    auto* edCode = dynamic_cast<TEdit*>(f->FindComponent("edCode"));
    auto* lblCode = dynamic_cast<TLabel*>(f->FindComponent("lblCode"));
    auto* btnOne = dynamic_cast<TBitBtn*>(f->FindComponent("btnOne"));
    auto* btnTwo = dynamic_cast<TSpeedButton*>(f->FindComponent("btnTwo"));
    auto* btnEmpty = dynamic_cast<TSpeedButton*>(f->FindComponent("btnEmpty"));
    ASSERT_TRUE(edCode && lblCode && btnOne && btnTwo && btnEmpty);

    // No input method is forced; a one-image glyph got its disabled image; a two-image glyph
    // and an empty glyph are left alone; fonts stay as designed for a Chinese interface.
    EXPECT_EQ(edCode->ImeName(), "");
    EXPECT_EQ(btnOne->NumGlyphs(), 2);
    EXPECT_EQ(btnOne->Glyph()->Width(), 6);
    EXPECT_EQ(btnTwo->NumGlyphs(), 2);
    EXPECT_EQ(btnTwo->Glyph()->Width(), 6);
    EXPECT_EQ(btnEmpty->NumGlyphs(), 1);
    EXPECT_EQ(lblCode->Font()->Name(), "Arial");
    EXPECT_EQ(edCode->Font()->Name(), "宋体");

    // The English interface: every component with a font gets Tahoma, character set 134.
    // Running the creation work again does not widen a glyph twice.
    f->ZrConverter->SetCodePages("437", "437", "437");
    f->FormCreate(f.get());
    EXPECT_EQ(lblCode->Font()->Name(), "Tahoma");
    EXPECT_EQ(lblCode->Font()->Charset(), 134);
    EXPECT_EQ(edCode->Font()->Name(), "Tahoma");
    EXPECT_EQ(edCode->Font()->Charset(), 134);
    EXPECT_EQ(btnOne->Glyph()->Width(), 6);
    EXPECT_EQ(btnOne->NumGlyphs(), 2);
    EXPECT_EQ(f->Font()->Name(), "宋体"); // the window itself is not one of its components

    f->ZrConverter->SetCodePages("950", "950", "950");
    lblCode->Font()->SetName("Arial");
    f->FormCreate(f.get());
    EXPECT_EQ(lblCode->Font()->Name(), "Arial");
}

TEST_F(RootFormFixture, BuiltInGlyphButtonsOfRegisteredClassesAreTreated)
{
    // A container that owns its own speed button, as a selection panel does.
    TZRForm::RegisterBuiltInGlyphButtons(TGroupBox::StaticClassInfo(), [](TComponent* c) {
        std::vector<TComponent*> out;
        for (int i = 0; i < c->ComponentCount(); ++i)
            out.push_back(c->Components(i));
        return out;
    });
    TOwned<TZRForm> f(CreateForm<TZRForm>());
    auto* box = new TGroupBox(f.get());
    auto* inner = new TSpeedButton(box);
    inner->SetGlyph(SmallGlyph().get());
    f->FormCreate(f.get());
    EXPECT_EQ(inner->NumGlyphs(), 2);
}

// Expected disabled images, row by row: F face, H highlight, S shadow.
struct GlyphCase {
    const char* what;
    std::vector<std::vector<TColor>> pixels; // the glyph; the bottom-left pixel is transparent
    std::vector<std::string> expected;
};

constexpr TColor T = clOlive;
constexpr TColor Dk = RGBColor(60, 60, 60); // dark: sum 180
constexpr TColor Lt = RGBColor(250, 250, 250); // light: sum 750
constexpr TColor Edge = RGBColor(128, 128, 128); // exactly 384: not dark
constexpr TColor Below = RGBColor(128, 128, 127); // 383: dark

const GlyphCase kGlyphCases[] = {
    { "a dark pixel is shadow, its lower-right neighbour highlight",
        { { T, T, T, T }, { T, Dk, T, T }, { T, T, T, T }, { T, T, T, T } },
        { "FFFF", "FSFF", "FFHF", "FFFF" } },
    { "a light pixel counts only where it touches the background",
        { { Lt, Lt, Lt, T }, { Lt, Lt, Lt, T }, { Lt, Lt, Lt, T }, { T, Lt, Lt, T } },
        { "FFSF", "FFSH", "SFSH", "FSSH" } },
    { "384 is not dark, 383 is; both count next to the background",
        { { Edge, Edge, Edge }, { Edge, Below, Edge }, { T, Edge, Edge } },
        { "FFF", "SSF", "FSH" } },
    { "the border is not background", { { Lt, Lt, Lt }, { Lt, Lt, Lt }, { T, Lt, Lt } },
        { "FFF", "SFF", "FSF" } },
    { "an all-transparent glyph is plain button face", { { T, T, T }, { T, T, T } },
        { "FFF", "FFF" } },
    { "the shadow covers the highlight of its upper-left neighbour",
        { { Dk, T, T }, { T, Dk, T }, { T, T, T } }, { "SFF", "FSF", "FFH" } },
};

TEST(DisabledGlyph, StripPixelByPixel)
{
    EnsureApplication();
    for (const GlyphCase& c : kGlyphCases) {
        SCOPED_TRACE(c.what);
        const int h = static_cast<int>(c.pixels.size()), w = static_cast<int>(c.pixels[0].size());
        TBitmap b(w, h, clWhite);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.SetPixel(x, y, c.pixels[static_cast<size_t>(y)][static_cast<size_t>(x)]);
        MakeDisabledGlyph(b);
        ASSERT_EQ(b.Width(), 2 * w);
        ASSERT_EQ(b.Height(), h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                EXPECT_EQ(b.Pixel(x, y),
                    ColorToRGB(c.pixels[static_cast<size_t>(y)][static_cast<size_t>(x)]))
                    << "left half changed at " << x << "," << y;
                char e = c.expected[static_cast<size_t>(y)][static_cast<size_t>(x)];
                TColor want = ColorToRGB(e == 'S' ? clBtnShadow
                        : e == 'H'                ? clBtnHighlight
                                                  : clBtnFace);
                EXPECT_EQ(b.Pixel(w + x, y), want) << "at " << x << "," << y << " expected " << e;
            }
    }
}

TEST(DisabledGlyph, OnlyOneImageGlyphsAreWidened)
{
    EnsureApplication();
    TOwned<TForm> f(CreateForm<TForm>());
    auto* b = new TSpeedButton(f.get());
    TBitmap two(6, 2, clOlive);
    b->SetGlyph(&two);
    b->SetNumGlyphs(2);
    EXPECT_FALSE(AddDisabledGlyph(b));
    EXPECT_EQ(b->Glyph()->Width(), 6);
    auto* one = new TBitBtn(f.get());
    one->SetGlyph(SmallGlyph().get());
    EXPECT_TRUE(AddDisabledGlyph(one));
    EXPECT_FALSE(AddDisabledGlyph(one)); // twice: once
    EXPECT_EQ(one->Glyph()->Width(), 6);
    EXPECT_FALSE(AddDisabledGlyph(new TEdit(f.get()))); // no glyph at all
}

class TCountingConverter : public TCodeConverter {
public:
    using TCodeConverter::TCodeConverter;
    void ConvertForm(TComponent*) override { ++calls; }
    int calls = 0;
};

TEST_F(RootFormFixture, TextsAreConvertedOnce)
{
    TOwned<TZRForm> f(CreateForm<TZRForm>());
    f->ZrConverter->Free();
    EXPECT_EQ(f->ZrConverter, nullptr);
    auto* counting = new TCountingConverter(f.get());
    counting->SetName("ZrConverter");
    EXPECT_EQ(f->ZrConverter, counting);
    f->ConvertTexts();
    f->ConvertTexts();
    EXPECT_EQ(counting->calls, 1);
    EXPECT_TRUE(f->Converted);
}

class TRecordingLangController : public TZrLangController {
public:
    using TZrLangController::TZrLangController;
    void ApplyTo(TComponent* target) override
    {
        applied.push_back(LangPackageName() + ">" + target->Name());
    }
    std::vector<std::string> applied;
};

TEST_F(RootFormFixture, LanguagePackagesApplyFromTheMostGeneralClass)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("zrform_lang_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::path previous = fs::current_path();
    fs::current_path(dir);

    TOwned<TRootTestForm> f(CreateForm<TRootTestForm>());
    f->LangController->Free();
    auto* lang = new TRecordingLangController(f.get());
    lang->SetName("LangController");
    ASSERT_EQ(f->LangController, lang);
    std::string caption = f->Caption();

    // Without packages nothing is applied and no caption changes.
    f->ShowForm();
    EXPECT_TRUE(lang->applied.empty());
    EXPECT_FALSE(lang->Active());
    EXPECT_EQ(f->Caption(), caption);
    f->Hide();

    std::ofstream(dir / "TZRForm.Lng") << "<TZRForm/>";
    std::ofstream(dir / "TRootTestForm.Lng") << "<TRootTestForm/>";
    f->ShowForm(); // every show applies the packages again, the most general first
    EXPECT_EQ(
        lang->applied, (std::vector<std::string> { "TZRForm>RootTest", "TRootTestForm>RootTest" }));
    EXPECT_TRUE(lang->Active());

    lang->applied.clear();
    f->ApplyModuleLanguage(f.get());
    EXPECT_EQ(lang->applied, (std::vector<std::string> { "TRootTestForm>RootTest" }));

    // A missing package is skipped; the others still apply.
    std::filesystem::remove(dir / "TZRForm.Lng");
    lang->applied.clear();
    f->ApplyLanguage(f.get());
    EXPECT_EQ(lang->applied, (std::vector<std::string> { "TRootTestForm>RootTest" }));

    lang->applied.clear();
    f->Hide();
    f->LanguageOnShow = false;
    f->ShowForm();
    EXPECT_TRUE(lang->applied.empty());

    fs::current_path(previous);
    fs::remove_all(dir);
}

TEST_F(RootFormFixture, LookupTextGivesTheDefaultWithoutPackages)
{
    TOwned<TZRForm> f(CreateForm<TZRForm>());
    EXPECT_EQ(f->LookupText("TfrmBaseGene", "sExeVer", true, "[您现在运行的是Exe版本!]"),
        "[您现在运行的是Exe版本!]");
}

TEST_F(RootFormFixture, DialogsGoThroughTheConverter)
{
    TOwned<TZRForm> f(CreateForm<TZRForm>());
    f->SetCaption("采购进退货明细表[演示公司]");
    scripted->QueueAnswer(mrNo);
    EXPECT_EQ(f->ShowDialog("确定要删除吗?", TMsgDlgType::mtConfirmation, mbYesNoCancel), mrNo);
    ASSERT_EQ(scripted->Messages().size(), 1u);
    auto m = scripted->Messages()[0];
    EXPECT_EQ(m.text, "确定要删除吗?      "); // six blanks for the 936 interface
    EXPECT_EQ(m.type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(m.buttons, mbYesNoCancel);
    EXPECT_EQ(m.caption, "采购进退货明细表[演示公司]");
    EXPECT_EQ(m.fontName, "SimSun");
    EXPECT_EQ(m.fontCharset, 134);

    f->ZrConverter->SetCodePages("437", "437", "437");
    EXPECT_EQ(f->ShowDialog("Done", TMsgDlgType::mtInformation, mbOKOnly), mrOk);
    EXPECT_EQ(scripted->Messages().back().text, "Done");

    f->ZrConverter->SetConvertModes(2, 0);
    f->ShowDialog("繁體", TMsgDlgType::mtWarning, mbOKOnly);
    EXPECT_EQ(scripted->Messages().back().fontCharset, 136);

    EXPECT_EQ(f->ShowDialog("", TMsgDlgType::mtError, mbOKOnly), mrNone);
    EXPECT_EQ(scripted->Messages().size(), 3u); // an empty text shows nothing
}

TEST_F(RootFormFixture, ScreenshotWithChineseCaptions)
{
    TOwned<TZRForm> f(CreateForm<TZRForm>());
    f->SetCaption("采购进退货明细表");
    f->SetClientWidth(360);
    f->SetClientHeight(200);
    auto* pages = new TPageControl(f.get());
    pages->SetParent(f.get());
    pages->SetBounds(4, 4, 352, 150);
    auto* page1 = new TTabSheet(f.get());
    page1->SetPageControl(pages);
    page1->SetCaption("基本选项");
    auto* page2 = new TTabSheet(f.get());
    page2->SetPageControl(pages);
    page2->SetCaption("系统选项");
    auto* box = new TGroupBox(f.get());
    box->SetParent(page1);
    box->SetBounds(6, 6, 330, 60);
    box->SetCaption("选择供应商编号");
    auto* lbl = new TLabel(f.get());
    lbl->SetParent(box);
    lbl->SetBounds(10, 26, 20, 16);
    lbl->SetCaption("起");
    auto* ed = new TEdit(f.get());
    ed->SetParent(box);
    ed->SetBounds(30, 22, 120, 22);
    ed->SetText("A001");
    auto* cbo = new TComboBox(f.get());
    cbo->SetParent(page1);
    cbo->SetBounds(6, 76, 150, 22);
    cbo->SetStyle(TComboBoxStyle::csDropDownList);
    cbo->Items()->SetStrings({ "进货", "退货", "全部" });
    cbo->SetItemIndex(2);
    auto* ok = new TBitBtn(f.get());
    ok->SetParent(f.get());
    ok->SetBounds(200, 164, 75, 28);
    ok->SetCaption("确定");
    auto* cancel = new TBitBtn(f.get());
    cancel->SetParent(f.get());
    cancel->SetBounds(280, 164, 75, 28);
    cancel->SetCaption("取消");
    test::ShowAndActivate(*f);
    QPixmap shot = f->Handle()->grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.width(), 360);
    EXPECT_EQ(shot.height(), 200);
    QString path = QCoreApplication::applicationDirPath() + "/zrform_screenshot.png";
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
    // Chinese text must have been drawn with real glyphs: the caption area of the group box
    // holds dark pixels of more than one shade.
    QImage img = shot.toImage();
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 80)
                ++dark;
    EXPECT_GT(dark, 200);
}

} // namespace
