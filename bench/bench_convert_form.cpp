// Whole-window conversion for a Big5 interface: a form with 200 captioned components (labels,
// check boxes and combo boxes with items), converted from GB to Big5 as the root form does once
// before the window is first shown.

#include "lang/CodeConverter.h"
#include "platform/components/CheckBox.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Form.h"
#include "platform/components/Label.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace zrv;

namespace {

TOwned<TForm> BuildForm(TCodeConverter*& converter)
{
    TOwned<TForm> form(CreateForm<TForm>());
    form->SetCaption("采购进退货明细表");
    converter = new TCodeConverter(form.get());
    for (int i = 0; i < 200; ++i) {
        TControl* c = nullptr;
        switch (i % 3) {
        case 0:
            c = new TLabel(form.get());
            break;
        case 1:
            c = new TCheckBox(form.get());
            break;
        default: {
            auto* combo = new TComboBox(form.get());
            for (const char* t : { "进货", "退货", "进退货" })
                combo->Items()->Add(t);
            combo->SetItemIndex(1);
            c = combo;
        }
        }
        c->SetParent(form.get());
        c->SetBounds(8 + (i % 4) * 120, 8 + (i / 4) * 22, 110, 20);
        c->SetCaption("供应商编号" + std::to_string(i));
        c->SetHint("请输入供应商的编号");
    }
    return form;
}

void BM_ConvertForm200(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureApplication();
    for (auto _ : state) {
        state.PauseTiming();
        TCodeConverter* converter = nullptr;
        TOwned<TForm> form = BuildForm(converter);
        converter->SetCodePages("936", "950", "936");
        converter->SetConvertModes(2, 2);
        state.ResumeTiming();
        converter->ConvertForm(form.get());
        benchmark::DoNotOptimize(form->ComponentCount());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConvertForm200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
