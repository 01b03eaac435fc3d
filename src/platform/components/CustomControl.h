#pragma once
// Controls that draw themselves: TCustomControl (windowed, can take the focus) and
// TGraphicControl (not windowed). Derived classes override Paint and draw on Canvas; Invalidate
// asks for a new paint.

#include "platform/components/Canvas.h"
#include "platform/components/WinControl.h"

#include <QWidget>

namespace zrv {

// The widget of self-drawn controls: its paint event draws through the control's Canvas.
class TPaintWidget : public QWidget {
public:
    std::function<void(QPainter&)> paint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() { }
    void FontChanged() override;
    // Draws the control into an image (tests look at the pixels).
public:
    QImage PaintToImage();

private:
    void PaintWith(QPainter& painter);
    TCanvas canvas_;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCanvas& Canvas() { return canvas_; }
    QImage PaintToImage();

protected:
    TGraphicControl(TComponent* owner, QWidget* handle);
    virtual void Paint() { }
    void FontChanged() override;

private:
    void PaintWith(QPainter& painter);
    TCanvas canvas_;
};

} // namespace zrv
