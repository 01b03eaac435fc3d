#pragma once
// TSpeedButton: a button that never takes the focus, usually flat, showing a glyph strip. With a
// GroupIndex it stays down when clicked and releases the other buttons of its group (same
// parent, same GroupIndex); a down button comes up again only when AllowAllUp.

#include "platform/components/BitBtn.h"
#include "platform/components/CustomControl.h"

#include <memory>

class QToolButton;

namespace zrv {

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QToolButton* ButtonWidget() const;
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int n); // limited to 1..4
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v) { margin_ = v; }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v) { spacing_ = v; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }

protected:
    TSpeedButton(TComponent* owner, QToolButton* handle);
    virtual void NativeClicked();
    void TextChanged() override;
    void UpdateLook();

private:
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = true;
};

} // namespace zrv
