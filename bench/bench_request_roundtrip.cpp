// One "Request" round trip to the application server's remote module: in-process (the object the
// window creates when the server address is 127.0.0.1) and over a socket on loopback. Each request
// stores a job with its whole request in SQLite; "GetPower" shows the cost of the call alone.
// Run with the default repetitions to get the median.
#include "AppServerListener.h"
#include "ReportCounterS.h"

#include "platform/SocketConnection.h"
#include "platform/SystemInfo.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace zrv;

namespace {

const char* const kProgId = "ReportCounterS.dmReportCounter";

// A request shaped as the report window sends it: 14 header items and 20 conditions.
Variant RunRequest()
{
    Variant header = Variant::Array(1, 14);
    const char* texts[] = { "KVSR58", "", "", "DEMO", "DS", "DEMODB", "", "KVSR58S.Class1", "R" };
    for (int i = 1; i <= 9; ++i)
        header[i] = Variant::Wide(texts[i - 1]);
    header[2] = 14;
    header[3] = 20;
    header[7] = Variant::FromDate(45418.5);
    header[10] = 0;
    header[11] = Variant::FromDate(45418.5);
    header[12] = Variant::Wide("");
    header[13] = Variant::Wide("Y");
    header[14] = 1;
    Variant labels = Variant::Array(1, 20);
    Variant values = Variant::Array(1, 20);
    for (int i = 1; i <= 20; ++i) {
        labels[i] = Variant::ArrayOf({ Variant::Wide("选择供应商编号"), Variant::Wide("sp01") });
        values[i] = Variant::ArrayOf(
            { Variant::Wide("\x04"), Variant::Wide("V0001"), Variant::Wide("V0099") });
    }
    return Variant::ArrayOf({ header, labels, values });
}

Variant PowerArgs()
{
    return Variant::ArrayOf({ Variant::Wide("DEMODB"), Variant::Wide("DS"), Variant::Wide("KVSR58"),
        Variant::Wide("") });
}

struct Scratch {
    Scratch()
        : folder(TempFolder() + "bench_request_roundtrip_" + std::to_string(::getpid()))
    {
        std::filesystem::create_directories(folder);
    }
    ~Scratch() { std::filesystem::remove_all(folder); }
    std::string Database() const { return folder + "/appserver.db"; }
    std::string folder;
};

Scratch& Files()
{
    static Scratch s;
    return s;
}

void Run(benchmark::State& state, const DispatchPtr& app, const char* member, const Variant& arg)
{
    for (auto _ : state) {
        Variant answer = app->Call(member, { arg });
        benchmark::DoNotOptimize(answer);
    }
}

void BM_InProcess(benchmark::State& state, const char* member, Variant (*arg)())
{
    RegisterReportCounterS(Files().Database());
    DispatchPtr app = CreateObject(kProgId);
    Run(state, app, member, arg());
    UnregisterReportCounterS();
}

void BM_Loopback(benchmark::State& state, const char* member, Variant (*arg)())
{
    const std::string db = Files().Database();
    AppServerListener server(
        [db](const std::string& progId) { return CreateServedObject(progId, db); });
    SocketConnection c;
    c.SetAddress("127.0.0.1");
    c.SetPort(server.Start("127.0.0.1", 0));
    c.SetServerName(kProgId);
    c.Open();
    Run(state, c.AppServer(), member, arg());
    c.Close();
    server.Stop();
}

} // namespace

BENCHMARK_CAPTURE(BM_InProcess, Request, "Request", RunRequest)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Loopback, Request, "Request", RunRequest)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_InProcess, GetPower, "GetPower", PowerArgs)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Loopback, GetPower, "GetPower", PowerArgs)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

BENCHMARK_MAIN();
