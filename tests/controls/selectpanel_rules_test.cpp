// The selection panel's values: the leave rules for every value type, reading dates, the list
// (adding rows, columns, duplicates, order) and the encodings (condition value, date-range
// value, spSaveValue and back).

#include "ControlsTestSupport.h"

#include "controls/SelectPnl.h"
#include "lib/StrFields.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace zrv;
using namespace zrv::test;

namespace {

const std::string F = kFieldSep; // between fields
const std::string R = kRowSep; // after rows
const std::string C = kColumnSep; // between columns

struct PanelFixture : ::testing::Test {
    void SetUp() override
    {
        EnsureApplication();
        form.reset(CreateForm<TLookupForm>());
        panel = form->Make<TSelectPanel>("sp01", form.get(), 8, 8, 353, 45);
    }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < panel->Items()->Count(); ++i)
            out.push_back(panel->Items()->Item(i)->Caption());
        return out;
    }
    std::vector<std::vector<std::string>> Rows() const
    {
        std::vector<std::vector<std::string>> out;
        for (int i = 0; i < panel->Items()->Count(); ++i) {
            TListItem* item = panel->Items()->Item(i);
            std::vector<std::string> row { item->Caption() };
            for (int k = 0; k < item->SubItems()->Count(); ++k)
                row.push_back(item->SubItems()->Get(k));
            out.push_back(row);
        }
        return out;
    }
    TOwned<TLookupForm> form;
    TSelectPanel* panel = nullptr;
};

// --- leaving ---------------------------------------------------------------------------------

struct LeaveCase {
    const char* why;
    TValueType type;
    TDateType dateType;
    std::string begin, end;
    std::string wantBegin, wantEnd;
    bool useDiscard = false;
    std::string discard;
    bool autoChangeDateSite = true;
};
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TEST_F(PanelFixture, LeavingOrdersTheRangeByItsValueType)
{
    using V = TValueType;
    using D = TDateType;
    const D none = D::dt_NoneCare;
    const LeaveCase cases[] = {
        { "strings in order", V::vt_String, none, "A", "B", "A", "B" },
        { "strings exchanged", V::vt_String, none, "B", "A", "A", "B" },
        { "byte-wise: a is above B", V::vt_String, none, "a", "B", "B", "a" },
        { "trimmed first", V::vt_String, none, "  B ", " A", "A", "B" },
        { "one edit empty", V::vt_String, none, "B", "", "B", "" },
        { "only the end", V::vt_String, none, "", "A", "", "A" },
        { "times as strings", V::vt_Time, none, "12:00", "09:30", "09:30", "12:00" },
        { "numbers", V::vt_Number, none, "10", "9", "9", "10" },
        { "negative numbers", V::vt_Number, none, "-3", "-10", "-10", "-3" },
        { "not a number reads 0", V::vt_Number, none, "x", "5", "x", "5" },
        { "not a number above", V::vt_Number, none, "5", "x", "x", "5" },
        { "floats", V::vt_Float, none, "10.5", "9.75", "9.75", "10.5" },
        { "floats keep their fraction", V::vt_Float, none, "1.5", "1.05", "1.05", "1.5" },
        { "whole numbers as floats", V::vt_Float, none, "12", "3", "3.0", "12.0" },
        { "negative fractions", V::vt_Float, none, "-0.25", "-0.5", "-0.5", "-0.25" },
        { "other masks never", V::vt_OtherMask, none, "B", "A", "B", "A" },
        { "dates as text", V::vt_Date, none, "2000/1/5", "2000/01/05", "2000/01/05", "2000/1/5" },
        { "dates in order", V::vt_Date, D::dt_YYYYMMDD, "2000/01/05", "2000/02/01", "2000/01/05",
            "2000/02/01" },
        { "one separator: the first of the month", V::vt_Date, D::dt_YYYYMMDD, "2000/03/15",
            "2000/03", "2000/03", "2000/03/15" },
        { "an impossible end reads as 0", V::vt_Date, D::dt_YYYYMMDD, "2000/01/05", "2000/13/01",
            "2000/13/01", "2000/01/05" },
        { "local era years", V::vt_Date, D::dt_YYMMDD, "89/06/19", "89/06/18", "89/06/18",
            "89/06/19" },
        { "local era, three digits", V::vt_Date, D::dt_YYYMMDD, "113/03/05", "112/12/31",
            "112/12/31", "113/03/05" },
        { "month first", V::vt_Date, D::dt_MMDDYYYY, "02/2025", "01/15/2025", "01/15/2025",
            "02/2025" },
        { "day first", V::vt_Date, D::dt_DDMMYYYY, "15/03/2024", "03/2024", "03/2024",
            "15/03/2024" },
        { "dates not moved", V::vt_Date, D::dt_YYYYMMDD, "2001/01/01", "2000/01/01", "2001/01/01",
            "2000/01/01", false, "", false },
        { "discarded string", V::vt_String, none, "*", "A", "*", "A", true, "*" },
        { "discarded date", V::vt_Date, D::dt_YYYYMMDD, "2001/01/01", "*", "2001/01/01", "*", true,
            "*" },
        { "discard off", V::vt_String, none, "+", "*", "*", "+", false, "*" },
        { "discard does not stop numbers", V::vt_Number, none, "9", "*", "*", "9", true, "*" },
    };
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(c.why);
        panel->SetValueType(c.type);
        panel->SetDateType(c.dateType);
        panel->SetUseDiscard(c.useDiscard);
        panel->SetDiscard(c.discard);
        panel->SetAutoChangeDateSite(c.autoChangeDateSite);
        panel->SetBeginText(c.begin);
        panel->SetFinalText(c.end);
        panel->OrderRange();
        EXPECT_EQ(panel->BeginText(), c.wantBegin);
        EXPECT_EQ(panel->FinalText(), c.wantEnd);
    }
}

TEST_F(PanelFixture, ByteOrderIsThatOfTheSystemCodePage)
{
    // In GBK "啊" (B0A1) comes before "中" (D6D0); their UTF-8 bytes order them the other way.
    OverrideSystemCodePage(936);
    panel->SetBeginText("中");
    panel->SetFinalText("啊");
    panel->OrderRange();
    EXPECT_EQ(panel->BeginText(), "啊");
    OverrideSystemCodePage(0);
    EXPECT_TRUE(ByteWiseGreater("a", "B"));
    EXPECT_FALSE(ByteWiseGreater("B", "a"));
    EXPECT_FALSE(ByteWiseGreater("A", "A"));
}

TEST_F(PanelFixture, AnEmptyMaskTextIsNoValue)
{
    panel->SetEditMask("9999/99/99;1; ");
    EXPECT_EQ(panel->EmptyMaskText(), "    /  /  ");
    panel->SetValueType(TValueType::vt_Date);
    panel->SetDateType(TDateType::dt_YYYYMMDD);
    panel->SetBeginText("");
    panel->SetFinalText("2000/01/01");
    panel->OrderRange();
    EXPECT_EQ(panel->BeginText(), "    /  /  ");
    EXPECT_EQ(panel->FinalText(), "2000/01/01");

    panel->SetValueType(TValueType::vt_String);
    panel->OrderRange();
    EXPECT_EQ(panel->FinalText(), "2000/01/01");

    panel->SetBeginText("2000/02/01");
    panel->OrderRange();
    EXPECT_EQ(panel->BeginText(), "2000/01/01");
}

TEST_F(PanelFixture, AMaskStartingWithAnExclamationMarkKeepsBlanks)
{
    for (bool keep : { true, false }) {
        SCOPED_TRACE(keep);
        panel->SetEditMask(keep ? "!;0;_" : ";0;_");
        panel->SetBeginText(" B ");
        panel->SetFinalText("A");
        panel->OrderRange();
        EXPECT_EQ(panel->BeginText(), keep ? " B " : "A");
        EXPECT_EQ(panel->FinalText(), keep ? "A" : "B");
    }
}

TEST(PanelDate, ReadsTheFieldOrderAndTheSeparator)
{
    using D = TDateType;
    struct Case {
        std::string text;
        D type;
        std::string sign;
        int want;
    };
    const Case cases[] = {
        { "2000/03/05", D::dt_YYYYMMDD, "/", 20000305 },
        { "2000/03", D::dt_YYYYMMDD, "/", 20000301 },
        { " 2000/ 3/ 5 ", D::dt_YYYYMMDD, "/", 20000305 },
        { "89/06/19", D::dt_YYMMDD, "/", 20000619 },
        { "113/03/05", D::dt_YYYMMDD, "/", 20240305 },
        { "113/03", D::dt_YYYMMDD, "/", 20240301 },
        { "12/31/2024", D::dt_MMDDYYYY, "/", 20241231 },
        { "03/2000", D::dt_MMDDYYYY, "/", 20000301 },
        { "31/12/2024", D::dt_DDMMYYYY, "/", 20241231 },
        { "03/2000", D::dt_DDMMYYYY, "/", 20000301 },
        { "2024-02-29", D::dt_YYYYMMDD, "-", 20240229 },
        { "2023-02-29", D::dt_YYYYMMDD, "-", 0 },
        { "2000/13/01", D::dt_YYYYMMDD, "/", 0 },
        { "2000/x/01", D::dt_YYYYMMDD, "/", 0 },
        { "2000/01/01/01", D::dt_YYYYMMDD, "/", 0 },
        { "20000101", D::dt_YYYYMMDD, "/", 0 },
        { "", D::dt_YYYYMMDD, "/", 0 },
        { "0/01/01", D::dt_YYYYMMDD, "/", 0 },
        { "2000/01/01", D::dt_NoneCare, "/", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadPanelDate(c.text, c.type, c.sign, ""), c.want);
    }
    EXPECT_EQ(ReadPanelDate("    /  /  ", D::dt_YYYYMMDD, "/", "    /  /  "), 0);
}

TEST(PanelNumbers, FloatsAreRewrittenAsWholePartPointFraction)
{
    const std::pair<std::string, std::string> cases[] = {
        { "12", "12.0" },
        { "12.5", "12.5" },
        { "1.05", "1.05" },
        { "-0.5", "-0.5" },
        { "-3.25", "-3.25" },
        { "x.5", "0.5" },
        { "7.", "7.0" },
        { "7.5kg", "7.5" },
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(FloatOrderText(text), want) << text;
    EXPECT_EQ(IntegerOrZero(" 42 "), 42);
    EXPECT_EQ(IntegerOrZero("4x"), 0);
    EXPECT_EQ(IntegerOrZero("99999999999999999999"), 0);
}

// --- the list --------------------------------------------------------------------------------

TEST_F(PanelFixture, AddedRowsGetColumnsAndArePaddedToTheLongest)
{
    panel->SetStyle(TSelectStyle::sp_Discrete);
    EXPECT_FALSE(panel->AddListRow({}));
    EXPECT_TRUE(panel->AddListRow({ "A", "x" }));
    EXPECT_TRUE(panel->AddListRow({ "B" }));
    ASSERT_EQ(panel->Columns()->Count(), 2);
    EXPECT_EQ(panel->Columns()->Items(0)->Caption(), "Data1");
    EXPECT_EQ(panel->Columns()->Items(1)->Caption(), "Data2");
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>> { { "A", "x" }, { "B", "" } }));

    EXPECT_TRUE(panel->AddListRow({ "C", "y", "z" }));
    EXPECT_EQ(panel->Columns()->Count(), 3);
    EXPECT_EQ(Rows(),
        (std::vector<std::vector<std::string>> {
            { "A", "x", "" }, { "B", "", "" }, { "C", "y", "z" } }));

    std::vector<std::string> tooMany(kMaxListColumns + 1, "v");
    EXPECT_FALSE(panel->AddListRow(tooMany));
    EXPECT_EQ(panel->Items()->Count(), 3);
}

TEST_F(PanelFixture, DuplicatesGoByTheirCaption)
{
    using CD = TCheckDuplicate;
    struct Case {
        CD mode;
        std::vector<std::string> added;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        { CD::cd_CaseInsensitive, { "ABC", "abc" }, { "ABC" } },
        { CD::cd_CheckCase, { "ABC", "abc" }, { "ABC", "abc" } },
        { CD::cd_CheckCase, { "ABC", "abc", "ABC" }, { "ABC", "abc" } },
        { CD::cd_CheckCase, { "b", "a", "b", "c", "a" }, { "a", "b", "c" } },
        { CD::cd_None, { "b", "a", "b" }, { "b", "a", "b" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.added));
        panel->ClearListRows();
        panel->SetSortListBox(false);
        panel->SetCheckDuplicate(c.mode);
        panel->SetStyle(TSelectStyle::sp_Discrete);
        for (const std::string& v : c.added)
            panel->AddListRow({ v });
        EXPECT_EQ(Captions(), c.want);
        EXPECT_EQ(panel->SortListBox(), c.mode != CD::cd_None) << "checking sorts the list";
    }
}

TEST_F(PanelFixture, CheckingDuplicatesInListModeRemovesThemAtOnce)
{
    panel->SetStyle(TSelectStyle::sp_Discrete);
    for (const char* v : { "x", "X", "y", "x" })
        panel->AddListRow({ v });
    panel->SetCheckDuplicate(TCheckDuplicate::cd_CaseInsensitive);
    EXPECT_EQ(Captions(), (std::vector<std::string> { "x", "y" })) << "the first of equals stays";
}

TEST_F(PanelFixture, TheListIsOrderedByTheSortColumn)
{
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->SetSortListBox(true);
    panel->AddListRow({ "b", "2" });
    panel->AddListRow({ "C", "1" });
    panel->AddListRow({ "a", "3" });
    EXPECT_EQ(Captions(), (std::vector<std::string> { "a", "b", "C" })) << "without regard to case";

    panel->SortByColumn(1);
    EXPECT_EQ(Captions(), (std::vector<std::string> { "C", "b", "a" }));
    panel->SortByColumn(1);
    EXPECT_TRUE(panel->SortDescending());
    EXPECT_EQ(Captions(), (std::vector<std::string> { "a", "b", "C" }));
    panel->SortByColumn(0);
    EXPECT_FALSE(panel->SortDescending());
    EXPECT_EQ(Captions(), (std::vector<std::string> { "a", "b", "C" }));

    // Equal sort values fall back on the caption.
    panel->AddListRow({ "d", "1" });
    panel->SortByColumn(1);
    EXPECT_EQ(Captions(), (std::vector<std::string> { "C", "d", "b", "a" }));
}

TEST_F(PanelFixture, ColumnsAreSizedByTheLongestTextInBytes)
{
    OverrideSystemCodePage(936);
    panel->SetStyle(TSelectStyle::sp_Discrete);
    const int w = QFontMetrics(panel->ListBox()->Font()->ToQFont()).horizontalAdvance('W');
    panel->AddListRow({ "中文", "x" });
    EXPECT_EQ(panel->Columns()->Items(0)->Width(), 5 * w) << "\"Data1\" is the longest";
    panel->AddListRow({ "中文中文", "x" });
    EXPECT_EQ(panel->Columns()->Items(0)->Width(), 8 * w) << "four characters, eight bytes";
    EXPECT_EQ(panel->Columns()->Items(1)->Width(), 5 * w);
    panel->SetColumnsAutoSize(false);
    panel->AddListRow({ "中文中文中文", "x" });
    EXPECT_EQ(panel->Columns()->Items(0)->Width(), 8 * w);
    OverrideSystemCodePage(0);
}

TEST_F(PanelFixture, ColumnCaptionsReplaceTheColumns)
{
    panel->AddListRow({ "A", "x", "y" });
    TStringList captions({ "Code", "Name" });
    panel->SetColumnCaptions(&captions);
    ASSERT_EQ(panel->Columns()->Count(), 2);
    EXPECT_EQ(panel->Columns()->Items(1)->Caption(), "Name");
    EXPECT_GT(panel->Columns()->Items(1)->Width(), 0);
}

TEST_F(PanelFixture, ClearingRaisesNoEvent)
{
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->AddListRow({ "A" });
    panel->ListBox()->Items()->Item(0)->SetSelected(true);
    int events = 0;
    panel->OnItemChange = TLVChangeEvent([&](TObject*, TListItem*, TItemChange) { ++events; });
    panel->OnItemSelect = TItemSelectEvent([&](TObject*, TListItem*, int, bool) { ++events; });
    panel->ClearListRows();
    EXPECT_EQ(panel->Items()->Count(), 0);
    EXPECT_EQ(events, 0);
}

// --- encodings -------------------------------------------------------------------------------

Variant Row(std::initializer_list<Variant> values) { return Variant::ArrayOf(values); }

TEST_F(PanelFixture, ValuesInEveryMode)
{
    using S = TSelectStyle;
    struct Case {
        const char* why;
        S style;
        bool choice;
        std::vector<std::vector<std::string>> rows;
        std::string begin, end;
        Variant value;
        std::string save;
    };
    const Variant code4 { R }, code5 { std::string(kListMark) };
    const Case cases[] = {
        { "range", S::sp_Range, true, {}, "A", "B", Row({ code4, "A", "B" }),
            "sp_Range" + F + "A" + F + "B" },
        { "range as shown", S::sp_Range, true, {}, " A", "", Row({ code4, " A", "" }),
            "sp_Range" + F + " A" + F },
        { "list", S::sp_Discrete, true, { { "A", "x" }, { "B" } }, "q", "r",
            Row({ code5, Row({ "A", "x" }), Row({ "B", "" }) }),
            "sp_Discrete" + F + "A" + C + "x" + R + "B" + C + R },
        { "empty list", S::sp_Discrete, true, {}, "q", "r", Row({ code5 }), "sp_Discrete" + F },
        { "choice of range", S::sp_UserChoice, true, { { "X" } }, "1", "9",
            Row({ code4, "1", "9" }), "sp_UserChoice" + F + "True" + F + "1" + F + "9" },
        { "choice of list", S::sp_UserChoice, false, { { "X" } }, "1", "9",
            Row({ code5, Row({ "X" }) }), "sp_UserChoice" + F + "False" + F + "X" + R },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        panel->ClearListRows();
        panel->SetStyle(c.style);
        panel->SetUserChoice(c.choice);
        for (const auto& row : c.rows)
            panel->AddListRow(row);
        panel->SetBeginText(c.begin);
        panel->SetFinalText(c.end);
        EXPECT_EQ(panel->ConditionValue(), c.value)
            << panel->ConditionValue().Debug() << " / " << c.value.Debug();
        EXPECT_EQ(panel->SaveValue(), c.save);
    }
}

TEST_F(PanelFixture, ADateFieldRangeIsSavedAsItsDateRule)
{
    const std::string rule = "20240201" + F + "20240229";
    EXPECT_EQ(panel->SaveValue(&rule), "sp_Range" + F + rule);
    const std::string none;
    EXPECT_EQ(panel->SaveValue(&none), "sp_Range" + F);
}

TEST_F(PanelFixture, DateRangeValueIsCompactAndOrdered)
{
    auto compact = [](const std::string& text) {
        std::string digits;
        for (char ch : text)
            if (ch != '/')
                digits += ch;
        return digits.size() == 8 ? digits : text;
    };
    struct Case {
        std::string begin, end, wantBegin, wantEnd;
    };
    const Case cases[] = {
        { "2000/06/30", "2000/06/01", "20000601", "20000630" },
        { "2000/06/01", "2000/06/30", "20000601", "20000630" },
        { "", "2000/06/01", "", "20000601" },
        { "abc", "2000/06/01", "20000601", "abc" },
    };
    for (const Case& c : cases) {
        panel->SetBeginText(c.begin);
        panel->SetFinalText(c.end);
        EXPECT_EQ(panel->DateRangeValue(compact), Row({ Variant(R), c.wantBegin, c.wantEnd }))
            << c.begin << " .. " << c.end;
    }
}

TEST_F(PanelFixture, RowsTextReadsBack)
{
    struct Case {
        std::string text;
        bool ok;
        std::vector<std::vector<std::string>> rows;
    };
    const Case cases[] = {
        { "", true, {} },
        { "A" + R + "B" + C + "x" + R, true, { { "A", "" }, { "B", "x" } } },
        { R + "A" + R, true, { { "A" } } }, // an empty row is skipped
        { "A" + C + R, true, { { "A", "" } } },
        { "A", false, { { "keep" } } }, // cut short: the last row has no end
        { "A" + R + "\xff" + R, false, { { "keep" } } },
        { std::string(kMaxListColumns, '\001') + R, false, { { "keep" } } },
    };
    panel->SetStyle(TSelectStyle::sp_Discrete);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        panel->ClearListRows();
        panel->Columns()->Clear();
        panel->AddListRow({ "keep" });
        EXPECT_EQ(panel->FillListFromRows(c.text), c.ok);
        EXPECT_EQ(Rows(), c.rows);
    }
    // Writing and reading give the same rows.
    panel->ClearListRows();
    panel->AddListRow({ "中文", "x", "" });
    panel->AddListRow({ "B" });
    std::string text = panel->RowsText();
    auto before = Rows();
    ASSERT_TRUE(panel->FillListFromRows(text));
    EXPECT_EQ(Rows(), before);
}

} // namespace
