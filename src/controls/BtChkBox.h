#pragma once
// TBitCheckBox: the framework's check box. It draws itself: a picture for each of its three
// states (unchecked, checked, grayed) beside its caption. A state's picture is a strip of one or
// two images, the second shown while the box is disabled. Without pictures of their own the
// states show the module's pictures "UNCHECKED", "CHECKED" and "GRAYED". A picture whose width is
// a whole multiple of its height holds width / height images (at most two); so does one of even
// width at least twice its height (two images that are not square); any other picture keeps the
// count the state had.

#include "platform/components/Bitmap.h"
#include "platform/components/CheckBox.h"
#include "platform/components/CustomControl.h"

#include <array>
#include <memory>

namespace zrv {

// A picture stored with the module under `name` ("CHECKED", "UNCHECKED", "GRAYED"); false
// when there is none.
bool LoadModulePicture(const std::string& name, TBitmap& bitmap);

class TBitCheckBox : public TCustomControl {
public:
    explicit TBitCheckBox(TComponent* owner);
    ~TBitCheckBox() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state); // repaints; raises no event
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool v)
    {
        SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
    }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight v);
    bool Ctl3D() const;
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool v);

    // The picture strips of the states; setting an empty one brings back the module's picture.
    TBitmap* CheckedGlyph() const { return Glyph(TCheckBoxState::cbChecked); }
    void SetCheckedGlyph(TBitmap* b) { SetGlyph(TCheckBoxState::cbChecked, b); }
    TBitmap* UncheckedGlyph() const { return Glyph(TCheckBoxState::cbUnchecked); }
    void SetUncheckedGlyph(TBitmap* b) { SetGlyph(TCheckBoxState::cbUnchecked, b); }
    TBitmap* GrayedGlyph() const { return Glyph(TCheckBoxState::cbGrayed); }
    void SetGrayedGlyph(TBitmap* b) { SetGlyph(TCheckBoxState::cbGrayed, b); }
    TBitmap* Glyph(TCheckBoxState state) const;
    void SetGlyph(TCheckBoxState state, TBitmap* bitmap);
    // Images in each strip, 1 or 2.
    int CheckedNumGlyphs() const { return NumGlyphs(TCheckBoxState::cbChecked); }
    void SetCheckedNumGlyphs(int n) { SetNumGlyphs(TCheckBoxState::cbChecked, n); }
    int UncheckedNumGlyphs() const { return NumGlyphs(TCheckBoxState::cbUnchecked); }
    void SetUncheckedNumGlyphs(int n) { SetNumGlyphs(TCheckBoxState::cbUnchecked, n); }
    int GrayedNumGlyphs() const { return NumGlyphs(TCheckBoxState::cbGrayed); }
    void SetGrayedNumGlyphs(int n) { SetNumGlyphs(TCheckBoxState::cbGrayed, n); }
    int NumGlyphs(TCheckBoxState state) const;
    void SetNumGlyphs(TCheckBoxState state, int n);

    // Unchecked -> grayed (AllowGrayed) or checked; checked -> unchecked; grayed -> checked.
    void Toggle();
    // A click (mouse, space key or code): Toggle, OnClick, then the focus.
    void Click() override;
    // The accelerator: when `key` is the caption's accelerator and the box can take the focus,
    // it takes it and toggles (without OnClick). True when the key was the accelerator.
    bool DialogChar(TKeyChar key) override;

    // Where the caption is drawn (tests and the focus rectangle use it).
    TRect CaptionRect() const;

protected:
    // Called after State changed, whoever changed it.
    virtual void StateChanged() { }
    void Paint() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyPress(TKeyChar& key) override;

private:
    int Index(TCheckBoxState s) const { return static_cast<int>(s); }
    void GlyphChanged(TCheckBoxState state);

    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    std::array<std::unique_ptr<TBitmap>, 3> glyphs_;
    std::array<int, 3> numGlyphs_ { 1, 1, 1 };
    bool loadingDefault_ = false;
};

} // namespace zrv
