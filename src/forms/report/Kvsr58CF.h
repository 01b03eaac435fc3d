#pragma once
// TfrmKvsr58: the window of the purchase receipt and return report KVSR58, the class the library
// registers for its controller to open.

#include "forms/base/BaseGene.h"

namespace zrv {

class TfrmKvsr58 : public TfrmBaseGene {
public:
    explicit TfrmKvsr58(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    static constexpr const char* kServerName = "ReportCounterS.dmReportCounter";

    void FormCreate(TObject* sender) override;
    void ChooseServerName(TSocketConnection* connection) override;
};

} // namespace zrv
