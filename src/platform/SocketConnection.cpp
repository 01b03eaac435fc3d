#include "platform/SocketConnection.h"

#include "platform/CodePage.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zrv {

namespace {

    using Clock = std::chrono::steady_clock;

    // A failure of the stream itself; the channel is closed when it happens.
    struct StreamFailure {
        std::string text;
    };

    std::string ErrnoText(int error) { return std::strerror(error); }

    int MillisecondsLeft(Clock::time_point deadline)
    {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        return left.count() > 0 ? static_cast<int>(std::min<int64_t>(left.count(), 1 << 30)) : 0;
    }

    // Waits until the socket is ready for `events`; false when the deadline passed first.
    bool WaitReady(int fd, short events, Clock::time_point deadline)
    {
        for (;;) {
            const int left = MillisecondsLeft(deadline);
            if (left <= 0)
                return false;
            pollfd p { fd, events, 0 };
            const int n = ::poll(&p, 1, left);
            if (n > 0)
                return true;
            if (n < 0 && errno != EINTR)
                throw StreamFailure { ErrnoText(errno) };
        }
    }

    // Connects to the first address of `host` that answers; raises AutomationError.
    int ConnectTo(const std::string& host, int port, int timeoutMs, const std::string& peer)
    {
        addrinfo hints {};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* found = nullptr;
        const std::string service = std::to_string(port);
        const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
        if (rc != 0)
            throw AutomationError(
                "Cannot find the application server \"" + host + "\": " + ::gai_strerror(rc));
        std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);

        const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
        std::string reason = "no usable address";
        for (addrinfo* a = found; a; a = a->ai_next) {
            const int fd = ::socket(
                a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
            if (fd < 0) {
                reason = ErrnoText(errno);
                continue;
            }
            int error = 0;
            if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
                error = errno;
                if (error == EINPROGRESS) {
                    bool ready = false;
                    try {
                        ready = WaitReady(fd, POLLOUT, deadline);
                        if (!ready)
                            reason = "no answer within " + std::to_string(timeoutMs) + " ms";
                    } catch (const StreamFailure& f) {
                        reason = f.text;
                    }
                    if (!ready) {
                        ::close(fd);
                        continue;
                    }
                    socklen_t len = sizeof error;
                    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0)
                        error = errno;
                }
            }
            if (error == 0) {
                const int on = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                return fd;
            }
            reason = ErrnoText(error);
            ::close(fd);
        }
        throw AutomationError(
            "Cannot connect to the application server at " + peer + ": " + reason);
    }

} // namespace

// The socket and what goes over it; shared by the connection and the remote objects it made,
// so that an object kept beyond Close fails cleanly instead of touching a dead socket.
struct SocketConnection::Channel {
    std::mutex lock;
    int fd = -1;
    std::string peer;
    SocketTimeouts timeouts;
    StreamLimits limits;
    uint32_t nextCallId = 1;
    std::string closedReason;

    ~Channel() { Shut(""); }

    bool IsOpen()
    {
        std::lock_guard guard(lock);
        return fd >= 0;
    }

    void Shut(const std::string& reason)
    {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
            closedReason = reason;
        }
    }

    void SendAll(const std::string& bytes, Clock::time_point deadline)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                throw StreamFailure { "sending failed: " + ErrnoText(errno) };
            if (!WaitReady(fd, POLLOUT, deadline))
                throw StreamFailure { TimeoutText() };
        }
    }

    void ReceiveAll(char* into, size_t size, Clock::time_point deadline)
    {
        while (size > 0) {
            const ssize_t n = ::recv(fd, into, size, 0);
            if (n > 0) {
                into += n;
                size -= static_cast<size_t>(n);
                continue;
            }
            if (n == 0)
                throw StreamFailure { "the server closed the connection" };
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                throw StreamFailure { "receiving failed: " + ErrnoText(errno) };
            if (!WaitReady(fd, POLLIN, deadline))
                throw StreamFailure { TimeoutText() };
        }
    }

    std::string TimeoutText() const
    {
        return "no answer within " + std::to_string(timeouts.callMs) + " ms";
    }

    // Sends the frame built for a fresh call id and waits for its answer.
    ReplyFrame Exchange(const std::function<Frame(uint32_t)>& build)
    {
        std::lock_guard guard(lock);
        if (fd < 0)
            throw AutomationError("Not connected to the application server at " + peer
                + (closedReason.empty() ? std::string() : " (" + closedReason + ")"));
        const uint32_t id = nextCallId++;
        std::string bytes;
        try {
            bytes = EncodeFrame(build(id), limits);
        } catch (const VariantStreamError& e) {
            // Nothing was sent: the connection stays usable.
            throw AutomationError(e.what());
        }
        const auto deadline
            = Clock::now() + std::chrono::milliseconds(std::max(timeouts.callMs, 0));
        std::string failure;
        try {
            SendAll(bytes, deadline);
            char header[kFrameHeaderSize];
            ReceiveAll(header, sizeof header, deadline);
            const FrameHeader h = ReadFrameHeader(std::string_view(header, sizeof header), limits);
            std::string payload(h.payloadSize, '\0');
            ReceiveAll(payload.data(), payload.size(), deadline);
            Frame frame = DecodeFramePayload(h.kind, payload, limits);
            auto* reply = std::get_if<ReplyFrame>(&frame);
            if (!reply)
                failure = "the server sent a frame that is not an answer";
            else if (reply->callId != id)
                failure = "the server answered another call";
            else
                return std::move(*reply);
        } catch (const StreamFailure& f) {
            failure = f.text;
        } catch (const VariantStreamError& e) {
            failure = e.what();
        }
        Shut(failure);
        throw AutomationError("Application server at " + peer + ": " + failure);
    }

    void Release(uint32_t object)
    {
        std::lock_guard guard(lock);
        if (fd < 0)
            return;
        try {
            const int ms = std::min(timeouts.callMs, 1000);
            SendAll(EncodeFrame(ReleaseFrame { object }, limits),
                Clock::now() + std::chrono::milliseconds(std::max(ms, 0)));
        } catch (const StreamFailure& f) {
            Shut(f.text);
        }
    }
};

namespace {

    // The remote object as a local Dispatch: each call is one exchange on the channel.
    class RemoteObject : public Dispatch {
    public:
        RemoteObject(std::shared_ptr<SocketConnection::Channel> channel, uint32_t handle)
            : channel_(std::move(channel))
            , handle_(handle)
        {
        }

        ~RemoteObject() override { channel_->Release(handle_); }

        Variant Invoke(const std::string& member, InvokeKind kind, std::span<Variant> args) override
        {
            ReplyFrame reply = channel_->Exchange([&](uint32_t id) {
                CallFrame call;
                call.callId = id;
                call.object = handle_;
                call.member = member;
                call.kind = kind;
                call.args.assign(args.begin(), args.end());
                return Frame(std::move(call));
            });
            if (!reply.ok)
                throw AutomationError(reply.error);
            for (auto& [index, value] : reply.written) {
                if (index >= args.size())
                    throw AutomationError("Application server at " + channel_->peer
                        + ": an answer wrote to argument " + std::to_string(index) + " of "
                        + std::to_string(args.size()));
                args[index] = std::move(value);
            }
            return std::move(reply.result);
        }

    private:
        std::shared_ptr<SocketConnection::Channel> channel_;
        uint32_t handle_;
    };

} // namespace

SocketConnection::SocketConnection() = default;

SocketConnection::~SocketConnection() { Close(); }

void SocketConnection::Open()
{
    Close();
    const std::string host = Trim(address_);
    if (host.empty())
        throw AutomationError("No application server address is configured");
    if (port_ < 1 || port_ > 65535)
        throw AutomationError("Invalid application server port " + std::to_string(port_));
    if (Trim(serverName_).empty())
        throw AutomationError("No server object name is configured");

    auto channel = std::make_shared<Channel>();
    channel->peer = host + ":" + std::to_string(port_);
    channel->timeouts = timeouts_;
    channel->limits = limits_;
    channel->fd = ConnectTo(host, port_, timeouts_.connectMs, channel->peer);
    channel_ = std::move(channel);
    try {
        appServer_ = CreateRemoteObject(serverName_);
    } catch (...) {
        Close();
        throw;
    }
}

void SocketConnection::Close()
{
    if (channel_) {
        std::lock_guard guard(channel_->lock);
        channel_->Shut("the connection was closed");
    }
    appServer_.reset();
    channel_.reset();
}

bool SocketConnection::Connected() const { return channel_ && channel_->IsOpen(); }

DispatchPtr SocketConnection::CreateRemoteObject(const std::string& progId)
{
    if (!channel_)
        throw AutomationError("Not connected to an application server");
    ReplyFrame reply = channel_->Exchange([&](uint32_t id) {
        return Frame(CreateFrame { id, progId });
    });
    if (!reply.ok)
        throw AutomationError(reply.error);
    int64_t handle = 0;
    try {
        handle = reply.result.ToInt64();
    } catch (const VariantError&) {
        handle = -1;
    }
    if (handle < 0 || handle > 0xFFFFFFFFLL)
        throw AutomationError("Application server at " + channel_->peer
            + ": the answer to creating " + progId + " is not an object handle");
    return std::make_shared<RemoteObject>(channel_, static_cast<uint32_t>(handle));
}

} // namespace zrv
