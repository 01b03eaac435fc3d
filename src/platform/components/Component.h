#pragma once
// TComponent: a named object that belongs to an owner. The owner keeps its components in the
// order they were added and destroys them (last first) when it is destroyed itself. Ownership
// is about lifetime only; where a control is shown is its parent (TControl).

#include "platform/components/Object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zrv {

enum TComponentStateFlag : uint32_t {
    csLoading = 1, // being read from a form description
    csReading = 2, // its properties are being read right now
    csDestroying = 4, // on its way out: events are not raised any more
    csUpdating = 8,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Frees the component the classic way: Destroying, BeforeDestruction (forms raise
    // OnDestroy here, while the whole object still exists), then delete. Prefer this to delete.
    void Free();

    const std::string& Name() const { return name_; }
    // False when the name is not an identifier or another component of the same owner has it
    // (names compare without regard to case). An empty name is allowed.
    bool SetName(const std::string& name);
    static bool IsValidName(std::string_view name);

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const; // nullptr out of range
    int ComponentIndex() const; // position in the owner's list, -1 without owner
    TComponent* FindComponent(std::string_view name) const; // among owned components

    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }

    uint32_t ComponentState() const { return state_; }
    bool Loading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    void SetLoadingState(bool loading); // used by the description loader

    // Ownership changes.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    // Called by the factory after the constructor has run (forms load their description here).
    virtual void AfterConstruction() { }
    virtual void BeforeDestruction() { }
    // Marks this component and every component it owns as being destroyed.
    virtual void Destroying();
    // After the description was read and references were resolved.
    virtual void Loaded();

    // Asks to be told (Notification with opRemove) when `component` is destroyed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Told about components that come and go: the owner and its components hear about every
    // component of the owner, plus whoever asked through FreeNotification. Overrides clear
    // their references to a component that is removed.
    virtual void Notification(TComponent* component, TOperation operation);

    // The component that contains this one in a description (a control's parent, a menu item's
    // menu). The loader calls SetParentComponent for nested objects.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool SetParentComponent(TComponent* /*parent*/) { return false; }

    // Whether a pointer is a component that exists right now (property routines that take
    // object references as numbers check with this before using them).
    static bool IsLive(const void* pointer);

private:
    void ClearOwnerField();

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    intptr_t tag_ = 0;
    uint32_t state_ = 0;
};

// Frees a component with Free(); for std::unique_ptr.
struct TComponentDeleter {
    void operator()(TComponent* c) const
    {
        if (c)
            c->Free();
    }
};
template <typename T> using TOwned = std::unique_ptr<T, TComponentDeleter>;

} // namespace zrv
