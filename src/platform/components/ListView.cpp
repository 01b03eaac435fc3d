#include "platform/components/ListView.h"

#include "platform/components/ImageList.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>
#include <numeric>

namespace zrv {

const TEnumInfo& ViewStyleEnum()
{
    static const TEnumInfo info { "TViewStyle", { "vsIcon", "vsSmallIcon", "vsList", "vsReport" } };
    return info;
}

const TEnumInfo& SortTypeEnum()
{
    static const TEnumInfo info { "TSortType", { "stNone", "stData", "stText", "stBoth" } };
    return info;
}

namespace {
    int CompareNoCase(const std::string& a, const std::string& b)
    {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
    }

    // In-place editing of captions, asking the list view first and telling it afterwards.
    class ItemDelegate : public QStyledItemDelegate {
    public:
        explicit ItemDelegate(TListView* lv)
            : lv_(lv)
        {
        }
        QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
            const QModelIndex& index) const override
        {
            if (index.column() != 0)
                return nullptr;
            TListItem* item = static_cast<TListItem*>(index.data(Qt::UserRole).value<void*>());
            if (!item || !lv_->CanEdit(item))
                return nullptr;
            return QStyledItemDelegate::createEditor(parent, option, index);
        }
        void setModelData(
            QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
        {
            auto* e = qobject_cast<QLineEdit*>(editor);
            TListItem* item = static_cast<TListItem*>(index.data(Qt::UserRole).value<void*>());
            if (!e || !item)
                return;
            std::string text = e->text().toStdString();
            lv_->Edited(item, text);
            if (TComponent::IsLive(lv_) && lv_->Items()->IndexOf(item) >= 0)
                item->SetCaption(text);
            (void)model;
        }

    private:
        TListView* lv_;
    };
} // namespace

// The sub-item texts of a list item, shown in columns 1, 2, ...
class TSubItems : public TStrings {
public:
    explicit TSubItems(TListItem* item)
        : item_(item)
    {
    }
    int Count() const override { return static_cast<int>(lines_.size()); }
    std::string Get(int index) const override
    {
        if (index < 0 || index >= Count())
            return {};
        return lines_[static_cast<size_t>(index)];
    }
    void Put(int index, const std::string& s) override
    {
        if (index < 0 || index >= Count())
            return;
        lines_[static_cast<size_t>(index)] = s;
        Show();
    }
    void Insert(int index, const std::string& s) override
    {
        index = std::clamp(index, 0, Count());
        lines_.insert(lines_.begin() + index, s);
        Show();
    }
    void Delete(int index) override
    {
        if (index < 0 || index >= Count())
            return;
        lines_.erase(lines_.begin() + index);
        Show();
    }
    void Clear() override
    {
        lines_.clear();
        Show();
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating)
            Show();
    }

private:
    void Show()
    {
        if (UpdateCount() > 0 || !item_->item_)
            return;
        QTreeWidgetItem* w = item_->item_;
        int columns = std::max(w->columnCount(), Count() + 1);
        for (int i = 1; i < columns; ++i)
            w->setText(i,
                i - 1 < Count() ? QString::fromStdString(lines_[static_cast<size_t>(i - 1)])
                                : QString());
    }
    TListItem* item_;
    std::vector<std::string> lines_;
};

// ---------------------------------------------------------------------------------------------

const TClassInfo& TListColumn::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TListColumn>(
        "TListColumn", TCollectionItem::StaticClassInfo(), [](TClassBuilder<TListColumn>& c) {
            c.Text("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
            c.Int("Width", &TListColumn::Width, &TListColumn::SetWidth);
            c.Enum(
                "Alignment", AlignmentEnum(), &TListColumn::Alignment, &TListColumn::SetAlignment);
            c.Bool("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize);
            c.Int("MinWidth", &TListColumn::MinWidth, &TListColumn::SetMinWidth);
            c.Int("MaxWidth", &TListColumn::MaxWidth, &TListColumn::SetMaxWidth);
            c.Int("Tag", &TListColumn::Tag, &TListColumn::SetTag);
        });
    return info;
}

TListColumn::TListColumn(TCollection* collection)
    : TCollectionItem(collection)
{
}

void TListColumn::SetCaption(const std::string& c)
{
    caption_ = c;
    Changed();
}

int TListColumn::Width() const
{
    auto* cols = static_cast<TListColumns*>(Collection());
    int i = Index();
    if (cols && cols->Owner() && i >= 0 && i < cols->Owner()->TreeWidget()->columnCount()
        && !cols->Owner()->TreeWidget()->isColumnHidden(i))
        return cols->Owner()->TreeWidget()->columnWidth(i);
    return width_;
}

void TListColumn::SetWidth(int w)
{
    width_ = std::max(w, 0);
    Changed();
}

void TListColumn::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Changed();
}

const TClassInfo& TListColumns::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TListColumns>("TListColumns", TCollection::StaticClassInfo());
    return info;
}

TListColumns::TListColumns(TListView* owner)
    : TCollection([](TCollection* c) { return new TListColumn(c); })
    , owner_(owner)
{
    OnUpdate = [this](TCollectionItem*) { owner_->ColumnsChanged(); };
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TListItem::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TListItem>(
        "TListItem", TPersistent::StaticClassInfo(), [](TClassBuilder<TListItem>& c) {
            c.Text("Caption", &TListItem::Caption, &TListItem::SetCaption);
            c.Object<TStrings>("SubItems", &TListItem::SubItems, &TListItem::SetSubItems);
            c.Bool("Selected", &TListItem::Selected, &TListItem::SetSelected);
            c.Bool("Checked", &TListItem::Checked, &TListItem::SetChecked);
            c.Int("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex);
        });
    return info;
}

TListItem::TListItem(TListItems* owner)
    : owner_(owner)
    , item_(new QTreeWidgetItem)
    , subItems_(std::make_unique<TSubItems>(this))
{
    item_->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(this)));
}

TListItem::~TListItem()
{
    QTreeWidgetItem* w = item_;
    item_ = nullptr;
    delete w;
}

TListView* TListItem::ListView() const { return owner_ ? owner_->Owner() : nullptr; }
int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }
std::string TListItem::Caption() const { return item_->text(0).toStdString(); }

void TListItem::SetCaption(const std::string& c)
{
    QString text = QString::fromStdString(c);
    if (text == item_->text(0))
        return;
    item_->setText(0, text);
    if (TListView* lv = ListView()) {
        if (lv->EventsEnabled())
            lv->OnChange(lv, this, TItemChange::ctText);
        lv->SortIfNeeded();
    }
}

void TListItem::SetSubItems(TStrings* s)
{
    if (s && s != subItems_.get())
        subItems_->Assign(*s);
}

bool TListItem::Selected() const { return item_->isSelected(); }
void TListItem::SetSelected(bool v) { item_->setSelected(v); }

bool TListItem::Focused() const
{
    TListView* lv = ListView();
    return lv && lv->TreeWidget()->currentItem() == item_;
}

void TListItem::SetFocused(bool v)
{
    TListView* lv = ListView();
    if (!lv)
        return;
    QTreeWidget* t = lv->TreeWidget();
    if (v)
        t->setCurrentItem(item_, 0, QItemSelectionModel::NoUpdate);
    else if (t->currentItem() == item_)
        t->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
}

bool TListItem::Checked() const { return item_->checkState(0) == Qt::Checked; }
void TListItem::SetChecked(bool v) { item_->setCheckState(0, v ? Qt::Checked : Qt::Unchecked); }

void TListItem::SetImageIndex(int v)
{
    imageIndex_ = v;
    TListView* lv = ListView();
    TImageList* images = lv ? (lv->SmallImages() ? lv->SmallImages() : lv->LargeImages()) : nullptr;
    item_->setIcon(0, images ? images->Icon(v) : QIcon());
}

void TListItem::Delete()
{
    if (owner_)
        owner_->Delete(Index());
}

bool TListItem::EditCaption()
{
    TListView* lv = ListView();
    if (!lv || lv->ReadOnly())
        return false;
    lv->TreeWidget()->setCurrentItem(item_);
    lv->TreeWidget()->editItem(item_, 0);
    return true;
}

void TListItem::MakeVisible()
{
    if (TListView* lv = ListView())
        lv->TreeWidget()->scrollToItem(item_);
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TListItems::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TListItems>("TListItems", TPersistent::StaticClassInfo(),
            [](TClassBuilder<TListItems>& c) { c.ReadOnlyInt("Count", &TListItems::Count); });
    return info;
}

TListItems::TListItems(TListView* owner)
    : owner_(owner)
{
}

TListItems::~TListItems()
{
    while (!items_.empty())
        items_.pop_back();
}

TListItem* TListItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>(this);
    TListItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    owner_->ItemAdded(raw);
    QTreeWidget* t = owner_->TreeWidget();
    t->insertTopLevelItem(index, raw->item_);
    if (owner_->EventsEnabled())
        owner_->OnInsert(owner_, raw);
    return raw;
}

void TListItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    TListItem* item = Item(index);
    if (owner_->EventsEnabled())
        owner_->OnDeletion(owner_, item);
    std::unique_ptr<TListItem> gone = std::move(items_[static_cast<size_t>(index)]);
    items_.erase(items_.begin() + index);
    bool quiet = owner_->quietSelection_;
    owner_->quietSelection_ = true;
    gone.reset();
    owner_->quietSelection_ = quiet;
}

void TListItems::Clear()
{
    BeginUpdate();
    while (!items_.empty())
        Delete(Count() - 1);
    EndUpdate();
}

int TListItems::IndexOf(const TListItem* item) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

void TListItems::BeginUpdate()
{
    if (updateCount_++ == 0)
        owner_->TreeWidget()->setUpdatesEnabled(false);
}

void TListItems::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) {
        owner_->TreeWidget()->setUpdatesEnabled(true);
        owner_->SortIfNeeded();
    }
}

bool TListItems::Assign(const TPersistent& source)
{
    auto* other = dynamic_cast<const TListItems*>(&source);
    if (!other)
        return false;
    if (other == this)
        return true;
    BeginUpdate();
    Clear();
    for (int i = 0; i < other->Count(); ++i) {
        TListItem* from = other->Item(i);
        TListItem* to = Add();
        to->SetCaption(from->Caption());
        to->SubItems()->Assign(*from->SubItems());
        to->SetImageIndex(from->ImageIndex());
        to->SetData(from->Data());
    }
    EndUpdate();
    return true;
}

// ---------------------------------------------------------------------------------------------

const TClassInfo& TListView::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TListView>(
        "TListView", TWinControl::StaticClassInfo(), [](TClassBuilder<TListView>& c) {
            c.Object<TListColumns>("Columns", &TListView::Columns, &TListView::SetColumns);
            c.Object<TListItems>("Items", &TListView::Items, &TListView::SetItems);
            c.Enum("ViewStyle", ViewStyleEnum(), &TListView::ViewStyle, &TListView::SetViewStyle);
            c.Bool("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
            c.Bool("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
            c.Bool("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
            c.Bool("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
            c.Bool("ShowColumnHeaders", &TListView::ShowColumnHeaders,
                &TListView::SetShowColumnHeaders);
            c.Bool("ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick);
            c.Bool("GridLines", &TListView::GridLines, &TListView::SetGridLines);
            c.Bool("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes);
            c.Enum("SortType", SortTypeEnum(), &TListView::SortType, &TListView::SetSortType);
            c.Reference<TImageList>(
                "SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
            c.Reference<TImageList>(
                "LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
            c.Event("OnChange", &TListView::OnChange);
            c.Event("OnChanging", &TListView::OnChanging);
            c.Event("OnSelectItem", &TListView::OnSelectItem);
            c.Event("OnColumnClick", &TListView::OnColumnClick);
            c.Event("OnEditing", &TListView::OnEditing);
            c.Event("OnEdited", &TListView::OnEdited);
            c.Event("OnCompare", &TListView::OnCompare);
            c.Event("OnDeletion", &TListView::OnDeletion);
            c.Event("OnInsert", &TListView::OnInsert);
        });
    return info;
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner, NewHandle<QTreeWidget>())
    , columns_(std::make_unique<TListColumns>(this))
    , items_(std::make_unique<TListItems>(this))
{
    QTreeWidget* t = TreeWidget();
    t->setRootIsDecorated(false);
    t->setItemsExpandable(false);
    t->setUniformRowHeights(true);
    t->setAllColumnsShowFocus(true);
    t->setItemDelegate(new ItemDelegate(this));
    t->header()->setStretchLastSection(false);
    t->header()->setSectionsMovable(false);
    RegisterInnerWidget(t->viewport());
    RegisterInnerWidget(t->header());
    SetTabStop(true);
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetReadOnly(false);
    SetMultiSelect(false);
    ColumnsChanged();
    QObject::connect(t, &QTreeWidget::itemSelectionChanged, t, [this] {
        if (!IsDestroying())
            SelectionChangedByQt();
    });
    QObject::connect(t->header(), &QHeaderView::sectionClicked, t, [this](int section) {
        if (EventsEnabled() && columnClick_)
            OnColumnClick(this, columns_->Items(section));
    });
}

TListView::~TListView()
{
    Destroying();
    quietSelection_ = true;
    items_.reset();
}

QTreeWidget* TListView::TreeWidget() const { return static_cast<QTreeWidget*>(Handle()); }

TListItem* TListView::FromWidgetItem(const QTreeWidgetItem* item)
{
    return item ? static_cast<TListItem*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

void TListView::SetColumns(TListColumns* c)
{
    if (c && c != columns_.get())
        columns_->Assign(*c);
}

void TListView::SetItems(TListItems* items)
{
    if (items && items != items_.get())
        items_->Assign(*items);
}

void TListView::ColumnsChanged()
{
    QTreeWidget* t = TreeWidget();
    int n = columns_->Count();
    t->setColumnCount(std::max(n, 1));
    QStringList labels;
    for (int i = 0; i < n; ++i)
        labels << QString::fromStdString(columns_->Items(i)->Caption());
    if (n == 0)
        labels << QString();
    t->setHeaderLabels(labels);
    for (int i = 0; i < n; ++i) {
        TListColumn* c = columns_->Items(i);
        t->setColumnWidth(i, c->width_);
        Qt::Alignment a = c->Alignment() == TAlignment::taRightJustify ? Qt::AlignRight
            : c->Alignment() == TAlignment::taCenter                   ? Qt::AlignHCenter
                                                                       : Qt::AlignLeft;
        t->headerItem()->setTextAlignment(i, a | Qt::AlignVCenter);
        for (const auto& item : items_->items_)
            item->item_->setTextAlignment(i, a | Qt::AlignVCenter);
    }
    ApplyViewStyle();
}

void TListView::ApplyViewStyle()
{
    QTreeWidget* t = TreeWidget();
    bool report = viewStyle_ == TViewStyle::vsReport;
    t->setHeaderHidden(!report || !showColumnHeaders_);
    for (int i = 1; i < t->columnCount(); ++i)
        t->setColumnHidden(i, !report);
    if (!report && t->columnCount() > 0)
        t->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    else if (t->columnCount() > 0)
        t->header()->setSectionResizeMode(0, QHeaderView::Interactive);
}

void TListView::SetViewStyle(TViewStyle v)
{
    viewStyle_ = v;
    ApplyViewStyle();
    if (v == TViewStyle::vsReport)
        ColumnsChanged();
}

void TListView::SetMultiSelect(bool v)
{
    multiSelect_ = v;
    TreeWidget()->setSelectionMode(
        v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TListView::SetReadOnly(bool v)
{
    readOnly_ = v;
    TreeWidget()->setEditTriggers(v
            ? QAbstractItemView::NoEditTriggers
            : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    for (const auto& item : items_->items_)
        ItemAdded(item.get());
}

void TListView::SetHideSelection(bool v)
{
    hideSelection_ = v;
    ApplyColor();
}

void TListView::SetShowColumnHeaders(bool v)
{
    showColumnHeaders_ = v;
    ApplyViewStyle();
}

void TListView::SetGridLines(bool v)
{
    gridLines_ = v;
    TreeWidget()->setStyleSheet(
        v ? "QTreeView::item { border-right: 1px solid #c0c0c0; border-bottom: 1px solid #c0c0c0; }"
          : "");
}

void TListView::SetCheckboxes(bool v)
{
    checkboxes_ = v;
    for (const auto& item : items_->items_)
        ItemAdded(item.get());
}

void TListView::SetSortType(TSortType v)
{
    sortType_ = v;
    SortIfNeeded();
}

void TListView::SetSmallImages(TImageList* v)
{
    if (smallImages_)
        smallImages_->RemoveFreeNotification(this);
    smallImages_ = v;
    if (v)
        v->FreeNotification(this);
}

void TListView::SetLargeImages(TImageList* v)
{
    if (largeImages_)
        largeImages_->RemoveFreeNotification(this);
    largeImages_ = v;
    if (v)
        v->FreeNotification(this);
}

void TListView::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == smallImages_)
        smallImages_ = nullptr;
    if (component == largeImages_)
        largeImages_ = nullptr;
}

void TListView::ItemAdded(TListItem* item)
{
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!readOnly_)
        f |= Qt::ItemIsEditable;
    if (checkboxes_) {
        f |= Qt::ItemIsUserCheckable;
        if (item->item_->data(0, Qt::CheckStateRole).isNull())
            item->item_->setCheckState(0, Qt::Unchecked);
    }
    item->item_->setFlags(f);
}

TListItem* TListView::Selected() const
{
    for (const auto& item : items_->items_)
        if (item->item_->isSelected())
            return item.get();
    return nullptr;
}

void TListView::SetSelected(TListItem* item)
{
    QTreeWidget* t = TreeWidget();
    t->clearSelection();
    if (item) {
        item->item_->setSelected(true);
        t->setCurrentItem(item->item_, 0, QItemSelectionModel::NoUpdate);
    }
}

int TListView::SelCount() const
{
    int n = 0;
    for (const auto& item : items_->items_)
        if (item->item_->isSelected())
            ++n;
    return n;
}

TListItem* TListView::ItemFocused() const { return FromWidgetItem(TreeWidget()->currentItem()); }

void TListView::SetItemFocused(TListItem* item)
{
    TreeWidget()->setCurrentItem(item ? item->item_ : nullptr, 0, QItemSelectionModel::NoUpdate);
}

void TListView::ClearSelection() { TreeWidget()->clearSelection(); }

TListItem* TListView::FindCaption(
    int start, const std::string& caption, bool partial, bool inclusive, bool wrap) const
{
    int n = items_->Count();
    if (n == 0)
        return nullptr;
    QString wanted = QString::fromStdString(caption);
    int first = inclusive ? start : start + 1;
    for (int k = 0; k < n; ++k) {
        int i = first + k;
        if (i >= n) {
            if (!wrap)
                break;
            i -= n;
        }
        if (i < 0)
            continue;
        QString text = items_->Item(i)->item_->text(0);
        if (partial ? text.startsWith(wanted, Qt::CaseInsensitive)
                    : text.compare(wanted, Qt::CaseInsensitive) == 0)
            return items_->Item(i);
    }
    return nullptr;
}

bool TListView::IsEditing() const
{
    QWidget* focus = TreeWidget()->focusWidget();
    return focus && qobject_cast<QLineEdit*>(focus) && focus->parent() == TreeWidget()->viewport();
}

void TListView::SelectionChangedByQt()
{
    if (quietSelection_)
        return;
    std::vector<TListItem*> off, on;
    for (const auto& item : items_->items_) {
        bool now = item->item_->isSelected();
        if (now != item->selectedCache_) {
            item->selectedCache_ = now;
            (now ? on : off).push_back(item.get());
        }
    }
    if (!EventsEnabled())
        return;
    for (auto* list : { &off, &on })
        for (TListItem* item : *list) {
            if (IsDestroying())
                return;
            OnChange(this, item, TItemChange::ctState);
            OnSelectItem(this, item, list == &on);
        }
}

bool TListView::CanEdit(TListItem* item)
{
    if (readOnly_ || IsDestroying())
        return false;
    bool allow = true;
    if (EventsEnabled())
        OnEditing(this, item, allow);
    return allow;
}

void TListView::Edited(TListItem* item, std::string& text)
{
    if (EventsEnabled())
        OnEdited(this, item, text);
}

bool TListView::CustomSort(const std::function<int(TListItem*, TListItem*)>& compare)
{
    auto& v = items_->items_;
    if (v.size() < 2)
        return true;
    std::vector<TListItem*> selected;
    for (const auto& item : v)
        if (item->item_->isSelected())
            selected.push_back(item.get());
    TListItem* current = ItemFocused();
    std::stable_sort(v.begin(), v.end(),
        [&](const std::unique_ptr<TListItem>& a, const std::unique_ptr<TListItem>& b) {
            return compare(a.get(), b.get()) < 0;
        });
    QTreeWidget* t = TreeWidget();
    bool quiet = quietSelection_;
    quietSelection_ = true;
    {
        QSignalBlocker block(t);
        while (t->topLevelItemCount() > 0)
            t->takeTopLevelItem(0);
        for (const auto& item : v)
            t->addTopLevelItem(item->item_);
        for (TListItem* item : selected)
            item->item_->setSelected(true);
        if (current)
            t->setCurrentItem(current->item_, 0, QItemSelectionModel::NoUpdate);
    }
    quietSelection_ = quiet;
    return true;
}

bool TListView::AlphaSort()
{
    if (OnCompare)
        return CustomSort([this](TListItem* a, TListItem* b) {
            int result = 0;
            OnCompare(this, a, b, 0, result);
            return result;
        });
    return CustomSort(
        [](TListItem* a, TListItem* b) { return CompareNoCase(a->Caption(), b->Caption()); });
}

void TListView::SortIfNeeded()
{
    if (items_ && items_->updateCount_ == 0
        && (sortType_ == TSortType::stText || sortType_ == TSortType::stBoth))
        AlphaSort();
}

void TListView::ApplyColor()
{
    QTreeWidget* t = TreeWidget();
    QPalette pal = t->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    if (!hideSelection_) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight,
            pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
            pal.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, ToQColor(Color()));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, ToQColor(Font()->Color()));
    }
    t->setPalette(pal);
}

} // namespace zrv
