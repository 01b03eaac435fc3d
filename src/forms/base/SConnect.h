#pragma once
// TSocketConnection: the component a window reaches its application server through. It holds
// the address, port and server name, opens the TCP connection of the platform layer and yields
// the server object (AppServer). When the server object was made on this computer instead, it is
// handed to the connection, which then serves it as its application server without a socket.

#include "platform/Automation.h"
#include "platform/SocketConnection.h"
#include "platform/components/Component.h"

#include <memory>
#include <string>

namespace zrv {

class TSimpleObjectBroker;

class TSocketConnection : public TComponent {
public:
    explicit TSocketConnection(TComponent* owner);
    ~TSocketConnection() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Address() const { return socket_->Address(); }
    void SetAddress(const std::string& address) { socket_->SetAddress(address); }
    int Port() const { return socket_->Port(); }
    void SetPort(int port) { socket_->SetPort(port); }
    const std::string& ServerName() const { return socket_->ServerName(); }
    void SetServerName(const std::string& name) { socket_->SetServerName(name); }
    bool SupportCallbacks() const { return supportCallbacks_; }
    void SetSupportCallbacks(bool v) { supportCallbacks_ = v; }
    TSimpleObjectBroker* ObjectBroker() const { return broker_; }
    void SetObjectBroker(TSimpleObjectBroker* broker);
    const SocketTimeouts& Timeouts() const { return socket_->Timeouts(); }
    void SetTimeouts(const SocketTimeouts& timeouts) { socket_->SetTimeouts(timeouts); }

    bool Connected() const;
    // Connecting opens the socket and creates the ServerName object there (raises
    // AutomationError when that fails); disconnecting closes the socket and forgets a server
    // object that was handed over.
    void SetConnected(bool connected);
    // The server object: the one handed over, else the socket's; empty when not connected.
    Variant AppServer() const;
    // Serves an object made on this computer as the application server.
    void SetLocalAppServer(const Variant& server);

    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<SocketConnection> socket_;
    Variant localServer_;
    TSimpleObjectBroker* broker_ = nullptr;
    bool supportCallbacks_ = false;
};

} // namespace zrv
