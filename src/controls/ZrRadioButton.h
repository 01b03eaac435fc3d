#pragma once
// TZrRadioButton: a native radio button that draws its caption again in its own font and
// colour (also while disabled, where the native button would grey it). Checking one unchecks
// the other TZrRadioButtons of the same parent; only the checked one is a tab stop.

#include "platform/components/Button.h"
#include "platform/components/Canvas.h"

class QPainter;

namespace zrv {

// Where the caption starts, from the client's left edge, for a font of `points` points.
int RadioCaptionIndent(int points);

class TZrRadioButton : public TButtonControl {
public:
    explicit TZrRadioButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool v);
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight v);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v);
    // While set, checking raises no OnClick (a radio group checks its buttons this way).
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool v) { clicksDisabled_ = v; }

    // The area the caption is drawn in, and the drawing itself (after the native painting).
    TRect CaptionArea() const;
    void PaintCaption(QPainter& painter);
    TCanvas& Canvas() { return canvas_; }

protected:
    TZrRadioButton(TComponent* owner, QWidget* handle);
    void NativeClicked() override;
    void EnabledChanged() override;
    // Runs after the button was checked, before OnClick.
    virtual void Changed() { }

private:
    void ApplyLook();
    bool checked_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
    bool ctl3D_ = true;
    bool clicksDisabled_ = false;
    TCanvas canvas_;
};

} // namespace zrv
