#pragma once
// TToolBar and TToolButton. The tool bar lines its buttons up from the left in the order of
// their Left positions; buttons are ButtonWidth x ButtonHeight, separators keep their own
// width. A tbsDropDown button opens its DropdownMenu from its arrow; a tbsCheck button stays
// down when clicked (Grouped ones release their neighbours).

#include "platform/components/CustomControl.h"
#include "platform/components/WinControl.h"

class QToolButton;

namespace zrv {

class TImageList;
class TPopupMenu;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TEnumInfo& ToolButtonStyleEnum();

class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QToolButton* ButtonWidget() const;
    TToolBar* ToolBar() const;
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    bool Down() const { return down_; }
    void SetDown(bool v);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool v) { grouped_ = v; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v) { allowAllUp_ = v; }
    bool Wrap() const { return wrap_; }
    void SetWrap(bool v) { wrap_ = v; }
    bool IsSeparator() const
    {
        return style_ == TToolButtonStyle::tbsSeparator || style_ == TToolButtonStyle::tbsDivider;
    }

    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;
    void UpdateLook();
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void TextChanged() override;
    void VisibleChanged() override;

private:
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int imageIndex_ = -1;
    TPopupMenu* dropdownMenu_ = nullptr;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    bool wrap_ = false;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool v);
    bool List() const { return list_; }
    void SetList(bool v) { list_ = v; }
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool v) { wrapable_ = v; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int ButtonCount() const;
    TToolButton* Buttons(int index) const;

    // Lines the buttons up; runs whenever a button comes, goes or changes size.
    void ArrangeButtons();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void InsertControl(TControl* control) override;
    void Resize() override;

private:
    bool arranging_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool flat_ = false;
    bool showCaptions_ = false;
    bool list_ = false;
    bool wrapable_ = true;
    TImageList* images_ = nullptr;
};

} // namespace zrv
