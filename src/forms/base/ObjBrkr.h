#pragma once
// TSimpleObjectBroker: a fixed list of application servers a connection may pick from. The
// windows of this module carry one in their design but connect to the profile's first server
// directly, so the broker stays detached.

#include "platform/components/Component.h"

namespace zrv {

class TSimpleObjectBroker : public TComponent {
public:
    explicit TSimpleObjectBroker(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool LoadBalanced() const { return loadBalanced_; }
    void SetLoadBalanced(bool v) { loadBalanced_ = v; }

private:
    bool loadBalanced_ = false;
};

} // namespace zrv
