#include "AppServerListener.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <stdexcept>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zrv {

namespace {

    using Clock = std::chrono::steady_clock;

    // Once a frame has begun, the rest of it must follow within this time, and a client must
    // take its answer within it: a stalled peer cannot hold a thread for ever.
    constexpr auto kFrameTime = std::chrono::seconds(30);

    enum class Wait { Ready, Stopped, TimedOut };

    Wait WaitFor(int fd, short events, int stopFd, Clock::time_point deadline, bool forever)
    {
        for (;;) {
            int timeout = -1;
            if (!forever) {
                const auto left
                    = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
                if (left <= 0)
                    return Wait::TimedOut;
                timeout = static_cast<int>(left);
            }
            pollfd p[2] = { { fd, events, 0 }, { stopFd, POLLIN, 0 } };
            const int n = ::poll(p, 2, timeout);
            if (n < 0 && errno != EINTR)
                return Wait::Stopped;
            if (p[1].revents & POLLIN)
                return Wait::Stopped;
            if (n > 0 && p[0].revents)
                return Wait::Ready;
        }
    }

    // Reads exactly `size` bytes; false on end of stream, error, stop or timeout.
    bool ReadExact(int fd, char* into, size_t size, int stopFd, Clock::time_point deadline)
    {
        while (size > 0) {
            const ssize_t n = ::recv(fd, into, size, 0);
            if (n > 0) {
                into += n;
                size -= static_cast<size_t>(n);
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                return false;
            if (WaitFor(fd, POLLIN, stopFd, deadline, false) != Wait::Ready)
                return false;
        }
        return true;
    }

    bool WriteAll(int fd, const std::string& bytes, int stopFd, Clock::time_point deadline)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                return false;
            if (WaitFor(fd, POLLOUT, stopFd, deadline, false) != Wait::Ready)
                return false;
        }
        return true;
    }

    std::string PeerName(const sockaddr_storage& a)
    {
        char host[INET6_ADDRSTRLEN] = "?";
        int port = 0;
        if (a.ss_family == AF_INET) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(&a);
            ::inet_ntop(AF_INET, &in->sin_addr, host, sizeof host);
            port = ntohs(in->sin_port);
        } else if (a.ss_family == AF_INET6) {
            const auto* in = reinterpret_cast<const sockaddr_in6*>(&a);
            ::inet_ntop(AF_INET6, &in->sin6_addr, host, sizeof host);
            port = ntohs(in->sin6_port);
        }
        return std::string(host) + ":" + std::to_string(port);
    }

    ReplyFrame Failure(uint32_t callId, const std::string& text)
    {
        ReplyFrame r;
        r.callId = callId;
        r.ok = false;
        r.error = text;
        return r;
    }

} // namespace

struct AppServerListener::Session {
    std::thread thread;
    std::atomic<bool> done { false };
};

AppServerListener::AppServerListener(Factory factory, StreamLimits limits)
    : factory_(std::move(factory))
    , limits_(limits)
{
}

AppServerListener::~AppServerListener() { Stop(); }

void AppServerListener::Log(const std::string& line) const
{
    if (log_)
        log_(line);
}

int AppServerListener::Start(const std::string& address, int port)
{
    if (listenFd_ >= 0)
        throw std::runtime_error(
            "The server is already listening on port " + std::to_string(port_));
    const std::string where = address + ":" + std::to_string(port);
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(
        address.empty() ? nullptr : address.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0)
        throw std::runtime_error("Cannot listen on " + where + ": " + ::gai_strerror(rc));
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);

    const int fd
        = ::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
    if (fd < 0)
        throw std::runtime_error("Cannot listen on " + where + ": " + std::strerror(errno));
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, found->ai_addr, found->ai_addrlen) != 0 || ::listen(fd, 64) != 0) {
        const int error = errno;
        ::close(fd);
        std::string text = "Cannot listen on " + where + ": " + std::strerror(error);
        if (error == EACCES && port < 1024)
            text += " (ports below 1024 need privileges; choose another port)";
        throw std::runtime_error(text);
    }
    sockaddr_storage bound {};
    socklen_t len = sizeof bound;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
    port_ = bound.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                                        : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    listenFd_ = fd;
    acceptor_ = std::thread([this] { AcceptLoop(); });
    Log("listening on " + address + ":" + std::to_string(port_));
    return port_;
}

void AppServerListener::Stop()
{
    if (listenFd_ < 0)
        return;
    // The eventfd is never read, so once written it stays readable for every waiting thread.
    const uint64_t one = 1;
    if (::write(stopFd_, &one, sizeof one) != sizeof one)
        Log("cannot signal the connection threads");
    if (acceptor_.joinable())
        acceptor_.join();
    std::list<std::unique_ptr<Session>> sessions;
    {
        std::lock_guard guard(sessionsLock_);
        sessions.swap(sessions_);
    }
    for (auto& s : sessions)
        s->thread.join();
    ::close(listenFd_);
    ::close(stopFd_);
    listenFd_ = stopFd_ = -1;
    Log("stopped");
}

void AppServerListener::AcceptLoop()
{
    for (;;) {
        if (WaitFor(listenFd_, POLLIN, stopFd_, {}, true) != Wait::Ready)
            return;
        sockaddr_storage peer {};
        socklen_t len = sizeof peer;
        const int fd = ::accept4(
            listenFd_, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOMEM)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);

        std::lock_guard guard(sessionsLock_);
        for (auto it = sessions_.begin(); it != sessions_.end();) {
            if ((*it)->done) {
                (*it)->thread.join();
                it = sessions_.erase(it);
            } else {
                ++it;
            }
        }
        auto session = std::make_unique<Session>();
        Session* s = session.get();
        ++active_;
        s->thread = std::thread([this, s, fd, name = PeerName(peer)] {
            Serve(fd, name);
            --active_;
            s->done = true;
        });
        sessions_.push_back(std::move(session));
    }
}

void AppServerListener::Serve(int fd, std::string peer)
{
    Log("connection from " + peer);
    std::map<uint32_t, DispatchPtr> objects;
    uint32_t nextHandle = 1;
    std::string reason = "closed by the client";
    for (;;) {
        // Idle between calls for as long as the client likes; a started frame must complete.
        if (WaitFor(fd, POLLIN, stopFd_, {}, true) != Wait::Ready) {
            reason = "server stopping";
            break;
        }
        const auto deadline = Clock::now() + kFrameTime;
        char header[kFrameHeaderSize];
        if (!ReadExact(fd, header, sizeof header, stopFd_, deadline))
            break;
        Frame frame;
        try {
            const FrameHeader h = ReadFrameHeader(std::string_view(header, sizeof header), limits_);
            std::string payload(h.payloadSize, '\0');
            if (!ReadExact(fd, payload.data(), payload.size(), stopFd_, deadline)) {
                reason = "the client stopped in the middle of a frame";
                break;
            }
            frame = DecodeFramePayload(h.kind, payload, limits_);
        } catch (const VariantStreamError& e) {
            reason = e.what();
            break;
        }

        ReplyFrame reply;
        if (const auto* release = std::get_if<ReleaseFrame>(&frame)) {
            objects.erase(release->object);
            continue;
        } else if (const auto* create = std::get_if<CreateFrame>(&frame)) {
            reply.callId = create->callId;
            try {
                DispatchPtr object = factory_ ? factory_(create->progId) : nullptr;
                if (!object) {
                    reply = Failure(
                        create->callId, "The application server does not serve " + create->progId);
                } else {
                    const uint32_t handle = nextHandle++;
                    objects[handle] = std::move(object);
                    reply.result = static_cast<int64_t>(handle);
                }
            } catch (const std::exception& e) {
                reply = Failure(create->callId, e.what());
            } catch (...) {
                reply = Failure(create->callId, "Cannot create " + create->progId);
            }
        } else if (const auto* call = std::get_if<CallFrame>(&frame)) {
            reply.callId = call->callId;
            const auto it = objects.find(call->object);
            if (it == objects.end()) {
                reply = Failure(
                    call->callId, "Unknown object handle " + std::to_string(call->object));
            } else {
                std::vector<Variant> args = call->args;
                try {
                    reply.result = it->second->Invoke(call->member, call->kind, args);
                    for (size_t i = 0; i < args.size(); ++i)
                        if (!(args[i] == call->args[i]))
                            reply.written.emplace_back(
                                static_cast<uint32_t>(i), std::move(args[i]));
                } catch (const std::exception& e) {
                    reply = Failure(call->callId, e.what());
                } catch (...) {
                    reply = Failure(call->callId, "Unexpected failure in " + call->member);
                }
            }
        } else {
            reason = "the client sent an answer frame";
            break;
        }

        std::string bytes;
        try {
            bytes = EncodeFrame(reply, limits_);
        } catch (const VariantStreamError& e) {
            bytes = EncodeFrame(
                Failure(reply.callId, std::string("The answer cannot be sent: ") + e.what()),
                limits_);
        }
        if (!WriteAll(fd, bytes, stopFd_, Clock::now() + kFrameTime)) {
            reason = "the answer could not be delivered";
            break;
        }
    }
    objects.clear();
    ::close(fd);
    Log("connection " + peer + " ended: " + reason);
}

} // namespace zrv
