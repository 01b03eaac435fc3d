#include "forms/base/SConnect.h"

#include "forms/base/ObjBrkr.h"

namespace zrv {

const TClassInfo& TSocketConnection::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TSocketConnection>("TSocketConnection",
        TComponent::StaticClassInfo(), [](TClassBuilder<TSocketConnection>& c) {
            c.Text("Address", &TSocketConnection::Address, &TSocketConnection::SetAddress);
            c.Int("Port", &TSocketConnection::Port, &TSocketConnection::SetPort);
            c.Text("ServerName", &TSocketConnection::ServerName, &TSocketConnection::SetServerName);
            c.Bool("SupportCallbacks", &TSocketConnection::SupportCallbacks,
                &TSocketConnection::SetSupportCallbacks);
            c.Reference<TSimpleObjectBroker>("ObjectBroker", &TSocketConnection::ObjectBroker,
                &TSocketConnection::SetObjectBroker);
        });
    return info;
}

TSocketConnection::TSocketConnection(TComponent* owner)
    : TComponent(owner)
    , socket_(std::make_unique<SocketConnection>())
{
}

TSocketConnection::~TSocketConnection()
{
    localServer_ = Variant();
    socket_->Close();
}

void TSocketConnection::SetObjectBroker(TSimpleObjectBroker* broker)
{
    if (broker_ == broker)
        return;
    if (broker_)
        broker_->RemoveFreeNotification(this);
    broker_ = broker;
    if (broker_)
        broker_->FreeNotification(this);
}

bool TSocketConnection::Connected() const
{
    return !localServer_.IsEmpty() || socket_->Connected();
}

void TSocketConnection::SetConnected(bool connected)
{
    if (connected) {
        if (!Connected())
            socket_->Open();
        return;
    }
    localServer_ = Variant();
    socket_->Close();
}

Variant TSocketConnection::AppServer() const
{
    if (!localServer_.IsEmpty())
        return localServer_;
    DispatchPtr remote = socket_->AppServer();
    return remote ? Variant(remote) : Variant();
}

void TSocketConnection::SetLocalAppServer(const Variant& server)
{
    socket_->Close();
    localServer_ = server;
}

void TSocketConnection::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == broker_)
        broker_ = nullptr;
}

} // namespace zrv
