// The bitmap check box: toggle order, clicks, accelerator, pictures and their images.

#include "ControlsTestSupport.h"

#include "controls/BtChkBox.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace zrv;
using namespace zrv::test;

namespace {

struct BitCheckBoxFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        box = form->Make<TBitCheckBox>("chk09", form.get(), 10, 10, 150, 17);
        other = form->Make<TBitCheckBox>("chk10", form.get(), 10, 40, 150, 17);
        box->SetCaption("&Print");
    }
    TOwned<TLookupForm> form;
    TBitCheckBox* box = nullptr;
    TBitCheckBox* other = nullptr;
};

TEST_F(BitCheckBoxFixture, StartsUncheckedWithTheModulePictures)
{
    TOwned<TBitCheckBox> fresh(new TBitCheckBox(nullptr));
    EXPECT_EQ(fresh->Width(), 97);
    EXPECT_EQ(fresh->Height(), 17);
    EXPECT_EQ(fresh->State(), TCheckBoxState::cbUnchecked);
    EXPECT_TRUE(fresh->TabStop());
    for (auto s :
        { TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed }) {
        EXPECT_EQ(fresh->Glyph(s)->Width(), 19);
        EXPECT_EQ(fresh->Glyph(s)->Height(), 14);
        EXPECT_EQ(fresh->NumGlyphs(s), 1);
    }
    // Three different pictures.
    EXPECT_FALSE(fresh->CheckedGlyph()->SameImage(*fresh->UncheckedGlyph()));
    EXPECT_FALSE(fresh->CheckedGlyph()->SameImage(*fresh->GrayedGlyph()));
    EXPECT_FALSE(fresh->GrayedGlyph()->SameImage(*fresh->UncheckedGlyph()));
}

TEST_F(BitCheckBoxFixture, ClicksStepThroughTheStatesAndComeBack)
{
    using S = TCheckBoxState;
    struct Case {
        bool allowGrayed;
        std::vector<S> states;
    };
    const Case cases[] = {
        { false, { S::cbChecked, S::cbUnchecked } },
        { true, { S::cbGrayed, S::cbChecked, S::cbUnchecked } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.allowGrayed);
        box->SetState(S::cbUnchecked);
        box->SetAllowGrayed(c.allowGrayed);
        std::vector<S> seen;
        box->OnClick = TNotifyEvent([&](TObject*) { seen.push_back(box->State()); });
        for (size_t i = 0; i < c.states.size(); ++i)
            box->Click();
        EXPECT_EQ(seen, c.states) << "OnClick sees the state the click made";
    }
    box->SetState(S::cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_EQ(box->State(), S::cbChecked);
}

TEST_F(BitCheckBoxFixture, SpaceClicksAndTheAcceleratorTogglesWithoutOnClick)
{
    ShowAndActivate(*form);
    int clicks = 0;
    box->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    box->SetFocus();
    PressKey(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);

    EXPECT_FALSE(box->DialogChar(u'x'));
    EXPECT_TRUE(box->DialogChar(u'p'));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 1);

    // Alt and the letter reach it through the form.
    other->SetFocus();
    PressKey(Qt::Key_P, Qt::AltModifier, "p");
    EXPECT_TRUE(box->Focused());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);

    box->SetEnabled(false);
    EXPECT_TRUE(box->DialogChar(u'P'));
    EXPECT_TRUE(box->Checked()) << "a disabled box does not move";
}

// A strip of two images on an olive background: red square, then blue square.
void DrawTwoImageStrip(TBitmap& b)
{
    b.SetSize(38, 14);
    b.Fill(RGBColor(128, 128, 0));
    for (int y = 2; y < 12; ++y)
        for (int x = 3; x < 16; ++x) {
            b.SetPixel(x, y, clRed);
            b.SetPixel(19 + x, y, clBlue);
        }
}

TEST_F(BitCheckBoxFixture, AStripOfTwoShowsItsSecondImageWhileDisabled)
{
    TBitmap strip;
    DrawTwoImageStrip(strip);
    box->SetCheckedGlyph(&strip);
    EXPECT_EQ(box->CheckedNumGlyphs(), 2);
    box->SetChecked(true);
    box->SetColor(clWhite);
    const int top = (box->ClientHeight() - 14) / 2;
    EXPECT_EQ(FromQColor(box->PaintToImage().pixelColor(9, top + 6)), clRed);
    EXPECT_EQ(FromQColor(box->PaintToImage().pixelColor(1, top + 1)), clWhite)
        << "the transparent colour takes the control's colour";
    box->SetEnabled(false);
    EXPECT_EQ(FromQColor(box->PaintToImage().pixelColor(9, top + 6)), clBlue);

    // A picture whose width is no multiple of its height keeps the count.
    TBitmap single(19, 14, clWhite);
    box->SetCheckedGlyph(&single);
    EXPECT_EQ(box->CheckedNumGlyphs(), 2);
    box->SetCheckedNumGlyphs(5);
    EXPECT_EQ(box->CheckedNumGlyphs(), 2);
    // An empty picture brings the module's back.
    box->SetCheckedGlyph(nullptr);
    EXPECT_EQ(box->CheckedGlyph()->Width(), 19);
}

TEST_F(BitCheckBoxFixture, CaptionIsMeasuredWithoutTheAmpersand)
{
    QFontMetrics fm(box->Font()->ToQFont());
    const int text = fm.horizontalAdvance("&Print") - fm.horizontalAdvance("&");
    TRect r = box->CaptionRect();
    EXPECT_EQ(r.Left, 19 + 4);
    EXPECT_EQ(r.Width(), text);
    EXPECT_EQ(r.Top, std::max((box->ClientHeight() - fm.height()) / 2 - 2, 0));

    box->SetAlignment(TLeftRight::taLeftJustify);
    EXPECT_EQ(box->CaptionRect().Left, 1);
    // The picture sits at the right edge then.
    box->SetChecked(true);
    box->SetColor(clWhite);
    QImage image = box->PaintToImage();
    int dark = 0;
    for (int x = box->ClientWidth() - 19; x < box->ClientWidth(); ++x)
        dark += qGray(image.pixel(x, box->ClientHeight() / 2)) < 100;
    EXPECT_GT(dark, 0);
}

TEST_F(BitCheckBoxFixture, DisabledCaptionIsGreyed)
{
    box->SetCaption("MMMMMMMM");
    box->SetColor(clWhite);
    box->Font()->SetColor(clBlack);
    auto darkest = [&]() {
        QImage image = box->PaintToImage();
        TRect r = box->CaptionRect();
        int darkest = 255;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    };
    EXPECT_LT(darkest(), 40);
    box->SetEnabled(false);
    EXPECT_GT(darkest(), 90);
}

} // namespace
