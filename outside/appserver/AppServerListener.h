#pragma once
// The server side of the socket connection: listens on an address and port, gives each client
// connection its own thread and its own objects (created by name through a factory), and
// answers the call frames of VariantStream. Objects live until their client releases them or
// disconnects. Stop ends every connection and waits for the threads.

#include "platform/Automation.h"
#include "platform/VariantStream.h"

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace zrv {

class AppServerListener {
public:
    // Returns the object for a class name, or nullptr when this server does not serve it.
    using Factory = std::function<DispatchPtr(const std::string& progId)>;

    explicit AppServerListener(Factory factory, StreamLimits limits = {});
    ~AppServerListener();
    AppServerListener(const AppServerListener&) = delete;
    AppServerListener& operator=(const AppServerListener&) = delete;

    // Binds and starts serving; port 0 takes a free port. Returns the port. Raises
    // std::runtime_error with the reason when the address cannot be used.
    int Start(const std::string& address, int port);
    void Stop();
    int Port() const { return port_; }
    int ActiveConnections() const { return active_; }

    // Where connection events and failures are reported (one line each); none by default.
    void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

private:
    struct Session;
    void AcceptLoop();
    void Serve(int fd, std::string peer);
    void Log(const std::string& line) const;

    Factory factory_;
    StreamLimits limits_;
    std::function<void(const std::string&)> log_;
    int listenFd_ = -1;
    int stopFd_ = -1; // an eventfd that wakes every waiting thread on Stop
    int port_ = 0;
    std::atomic<int> active_ { 0 };
    std::thread acceptor_;
    std::mutex sessionsLock_;
    std::list<std::unique_ptr<Session>> sessions_;
};

} // namespace zrv
