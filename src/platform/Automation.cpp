#include "platform/Automation.h"

#include "platform/CodePage.h"
#include "platform/Library.h"
#include "platform/MachineRegistry.h"

#include <mutex>

namespace zrv {

Variant Dispatch::Call(const std::string& method, std::vector<Variant> args)
{
    return Invoke(method, InvokeKind::Method, args);
}

Variant Dispatch::CallRef(const std::string& method, std::span<Variant> args)
{
    return Invoke(method, InvokeKind::Method, args);
}

Variant Dispatch::Get(const std::string& property, std::vector<Variant> args)
{
    return Invoke(property, InvokeKind::PropertyGet, args);
}

void Dispatch::Put(const std::string& property, const Variant& value)
{
    Variant v = value;
    Invoke(property, InvokeKind::PropertyPut, std::span<Variant>(&v, 1));
}

Variant DispatchObject::Invoke(const std::string& member, InvokeKind kind, std::span<Variant> args)
{
    const auto it = members_.find(UpperCase(member));
    if (it == members_.end())
        throw AutomationError("Unknown name: " + member);
    const Member& m = it->second;
    switch (kind) {
    case InvokeKind::Method:
        if (m.method)
            return m.method(args);
        if (m.getter && args.empty())
            return m.getter();
        break;
    case InvokeKind::PropertyGet:
        if (m.getter && args.empty())
            return m.getter();
        if (m.method)
            return m.method(args);
        break;
    case InvokeKind::PropertyPut:
        if (m.setter) {
            NeedArgs(member, args, 1);
            m.setter(args.back());
            return {};
        }
        break;
    }
    throw AutomationError("Member not found or not usable this way: " + member);
}

void DispatchObject::AddMethod(const std::string& name, Method method)
{
    members_[UpperCase(name)].method = std::move(method);
}

void DispatchObject::AddProperty(const std::string& name, Getter getter, Setter setter)
{
    auto& m = members_[UpperCase(name)];
    m.getter = std::move(getter);
    m.setter = std::move(setter);
}

void DispatchObject::NeedArgs(const std::string& member, std::span<Variant> args, size_t count)
{
    if (args.size() < count)
        throw AutomationError("Invalid number of parameters for " + member);
}

namespace {

    struct ClassTable {
        std::mutex lock;
        std::map<std::string, ObjectFactory> factories; // keys in upper case
        std::map<std::string, std::unique_ptr<Library>> libraries; // kept loaded for the process
    };

    ClassTable& Classes()
    {
        static ClassTable table;
        return table;
    }

} // namespace

void RegisterClassFactory(const std::string& progId, ObjectFactory factory)
{
    auto& t = Classes();
    std::lock_guard guard(t.lock);
    t.factories[UpperCase(progId)] = std::move(factory);
}

void UnregisterClassFactory(const std::string& progId)
{
    auto& t = Classes();
    std::lock_guard guard(t.lock);
    t.factories.erase(UpperCase(progId));
}

DispatchPtr CreateObject(const std::string& progId)
{
    auto& t = Classes();
    ObjectFactory factory;
    {
        std::lock_guard guard(t.lock);
        const auto it = t.factories.find(UpperCase(progId));
        if (it != t.factories.end())
            factory = it->second;
    }
    if (factory) {
        DispatchPtr object = factory();
        if (!object)
            throw AutomationError("Cannot create object " + progId);
        return object;
    }

    const auto libName = MachineRegistry::ReadString("Software\\Classes\\" + progId, "Library");
    if (!libName || libName->empty())
        throw AutomationError("Invalid class string: " + progId);

    using CreateFn = Dispatch* (*)(const char*);
    CreateFn create = nullptr;
    {
        std::lock_guard guard(t.lock);
        auto& lib = t.libraries[*libName];
        if (!lib) {
            std::string error;
            lib = Library::Load(*libName, &error);
            if (!lib) {
                t.libraries.erase(*libName);
                throw AutomationError("Cannot load " + *libName + " for " + progId + ": " + error);
            }
        }
        create = lib->Function<CreateFn>("ZrvCreateObject");
    }
    if (!create)
        throw AutomationError(*libName + " does not export ZrvCreateObject");
    Dispatch* raw = create(progId.c_str());
    if (!raw)
        throw AutomationError("Cannot create object " + progId);
    return DispatchPtr(raw);
}

} // namespace zrv
