#pragma once
// Menus: TMenuItem (caption "-" is a separator; radio items with the same GroupIndex exclude one
// another), TMenu with its root item, and TPopupMenu, shown by a control's PopupMenu or a tool
// button's DropdownMenu. The Qt menu is rebuilt from the items each time it opens.

#include "platform/components/Component.h"
#include "platform/components/Event.h"

#include <QPointer>
#include <string>
#include <vector>

class QMenu;

namespace zrv {

class TMenu;
class TImageList;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    bool IsLine() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v) { groupIndex_ = v; }
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool v) { autoCheck_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    bool Default() const { return default_; }
    void SetDefault(bool v) { default_ = v; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h) { hint_ = h; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v) { imageIndex_ = v; }
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int v) { shortCut_ = v; }

    // Sub-items.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index); // frees the item
    void Clear(); // frees every sub-item
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    TMenuItem* Find(std::string_view caption) const; // ignores "&"

    // Checks (AutoCheck) and raises OnClick when enabled.
    virtual void Click();

    TComponent* GetParentComponent() const override;
    bool SetParentComponent(TComponent* parent) override;
    int IndexedCount() const override { return Count(); }
    TObject* IndexedItem(int index) override { return Items(index); }

    TNotifyEvent OnClick;

private:
    friend class TMenu;
    void TurnSiblingsOff();

    std::string caption_;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    std::string hint_;
    int imageIndex_ = -1;
    int shortCut_ = 0;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on the root item
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TMenuItem* Items() const { return items_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v) { ownerDraw_ = v; }
    TMenuItem* FindItem(std::string_view name) const; // by component name, at any depth

    int IndexedCount() const override { return items_->Count(); }
    TObject* IndexedItem(int index) override { return items_->Items(index); }
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* items_;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool v) { autoPopup_ = v; }
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c) { popupComponent_ = c; }

    // Raises OnPopup and opens the menu at screen position (x, y) without waiting.
    virtual void Popup(int x, int y);
    // The Qt menu (rebuilt from the items whenever it opens), for tool buttons.
    QMenu* QtMenu();
    // Builds the Qt menu now (tests look at it without opening it).
    void Rebuild();

    TNotifyEvent OnPopup;

private:
    QPointer<QMenu> menu_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

} // namespace zrv
