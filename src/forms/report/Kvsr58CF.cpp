#include "forms/report/Kvsr58CF.h"

#include "forms/base/SConnect.h"

namespace zrv {

const TClassInfo& TfrmKvsr58::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TfrmKvsr58>("TfrmKvsr58", TfrmBaseGene::StaticClassInfo());
    return info;
}

TfrmKvsr58::TfrmKvsr58(TComponent* owner)
    : TfrmBaseGene(owner)
{
}

void TfrmKvsr58::FormCreate(TObject* sender)
{
    TfrmBaseGene::FormCreate(sender);
    ModuleVersion = "890619";
}

void TfrmKvsr58::ChooseServerName(TSocketConnection* connection)
{
    // Every report of this module runs on the report counter; the options form takes this
    // choice over once it is in place.
    TfrmBaseGene::ChooseServerName(connection);
    connection->SetServerName(kServerName);
}

} // namespace zrv
