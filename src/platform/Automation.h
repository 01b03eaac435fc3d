#pragma once
// Late-bound automation: objects called by member name with Variant arguments, errors raised as
// AutomationError, and creation of objects by their automation name (progId).

#include "platform/Variant.h"

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zrv {

// A failed automation call: unknown member, wrong arguments, or an error raised by the object.
class AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// An object reached by member name. Arguments are passed by reference: the callee may write
// back into any of them (the classic by-reference parameter). Member names compare without
// regard to case.
class Dispatch : public std::enable_shared_from_this<Dispatch> {
public:
    virtual ~Dispatch() = default;
    virtual Variant Invoke(const std::string& member, InvokeKind kind, std::span<Variant> args) = 0;

    // Conveniences.
    Variant Call(const std::string& method, std::vector<Variant> args = {});
    Variant CallRef(const std::string& method, std::span<Variant> args); // by reference
    Variant Get(const std::string& property, std::vector<Variant> args = {});
    void Put(const std::string& property, const Variant& value);
};

using DispatchPtr = std::shared_ptr<Dispatch>;

// A Dispatch whose members are registered by name: the base of every stand-in object.
class DispatchObject : public Dispatch {
public:
    using Method = std::function<Variant(std::span<Variant> args)>;
    using Getter = std::function<Variant()>;
    using Setter = std::function<void(const Variant&)>;

    Variant Invoke(const std::string& member, InvokeKind kind, std::span<Variant> args) override;

protected:
    void AddMethod(const std::string& name, Method method);
    void AddProperty(const std::string& name, Getter getter, Setter setter = nullptr);
    // Raises AutomationError unless at least `count` arguments were given.
    static void NeedArgs(const std::string& member, std::span<Variant> args, size_t count);

private:
    struct Member {
        Method method;
        Getter getter;
        Setter setter;
    };
    std::map<std::string, Member> members_; // keys in upper case
};

// Creation by automation name. A class is found first among the factories registered in this
// process, then through the machine registry: key "Software\Classes\<progId>", value "Library"
// names a shared library that exports
//     extern "C" zrv::Dispatch* ZrvCreateObject(const char* progId);
// returning a new object (ownership passes to the caller). Raises AutomationError when the
// class is unknown or the library cannot be loaded.
using ObjectFactory = std::function<DispatchPtr()>;
void RegisterClassFactory(const std::string& progId, ObjectFactory factory);
void UnregisterClassFactory(const std::string& progId);
DispatchPtr CreateObject(const std::string& progId);

} // namespace zrv
