#pragma once
// The client side of a connection to an application server over TCP. Opening the connection
// asks the server to create the object named by ServerName; that remote object is then reached
// through an ordinary Dispatch (AppServer), whose calls travel as frames (VariantStream) and
// block until the answer arrives. By-reference arguments come back with the answer.
//
// Nothing here ever waits without a limit: connecting and every call have their timeouts, and
// any failure (refused, timed out, closed, garbled answer) raises AutomationError with a text
// that names the server. After a timeout or a broken stream the connection is closed, since a
// late answer could otherwise be taken for the next call's.

#include "platform/Automation.h"
#include "platform/VariantStream.h"

#include <memory>
#include <string>

namespace zrv {

struct SocketTimeouts {
    int connectMs = 10000; // establishing the TCP connection
    int callMs = 60000; // from sending a call until its whole answer has arrived
};

class SocketConnection {
public:
    SocketConnection();
    ~SocketConnection();
    SocketConnection(const SocketConnection&) = delete;
    SocketConnection& operator=(const SocketConnection&) = delete;

    const std::string& Address() const { return address_; }
    void SetAddress(const std::string& address) { address_ = address; }
    int Port() const { return port_; }
    void SetPort(int port) { port_ = port; }
    const std::string& ServerName() const { return serverName_; }
    void SetServerName(const std::string& progId) { serverName_ = progId; }
    const SocketTimeouts& Timeouts() const { return timeouts_; }
    void SetTimeouts(const SocketTimeouts& timeouts) { timeouts_ = timeouts; }
    const StreamLimits& Limits() const { return limits_; }
    void SetLimits(const StreamLimits& limits) { limits_ = limits; }

    // Connects to Address:Port and creates the ServerName object there. Raises AutomationError.
    void Open();
    // Closes the connection; the remote objects it served fail from then on. Safe to repeat.
    void Close();
    bool Connected() const;
    // The object created by Open; nullptr while not connected.
    DispatchPtr AppServer() const { return Connected() ? appServer_ : nullptr; }
    // Another object on the same connection.
    DispatchPtr CreateRemoteObject(const std::string& progId);

    struct Channel;

private:
    std::string address_;
    int port_ = 211;
    std::string serverName_;
    SocketTimeouts timeouts_;
    StreamLimits limits_;
    std::shared_ptr<Channel> channel_;
    DispatchPtr appServer_;
};

} // namespace zrv
