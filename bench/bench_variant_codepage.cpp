// Converting a run request to wide text read from code page 936 and back, as every confirmation
// and every report run does.

#include "lib/VariantCodePage.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using zrv::Variant;

// A request the size the report form sends: a header, 20 condition labels and 20 condition values,
// the ranges and lists among them as nested arrays, the texts Chinese.
Variant RequestSized()
{
    const char* labels[] = { "供应商", "品号类别", "分类方式", "品号", "进货/退货", "单据日期",
        "币种", "采购人员", "供应商类别", "国家", "地区", "品号属性", "打印明细", "打印小计",
        "打印合计", "单据编号", "仓库", "部门", "备注", "排序方式" };
    Variant header = Variant::Array(1, 14);
    for (int i = 1; i <= 14; ++i)
        header[i] = Variant(std::string("KVSR58 采购进货及退货明细表 ") + std::to_string(i));
    Variant captions = Variant::Array(0, 19);
    Variant values = Variant::Array(0, 19);
    for (int i = 0; i < 20; ++i) {
        captions[i]
            = Variant::ArrayOf({ Variant(labels[i]), Variant("sp" + std::to_string(i + 1)) });
        switch (i % 4) {
        case 0: // a range: begin and end
            values[i] = Variant::ArrayOf(
                { Variant("广州华南电子有限公司"), Variant("深圳市龙岗区五金厂") });
            break;
        case 1: // a list of codes with their names
            values[i] = Variant::ArrayOf(
                { Variant(3), Variant::ArrayOf({ Variant("A001"), Variant("原材料-钢板") }),
                    Variant::ArrayOf({ Variant("A002"), Variant("包装材料") }),
                    Variant::ArrayOf({ Variant("B010"), Variant("半成品") }) });
            break;
        case 2: // a single text
            values[i] = Variant("人民币");
            break;
        default: // a date range
            values[i] = Variant::ArrayOf({ Variant("20240101"), Variant("20240331") });
        }
    }
    Variant request = Variant::Array(1, 3);
    request[1] = header;
    request[2] = captions;
    request[3] = values;
    return request;
}

void BM_RequestFromAndBackTo936(benchmark::State& state)
{
    zrv::OverrideSystemCodePage(zrv::cpGB);
    const Variant request = RequestSized();
    for (auto _ : state) {
        Variant wide = zrv::VariantFromCodePage(request, zrv::cpGB);
        Variant bytes = zrv::VariantToCodePage(wide, zrv::cpGB);
        benchmark::DoNotOptimize(bytes);
    }
    zrv::OverrideSystemCodePage(0);
}
BENCHMARK(BM_RequestFromAndBackTo936)->Unit(benchmark::kMicrosecond);

void BM_RequestFrom936(benchmark::State& state)
{
    const Variant request = RequestSized();
    for (auto _ : state) {
        Variant wide = zrv::VariantFromCodePage(request, zrv::cpGB);
        benchmark::DoNotOptimize(wide);
    }
}
BENCHMARK(BM_RequestFrom936)->Unit(benchmark::kMicrosecond);

void BM_RequestTo936(benchmark::State& state)
{
    const Variant wide = zrv::VariantFromCodePage(RequestSized(), zrv::cpGB);
    for (auto _ : state) {
        Variant bytes = zrv::VariantToCodePage(wide, zrv::cpGB);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_RequestTo936)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
