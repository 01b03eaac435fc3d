// Costs of the configuration and text services a window pays for when it opens: reading the
// client profile, the standard XML header and loader, and GB/Big5 conversion through the
// outside library.
#include "config/OrvaneINI.h"
#include "lang/Translator.h"
#include "lib/XmlHelpers.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace zrv;
namespace fs = std::filesystem;

namespace {

// An installation with a registry file and a client profile of realistic size.
struct Installation {
    Installation()
    {
        char pattern[] = "/tmp/kv_bench_profiles_XXXXXX";
        root = mkdtemp(pattern);
        std::ofstream(root + "/registry.ini")
            << "[Software\\ZRV\\Orvane]\nClientPath=" << root << "/\n";
        std::ofstream ini(root + "/OrvaneC.ini");
        ini << "[Client Components]\nLangType=CHT\n[ProductVersion]\nVersion=9.0\n"
               "[CodePage]\nUICodePage=950\nDBCodePage=936\n"
               "[Server Information]\nComputerName=srvA;srvB;srvC;\nServerPort=211\n"
               "[WorkDLLPath]\n";
        for (int i = 0; i < 20; ++i)
            ini << "p" << i << "=\\pkg" << i << "\n";
        for (int i = 0; i < 200; ++i)
            ini << "[Filler " << i << "]\nKey=Value " << i << "\n";
        setenv("ZRV_REGISTRY_FILE", (root + "/registry.ini").c_str(), 1);
    }
    ~Installation() { fs::remove_all(root); }
    std::string root;
};

void BM_ReadClientProfile(benchmark::State& state)
{
    Installation installation;
    for (auto _ : state) {
        TOrvaneIniC ini;
        benchmark::DoNotOptimize(ini.Servers);
    }
}
BENCHMARK(BM_ReadClientProfile);

void BM_LoadXmlTextWithHeader(benchmark::State& state)
{
    std::string xml = "<Root>";
    for (int i = 0; i < state.range(0); ++i)
        xml += "<R" + std::to_string(i + 1) + " ID=\"u" + std::to_string(i)
            + "\" Name=\"张三\" Type=\"5\" Msg=\"YNN\"/>";
    xml += "</Root>";
    for (auto _ : state) {
        XmlDocument doc = LoadXmlTextWithHeader(xml);
        benchmark::DoNotOptimize(doc.DocumentElement());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(xml.size()));
}
BENCHMARK(BM_LoadXmlTextWithHeader)->Arg(5)->Arg(500);

void BM_TranslatorGBtoBIG5(benchmark::State& state)
{
    std::unique_ptr<TTranslator> translator;
    try {
        translator = std::make_unique<TTranslator>();
    } catch (const TranslatorError& e) {
        state.SkipWithError(e.what());
        return;
    }
    const std::string text
        = state.range(0) == 0 ? "采购入库及退货明细表" : std::string(2000, 'x') + "供应商简体中文";
    for (auto _ : state)
        benchmark::DoNotOptimize(translator->GBtoBIG5(text));
}
BENCHMARK(BM_TranslatorGBtoBIG5)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
