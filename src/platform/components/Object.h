#pragma once
// The root of every class that publishes properties: TObject knows its class description;
// TPersistent adds copying by Assign and indexed sub-items (the "_n" of property paths).

#include "platform/components/TypeInfo.h"

#include <string>

namespace zrv {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

    const std::string& ClassName() const { return ClassInfo().Name(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
    bool InheritsFrom(std::string_view className) const
    {
        return ClassInfo().InheritsFrom(className);
    }
};

class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Copies the value of another object of a compatible class; false when this class does not
    // know how (the object is then unchanged).
    virtual bool Assign(const TPersistent& source);

    // Indexed sub-items, for property paths such as "Columns_1.Caption": the number of items and
    // item n as an object (nullptr when out of range or when items are not objects).
    virtual int IndexedCount() const { return 0; }
    virtual TObject* IndexedItem(int /*index*/) { return nullptr; }
};

} // namespace zrv
