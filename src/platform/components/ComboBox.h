#pragma once
// TComboBox: csDropDown (editable text with a list), csSimple, csDropDownList (choice from the
// list only) and the owner-draw styles (behave as lists). Items lives in the Qt combo box;
// setting ItemIndex or Items from code raises no events. A choice by the user raises OnClick,
// then OnSelect (or OnChange when OnSelect is not assigned); typing raises OnChange.

#include "platform/components/Edit.h"
#include "platform/components/Strings.h"

#include <memory>

class QComboBox;

namespace zrv {

enum class TComboBoxStyle {
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable
};
const TEnumInfo& ComboBoxStyleEnum();

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QComboBox* ComboWidget() const;

    TComboBoxStyle Style() const { return style_; }
    virtual void SetStyle(TComboBoxStyle style);
    bool Editable() const; // csDropDown and csSimple
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items);
    int ItemIndex() const;
    void SetItemIndex(int index); // out of range: -1
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    bool Sorted() const { return sorted_; }
    void SetSorted(bool v);
    int DropDownCount() const;
    void SetDropDownCount(int v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase v) { charCase_ = v; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v) { itemHeight_ = v; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& v) { imeName_ = v; }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode v) { imeMode_ = v; }
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    void Clear();

    // A choice made by the user (tests and keyboard helpers use it too).
    void SelectByUser(int index);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    virtual void Change();
    virtual void Select();
    void ApplyColor() override;

private:
    friend class ComboWidgetImpl;
    friend class TComboBoxStrings;
    void SortItems();

    std::unique_ptr<TStrings> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    bool sorted_ = false;
    int maxLength_ = 0;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    int itemHeight_ = 16;
    std::string imeName_;
    TImeMode imeMode_ = TImeMode::imDontCare;
};

} // namespace zrv
