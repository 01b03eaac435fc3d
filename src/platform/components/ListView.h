#pragma once
// TListView: a list of items with captions and sub-items, shown in columns in the report
// style (vsReport) and as a plain list of captions in the other styles. Items are selected
// (one or, with MultiSelect, many), can be sorted (AlphaSort, CustomSort, SortType) and, unless
// ReadOnly, renamed in place: OnEditing may refuse, OnEdited may change the new caption.

#include "platform/components/Collection.h"
#include "platform/components/Strings.h"
#include "platform/components/WinControl.h"

#include <functional>
#include <memory>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace zrv {

class TListView;
class TListItems;
class TImageList;

class TListColumn : public TCollectionItem {
public:
    explicit TListColumn(TCollection* collection);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    int Width() const;
    void SetWidth(int w);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) { autoSize_ = v; }
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int v) { minWidth_ = v; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int v) { maxWidth_ = v; }
    int Tag() const { return tag_; }
    void SetTag(int v) { tag_ = v; }

private:
    friend class TListView;
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = false;
    int minWidth_ = 0;
    int maxWidth_ = 0;
    int tag_ = 0;
};

class TListColumns : public TCollection {
public:
    explicit TListColumns(TListView* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TListColumn* Items(int index) const
    {
        return static_cast<TListColumn*>(TCollection::Items(index));
    }
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListView* Owner() const { return owner_; }

private:
    TListView* owner_;
};

class TListItem : public TPersistent {
public:
    explicit TListItem(TListItems* owner);
    ~TListItem() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TListItems* Owner() const { return owner_; }
    TListView* ListView() const;
    int Index() const;
    std::string Caption() const;
    void SetCaption(const std::string& c);
    TStrings* SubItems() const { return subItems_.get(); }
    void SetSubItems(TStrings* s);
    bool Selected() const;
    void SetSelected(bool v);
    bool Focused() const;
    void SetFocused(bool v);
    bool Checked() const;
    void SetChecked(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    void* Data() const { return data_; }
    void SetData(void* d) { data_ = d; }
    // Deletes the item from its list (and frees it).
    void Delete();
    // Starts editing the caption in place (nothing when the list view is read-only).
    bool EditCaption();
    void MakeVisible();
    QTreeWidgetItem* WidgetItem() const { return item_; }

private:
    friend class TListItems;
    friend class TListView;
    friend class TSubItems;
    TListItems* owner_;
    QTreeWidgetItem* item_;
    std::unique_ptr<TStrings> subItems_;
    int imageIndex_ = -1;
    void* data_ = nullptr;
    bool selectedCache_ = false;
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TListView* owner);
    ~TListItems() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TListView* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    void BeginUpdate();
    void EndUpdate();

    int IndexedCount() const override { return Count(); }
    TObject* IndexedItem(int index) override { return Item(index); }
    bool Assign(const TPersistent& source) override;

private:
    friend class TListView;
    friend class TListItem;
    TListView* owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
    int updateCount_ = 0;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum class TSortType { stNone, stData, stText, stBoth };
enum class TItemChange { ctText, ctImage, ctState };
const TEnumInfo& ViewStyleEnum();
const TEnumInfo& SortTypeEnum();

using TLVChangeEvent = TEvent<TObject*, TListItem*, TItemChange>;
using TLVChangingEvent = TEvent<TObject*, TListItem*, TItemChange, bool&>;
using TLVSelectItemEvent = TEvent<TObject*, TListItem*, bool>;
using TLVColumnClickEvent = TEvent<TObject*, TListColumn*>;
using TLVEditingEvent = TEvent<TObject*, TListItem*, bool&>;
using TLVEditedEvent = TEvent<TObject*, TListItem*, std::string&>;
using TLVCompareEvent = TEvent<TObject*, TListItem*, TListItem*, int, int&>;
using TLVDeletedEvent = TEvent<TObject*, TListItem*>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    QTreeWidget* TreeWidget() const;

    TListColumns* Columns() const { return columns_.get(); }
    void SetColumns(TListColumns* c);
    TListItems* Items() const { return items_.get(); }
    void SetItems(TListItems* items);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle v);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v) { rowSelect_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool v);
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool v) { columnClick_ = v; }
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool v);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool v);
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType v);
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* v);
    TImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TImageList* v);

    TListItem* Selected() const; // the first selected item
    void SetSelected(TListItem* item); // selects only this item (nullptr: none)
    int SelCount() const;
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    void ClearSelection();
    TListItem* FindCaption(
        int start, const std::string& caption, bool partial, bool inclusive, bool wrap) const;
    bool IsEditing() const;

    // Sorting: by OnCompare when assigned, else by caption without regard to case.
    bool AlphaSort();
    bool CustomSort(const std::function<int(TListItem*, TListItem*)>& compare);

    void Notification(TComponent* component, TOperation operation) override;

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVCompareEvent OnCompare;
    TLVDeletedEvent OnDeletion;
    TLVDeletedEvent OnInsert;

    // Called by the item editor.
    bool CanEdit(TListItem* item);
    void Edited(TListItem* item, std::string& text);
    static TListItem* FromWidgetItem(const QTreeWidgetItem* item);

protected:
    void ApplyColor() override;

private:
    friend class TListItems;
    friend class TListItem;
    friend class TListColumns;
    void ColumnsChanged();
    void SelectionChangedByQt();
    void ItemAdded(TListItem* item);
    void SortIfNeeded();
    void ApplyViewStyle();

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool multiSelect_ = false;
    bool rowSelect_ = false;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool showColumnHeaders_ = true;
    bool columnClick_ = true;
    bool gridLines_ = false;
    bool checkboxes_ = false;
    TSortType sortType_ = TSortType::stNone;
    TImageList* smallImages_ = nullptr;
    TImageList* largeImages_ = nullptr;
    bool quietSelection_ = false;
};

} // namespace zrv
