#include "platform/components/Object.h"

namespace zrv {

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TObject>("TObject", nullptr);
    return info;
}

const TClassInfo& TPersistent::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TPersistent>("TPersistent", TObject::StaticClassInfo());
    return info;
}

bool TPersistent::Assign(const TPersistent&) { return false; }

} // namespace zrv
