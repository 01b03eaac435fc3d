// Filling a selection panel's list: a lookup that hands back many rows adds them one by one
// (sorted, duplicates removed, columns sized after each), and a scheme restores a whole list at
// once.

#include "controls/SelectPnl.h"
#include "lib/StrFields.h"
#include "platform/components/Form.h"

#include <QByteArray>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace zrv;

TSelectPanel* Panel()
{
    static TForm* form = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        EnsureApplication();
        return CreateForm<TForm>();
    }();
    auto* panel = new TSelectPanel(form);
    panel->SetParent(form);
    panel->SetStyle(TSelectStyle::sp_Discrete);
    panel->SetCheckDuplicate(TCheckDuplicate::cd_CheckCase);
    return panel;
}

// Supplier codes and names, in no particular order.
std::vector<std::vector<std::string>> Rows(int n, bool chinese)
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < n; ++i) {
        int k = (i * 7919) % n;
        rows.push_back({ "S" + std::to_string(100000 + k),
            chinese ? "供应商" + std::to_string(k) : "Supplier " + std::to_string(k), "CN" });
    }
    return rows;
}

void AddListRowOneByOne(benchmark::State& state, bool chinese)
{
    auto rows = Rows(static_cast<int>(state.range(0)), chinese);
    TSelectPanel* panel = Panel();
    for (auto _ : state) {
        panel->ClearListRows();
        for (const auto& row : rows)
            panel->AddListRow(row);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    panel->Free();
}
void BM_AddListRowAscii(benchmark::State& state) { AddListRowOneByOne(state, false); }
void BM_AddListRowChinese(benchmark::State& state) { AddListRowOneByOne(state, true); }
BENCHMARK(BM_AddListRowAscii)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddListRowChinese)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_FillListFromRows(benchmark::State& state)
{
    std::string text;
    for (const auto& row : Rows(static_cast<int>(state.range(0)), true))
        text += row[0] + kColumnSep + row[1] + kColumnSep + row[2] + kRowSep;
    TSelectPanel* panel = Panel();
    for (auto _ : state)
        benchmark::DoNotOptimize(panel->FillListFromRows(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    panel->Free();
}
BENCHMARK(BM_FillListFromRows)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
