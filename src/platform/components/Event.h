#pragma once
// Event values. An event property holds a method: the code to run plus its identity (the
// published name of the handler and the object it belongs to). Methods are copyable and
// comparable, so a handler can be read by name, kept, replaced and put back later.

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>

namespace zrv {

class TObject;

// The type-erased form of every event value. `Code` holds a std::function of the event's own
// signature, identified by `Signature`.
struct TMethod {
    std::shared_ptr<const void> Code;
    TObject* Data = nullptr;
    std::string Name;
    std::type_index Signature { typeid(void) };

    bool Assigned() const { return Code != nullptr; }
    // Two methods are the same handler when both are empty, when both carry the same published
    // name on the same object, or when they share the same code.
    friend bool operator==(const TMethod& a, const TMethod& b);
};

template <typename... Args> class TEvent {
public:
    using Function = std::function<void(Args...)>;

    static std::type_index Signature() { return typeid(void (*)(Args...)); }

    TEvent() = default;
    TEvent(std::nullptr_t) { }
    // An anonymous handler (a lambda written in place).
    template <typename F>
    requires(!std::is_same_v<std::decay_t<F>, TEvent> && std::is_invocable_v<F&, Args...>)
        TEvent(F&& f)
    {
        method_.Code = std::make_shared<const Function>(std::forward<F>(f));
        method_.Signature = Signature();
    }

    // A handler that is a member function of `object`, known by `name` when it is published.
    template <typename C, typename D>
    static TEvent Bind(C* object, void (D::*fn)(Args...), std::string name = {})
    {
        TEvent e;
        e.method_.Code = std::make_shared<const Function>(
            [object, fn](Args... args) { (object->*fn)(std::forward<Args>(args)...); });
        e.method_.Data = object;
        e.method_.Name = std::move(name);
        e.method_.Signature = Signature();
        return e;
    }

    // Adopts a type-erased method; false (and nothing changes) when its signature differs.
    bool Assign(const TMethod& m)
    {
        if (m.Assigned() && m.Signature != Signature())
            return false;
        method_ = m.Assigned() ? m : TMethod {};
        if (!m.Assigned())
            method_.Signature = Signature();
        return true;
    }

    const TMethod& Method() const { return method_; }
    TObject* Data() const { return method_.Data; }
    const std::string& Name() const { return method_.Name; }
    explicit operator bool() const { return method_.Assigned(); }

    // Runs the handler, if any. The code is kept alive for the call even when the handler
    // replaces or frees the object that holds this event.
    void operator()(Args... args) const
    {
        std::shared_ptr<const void> keep = method_.Code;
        if (keep)
            (*static_cast<const Function*>(keep.get()))(std::forward<Args>(args)...);
    }

    friend bool operator==(const TEvent& a, const TEvent& b) { return a.method_ == b.method_; }

private:
    TMethod method_ { nullptr, nullptr, {}, typeid(void) };
};

// The common event shapes.
using TNotifyEvent = TEvent<TObject*>;

} // namespace zrv
