#pragma once
// TZrRadioGroup: a group box of TZrGroupButtons, one per line of Items, arranged in Columns
// (1..16) from top to bottom, then left to right. ItemIndex is the checked button (-1: none).

#include "controls/ZrRadioButton.h"
#include "platform/components/GroupBox.h"
#include "platform/components/Strings.h"

#include <memory>
#include <vector>

namespace zrv {

class TZrRadioGroup;

class TZrGroupButton : public TZrRadioButton {
public:
    explicit TZrGroupButton(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TZrRadioGroup* Group() const;

protected:
    void Changed() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(TKeyChar& key) override;
};

class TZrRadioGroup : public TGroupBox {
public:
    explicit TZrRadioGroup(TComponent* owner);
    ~TZrRadioGroup() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index); // limited to -1 .. Items count - 1
    int Columns() const { return columns_; }
    void SetColumns(int n); // limited to 1..16
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TZrGroupButton* Buttons(int index) const;

    void ArrangeButtons();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetEnabled(bool enabled) override;

    TNotifyEvent OnChange;

protected:
    friend class TZrGroupButton;
    void Resize() override;
    void FontChanged() override;
    void ButtonChecked(TZrGroupButton* button);

private:
    void ItemsChanged();
    void CheckButton();

    std::unique_ptr<TStringList> items_;
    std::vector<TZrGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

} // namespace zrv
