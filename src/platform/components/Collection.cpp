#include "platform/components/Collection.h"

#include <algorithm>

namespace zrv {

const TClassInfo& TCollectionItem::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TCollectionItem>(
        "TCollectionItem", TPersistent::StaticClassInfo(), [](TClassBuilder<TCollectionItem>& c) {
            c.Int("Index", &TCollectionItem::Index, &TCollectionItem::SetIndex);
        });
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection)
    : collection_(collection)
{
}

TCollectionItem::~TCollectionItem() = default;

int TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    for (int i = 0; i < collection_->Count(); ++i)
        if (collection_->Items(i) == this)
            return i;
    return -1;
}

void TCollectionItem::SetIndex(int index)
{
    int current = Index();
    if (current < 0 || index == current || !collection_)
        return;
    auto& items = collection_->items_;
    index = std::clamp(index, 0, collection_->Count() - 1);
    auto item = std::move(items[static_cast<size_t>(current)]);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, std::move(item));
    collection_->Changed(nullptr);
}

void TCollectionItem::Changed()
{
    if (collection_)
        collection_->Changed(this);
}

const TClassInfo& TCollection::StaticClassInfo()
{
    static const TClassInfo& info
        = TClassInfo::Define<TCollection>("TCollection", TPersistent::StaticClassInfo(),
            [](TClassBuilder<TCollection>& c) { c.ReadOnlyInt("Count", &TCollection::Count); });
    return info;
}

TCollection::TCollection(ItemFactory factory)
    : factory_(std::move(factory))
{
}

TCollection::~TCollection()
{
    clearing_ = true;
    items_.clear();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    std::unique_ptr<TCollectionItem> item(factory_(this));
    TCollectionItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    Changed(nullptr);
    return raw;
}

void TCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    Changed(nullptr);
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    items_.clear();
    Changed(nullptr);
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed(nullptr);
}

bool TCollection::Assign(const TPersistent& source)
{
    auto* other = dynamic_cast<const TCollection*>(&source);
    if (!other)
        return false;
    if (other == this)
        return true;
    BeginUpdate();
    Clear();
    for (int i = 0; i < other->Count(); ++i) {
        TCollectionItem* from = other->Items(i);
        TCollectionItem* to = Add();
        for (const TPropInfo* p : from->ClassInfo().Properties())
            if (p->Writable() && p->Kind != TTypeKind::Class
                && to->ClassInfo().FindProp(p->Name) == p && p->Name != "Index")
                p->Set(to, p->Get(from));
    }
    EndUpdate();
    return true;
}

void TCollection::Update(TCollectionItem* item)
{
    if (OnUpdate)
        OnUpdate(item);
}

void TCollection::Changed(TCollectionItem* item)
{
    if (updateCount_ == 0 && !clearing_)
        Update(item);
}

} // namespace zrv
