#include "DatePickDialog.h"
#include "HostTestSupport.h"
#include "LookupDialog.h"

#include <QCalendarWidget>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace zrv;
using zrv::test::HostFixture;

namespace {

// The 19-element request the module builds for F2GetData.
Variant LookupRequest(const char* table, const char* kind, const Variant& conditions, bool multiple,
    const char* extra)
{
    Variant r = Variant::Array(0, 18);
    r[0] = Variant::Wide(table);
    r[1] = Variant::Wide(kind);
    r[2] = conditions;
    r[3] = multiple;
    r[4] = Variant::Wide(extra);
    r[5] = Variant::Wide("DEMO");
    r[6] = Variant::Wide("DEMODB");
    r[7] = 0;
    r[8] = 1;
    r[9] = false;
    r[10] = 1;
    r[11] = r[12] = r[13] = Variant::Wide("");
    r[14] = Variant::Wide("");
    r[15] = true;
    r[16] = true;
    r[17] = Variant(); // the host object itself in the module's request
    r[18] = Variant::Wide("DS");
    return r;
}

std::vector<std::string> Codes(const Variant& answer)
{
    std::vector<std::string> codes;
    for (const Variant& row : answer.Items())
        codes.push_back(row[0].ToString());
    return codes;
}

LookupQuestion Suppliers(bool multiple)
{
    LookupQuestion q;
    q.title = "供应商信息查询";
    q.captions = { "供应商编号", "简称" };
    q.rows = { { "V0001", "恒达电子" }, { "V0002", "宏远五金" }, { "V0003", "华美塑胶" },
        { "V0004", "联丰包装" } };
    q.multiple = multiple;
    return q;
}

} // namespace

class HostLookup : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        lookup = Service("Com_F2Window");
    }
    Variant F2(const Variant& request) { return lookup->Call("F2GetData", { request }); }
    DispatchPtr lookup;
};

TEST_F(HostLookup, ALookupReturnsTheChosenRowsOfTheMasterTable)
{
    answerer->ChooseCodes({ "V0003" });
    const Variant one = F2(LookupRequest("PURMA", "01", Variant::Wide(""), false, "V000"));
    ASSERT_TRUE(one.IsArray());
    ASSERT_EQ(one.Count(), 1);
    EXPECT_EQ(one[0][0].ToString(), "V0003");
    EXPECT_EQ(one[0][1].ToString(), "华美塑胶");
    ASSERT_EQ(answerer->questions.size(), 1u);
    const LookupQuestion& q = answerer->questions[0];
    EXPECT_EQ(q.title, "供应商信息查询");
    EXPECT_EQ(q.captions.front(), "供应商编号");
    EXPECT_EQ(q.rows.size(), 12u);
    EXPECT_EQ(q.filter, "V000");
    EXPECT_FALSE(q.multiple);

    struct Case {
        const char* table;
        const char* kind;
        Variant conditions;
        bool multiple;
        std::vector<std::string> choose;
        std::vector<std::string> offered; // every code the lookup lists
    } cases[] = {
        { "CMSMR", "01", Variant::ArrayOf({ Variant::Wide("4") }), true, { "JP", "CN" },
            { "CN", "JP", "KR", "TW", "US" } },
        { "CMSMR", "01", Variant::ArrayOf({ Variant::Wide("9") }), true, {},
            { "01", "02", "03", "04", "05" } },
        { "INVMA", "02", Variant::ArrayOf({ 3 }), true, { "B" }, { "A", "B", "C", "D" } },
        { "CMSMK", "01", Variant::ArrayOf({ Variant::Wide("4"), Variant::Wide("4") }), false,
            { "E0103" }, { "E0102", "E0103", "E0105", "E0108" } },
        { "CMSMF", "01", Variant::ArrayOf({ Variant::Wide("") }), false, { "EUR" },
            { "EUR", "HKD", "JPY", "NTD", "RMB", "USD" } },
        { "CMSMS", "01", Variant::ArrayOf({ Variant::Wide("1") }), false, { "02" },
            { "01", "02" } },
        { "ZRVMA", "04", Variant::Wide(""), false, { "E0105" },
            { "DS", "E0102", "E0105", "E0108", "F0201" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "/" + c.kind);
        answerer->ChooseCodes(c.choose);
        const Variant answer = F2(LookupRequest(c.table, c.kind, c.conditions, c.multiple, ""));
        std::vector<std::string> offered;
        for (const auto& row : answerer->questions.back().rows)
            offered.push_back(row[0]);
        std::sort(offered.begin(), offered.end());
        EXPECT_EQ(offered, c.offered);
        if (c.choose.empty()) {
            EXPECT_TRUE(answer.IsEmpty());
        } else {
            std::vector<std::string> expected = c.choose;
            std::vector<std::string> got = Codes(answer);
            std::sort(expected.begin(), expected.end());
            std::sort(got.begin(), got.end());
            EXPECT_EQ(got, expected);
        }
    }

    // A footer row carries its three lines in columns 2 to 4, as the report form reads them.
    answerer->ChooseCodes({ "02" });
    const Variant footer
        = F2(LookupRequest("CMSMS", "01", Variant::ArrayOf({ Variant::Wide("1") }), false, ""));
    EXPECT_EQ(footer[0][2].ToString(), "请供应商于收到后七日内核对");
    EXPECT_EQ(footer[0][4].ToString(), "逾期视同确认");

    EXPECT_THROW(F2(LookupRequest("NOSUCH", "01", Variant(), false, "")), AutomationError);
    EXPECT_TRUE(F2(LookupRequest("PURMA", "01", Variant(), false, "")).IsEmpty()); // nothing queued
}

TEST_F(HostLookup, DateQuickPickAndPhrasesGoToTheAnswerer)
{
    answerer->AnswerDate("20240510");
    EXPECT_EQ(
        lookup
            ->Call("ShowInputDay",
                { Variant::ArrayOf({ true, Variant::Wide("20240506"), Variant::Wide("DEMODB") }) })
            .ToString(),
        "20240510");
    EXPECT_EQ(answerer->dateStarts.back(), "20240506");
    EXPECT_TRUE(answerer->dateEras.back());
    const Variant none = lookup->Call("ShowInputDay",
        { Variant::ArrayOf({ false, Variant::Wide("20240506"), Variant::Wide("DEMODB") }) });
    EXPECT_EQ(none.ToString(), "");
    EXPECT_FALSE(answerer->dateEras.back());

    answerer->AnswerPhrase("急件，请优先处理");
    std::vector<Variant> args { Variant::Wide("DS"), Variant::Wide("DEMODB"), 0 };
    EXPECT_EQ(lookup->CallRef("GetPhrase", args).ToString(), "急件，请优先处理");
    EXPECT_EQ(answerer->phraseLists.back(),
        (std::vector<std::string> {
            "系统测试用", "请于本周五前回复", "本月对账资料", "急件，请优先处理" }));
}

TEST(LookupDialogs, TheLookupWindowFiltersAndReturnsTheSelectedRows)
{
    LookupQuestion q = Suppliers(false);
    q.filter = "宏远";
    LookupDialog single(q);
    EXPECT_EQ(single.FilterEdit()->text(), "宏远");
    EXPECT_FALSE(single.Table()->isRowHidden(1));
    EXPECT_TRUE(single.Table()->isRowHidden(0));
    // The one row the filter leaves is ready to be taken with Enter.
    EXPECT_EQ(single.ChosenRows(), std::vector<size_t> { 1 });

    single.FilterEdit()->setText("v000");
    single.Table()->selectRow(3);
    EXPECT_EQ(single.ChosenRows(), std::vector<size_t> { 3 });
    single.FilterEdit()->setText("恒达"); // the selected row is filtered away
    EXPECT_EQ(single.ChosenRows(), std::vector<size_t> { 0 });
    single.FilterEdit()->setText("nothing matches");
    EXPECT_TRUE(single.ChosenRows().empty());

    LookupDialog many(Suppliers(true));
    auto* model = many.Table()->selectionModel();
    model->clearSelection();
    for (int r : { 2, 0 })
        model->select(many.Table()->model()->index(r, 0),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(many.ChosenRows(), (std::vector<size_t> { 0, 2 }));
}

TEST(LookupDialogs, TheDatePickerShowsTheLocalEraWhenAsked)
{
    DatePickDialog plain(QDate(2024, 5, 6), false);
    EXPECT_EQ(plain.Chosen(), QDate(2024, 5, 6));
    EXPECT_EQ(plain.ChosenText(), "2024 年 05 月 06 日");
    plain.Calendar()->setSelectedDate(QDate(2024, 2, 29));
    EXPECT_EQ(plain.Chosen(), QDate(2024, 2, 29));

    DatePickDialog era(QDate(2024, 5, 6), true);
    EXPECT_EQ(era.ChosenText(), "民国 113 年 05 月 06 日");
    DatePickDialog invalid(QDate(), false);
    EXPECT_EQ(invalid.Chosen(), QDate::currentDate());
}
