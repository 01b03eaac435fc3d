#include "platform/SocketConnection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zrv;
using namespace std::chrono_literals;

namespace {

class Echo : public DispatchObject {
public:
    Echo()
    {
        AddMethod("Twice", [](std::span<Variant> args) {
            NeedArgs("Twice", args, 1);
            args[0] = args[0].ToInt() * 2;
            return Variant("done");
        });
        AddMethod("Fail", [](std::span<Variant>) -> Variant { throw AutomationError("数据库忙"); });
        AddProperty(
            "Name", [this] { return Variant::Wide(name_); },
            [this](const Variant& v) { name_ = v.ToString(); });
    }

private:
    std::string name_ = "echo";
};

int Listener(int backlog = 8)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, backlog) != 0)
        ADD_FAILURE() << "cannot listen";
    return fd;
}

int PortOf(int fd)
{
    sockaddr_in a {};
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

// A small server on 127.0.0.1 that serves one connection at a time in one of several manners.
class FakeServer {
public:
    enum class Manner { Serve, Silent, Garbage, HangUp };

    explicit FakeServer(Manner manner)
        : manner_(manner)
        , listen_(Listener())
    {
        if (::pipe(stop_) != 0)
            ADD_FAILURE() << "pipe";
        thread_ = std::thread([this] { Run(); });
    }

    ~FakeServer()
    {
        if (::write(stop_[1], "x", 1) != 1)
            ADD_FAILURE() << "stop";
        thread_.join();
        ::close(listen_);
        ::close(stop_[0]);
        ::close(stop_[1]);
    }

    int Port() const { return PortOf(listen_); }
    std::atomic<int> released { 0 };

private:
    // Waits for `fd` to be readable; false when asked to stop.
    bool Wait(int fd)
    {
        pollfd p[2] = { { fd, POLLIN, 0 }, { stop_[0], POLLIN, 0 } };
        ::poll(p, 2, -1);
        return !(p[1].revents & POLLIN);
    }

    bool Read(int fd, std::string& out, size_t size)
    {
        out.assign(size, '\0');
        size_t done = 0;
        while (done < size) {
            if (!Wait(fd))
                return false;
            const ssize_t n = ::recv(fd, out.data() + done, size - done, 0);
            if (n <= 0)
                return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    void Run()
    {
        while (Wait(listen_)) {
            const int fd = ::accept(listen_, nullptr, nullptr);
            Serve(fd);
            ::close(fd);
        }
    }

    void Serve(int fd)
    {
        std::map<uint32_t, DispatchPtr> objects;
        std::string header, payload;
        while (Read(fd, header, kFrameHeaderSize)) {
            const FrameHeader h = ReadFrameHeader(header);
            if (!Read(fd, payload, h.payloadSize))
                return;
            const Frame frame = DecodeFramePayload(h.kind, payload);
            if (std::holds_alternative<ReleaseFrame>(frame)) {
                ++released;
                continue;
            }
            if (manner_ == Manner::Silent && std::holds_alternative<CallFrame>(frame))
                continue;
            if (manner_ == Manner::HangUp && std::holds_alternative<CallFrame>(frame))
                return;
            if (manner_ == Manner::Garbage && std::holds_alternative<CallFrame>(frame)) {
                ::send(fd, "ZRVW\x01\x03\0\0\0\0\0\x02\xc1\xc1", 14, MSG_NOSIGNAL);
                continue;
            }
            ReplyFrame reply;
            if (const auto* c = std::get_if<CreateFrame>(&frame)) {
                reply.callId = c->callId;
                if (c->progId == "Test.Echo") {
                    const uint32_t handle = static_cast<uint32_t>(objects.size()) + 1;
                    objects[handle] = std::make_shared<Echo>();
                    reply.result = static_cast<int>(handle);
                } else {
                    reply.ok = false;
                    reply.error = "Class not registered: " + c->progId;
                }
            } else {
                const auto& call = std::get<CallFrame>(frame);
                reply.callId = call.callId;
                std::vector<Variant> args = call.args;
                try {
                    reply.result = objects.at(call.object)->Invoke(call.member, call.kind, args);
                    for (size_t i = 0; i < args.size(); ++i)
                        if (!(args[i] == call.args[i]))
                            reply.written.emplace_back(static_cast<uint32_t>(i), args[i]);
                } catch (const std::exception& e) {
                    reply.ok = false;
                    reply.error = e.what();
                }
            }
            const std::string bytes = EncodeFrame(reply);
            ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        }
    }

    Manner manner_;
    int listen_;
    int stop_[2] {};
    std::thread thread_;
};

void Configure(SocketConnection& c, int port, int callMs = 5000)
{
    c.SetAddress("127.0.0.1");
    c.SetPort(port);
    c.SetServerName("Test.Echo");
    c.SetTimeouts({ 2000, callMs });
}

// Runs `f`, expects AutomationError mentioning `says`, and returns how long it took.
template <typename F> std::chrono::milliseconds ExpectFailure(F f, const std::string& says)
{
    const auto start = std::chrono::steady_clock::now();
    try {
        f();
        ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
}

} // namespace

TEST(SocketConnection, CallsReachTheRemoteObjectWithReferenceArguments)
{
    FakeServer server(FakeServer::Manner::Serve);
    SocketConnection c;
    Configure(c, server.Port());
    c.Open();
    ASSERT_TRUE(c.Connected());
    DispatchPtr app = c.AppServer();

    std::vector<Variant> args { 21, Variant::Wide("untouched") };
    EXPECT_EQ(app->CallRef("twice", args).ToString(), "done");
    EXPECT_EQ(args[0].ToInt(), 42);
    EXPECT_EQ(args[1].ToString(), "untouched");

    app->Put("Name", Variant::Wide("报表"));
    EXPECT_EQ(app->Get("Name").ToString(), "报表");
    EXPECT_EQ(app->Get("Name").Type(), varOleStr);

    // Errors raised by the remote object arrive with their text; the connection stays usable.
    ExpectFailure([&] { app->Call("Fail"); }, "数据库忙");
    ExpectFailure([&] { app->Call("NoSuchMember"); }, "NoSuchMember");
    ExpectFailure([&] { app->Call("Twice", { Variant(app) }); }, "automation object");
    EXPECT_TRUE(c.Connected());
    EXPECT_EQ(app->Get("Name").ToString(), "报表");

    // A second object on the same connection is independent and released when dropped.
    DispatchPtr other = c.CreateRemoteObject("Test.Echo");
    EXPECT_EQ(other->Get("Name").ToString(), "echo");
    other.reset();
    EXPECT_EQ(app->Get("Name").ToString(), "报表"); // frames are handled in order
    EXPECT_EQ(server.released, 1);
    c.Close();
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.AppServer(), nullptr);
    ExpectFailure([&] { app->Call("Twice", { 1 }); }, "Not connected");
}

TEST(SocketConnection, RefusedAndMisconfiguredConnectionsFailClearly)
{
    const int fd = Listener();
    const int closedPort = PortOf(fd);
    ::close(fd);

    struct Case {
        const char* name;
        std::string address;
        int port;
        std::string server;
        const char* says;
    } cases[] = {
        { "closed port", "127.0.0.1", closedPort, "Test.Echo", "refused" },
        { "no address", "  ", 211, "Test.Echo", "No application server address" },
        { "port out of range", "127.0.0.1", 70000, "Test.Echo", "Invalid application server port" },
        { "no server name", "127.0.0.1", 211, "", "No server object name" },
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        SocketConnection c;
        c.SetAddress(k.address);
        c.SetPort(k.port);
        c.SetServerName(k.server);
        ExpectFailure([&] { c.Open(); }, k.says);
        EXPECT_FALSE(c.Connected());
    }

    FakeServer server(FakeServer::Manner::Serve);
    SocketConnection c;
    Configure(c, server.Port());
    c.SetServerName("No.Such");
    ExpectFailure([&] { c.Open(); }, "Class not registered: No.Such");
    EXPECT_FALSE(c.Connected());
}

TEST(SocketConnection, BrokenServersEndTheCallAndTheConnection)
{
    struct Case {
        const char* name;
        FakeServer::Manner manner;
        const char* says;
    } cases[] = {
        { "stops answering", FakeServer::Manner::Silent, "no answer within 300 ms" },
        { "answers garbage", FakeServer::Manner::Garbage, "Malformed" },
        { "hangs up", FakeServer::Manner::HangUp, "closed the connection" },
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        FakeServer server(k.manner);
        SocketConnection c;
        Configure(c, server.Port(), 300);
        c.Open();
        DispatchPtr app = c.AppServer();
        const auto took = ExpectFailure([&] { app->Call("Twice", { 1 }); }, k.says);
        EXPECT_LT(took, 3000ms);
        EXPECT_FALSE(c.Connected());
        // A late answer can never be mistaken for the next call's: the connection is gone.
        ExpectFailure([&] { app->Call("Twice", { 1 }); }, "Not connected");
    }
}

TEST(SocketConnection, ConnectingToAServerThatDoesNotAcceptTimesOut)
{
    // A listener with a full accept queue drops further handshakes, as an unreachable host does.
    const int fd = Listener(0);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(PortOf(fd)));
        ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        fillers.push_back(s);
    }
    std::this_thread::sleep_for(50ms);

    SocketConnection c;
    Configure(c, PortOf(fd));
    c.SetTimeouts({ 300, 300 });
    const auto took = ExpectFailure([&] { c.Open(); }, "127.0.0.1:" + std::to_string(PortOf(fd)));
    EXPECT_LT(took, 3000ms);
    EXPECT_FALSE(c.Connected());
    for (int s : fillers)
        ::close(s);
    ::close(fd);
}
