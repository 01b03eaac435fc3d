#include "HostTestSupport.h"
#include "ReportCounterS.h"

#include <gtest/gtest.h>

using namespace zrv;
using zrv::test::HostFixture;

namespace {

Variant Texts(std::initializer_list<const char*> texts)
{
    std::vector<Variant> items;
    for (const char* t : texts)
        items.push_back(Variant::Wide(t));
    return Variant::ArrayOf(items);
}

} // namespace

class HostValidator : public HostFixture {
protected:
    // Asks as the module does: five arguments by reference; returns the answer and the result.
    std::pair<bool, Variant> Ask(
        const char* member, const char* table, const char* kind, const Variant& conditions)
    {
        std::vector<Variant> args { Variant::Wide(table), Variant::Wide(kind),
            Variant::Wide("DEMODB"), conditions, Variant() };
        const bool found = validator->CallRef(member, args).ToBool();
        return { found, args[4] };
    }

    DispatchPtr validator = nullptr;
    void SetUp() override
    {
        HostFixture::SetUp();
        validator = Service("Com_Validator");
    }
};

TEST_F(HostValidator, ChecksAnswerTheRecordFieldsTheModuleReads)
{
    struct Case {
        const char* table;
        const char* kind;
        Variant conditions;
        std::vector<std::pair<int, std::string>> fields;
    } cases[] = {
        { "ADMMB", "01", Texts({ "KVSR58" }),
            { { 0, "进退货明细表(依供应商)" }, { 4, "Y" },
                { 7, "Purchase Receipt/Return Detail by Supplier" } } },
        { "admmb", "01", Texts({ "kvsr58" }), { { 0, "进退货明细表(依供应商)" } } },
        { "ADMMB", "11", Texts({ "INVR05" }), { { 3, "Y" } } },
        { "ADMMB", "11", Texts({ "KVSR58" }), { { 3, "N" } } },
        { "CMSMT", "01", Texts({ "KVSR58" }),
            { { 0, "01" }, { 1, "Y" }, { 3, "本报表仅供内部参考" }, { 4, "金额单位：元" },
                { 5, "" }, { 6, "01" }, { 7, "Y" }, { 9, "制表：" }, { 11, "核准：" } } },
        { "CMSMS", "01", Texts({ "1", "02" }),
            { { 1, "请供应商于收到后七日内核对" }, { 3, "逾期视同确认" } } },
        { "CMSMS", "01", Texts({ "2", "01" }), { { 1, "制表：" }, { 2, "审核：" } } },
        { "CMSMA", "02", Texts({ "" }), { { 0, "http://127.0.0.1:8765/ZrvWebReport" } } },
        { "CMSMF", "01", Texts({ "USD" }), { { 0, "USD" }, { 1, "美元" } } },
        { "CMSMF", "01", Variant::Wide("JPY"), { { 1, "日元" } } },
        { "CMSMF", "01", Texts({ "usd" }),
            { { 0, "USD" } } }, // codes compare without regard to case
        { "PURMA", "01", Texts({ "V0007" }), { { 2, "台欣电机股份有限公司" } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "/" + c.kind + " " + c.conditions.Debug());
        const auto [found, row] = Ask("CheckValue", c.table, c.kind, c.conditions);
        ASSERT_TRUE(found);
        ASSERT_TRUE(row.IsArray());
        EXPECT_EQ(row.LowBound(), 0);
        for (const auto& [index, text] : c.fields) {
            EXPECT_EQ(row[index].Type(), varOleStr) << index;
            EXPECT_EQ(row[index].ToString(), text) << index;
        }
    }

    for (const char* missing : { "XYZ", "" }) {
        const auto [found, row] = Ask("CheckValue", "CMSMF", "01", Texts({ missing }));
        EXPECT_EQ(found, std::string(missing).empty())
            << missing; // an empty code matches the first row
    }
    EXPECT_FALSE(Ask("CheckValue", "CMSMS", "01", Texts({ "1", "99" })).first);
    EXPECT_FALSE(Ask("CheckValue", "ADMMB", "01", Texts({ "ABCD12" })).first);
}

TEST_F(HostValidator, QueriesAnswerEveryRowAndUnknownPairsRaise)
{
    const auto [found, rows] = Ask("QueryData", "INVMA", "02", Variant::ArrayOf({ 1 }));
    ASSERT_TRUE(found);
    ASSERT_EQ(rows.Count(), 5);
    EXPECT_EQ(rows[0][0].ToString(), "10");
    EXPECT_EQ(rows[4][1].ToString(), "化工原料");
    EXPECT_EQ(Ask("QueryData", "CMSMR", "01", Texts({ "4", "" })).second.Count(), 5);

    std::vector<Variant> args { Variant("NOSUCH"), Variant("01"), Variant("DEMODB"), Texts({ "x" }),
        Variant() };
    EXPECT_THROW(validator->CallRef("CheckValue", args), AutomationError);
    std::vector<Variant> few { Variant("CMSMF"), Variant("01") };
    EXPECT_THROW(validator->CallRef("CheckValue", few), AutomationError);

    // The module sets these before each call; the validator keeps them.
    validator->Put("ProductID", 5);
    validator->Put("BaseLimited", Variant::Wide("供应商='V001'"));
    EXPECT_EQ(validator->Get("ProductID").ToInt(), 5);
    EXPECT_EQ(validator->Get("BaseLimited").ToString(), "供应商='V001'");
}

TEST_F(HostValidator, SchemeNamesAreCheckedInTheApplicationServersTable)
{
    // No application server database yet: the demo database's own (empty) table answers.
    EXPECT_FALSE(Ask("CheckValue", "GENES", "01", Texts({ "月报", "DS", "KVSR58" })).first);

    RegisterReportCounterS(options.schemeDatabasePath);
    DispatchPtr app = CreateObject("ReportCounterS.dmReportCounter");
    EXPECT_EQ(app->Call("InsertConTable",
                     { Variant::ArrayOf({ Variant::Wide("月报"), Variant::Wide("DS"),
                         Variant::Wide("20240506"), Variant::Wide("KVSR58"),
                         Variant::Wide("ed07.text;"), Variant::Wide("USD\r\n"), false }) })
                  .ToString(),
        "");
    UnregisterReportCounterS();

    const auto [found, row] = Ask("CheckValue", "GENES", "01", Texts({ "月报", "DS", "kvsr58" }));
    EXPECT_TRUE(found);
    EXPECT_EQ(row[3].ToString(), "20240506");
    EXPECT_FALSE(Ask("CheckValue", "GENES", "01", Texts({ "月报", "LI", "KVSR58" })).first);
    EXPECT_FALSE(Ask("CheckValue", "GENES", "01", Texts({ "周报", "DS", "KVSR58" })).first);
}
