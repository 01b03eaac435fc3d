#pragma once
// TGroupBox: a framed container with a caption. Children are placed relative to the box's top
// left corner, caption included.

#include "platform/components/WinControl.h"

class QGroupBox;

namespace zrv {

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TRect AlignRect() const override;
    // The height of the caption text in the box's font.
    int CaptionHeight() const;

protected:
    void TextChanged() override;
};

} // namespace zrv
