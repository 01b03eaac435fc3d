// The value text of condition schemes: every kind of line written from a form's controls and
// read back into them, with date fields, hooks, skipped entries and failures.

#include "ControlsTestSupport.h"

#include "controls/BtChkBox.h"
#include "controls/SchemeValues.h"
#include "controls/SelectPnl.h"
#include "controls/ZrRadioGroup.h"
#include "controls/ZrSpin.h"
#include "controls/ZrcEdit.h"
#include "lib/StrFields.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Edit.h"
#include "platform/components/MaskEdit.h"

#include <gtest/gtest.h>

#include <set>

using namespace zrv;
using namespace zrv::test;

namespace {

const std::string F = kFieldSep;
const std::string R = kRowSep;
const std::string C = kColumnSep;

// A component with a floating-point property.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner)
        : TComponent(owner)
    {
    }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info = TClassInfo::Define<TProbe>("TSchemeProbe",
            TComponent::StaticClassInfo(),
            [](TClassBuilder<TProbe>& c) { c.Float("Ratio", &TProbe::Ratio, &TProbe::SetRatio); });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }

private:
    double ratio_ = 0;
};

struct Host : TSchemeValueHost {
    std::set<std::string> dates { "sp06", "edDate" };
    std::vector<std::string> log;
    bool IsDateField(TComponent* c) override { return dates.count(c->Name()) > 0; }
    std::string DateFieldValue(TComponent* c) override
    {
        return c->Name() == "sp06" ? "20240201" + F + "20240229" : "20240210";
    }
    std::string DateEditMask() override { return "9999/99/99;1; "; }
    int DateOrder() override { return 1; }
    std::string DateSeparator() override { return "/"; }
    void BeforeRestoreValue(TComponent* c, const std::string&) override
    {
        log.push_back("before " + c->Name());
    }
    void AfterRestoreValue(TComponent* c, const std::string&) override
    {
        log.push_back("after " + c->Name());
    }
};

// The conditions of a report form, one control of every kind.
struct SchemeForm {
    SchemeForm()
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        TLookupForm* f = form.get();
        sp01 = f->Make<TSelectPanel>("sp01", f, 8, 8, 353, 100);
        sp01->SetStyle(TSelectStyle::sp_UserChoice);
        sp03 = f->Make<TSelectPanel>("sp03", f, 8, 120, 353, 100);
        sp03->SetStyle(TSelectStyle::sp_Discrete);
        sp06 = f->Make<TSelectPanel>("sp06", f, 8, 230, 353, 45);
        ed07 = f->Make<TEdit>("ed07", f, 400, 8, 80, 21);
        edDate = f->Make<TMaskEdit>("edDate", f, 400, 40, 80, 21);
        cbo02 = f->Make<TComboBox>("cbo02", f, 400, 70, 80, 21);
        cbo02->Items()->SetStrings({ "a", "b", "c" });
        cbo16 = f->Make<TZrComboBox>("cbo16", f, 400, 100, 80, 21);
        cbo16->Items()->SetStrings({ "1.工程品号", "2.正式品号", "3.全部" });
        chk09 = f->Make<TBitCheckBox>("chk09", f, 400, 130, 120, 17);
        grp = f->Make<TZrRadioGroup>("grp", f, 400, 160, 120, 90);
        grp->Items()->SetStrings({ "x", "y", "z" });
        spin = f->Make<TZrSpinEdit>("spin", f, 400, 260, 80, 21);
        probe = new TProbe(f);
        probe->SetName("probe");
    }
    // Values different from the ones at creation.
    void Fill()
    {
        sp01->SetBeginText("1");
        sp01->SetFinalText("9");
        sp03->AddListRow({ "A", "x" });
        sp06->SetBeginText("2024/02/10");
        ed07->SetText("USD");
        edDate->SetText("2024/02/10");
        cbo02->SetItemIndex(1);
        cbo16->SetItemIndex(2);
        chk09->SetChecked(true);
        grp->SetItemIndex(2);
        spin->SetValue(7);
        probe->SetRatio(2.5);
    }
    TOwned<TLookupForm> form;
    TSelectPanel *sp01, *sp03, *sp06;
    TEdit* ed07;
    TMaskEdit* edDate;
    TComboBox* cbo02;
    TZrComboBox* cbo16;
    TBitCheckBox* chk09;
    TZrRadioGroup* grp;
    TZrSpinEdit* spin;
    TProbe* probe;
};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

TEST(SchemeValueText, WritesOneLinePerEntry)
{
    SchemeForm s;
    s.Fill();
    Host host;
    const std::string fields = "sp01.style;sp03.style;sp06.style;ed07.text;edDate.text;"
                               "cbo02.itemindex;cbo02.selection;cbo16.itemindex;chk09.checked;"
                               "chk09.State;grp.itemindex;spin.value;ed07.anchors;probe.ratio;"
                               "ed07.font;missing.text;nodot;.text;ed07.;";
    EXPECT_EQ(WriteSchemeValueText(s.form.get(), fields, host),
        Lines({
            "sp_UserChoice" + F + "True" + F + "1" + F + "9",
            "sp_Discrete" + F + "A" + C + "x" + R,
            "sp_Range" + F + "20240201" + F + "20240229", // the date rule's range
            "USD",
            "20240210", // the date rule's date
            "1",
            "1", // a combo box without that property: its item index
            "2",
            "True",
            "cbChecked",
            "2",
            "7",
            "3", // a set as its number
            "2.5",
            "", // an object property
            "",
            "",
            "",
            "",
        }));
    EXPECT_TRUE(host.log.empty());
}

TEST(SchemeValueText, ReadsBackWhatWasWritten)
{
    const std::string fields = "sp01.style;sp03.style;sp06.style;ed07.text;edDate.text;"
                               "cbo02.itemindex;cbo16.itemindex;chk09.checked;grp.itemindex;"
                               "spin.value;probe.ratio;";
    Host host;
    host.dates.clear(); // plain values both ways
    SchemeForm from;
    from.Fill();
    from.sp01->SetUserChoice(false);
    from.sp01->AddListRow({ "S1" });
    from.sp01->AddListRow({ "S2", "二" });
    const std::string text = WriteSchemeValueText(from.form.get(), fields, host);

    SchemeForm to;
    std::string error;
    ASSERT_TRUE(ReadSchemeValueText(to.form.get(), fields, text, host, &error)) << error;
    EXPECT_EQ(WriteSchemeValueText(to.form.get(), fields, host), text);
    EXPECT_FALSE(to.sp01->UserChoice());
    EXPECT_EQ(to.sp01->Items()->Count(), 2);
    EXPECT_EQ(to.ed07->Text(), "USD");
    EXPECT_EQ(to.cbo16->ItemIndex(), 2);
    EXPECT_TRUE(to.chk09->Checked());
    EXPECT_EQ(to.grp->ItemIndex(), 2);
    EXPECT_EQ(to.spin->Value(), 7);
    EXPECT_DOUBLE_EQ(to.probe->Ratio(), 2.5);
    // Panels get the before hook only; the others both.
    EXPECT_EQ(std::vector<std::string>(host.log.begin(), host.log.begin() + 5),
        (std::vector<std::string> {
            "before sp01", "before sp03", "before sp06", "before ed07", "after ed07" }));
}

struct ReadCase {
    const char* why;
    std::string fields;
    std::string text;
    bool ok;
    std::function<void(SchemeForm&)> check;
    std::string error = {};
};

TEST(SchemeValueText, ReadsEachKindOfLine)
{
    const ReadCase cases[] = {
        { "item index", "cbo02.itemindex;", Lines({ "2" }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.cbo02->ItemIndex(), 2); } },
        { "an empty item index fails", "cbo02.itemindex;", Lines({ "" }), false,
            [](SchemeForm& s) { EXPECT_EQ(s.cbo02->ItemIndex(), -1); } },
        { "item index without the property", "cbo02.selection;", Lines({ "1" }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.cbo02->ItemIndex(), 1); } },
        { "a boolean by name", "chk09.CHECKED;", Lines({ "True" }), true,
            [](SchemeForm& s) { EXPECT_TRUE(s.chk09->Checked()); } },
        { "an enumeration by name", "chk09.state;", Lines({ "cbGrayed" }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.chk09->State(), TCheckBoxState::cbGrayed); } },
        { "an unknown name fails", "chk09.checked;", Lines({ "Maybe" }), false,
            [](SchemeForm& s) { EXPECT_FALSE(s.chk09->Checked()); } },
        { "a set from its number", "ed07.anchors;", Lines({ "5" }), true,
            [](SchemeForm& s) {
                EXPECT_EQ(s.ed07->Anchors(), AnchorBit(akLeft) | AnchorBit(akRight));
            } },
        { "a float", "probe.ratio;", Lines({ "0.125" }), true,
            [](SchemeForm& s) { EXPECT_DOUBLE_EQ(s.probe->Ratio(), 0.125); } },
        { "not a float", "probe.ratio;", Lines({ "1,5" }), false, [](SchemeForm&) {} },
        { "a text", "ed07.text;", Lines({ "USD" }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.ed07->Text(), "USD"); } },
        { "a date field's text", "edDate.text;", Lines({ "20240210" }), true,
            [](SchemeForm& s) {
                EXPECT_EQ(s.edDate->EditMask(), "9999/99/99;1; ");
                EXPECT_EQ(s.edDate->Text(), "2024/02/10");
            } },
        { "a range", "sp01.style;", Lines({ "sp_Range" + F + "A" + F + "B" }), true,
            [](SchemeForm& s) {
                EXPECT_EQ(s.sp01->BeginText(), "A");
                EXPECT_EQ(s.sp01->FinalText(), "B");
                EXPECT_EQ(s.sp01->Style(), TSelectStyle::sp_UserChoice) << "style stays";
            } },
        { "a date range", "sp06.style;", Lines({ "sp_Range" + F + "20240201" + F + "20240229" }),
            true,
            [](SchemeForm& s) {
                EXPECT_EQ(s.sp06->EditMask(), "9999/99/99;1; ");
                EXPECT_EQ(s.sp06->BeginText(), "2024/02/01");
                EXPECT_EQ(s.sp06->FinalText(), "2024/02/29");
            } },
        { "a date range without a rule", "sp06.style;", Lines({ "sp_Range" + F }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.sp06->BeginText(), s.sp06->EmptyMaskText()); } },
        { "a list", "sp03.style;", Lines({ "sp_Discrete" + F + "A" + R + R + "B" + C + "x" + R }),
            true,
            [](SchemeForm& s) {
                ASSERT_EQ(s.sp03->Items()->Count(), 2);
                EXPECT_EQ(s.sp03->Items()->Item(1)->SubItems()->Get(0), "x");
            } },
        { "an empty list", "sp03.style;", Lines({ "sp_Discrete" + F }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.sp03->Items()->Count(), 0); } },
        { "an unreadable list", "sp03.style;ed07.text;",
            Lines({ "sp_Discrete" + F + "A" + R + "B", "USD" }), false,
            [](SchemeForm& s) {
                EXPECT_EQ(s.sp03->Items()->Count(), 1) << "the list is left as it was";
                EXPECT_EQ(s.ed07->Text(), "") << "reading stops";
            },
            "parse spSaveValue error" },
        { "the user's choice of a list", "sp01.style;",
            Lines({ "sp_UserChoice" + F + "False" + F + "X" + R }), true,
            [](SchemeForm& s) {
                EXPECT_FALSE(s.sp01->UserChoice());
                EXPECT_EQ(s.sp01->Items()->Count(), 1);
            } },
        { "the user's choice of a range", "sp01.style;",
            Lines({ "sp_UserChoice" + F + "True" + F + "1" + F + "9" }), true,
            [](SchemeForm& s) {
                EXPECT_TRUE(s.sp01->UserChoice());
                EXPECT_EQ(s.sp01->FinalText(), "9");
            } },
        { "an unknown style", "sp01.style;ed07.text;",
            Lines({ "sp_Other" + F + "A" + F + "B", "X" }), true,
            [](SchemeForm& s) {
                EXPECT_EQ(s.sp01->BeginText(), "");
                EXPECT_TRUE(s.sp01->UserChoice());
                EXPECT_EQ(s.ed07->Text(), "X") << "and goes on";
            } },
        { "missing components keep the pairing", "gone.text;;ed07.text;", Lines({ "a", "b", "c" }),
            true, [](SchemeForm& s) { EXPECT_EQ(s.ed07->Text(), "c"); } },
        { "fewer lines than entries", "ed07.text;cbo02.itemindex;", Lines({ "x" }), false,
            [](SchemeForm& s) { EXPECT_EQ(s.ed07->Text(), "x") << "what was applied stays"; } },
        { "an object property ends the reading", "ed07.font;ed07.text;", Lines({ "x", "y" }), true,
            [](SchemeForm& s) { EXPECT_EQ(s.ed07->Text(), ""); } },
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.why);
        SchemeForm s;
        s.sp03->AddListRow({ "old" });
        Host host;
        std::string error;
        EXPECT_EQ(ReadSchemeValueText(s.form.get(), c.fields, c.text, host, &error), c.ok) << error;
        if (!c.error.empty()) {
            EXPECT_EQ(error, c.error);
        }
        c.check(s);
    }
}

} // namespace
