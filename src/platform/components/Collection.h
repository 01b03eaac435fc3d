#pragma once
// TCollection: an owned, ordered list of items of one class (list view columns, for example).
// Items publish their own properties; descriptions write them as "< item ... end >".

#include "platform/components/Object.h"

#include <functional>
#include <memory>
#include <vector>

namespace zrv {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCollection* Collection() const { return collection_; }
    int Index() const;
    void SetIndex(int index);

protected:
    // Tells the collection (and its owner) that this item changed.
    void Changed();

private:
    friend class TCollection;
    TCollection* collection_;
};

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(ItemFactory factory);
    ~TCollection() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    int IndexedCount() const override { return Count(); }
    TObject* IndexedItem(int index) override { return Items(index); }
    bool Assign(const TPersistent& source) override; // copies items property by property

    // The owner hears about changes: the item that changed, nullptr for the whole collection.
    std::function<void(TCollectionItem*)> OnUpdate;

protected:
    friend class TCollectionItem;
    virtual void Update(TCollectionItem* item);
    void Changed(TCollectionItem* item);

private:
    ItemFactory factory_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int updateCount_ = 0;
    bool clearing_ = false;
};

} // namespace zrv
