#include "platform/components/Component.h"

#include <algorithm>
#include <unordered_set>

namespace zrv {

namespace {
    std::unordered_set<const void*>& LiveComponents()
    {
        static std::unordered_set<const void*> live;
        return live;
    }

    bool IsIdentStart(char c)
    {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
} // namespace

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo& info = TClassInfo::Define<TComponent>(
        "TComponent", TPersistent::StaticClassInfo(), [](TClassBuilder<TComponent>& c) {
            c.Text("Name", &TComponent::Name, &TComponent::SetName);
            c.Int("Tag", &TComponent::Tag, &TComponent::SetTag);
        });
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    LiveComponents().insert(this);
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    state_ |= csDestroying;
    std::vector<TComponent*> notifies;
    notifies.swap(freeNotifies_);
    for (TComponent* c : notifies) {
        auto& theirs = c->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
    LiveComponents().erase(this);
}

void TComponent::Free()
{
    if (!IsDestroying()) {
        Destroying();
        BeforeDestruction();
    }
    delete this;
}

bool TComponent::IsValidName(std::string_view name)
{
    if (name.empty())
        return true;
    if (!IsIdentStart(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), IsIdentChar);
}

bool TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return true;
    if (!IsValidName(name))
        return false;
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            return false;
    }
    ClearOwnerField();
    name_ = name;
    if (owner_ && !name_.empty())
        if (const TFieldInfo* f = owner_->ClassInfo().FindField(name_))
            f->Assign(owner_, this); // a field of another class stays as it is
    return true;
}

void TComponent::ClearOwnerField()
{
    if (!owner_ || name_.empty())
        return;
    if (const TFieldInfo* f = owner_->ClassInfo().FindField(name_))
        if (f->Get(owner_) == this)
            f->Assign(owner_, nullptr);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        return nullptr;
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameName(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetLoadingState(bool loading)
{
    if (loading)
        state_ |= csLoading;
    else
        state_ &= ~uint32_t(csLoading);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this)
        return;
    Notification(component, TOperation::opRemove);
    component->ClearOwnerField();
    components_.erase(
        std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* c = components_.back();
        RemoveComponent(c);
        c->Free();
    }
}

void TComponent::Destroying()
{
    if (IsDestroying())
        return;
    state_ |= csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::Loaded() { SetLoadingState(false); }

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    freeNotifies_.erase(
        std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove)
        freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
            freeNotifies_.end());
    // Copy: a component may go away while it hears about another one.
    std::vector<TComponent*> list = components_;
    for (TComponent* c : list)
        if (c != component)
            c->Notification(component, operation);
}

bool TComponent::IsLive(const void* pointer)
{
    return pointer && LiveComponents().count(pointer) > 0;
}

} // namespace zrv
