// zrv-appserver: the application server program. Serves "ReportCounterS.dmReportCounter" to
// socket connections until it receives SIGINT or SIGTERM, then closes every connection and exits.
#include "AppServerListener.h"
#include "ReportCounterS.h"
#include "ReportStore.h"

#include "platform/CodePage.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

using namespace zrv;

namespace {

const char* const kUsage = R"(Usage: zrv-appserver [options]
  --address ADDR    address to listen on (default 127.0.0.1)
  --port N          port to listen on (default 5211)
  --db PATH         database file (default: $ZRV_APPSERVER_DB, else
                    ~/.local/share/zrv/appserver.db)
  --set NAME=VALUE  store a setting before serving: SQLType (integer answered to clients),
                    RequestFailure (when not empty, run requests are refused with this text)
  --rights USER:PROGRAMME:POWER[:BASELIMITED]
                    store the rights of a user for a program ("*" for any), for
                    example --rights "*:KVSR58:Y,Y,Y,YYYYYYNN"
  --configure       store --set and --rights and exit without serving
  --quiet           do not log connections
)";

std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(sep, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

void LogLine(const std::string& line)
{
    static std::mutex lock;
    const time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::lock_guard guard(lock);
    std::cerr << stamp << " zrv-appserver: " << line << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    std::string address = "127.0.0.1";
    int port = 5211;
    std::string database = ReportStore::DefaultPath();
    std::vector<std::pair<std::string, std::string>> settings;
    std::vector<std::vector<std::string>> rights;
    bool configureOnly = false;
    bool quiet = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "zrv-appserver: " << arg << " needs a value\n" << kUsage;
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--address") {
            address = value();
        } else if (arg == "--port") {
            const std::string v = value();
            char* end = nullptr;
            const long p = std::strtol(v.c_str(), &end, 10);
            if (*end || p < 0 || p > 65535) {
                std::cerr << "zrv-appserver: invalid port " << v << "\n";
                return 2;
            }
            port = static_cast<int>(p);
        } else if (arg == "--db") {
            database = value();
        } else if (arg == "--set") {
            const std::string v = value();
            const size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                std::cerr << "zrv-appserver: --set needs NAME=VALUE\n";
                return 2;
            }
            settings.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (arg == "--rights") {
            auto parts = Split(value(), ':');
            if (parts.size() < 3 || parts.size() > 4) {
                std::cerr << "zrv-appserver: --rights needs USER:PROGRAMME:POWER[:BASELIMITED]\n";
                return 2;
            }
            rights.push_back(parts);
        } else if (arg == "--configure") {
            configureOnly = true;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            std::cerr << "zrv-appserver: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }

    try {
        ReportStore store(database);
        for (const auto& [name, v] : settings)
            store.SetSetting(name, v);
        for (const auto& r : rights)
            store.SetRights(
                r[0], UpperCase(r[1]), RightsRow { r[2], r.size() > 3 ? r[3] : std::string() });
    } catch (const StoreError& e) {
        std::cerr << "zrv-appserver: " << e.what() << "\n";
        return 1;
    }
    if (configureOnly)
        return 0;

    // Threads inherit this mask, so the signals reach only the sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    AppServerListener listener(
        [database](const std::string& progId) { return CreateServedObject(progId, database); });
    if (!quiet)
        listener.SetLog(LogLine);
    try {
        listener.Start(address, port);
    } catch (const std::exception& e) {
        std::cerr << "zrv-appserver: " << e.what() << "\n";
        return 1;
    }
    LogLine("database " + database);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    LogLine(std::string("stopping on signal ") + strsignal(signal));
    listener.Stop();
    return 0;
}
