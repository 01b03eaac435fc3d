#pragma once
// TDBLabel: a label attached to a windowed control (FocusControl). It places itself beside the
// control (Pos, Gap) and can take its caption from the display label of the control's data
// field. A control has at most one such label among the components beside it.

#include "platform/components/Label.h"

namespace zrv {

enum class TPos { psTop, psLeft, psRight, psBottom };
const TEnumInfo& PosEnum();

class TDBLabel : public TLabel {
public:
    explicit TDBLabel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Attaches to C and refreshes; refused when another TDBLabel beside this one is attached
    // to C ("不能同时有两个 DBLabel 指到同一个 Control." is shown) or C is the current control.
    void SetFocusControl(TWinControl* control) override;
    bool AutoAlign() const { return autoAlign_; }
    void SetAutoAlign(bool v);
    bool AutoCaption() const { return autoCaption_; }
    void SetAutoCaption(bool v);
    TPos Pos() const { return pos_; }
    void SetPos(TPos v);
    int Gap() const { return gap_; }
    void SetGap(int v); // a byte: 0..255

    // The caption from the data field (when AutoCaption), then the place (when AutoAlign).
    void Refresh();

private:
    void TakeCaption();
    void Place();

    bool autoAlign_ = true;
    bool autoCaption_ = true;
    TPos pos_ = TPos::psLeft;
    int gap_ = 4;
};

} // namespace zrv
