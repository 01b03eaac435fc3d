// The picture library, glyph speed buttons (pictures by number) and lookup buttons (alignment,
// the one-button-per-edit rule, the lookup request).

#include "ControlsTestSupport.h"

#include "HvResD5.h"
#include "controls/F2Button.h"
#include "controls/GSpdBtn.h"
#include "platform/components/Edit.h"
#include "platform/components/Panel.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

using namespace zrv;
using namespace zrv::test;

namespace {

TEST(HvResD5, HoldsEveryPictureTheFormsUseAsStripsOfSquareImages)
{
    EXPECT_GE(GetMaxBmpID(), 81);
    std::set<std::vector<uint32_t>> distinct;
    for (int id : { 4, 8, 9, 39, 44, 47, 61, 68, 81 }) {
        SCOPED_TRACE(id);
        HvBmpImage image {};
        ASSERT_EQ(LoadBmp(&image, id), 1);
        ASSERT_NE(image.pixels, nullptr);
        EXPECT_EQ(image.height, 16);
        ASSERT_GT(image.width, 0);
        EXPECT_EQ(image.width % image.height, 0);
        // The clear button's picture carries its own disabled image.
        EXPECT_EQ(image.width / image.height, id == 4 ? 2 : 1);
        std::vector<uint32_t> first;
        const uint32_t background = image.pixels[(image.height - 1) * image.width];
        int drawn = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.height; ++x) {
                uint32_t p = image.pixels[y * image.width + x];
                first.push_back(p);
                drawn += p != background;
            }
        EXPECT_GT(drawn, 40) << "a picture, not an empty square";
        distinct.insert(first);
        // The same pixels come back on a second request.
        HvBmpImage again {};
        ASSERT_EQ(LoadBmp(&again, id), 1);
        EXPECT_EQ(again.pixels, image.pixels);
    }
    EXPECT_EQ(distinct.size(), 9u);
}

TEST(HvResD5, AnswersFalseForNumbersItDoesNotHold)
{
    HvBmpImage image { 7, 7, nullptr };
    for (int id : { 0, -1, 5, GetMaxBmpID() + 1 }) {
        EXPECT_EQ(LoadBmp(&image, id), 0) << id;
        EXPECT_EQ(image.width, 7) << "left alone";
    }
    EXPECT_EQ(LoadBmp(nullptr, 8), 0);
}

TEST(HvResD5, ReachesButtonsThroughTheDefaultLibrary)
{
    EnsureApplication();
    TOwned<TGSpeedButton> button(new TGSpeedButton(nullptr));
    button->SetGlyphIndex(4);
    EXPECT_EQ(button->Glyph()->Width(), 32);
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Caption(), "");
}

// A stand-in library: 50 is a strip of four, 51 a single image, 52 is missing, 53 is broken.
struct FakeLibrary {
    int loads = 0;
    TBitmapLibrary Library()
    {
        TBitmapLibrary lib;
        lib.MaxId = [] { return 100; };
        lib.Load = [this](int n, TBitmap& b) {
            ++loads;
            switch (n) {
            case 50:
                b.SetSize(64, 16);
                return true;
            case 51:
                b.SetSize(16, 16);
                return true;
            case 53:
                throw std::runtime_error("broken picture");
            default:
                return false;
            }
        };
        return lib;
    }
};

TEST(GSpeedButton, GlyphIndexTakesThePictureOrShowsTheNumber)
{
    EnsureApplication();
    struct Case {
        int n;
        std::string caption;
        int glyphWidth; // 0: no picture
        int numGlyphs;
        bool error;
    };
    const Case cases[] = {
        { 50, "", 64, 4, false },
        { 51, "", 16, 1, false },
        { 52, "52", 0, 1, false }, // the library has no such picture
        { 101, "101", 0, 1, false }, // above the highest number
        { 0, "0", 0, 1, false },
        { 53, "53", 0, 1, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        FakeLibrary fake;
        ScopedBitmapLibrary scope(fake.Library());
        ScriptedDialogs dialogs;
        TOwned<TGSpeedButton> b(new TGSpeedButton(nullptr));
        b->SetGlyphIndex(c.n == 0 ? 51 : 0); // start elsewhere, so that setting n acts
        b->SetGlyph(nullptr);
        b->SetNumGlyphs(1);
        EXPECT_EQ(b->SetGlyphIndex(c.n), !c.error);
        EXPECT_EQ(b->GlyphIndex(), c.n);
        EXPECT_EQ(b->Caption(), c.caption);
        EXPECT_EQ(b->Glyph()->Empty() ? 0 : b->Glyph()->Width(), c.glyphWidth);
        if (c.glyphWidth) {
            EXPECT_EQ(b->NumGlyphs(), c.numGlyphs);
        }
        EXPECT_EQ(dialogs.Texts(),
            c.error ? std::vector<std::string> { "读取 BMP 发生错误" }
                    : std::vector<std::string> {});
        if (c.error) {
            EXPECT_EQ(dialogs.presenter->Messages()[0].type, TMsgDlgType::mtError);
        }
    }
}

TEST(GSpeedButton, SettingTheSameNumberDoesNotReload)
{
    EnsureApplication();
    FakeLibrary fake;
    ScopedBitmapLibrary scope(fake.Library());
    TOwned<TGSpeedButton> b(new TGSpeedButton(nullptr));
    b->SetGlyphIndex(50);
    b->SetGlyphIndex(50);
    EXPECT_EQ(fake.loads, 1);
}

struct F2ButtonFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        edit = form->Make<TEdit>("ed07", form.get(), 10, 20, 100, 21);
        other = form->Make<TEdit>("edOther", form.get(), 10, 60, 100, 21);
        button = form->Make<TF2Button>("F2Button2", form.get(), 300, 300, 10, 10);
    }
    TOwned<TLookupForm> form;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    TF2Button* button = nullptr;
    ScriptedDialogs dialogs;
};

TEST_F(F2ButtonFixture, IsCreatedFlatWithTheLookupPicture)
{
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(button->GlyphIndex(), 8);
    EXPECT_EQ(button->Gap(), 2);
    EXPECT_TRUE(button->AutoAlign());
}

TEST_F(F2ButtonFixture, SitsSquareAtTheRightEndOfItsEdit)
{
    EXPECT_TRUE(button->SetF2Control(edit));
    EXPECT_EQ(button->BoundsRect(), Bounds(112, 20, 21, 21));
    button->SetGap(5);
    EXPECT_EQ(button->Left(), 115);

    button->SetAutoAlign(false);
    button->SetBounds(1, 2, 30, 30);
    button->SetGap(7);
    EXPECT_EQ(button->BoundsRect(), Bounds(1, 2, 30, 30)) << "AutoAlign off leaves it be";
}

TEST_F(F2ButtonFixture, OneEditHasOneButton)
{
    ASSERT_TRUE(button->SetF2Control(edit));
    EXPECT_FALSE(button->SetF2Control(edit)) << "the same edit again";
    EXPECT_TRUE(dialogs.Texts().empty());

    auto* second = form->Make<TF2Button>("F2Button3", form.get(), 0, 0, 10, 10);
    EXPECT_FALSE(second->SetF2Control(edit));
    EXPECT_EQ(second->F2Control(), nullptr);
    EXPECT_EQ(
        dialogs.Texts(), std::vector<std::string> { "不能同时有两个 F2Button 指到同一个 Edit." });
    EXPECT_TRUE(second->SetF2Control(other));
}

TEST_F(F2ButtonFixture, ButtonsOnAPanelSeeEachOther)
{
    auto* panel = form->Make<TPanel>("pnl", form.get(), 0, 100, 300, 100);
    auto* ed = form->Make<TEdit>("edOnPanel", panel, 5, 5, 80, 21);
    auto* a = form->Make<TF2Button>("btnA", panel, 0, 0, 10, 10);
    auto* b = form->Make<TF2Button>("btnB", panel, 0, 0, 10, 10);
    EXPECT_TRUE(a->SetF2Control(ed));
    EXPECT_FALSE(b->SetF2Control(ed));
    EXPECT_EQ(dialogs.Texts().size(), 1u);
}

TEST_F(F2ButtonFixture, ClickRunsOnClickThenAsksTheFormForTheLookup)
{
    ShowAndActivate(*form);
    button->SetF2Control(edit);
    std::vector<std::string> log;
    button->OnClick = TNotifyEvent([&](TObject*) {
        log.push_back("click, requests " + std::to_string(form->requests.size()));
    });
    button->Click();
    EXPECT_EQ(log, std::vector<std::string> { "click, requests 0" });
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(form->requests, std::vector<TWinControl*> { edit });

    edit->SetEnabled(false);
    button->Click();
    EXPECT_EQ(form->requests.size(), 1u) << "a disabled edit opens nothing";

    button->SetF2Control(nullptr);
    button->Click();
    EXPECT_EQ(form->requests.size(), 1u) << "without an edit the click is all";
}

TEST_F(F2ButtonFixture, LetsGoOfAnEditThatIsDestroyed)
{
    button->SetF2Control(other);
    other->Free();
    EXPECT_EQ(button->F2Control(), nullptr);
}

TEST(LookupRequest, GoesToTheFormAmongTheOwners)
{
    EnsureApplication();
    TOwned<TLookupForm> form(CreateForm<TLookupForm>());
    auto* panel = form->Make<TPanel>("pnl", form.get(), 0, 0, 100, 100);
    // An edit owned by a panel (as a selection panel's edits are) still reaches the form.
    auto* edit = new TEdit(panel);
    edit->SetParent(panel);
    EXPECT_EQ(OwnerFormOf(edit), form.get());
    EXPECT_TRUE(SendLookupRequest(edit));
    EXPECT_EQ(form->requests, std::vector<TWinControl*> { edit });
    TOwned<TEdit> loose(new TEdit(nullptr));
    EXPECT_FALSE(SendLookupRequest(loose.get()));
    EXPECT_EQ(ZM_LOOKUPREQUEST, 1034u);
}

} // namespace
