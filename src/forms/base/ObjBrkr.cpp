#include "forms/base/ObjBrkr.h"

namespace zrv {

const TClassInfo& TSimpleObjectBroker::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TSimpleObjectBroker>("TSimpleObjectBroker",
        TComponent::StaticClassInfo(), [](TClassBuilder<TSimpleObjectBroker>& c) {
            c.Bool("LoadBalanced", &TSimpleObjectBroker::LoadBalanced,
                &TSimpleObjectBroker::SetLoadBalanced);
        });
    return info;
}

TSimpleObjectBroker::TSimpleObjectBroker(TComponent* owner)
    : TComponent(owner)
{
}

} // namespace zrv
