// Costs of the component layer that every window pays: building a form of 200 controls from
// its description, focusing through it in tab order, and setting properties by path.

#include "forms/root/ZRForm.h"
#include "platform/components/Edit.h"
#include "platform/components/FormResources.h"
#include "platform/components/Properties.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace zrv;

namespace {

class TBenchForm : public TZRForm {
public:
    using TZRForm::TZRForm;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo& info
            = TClassInfo::Define<TBenchForm>("TBenchForm", TZRForm::StaticClassInfo());
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

void RegisterBenchForm()
{
    static bool done = [] {
        std::string d = "inherited BenchForm: TBenchForm\n";
        for (int p = 0; p < 20; ++p) {
            d += "  object pnl" + std::to_string(p) + ": TPanel\n    Left = 0\n    Top = "
                + std::to_string(p * 30) + "\n    Width = 600\n    Height = 30\n";
            for (int i = 0; i < 9; ++i) {
                std::string n = std::to_string(p * 10 + i);
                d += "    object ed" + n + ": TEdit\n      Left = " + std::to_string(i * 60)
                    + "\n      Top = 4\n" + "      Width = 55\n      Text = '条件" + n
                    + "'\n      TabOrder = " + std::to_string(8 - i) + "\n    end\n";
            }
            d += "  end\n";
        }
        d += "end\n";
        FormResources::Add("bench/BenchForm.zfm", d);
        return true;
    }();
    (void)done;
}

void BM_CreateFormFromDescription(benchmark::State& state)
{
    EnsureApplication();
    RegisterBenchForm();
    for (auto _ : state) {
        TOwned<TBenchForm> f(CreateForm<TBenchForm>());
        benchmark::DoNotOptimize(f->ComponentCount());
    }
}
BENCHMARK(BM_CreateFormFromDescription)->Unit(benchmark::kMillisecond);

void BM_TabThroughForm(benchmark::State& state)
{
    EnsureApplication();
    RegisterBenchForm();
    TOwned<TBenchForm> f(CreateForm<TBenchForm>());
    f->ShowForm();
    TWinControl* current = nullptr;
    for (auto _ : state) {
        current = f->FindNextControl(current, true, true, false);
        benchmark::DoNotOptimize(current);
    }
}
BENCHMARK(BM_TabThroughForm);

void BM_SetPropertyByPath(benchmark::State& state)
{
    EnsureApplication();
    TOwned<TForm> f(CreateForm<TForm>());
    auto* e = new TEdit(f.get());
    int i = 0;
    for (auto _ : state) {
        SetPropertyPathText(e, "Font.Color", (i++ & 1) ? "clRed" : "clBlue");
        SetPropertyPathText(e, "Hint", "[F2]币种信息查询");
    }
}
BENCHMARK(BM_SetPropertyByPath);

} // namespace

BENCHMARK_MAIN();
