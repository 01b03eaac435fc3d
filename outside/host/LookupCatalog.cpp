#include "LookupCatalog.h"

#include "platform/CodePage.h"

namespace zrv {

namespace {

    // Result fields are in the order the modules read them (counted from 0).
    const std::vector<CatalogEntry> kChecks {
        // 0 title, 1 system, 2 kind, 3 version, 4 "Y" requests in 936, 5 traditional title,
        // 6 menu group, 7 English title
        { "ADMMB", "01", "",
            "SELECT MB002, MB003, MB004, MB005, MB006, MB007, MB008, MB009 FROM ADMMB WHERE "
            "UPPER(MB001) = UPPER(?1)",
            {} },
        // 0 program, 1 title, 2 kind, 3 "Y" no direct query
        { "ADMMB", "11", "",
            "SELECT MB001, MB002, MB004, MB010 FROM ADMMB WHERE UPPER(MB001) = UPPER(?1)", {} },
        // 0 footer number, 1 footer may change, 2 -, 3..5 footer lines, 6 sign-off number,
        // 7 sign-off may change, 8 -, 9..11 sign-off lines
        { "CMSMT", "01", "",
            "SELECT MT002, MT003, MT004, MT005, MT006, MT007, MT008, MT009, MT010, MT011, MT012, "
            "MT013 FROM CMSMT WHERE UPPER(MT001) = UPPER(?1)",
            {} },
        // [kind, number]: 0 number, 1..3 lines, 4 description
        { "CMSMS", "01", "",
            "SELECT MS002, MS004, MS005, MS006, MS003 FROM CMSMS WHERE MS001 = ?1 AND MS002 = ?2",
            {} },
        // [company or empty]: 0 web report site, 1 company name, 2 company id
        { "CMSMA", "02", "",
            "SELECT MA051, MA002, MA001 FROM CMSMA WHERE ?1 = '' OR MA001 = ?1 ORDER BY MA001",
            {} },
        // [code or empty]: 0 code, 1 name, 2 unit-price decimals, 3 amount decimals, 4 rate
        { "CMSMF", "01", "",
            "SELECT MF001, MF002, MF003, MF004, MF005 FROM CMSMF WHERE ?1 = '' OR MF001 = ?1 ORDER "
            "BY MF001",
            {} },
        { "PURMA", "01", "",
            "SELECT MA001, MA002, MA003, MA004, MA005, MA006, MA007, MA008, MA009, MA010 FROM "
            "PURMA WHERE ?1 = '' OR MA001 = ?1 ORDER BY MA001",
            {} },
        // [method, code or empty]
        { "INVMA", "02", "",
            "SELECT MA002, MA003, MA001 FROM INVMA WHERE MA001 = ?1 AND (?2 = '' OR MA002 = ?2) "
            "ORDER BY MA002",
            {} },
        { "INVMB", "01", "",
            "SELECT MB001, MB002, MB003, MB004, MB025 FROM INVMB WHERE ?1 = '' OR MB001 = ?1 ORDER "
            "BY MB001",
            {} },
        // [kind, code or empty]
        { "CMSMR", "01", "",
            "SELECT MR002, MR003, MR001 FROM CMSMR WHERE MR001 = ?1 AND (?2 = '' OR MR002 = ?2) "
            "ORDER BY MR002",
            {} },
        { "CMSMK", "01", "",
            "SELECT MK001, MK002, MK003, MK004, MK005 FROM CMSMK WHERE ?1 = '' OR MK001 = ?1 ORDER "
            "BY MK001",
            {} },
        { "ZRVMA", "01", "",
            "SELECT MA001, MA002, MA003, MA004, MA005 FROM ZRVMA WHERE ?1 = '' OR MA001 = ?1 ORDER "
            "BY MA001",
            {} },
        // [scheme name, user, program]: does the scheme exist?
        { "GENES", "01", "",
            "SELECT NCONDITION, CREATOR, PROGRAMME, CREATE_DATE FROM {S}.GENES WHERE NCONDITION = "
            "?1 AND CREATOR = ?2 AND UPPER(PROGRAMME) = UPPER(?3)",
            {} },
    };

    const std::vector<CatalogEntry> kLookups {
        { "PURMA", "01", "供应商信息查询",
            "SELECT MA001, MA002, MA003, MA007, MA008 FROM PURMA ORDER BY MA001",
            { "供应商编号", "简称", "全称", "联系人", "电话" } },
        // [method]
        { "INVMA", "02", "品号类别查询",
            "SELECT MA002, MA003 FROM INVMA WHERE MA001 = ?1 ORDER BY MA002",
            { "类别编号", "类别名称" } },
        { "INVMB", "01", "品号信息查询",
            "SELECT MB001, MB002, MB003, MB004 FROM INVMB ORDER BY MB001",
            { "品号", "品名", "规格", "单位" } },
        // [code or empty]
        { "CMSMF", "01", "币种信息查询",
            "SELECT MF001, MF002, MF005 FROM CMSMF WHERE ?1 = '' OR MF001 = ?1 ORDER BY MF001",
            { "币种", "名称", "汇率" } },
        // [kind]: "3" regions, "4" countries, "9" supplier classes
        { "CMSMR", "01", "交易对象分类查询",
            "SELECT MR002, MR003 FROM CMSMR WHERE MR001 = ?1 ORDER BY MR002", { "编号", "名称" } },
        // [duty, second duty]: staff with either duty
        { "CMSMK", "01", "采购人员信息查询",
            "SELECT MK001, MK002, MK003 FROM CMSMK WHERE MK004 = ?1 OR MK005 = ?2 ORDER BY MK001",
            { "员工编号", "姓名", "部门" } },
        // [kind]: "1" footers, "2" sign-off blocks; columns 2..4 are the three lines
        { "CMSMS", "01", "注脚及签核查询",
            "SELECT MS002, MS003, MS004, MS005, MS006 FROM CMSMS WHERE MS001 = ?1 ORDER BY MS002",
            { "编号", "说明", "第一行", "第二行", "第三行" } },
        { "ZRVMA", "04", "用户信息查询",
            "SELECT MA001, MA002, MA003, MA004, MA005 FROM ZRVMA ORDER BY MA001",
            { "用户代号", "姓名", "手机", "邮箱", "部门" } },
    };

    const CatalogEntry* Find(
        const std::vector<CatalogEntry>& list, const std::string& table, const std::string& kind)
    {
        for (const auto& e : list)
            if (SameText(e.table, Trim(table)) && SameText(e.kind, Trim(kind)))
                return &e;
        return nullptr;
    }

} // namespace

const CatalogEntry* LookupCatalog::Check(const std::string& table, const std::string& kind)
{
    return Find(kChecks, table, kind);
}

const CatalogEntry* LookupCatalog::Lookup(const std::string& table, const std::string& kind)
{
    return Find(kLookups, table, kind);
}

} // namespace zrv
