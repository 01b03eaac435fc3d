#pragma once
// TSplitter: a bar between an aligned control and the rest of its parent; dragging it resizes
// that control (the neighbour aligned the same way, just before the splitter). MinSize keeps
// both sides at least that wide. OnMoved runs after a drag.

#include "platform/components/CustomControl.h"

namespace zrv {

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
const TEnumInfo& ResizeStyleEnum();

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int MinSize() const { return minSize_; }
    void SetMinSize(int v) { minSize_ = std::max(v, 1); }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool v);
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle v) { resizeStyle_ = v; }

    // The control the splitter resizes (nullptr when there is none).
    TControl* FindControl() const;
    // Moves the splitter by `delta` pixels (positive: right or down), as a drag would.
    void MoveBy(int delta);

    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseMove(TShiftState shift, int x, int y) override;
    void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Horizontal() const; // alTop / alBottom: the bar runs across
    int minSize_ = 30;
    bool beveled_ = false;
    TResizeStyle resizeStyle_ = TResizeStyle::rsPattern;
    bool dragging_ = false;
    int dragStart_ = 0;
    int moved_ = 0;
};

} // namespace zrv
