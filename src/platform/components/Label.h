#pragma once
// TLabel: static text. With AutoSize it takes the size of its text; "&" marks an accelerator
// (shown underlined) unless ShowAccelChar is off. Labels draw themselves, so the text sits
// exactly where the classic label puts it (top left, or as Alignment and Layout say).

#include "platform/components/CustomControl.h"

namespace zrv {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return focusControl_; }
    virtual void SetFocusControl(TWinControl* control);

    // The text as shown (without accelerator marks) and its size in the label's font.
    std::string DisplayText() const;
    int TextWidth() const;
    int TextHeight() const;
    // Resizes to the text when AutoSize is on.
    void AdjustBounds();

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

const TEnumInfo& TextLayoutEnum();

} // namespace zrv
