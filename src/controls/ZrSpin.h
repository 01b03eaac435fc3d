#pragma once
// TZrSpinEdit: the spin edit of the option forms. A sign typed after the first character is
// dropped again, and an empty text raises no change event.

#include "platform/components/SpinEdit.h"

namespace zrv {

class TZrSpinEdit : public TSpinEdit {
public:
    explicit TZrSpinEdit(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
    void Change() override;
};

} // namespace zrv
