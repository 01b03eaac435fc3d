#pragma once
// Published properties, published handlers and the class registry.
//
// Every component class describes itself once, in its .cpp file, with a TClassInfo built by a
// TClassBuilder: one line per published property (name, kind, getter, setter), per published
// event, per published handler (forms) and per published component field (forms). The class
// registry finds classes by name, so form descriptions can create them.
//
//   const TClassInfo& TMyButton::StaticClassInfo()
//   {
//       static const TClassInfo& info = TClassInfo::Define<TMyButton>("TMyButton",
//           TButton::StaticClassInfo(), [](TClassBuilder<TMyButton>& c) {
//               c.Int("GlyphIndex", &TMyButton::GlyphIndex, &TMyButton::SetGlyphIndex);
//               c.Event("OnDialog", &TMyButton::OnDialog);
//           });
//       return info;
//   }

#include "platform/components/Event.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <variant>
#include <vector>

namespace zrv {

class TObject;
class TComponent;
class TClassInfo;

enum class TTypeKind { Integer, Enumeration, Set, Float, String, Class, Method };
const char* TypeKindName(TTypeKind kind);

// ASCII case-insensitive comparison, as names of classes, properties and components compare.
bool SameName(std::string_view a, std::string_view b);

// The value names of an enumeration type, in ordinal order. Set types use the enumeration of
// their elements; bit n of a set value stands for element n.
struct TEnumInfo {
    std::string TypeName;
    std::vector<std::string> Names;

    int ValueOf(std::string_view name) const; // -1 when the name is not one of the values
    std::string NameOf(int64_t value) const; // empty when out of range
    std::string SetToText(int64_t set) const; // "[a,b]"
    bool SetFromText(std::string_view text, int64_t& set) const; // "[a, b]" or "a,b"
};

// Names for integer values (colours, character sets, cursors): "clRed" <-> 255.
struct TIdentMap {
    std::string TypeName;
    std::vector<std::pair<std::string, int64_t>> Entries;

    bool ToInt(std::string_view name, int64_t& value) const;
    bool ToIdent(int64_t value, std::string& name) const;
};

// A property value in transit. Ordinal kinds (integer, enumeration, set, boolean) travel as
// int64_t, floats as double, texts as UTF-8 std::string, class properties as TObject*, events as
// TMethod.
using PropValue = std::variant<std::monostate, int64_t, double, std::string, TObject*, TMethod>;

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::Integer;
    const TEnumInfo* Enum = nullptr; // enumerations and sets
    const TIdentMap* Idents = nullptr; // integers with value names
    // The class of a class property (looked up when asked, so that classes may refer to each
    // other: a page control's ActivePage is a tab sheet whose PageControl is a page control).
    const TClassInfo& (*ClassTypeOf)() = nullptr;
    const TClassInfo* ClassType() const { return ClassTypeOf ? &ClassTypeOf() : nullptr; }
    bool IsReference = false; // a class property that refers to another component by name
    std::type_index EventType { typeid(void) }; // method properties
    std::function<PropValue(TObject*)> Get;
    std::function<bool(TObject*, const PropValue&)> Set; // empty for read-only properties

    bool Writable() const { return static_cast<bool>(Set); }
};

// A published handler of a form class: a member function that descriptions name for events.
struct THandlerInfo {
    std::string Name;
    std::type_index Signature { typeid(void) };
    std::function<TMethod(TObject*)> Bind; // the handler bound to an instance
};

// A published component field of a form class, filled in by the description loader.
struct TFieldInfo {
    std::string Name;
    const TClassInfo& (*ClassTypeOf)() = nullptr;
    const TClassInfo* ClassType() const { return ClassTypeOf ? &ClassTypeOf() : nullptr; }
    std::function<bool(TObject*, TComponent*)> Assign; // false when the class does not fit
    std::function<TComponent*(TObject*)> Get;
};

template <typename C> class TClassBuilder;

class TClassInfo {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    // Describes class C and enters it in the class registry, which keeps the description for
    // the life of the program. `parent` is the class info of C's base class (nullptr only for
    // TObject). Components with a constructor C(TComponent* owner) get a factory, so the
    // registry can create them by name; the factory calls AfterConstruction on the new object.
    template <typename C>
    static const TClassInfo& Define(std::string name, const TClassInfo* parent,
        const std::function<void(TClassBuilder<C>&)>& build = {});
    template <typename C>
    static const TClassInfo& Define(std::string name, const TClassInfo& parent,
        const std::function<void(TClassBuilder<C>&)>& build = {})
    {
        return Define<C>(std::move(name), &parent, build);
    }

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;

    // Properties are looked up in this class first, then in its ancestors.
    const TPropInfo* FindProp(std::string_view name) const;
    // All published properties, ancestors' first, each name once (a redeclared property
    // appears where the ancestor declared it).
    std::vector<const TPropInfo*> Properties() const;
    const std::vector<TPropInfo>& OwnProperties() const { return props_; }
    const THandlerInfo* FindHandler(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    const std::vector<TFieldInfo>& OwnFields() const { return fields_; }

    bool CanCreate() const { return static_cast<bool>(factory_); }
    TComponent* Create(TComponent* owner) const; // nullptr for abstract classes

    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

private:
    template <typename C> friend class TClassBuilder;
    TClassInfo() = default;
    static const TClassInfo& Adopt(TClassInfo* info); // registers and keeps

    std::string name_;
    const TClassInfo* parent_ = nullptr;
    Factory factory_;
    std::vector<TPropInfo> props_;
    std::vector<THandlerInfo> handlers_;
    std::vector<TFieldInfo> fields_;
};

// The class registry. Class infos register themselves when they are defined (the first time
// their StaticClassInfo runs); RegisterClass is there for classes that nothing else refers to
// before a description names them: RegisterClass(TMyControl::StaticClassInfo()).
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);
std::vector<std::string> RegisteredClassNames();

// Enumeration tables shared by many classes.
const TEnumInfo& BooleanEnum(); // False, True

template <typename C> class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info)
        : info_(info)
    {
    }

    // Integer properties; `idents` gives names for values (colours, character sets).
    template <typename G, typename S>
    TClassBuilder& Int(std::string name, G getter, S setter, const TIdentMap* idents = nullptr)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Integer);
        p.Idents = idents;
        p.Get = [getter](TObject* o) -> PropValue {
            return static_cast<int64_t>(std::invoke(getter, Self(o)));
        };
        p.Set = Setter<int64_t>(setter, [](const PropValue& v, auto& out) {
            if (!std::holds_alternative<int64_t>(v))
                return false;
            out = static_cast<std::decay_t<decltype(out)>>(std::get<int64_t>(v));
            return true;
        });
        return Add(std::move(p));
    }
    template <typename G> TClassBuilder& ReadOnlyInt(std::string name, G getter)
    {
        return Int(std::move(name), getter, nullptr);
    }

    template <typename G, typename S> TClassBuilder& Bool(std::string name, G getter, S setter)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Enumeration);
        p.Enum = &BooleanEnum();
        p.Get = [getter](TObject* o) -> PropValue {
            return static_cast<int64_t>(std::invoke(getter, Self(o)) ? 1 : 0);
        };
        p.Set = Setter<bool>(setter, [](const PropValue& v, auto& out) {
            if (!std::holds_alternative<int64_t>(v))
                return false;
            out = std::get<int64_t>(v) != 0;
            return true;
        });
        return Add(std::move(p));
    }

    // Enumerations: the getter returns an enum (or integer) whose ordinals index `names`.
    template <typename G, typename S>
    TClassBuilder& Enum(std::string name, const TEnumInfo& names, G getter, S setter)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Enumeration);
        p.Enum = &names;
        p.Get = [getter](TObject* o) -> PropValue {
            return static_cast<int64_t>(std::invoke(getter, Self(o)));
        };
        const int64_t count = static_cast<int64_t>(names.Names.size());
        p.Set = Setter<int64_t>(setter, [count](const PropValue& v, auto& out) {
            if (!std::holds_alternative<int64_t>(v))
                return false;
            int64_t n = std::get<int64_t>(v);
            if (n < 0 || n >= count)
                return false;
            out = static_cast<std::decay_t<decltype(out)>>(n);
            return true;
        });
        return Add(std::move(p));
    }

    // Sets: the getter returns a bit mask over the elements named by `elements`.
    template <typename G, typename S>
    TClassBuilder& Set(std::string name, const TEnumInfo& elements, G getter, S setter)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Set);
        p.Enum = &elements;
        p.Get = [getter](TObject* o) -> PropValue {
            return static_cast<int64_t>(std::invoke(getter, Self(o)));
        };
        const int64_t all = (int64_t(1) << elements.Names.size()) - 1;
        p.Set = Setter<int64_t>(setter, [all](const PropValue& v, auto& out) {
            if (!std::holds_alternative<int64_t>(v))
                return false;
            int64_t n = std::get<int64_t>(v);
            if ((n & ~all) != 0)
                return false;
            out = static_cast<std::decay_t<decltype(out)>>(n);
            return true;
        });
        return Add(std::move(p));
    }

    template <typename G, typename S> TClassBuilder& Float(std::string name, G getter, S setter)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Float);
        p.Get = [getter](TObject* o) -> PropValue {
            return static_cast<double>(std::invoke(getter, Self(o)));
        };
        p.Set = Setter<double>(setter, [](const PropValue& v, auto& out) {
            if (std::holds_alternative<double>(v))
                out = std::get<double>(v);
            else if (std::holds_alternative<int64_t>(v))
                out = static_cast<double>(std::get<int64_t>(v));
            else
                return false;
            return true;
        });
        return Add(std::move(p));
    }

    template <typename G, typename S> TClassBuilder& Text(std::string name, G getter, S setter)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::String);
        p.Get = [getter](
                    TObject* o) -> PropValue { return std::string(std::invoke(getter, Self(o))); };
        p.Set = Setter<std::string>(setter, [](const PropValue& v, auto& out) {
            if (!std::holds_alternative<std::string>(v))
                return false;
            out = std::get<std::string>(v);
            return true;
        });
        return Add(std::move(p));
    }
    template <typename G> TClassBuilder& ReadOnlyText(std::string name, G getter)
    {
        return Text(std::move(name), getter, nullptr);
    }

    // A sub-object the instance owns (Font, Items, Columns, Glyph): descriptions set its own
    // properties; assigning copies the value with Assign.
    template <typename T, typename G, typename S>
    TClassBuilder& Object(std::string name, G getter, S setter)
    {
        return ClassProp<T>(std::move(name), getter, setter, false);
    }
    // A reference to another component (PopupMenu, ActiveControl, FocusControl): descriptions
    // give the component's name, resolved once the whole form is read.
    template <typename T, typename G, typename S>
    TClassBuilder& Reference(std::string name, G getter, S setter)
    {
        return ClassProp<T>(std::move(name), getter, setter, true);
    }

    // An event held in a data member of type TEvent<...>.
    template <typename... A, typename D>
    TClassBuilder& Event(std::string name, TEvent<A...> D::*member)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Method);
        p.EventType = TEvent<A...>::Signature();
        p.Get = [member](TObject* o) -> PropValue { return (Self(o)->*member).Method(); };
        p.Set = [member](TObject* o, const PropValue& v) {
            if (std::holds_alternative<std::monostate>(v)) {
                Self(o)->*member = TEvent<A...> {};
                return true;
            }
            if (!std::holds_alternative<TMethod>(v))
                return false;
            return (Self(o)->*member).Assign(std::get<TMethod>(v));
        };
        return Add(std::move(p));
    }

    // A published handler: a member function that descriptions can name in event properties.
    template <typename... A, typename D>
    TClassBuilder& Handler(std::string name, void (D::*fn)(A...))
    {
        THandlerInfo h;
        h.Name = name;
        h.Signature = TEvent<A...>::Signature();
        h.Bind = [fn, name](TObject* o) { return TEvent<A...>::Bind(Self(o), fn, name).Method(); };
        info_.handlers_.push_back(std::move(h));
        return *this;
    }

    // A published component field: the loader stores the component of that name in it, and
    // clears it when the component goes away.
    template <typename T, typename D> TClassBuilder& Field(std::string name, T* D::*member)
    {
        TFieldInfo f;
        f.Name = std::move(name);
        f.ClassTypeOf = &T::StaticClassInfo;
        f.Assign = [member](TObject* o, TComponent* c) {
            T* t = c ? dynamic_cast<T*>(c) : nullptr;
            if (c && !t)
                return false;
            Self(o)->*member = t;
            return true;
        };
        f.Get = [member](TObject* o) -> TComponent* { return Self(o)->*member; };
        info_.fields_.push_back(std::move(f));
        return *this;
    }

private:
    static C* Self(TObject* o) { return static_cast<C*>(o); }

    TPropInfo Base(std::string name, TTypeKind kind)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        return p;
    }
    TClassBuilder& Add(TPropInfo p)
    {
        info_.props_.push_back(std::move(p));
        return *this;
    }

    // Wraps a setter member function (returning void or bool) or nullptr (read-only).
    template <typename V, typename S, typename Convert>
    static std::function<bool(TObject*, const PropValue&)> Setter(S setter, Convert convert)
    {
        if constexpr (std::is_null_pointer_v<S>) {
            return {};
        } else {
            return [setter, convert](TObject* o, const PropValue& v) -> bool {
                using Arg = typename SetterArg<S>::type;
                std::decay_t<Arg> value {};
                if (!convert(v, value))
                    return false;
                if constexpr (std::is_same_v<decltype(std::invoke(setter, Self(o), value)), bool>)
                    return std::invoke(setter, Self(o), value);
                else {
                    std::invoke(setter, Self(o), value);
                    return true;
                }
            };
        }
    }

    // The value type a setter takes: a member function D::f(A) or a lambda (C*, A).
    template <typename S> struct SetterArg : SetterArg<decltype(&S::operator())> {
    };
    template <typename R, typename D, typename A> struct SetterArg<R (D::*)(A)> {
        using type = A;
    };
    template <typename R, typename L, typename P, typename A>
    struct SetterArg<R (L::*)(P, A) const> {
        using type = A;
    };
    template <typename R, typename P, typename A> struct SetterArg<R (*)(P, A)> {
        using type = A;
    };

    template <typename T, typename G, typename S>
    TClassBuilder& ClassProp(std::string name, G getter, S setter, bool reference)
    {
        TPropInfo p = Base(std::move(name), TTypeKind::Class);
        p.ClassTypeOf = &T::StaticClassInfo;
        p.IsReference = reference;
        p.Get = [getter](TObject* o) -> PropValue {
            return static_cast<TObject*>(std::invoke(getter, Self(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.Set = [setter](TObject* o, const PropValue& v) -> bool {
                T* t = nullptr;
                if (std::holds_alternative<TObject*>(v)) {
                    TObject* obj = std::get<TObject*>(v);
                    t = obj ? dynamic_cast<T*>(obj) : nullptr;
                    if (obj && !t)
                        return false;
                } else if (!std::holds_alternative<std::monostate>(v))
                    return false;
                if constexpr (std::is_same_v<decltype(std::invoke(setter, Self(o), t)), bool>)
                    return std::invoke(setter, Self(o), t);
                else {
                    std::invoke(setter, Self(o), t);
                    return true;
                }
            };
        }
        return Add(std::move(p));
    }

    TClassInfo& info_;
};

template <typename C>
const TClassInfo& TClassInfo::Define(
    std::string name, const TClassInfo* parent, const std::function<void(TClassBuilder<C>&)>& build)
{
    auto* info = new TClassInfo;
    info->name_ = std::move(name);
    info->parent_ = parent;
    if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>) {
        info->factory_ = [](TComponent* owner) -> TComponent* {
            C* c = new C(owner);
            c->AfterConstruction();
            return c;
        };
    }
    TClassBuilder<C> builder(*info);
    if (build)
        build(builder);
    return Adopt(info);
}

} // namespace zrv
