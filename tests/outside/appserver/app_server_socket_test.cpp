#include "AppServerListener.h"
#include "AppServerTestSupport.h"
#include "ReportCounterS.h"
#include "ReportStore.h"

#include "platform/SocketConnection.h"
#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <set>
#include <thread>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zrv;
using namespace std::chrono_literals;
using zrv::test::RunRequest;
using zrv::test::TempDatabase;

extern char** environ;

namespace {

const char* const kProgId = "ReportCounterS.dmReportCounter";

AppServerListener::Factory Serving(const std::string& database)
{
    return [database](const std::string& progId) { return CreateServedObject(progId, database); };
}

void Configure(SocketConnection& c, int port, int callMs = 10000)
{
    c.SetAddress("127.0.0.1");
    c.SetPort(port);
    c.SetServerName(kProgId);
    c.SetTimeouts({ 2000, callMs });
}

Variant SavedScheme(const std::string& name)
{
    return Variant::ArrayOf({ Variant::Wide(name), Variant::Wide("DS"), Variant::Wide("20240506"),
        Variant::Wide("KVSR58"), Variant::Wide("ed07.text;"), Variant::Wide("USD\r\n"), false });
}

std::vector<std::string> SchemeNames(const DispatchPtr& app)
{
    app->Call("LoadTable", { Variant::ArrayOf({ Variant::Wide("DS"), Variant::Wide("KVSR58") }) });
    std::vector<std::string> names;
    const Variant records = app->Call("AS_GetRecords", { Variant("pvdConSave") });
    for (const Variant& row : records[1].Items())
        names.push_back(row[0].ToString());
    return names;
}

} // namespace

TEST(AppServerSocket, TheRemoteModuleAnswersOverLoopback)
{
    TempDatabase db;
    AppServerListener server(Serving(db.Path()));
    const int port = server.Start("127.0.0.1", 0);
    SocketConnection c;
    Configure(c, port);
    c.Open();
    DispatchPtr app = c.AppServer();

    const Variant request = RunRequest("DS");
    const std::string job = app->Call("Request", { request }).ToString();
    ASSERT_NE(job, "ERROR") << app->Get("ErrorDescript").ToString();
    EXPECT_TRUE(ReportStore(db.Path()).Job(job)->request == request);
    EXPECT_EQ(app->Get("SQLType").ToInt(), 1);
    EXPECT_EQ(app->Call("GetPower",
                     { Variant::ArrayOf({ Variant::Wide("DEMODB"), Variant::Wide("DS"),
                         Variant::Wide("KVSR58"), Variant::Wide("") }) })[1]
                  .ToString(),
        "Y,Y,Y,YYYYYYYY");

    std::vector<Variant> status { Variant::Wide(job), Variant::Wide(""),
        Variant::FromDate(45419.5) };
    app->CallRef("UpdateStatus1", status);
    EXPECT_EQ(status[0].ToString(), job);
    EXPECT_EQ(ReportStore(db.Path()).Job(job)->status, "D");

    EXPECT_EQ(app->Call("InsertConTable", { SavedScheme("美元") }).ToString(), "");
    EXPECT_EQ(SchemeNames(app), std::vector<std::string> { "美元" });
    EXPECT_EQ(app->Call("Request", { Variant::Wide("x") }).ToString(), "ERROR");
    EXPECT_FALSE(app->Get("ErrorDescript").ToString().empty());
    EXPECT_THROW(app->Call("NoSuchCall"), AutomationError);
    EXPECT_TRUE(c.Connected());

    SocketConnection other;
    Configure(other, port);
    other.SetServerName("KVSR58S.Class1");
    try {
        other.Open();
        ADD_FAILURE() << "a class the server does not serve was created";
    } catch (const AutomationError& e) {
        EXPECT_NE(std::string(e.what()).find("does not serve KVSR58S.Class1"), std::string::npos)
            << e.what();
    }
}

TEST(AppServerSocket, ConcurrentClientsGetDistinctJobs)
{
    TempDatabase db;
    AppServerListener server(Serving(db.Path()));
    const int port = server.Start("127.0.0.1", 0);
    std::vector<std::vector<std::string>> ids(4);
    std::vector<std::thread> clients;
    for (size_t k = 0; k < ids.size(); ++k)
        clients.emplace_back([&, k] {
            SocketConnection c;
            Configure(c, port);
            c.Open();
            for (int i = 0; i < 15; ++i)
                ids[k].push_back(c.AppServer()
                                     ->Call("Request", { RunRequest("U" + std::to_string(k), 5) })
                                     .ToString());
        });
    for (auto& t : clients)
        t.join();
    std::set<std::string> distinct;
    for (const auto& list : ids)
        for (const auto& id : list) {
            EXPECT_NE(id, "ERROR");
            distinct.insert(id);
        }
    EXPECT_EQ(distinct.size(), 60u);
    EXPECT_EQ(ReportStore(db.Path()).JobIds().size(), 60u);
}

TEST(AppServerSocket, StoppingEndsConnectionsAndARestartKeepsTheData)
{
    TempDatabase db;
    std::string job;
    SocketConnection c;
    {
        AppServerListener server(Serving(db.Path()));
        Configure(c, server.Start("127.0.0.1", 0), 2000);
        c.Open();
        job = c.AppServer()->Call("Request", { RunRequest("DS") }).ToString();
        c.AppServer()->Call("InsertConTable", { SavedScheme("常用") });
        EXPECT_EQ(server.ActiveConnections(), 1);
        const auto start = std::chrono::steady_clock::now();
        server.Stop(); // with the client still connected
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(c.AppServer()->Call("Request", { RunRequest("DS") }), AutomationError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_FALSE(c.Connected());

    AppServerListener restarted(Serving(db.Path()));
    Configure(c, restarted.Start("127.0.0.1", 0));
    c.Open();
    EXPECT_EQ(SchemeNames(c.AppServer()), std::vector<std::string> { "常用" });
    EXPECT_EQ(ReportStore(db.Path()).JobIds(), std::vector<std::string> { job });
}

TEST(AppServerSocket, TheServerProgramServesUntilItIsToldToStop)
{
    TempDatabase db;
    const std::string program = ExecutableFolder() + "zrv-appserver";
    int errPipe[2];
    ASSERT_EQ(::pipe(errPipe), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    const std::string dbPath = db.Path();
    const char* argv[]
        = { program.c_str(), "--port", "0", "--db", dbPath.c_str(), "--set", "SQLType=7", nullptr };
    pid_t pid = 0;
    ASSERT_EQ(
        posix_spawn(&pid, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ),
        0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(errPipe[1]);

    // The program says where it listens: "... listening on 127.0.0.1:<port>".
    std::string log;
    int port = 0;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!port && std::chrono::steady_clock::now() < deadline) {
        pollfd p { errPipe[0], POLLIN, 0 };
        if (::poll(&p, 1, 200) <= 0)
            continue;
        char buf[256];
        const ssize_t n = ::read(errPipe[0], buf, sizeof buf);
        if (n <= 0)
            break;
        log.append(buf, static_cast<size_t>(n));
        const size_t at = log.find("listening on 127.0.0.1:");
        const size_t eol = at == std::string::npos ? at : log.find('\n', at);
        if (eol != std::string::npos)
            port = std::stoi(log.substr(at + 23, eol - at - 23));
    }
    ASSERT_GT(port, 0) << log;

    {
        SocketConnection c;
        Configure(c, port);
        c.Open();
        EXPECT_EQ(c.AppServer()->Get("SQLType").ToInt(), 7);
        EXPECT_NE(c.AppServer()->Call("Request", { RunRequest("DS") }).ToString(), "ERROR");
    }

    ::kill(pid, SIGTERM);
    int status = -1;
    for (int i = 0; i < 100 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(50ms);
    if (!WIFEXITED(status)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        ADD_FAILURE() << "the server did not stop on SIGTERM";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ::close(errPipe[0]);
    EXPECT_EQ(ReportStore(db.Path()).JobIds().size(), 1u);
}
