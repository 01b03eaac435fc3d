#include "platform/components/Properties.h"

#include "platform/components/Component.h"
#include "platform/components/Strings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zrv {

namespace {
    std::string Trimmed(std::string_view s)
    {
        size_t b = 0, e = s.size();
        while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
            ++b;
        while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
            --e;
        return std::string(s.substr(b, e - b));
    }

    bool ParseInt(std::string_view text, int64_t& out)
    {
        std::string t = Trimmed(text);
        if (t.empty())
            return false;
        errno = 0;
        char* end = nullptr;
        long long v = 0;
        if (t[0] == '$')
            v = std::strtoll(t.c_str() + 1, &end, 16);
        else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
            v = std::strtoll(t.c_str() + 2, &end, 16);
        else
            v = std::strtoll(t.c_str(), &end, 10);
        if (errno == ERANGE || !end || *end != '\0' || end == t.c_str())
            return false;
        out = v;
        return true;
    }

    bool ParseFloat(std::string_view text, double& out)
    {
        std::string t = Trimmed(text);
        if (t.empty())
            return false;
        char* end = nullptr;
        errno = 0;
        double v = std::strtod(t.c_str(), &end);
        if (errno == ERANGE || !end || *end != '\0' || !std::isfinite(v))
            return false;
        out = v;
        return true;
    }

    std::string FloatText(double v)
    {
        char buf[40];
        for (int precision = 15; precision <= 17; ++precision) {
            std::snprintf(buf, sizeof buf, "%.*g", precision, v);
            if (std::strtod(buf, nullptr) == v)
                break;
        }
        return buf;
    }
} // namespace

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name)
{
    if (!object || name.empty())
        return nullptr;
    return object->ClassInfo().FindProp(name);
}

bool IsPublishedProp(const TObject* object, std::string_view name)
{
    return GetPropInfo(object, name) != nullptr;
}

PropValue GetPropValue(TObject* object, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    return p ? p->Get(object) : PropValue {};
}

bool SetPropValue(TObject* object, std::string_view name, const PropValue& value)
{
    const TPropInfo* p = GetPropInfo(object, name);
    return p && p->Writable() && p->Set(object, value);
}

int64_t GetOrdProp(TObject* object, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p)
        return 0;
    switch (p->Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        return std::get<int64_t>(p->Get(object));
    case TTypeKind::Class:
        return static_cast<int64_t>(reinterpret_cast<intptr_t>(std::get<TObject*>(p->Get(object))));
    default:
        return 0;
    }
}

bool SetOrdProp(TObject* object, std::string_view name, int64_t value)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p || !p->Writable())
        return false;
    switch (p->Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        return p->Set(object, value);
    case TTypeKind::Class: {
        // An address is only trusted when it is a component that exists.
        void* ptr = reinterpret_cast<void*>(static_cast<intptr_t>(value));
        if (value == 0)
            return p->Set(object, static_cast<TObject*>(nullptr));
        if (!TComponent::IsLive(ptr))
            return false;
        return p->Set(object, static_cast<TObject*>(static_cast<TComponent*>(ptr)));
    }
    default:
        return false;
    }
}

std::string GetStrProp(TObject* object, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p || p->Kind != TTypeKind::String)
        return {};
    return std::get<std::string>(p->Get(object));
}

bool SetStrProp(TObject* object, std::string_view name, const std::string& value)
{
    const TPropInfo* p = GetPropInfo(object, name);
    return p && p->Kind == TTypeKind::String && p->Writable() && p->Set(object, value);
}

double GetFloatProp(TObject* object, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p || p->Kind != TTypeKind::Float)
        return 0;
    return std::get<double>(p->Get(object));
}

bool SetFloatProp(TObject* object, std::string_view name, double value)
{
    const TPropInfo* p = GetPropInfo(object, name);
    return p && p->Kind == TTypeKind::Float && p->Writable() && p->Set(object, value);
}

TObject* GetObjectProp(TObject* object, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p || p->Kind != TTypeKind::Class)
        return nullptr;
    return std::get<TObject*>(p->Get(object));
}

bool SetObjectProp(TObject* object, std::string_view name, TObject* value)
{
    const TPropInfo* p = GetPropInfo(object, name);
    return p && p->Kind == TTypeKind::Class && p->Writable() && p->Set(object, value);
}

TMethod GetMethodProp(TObject* object, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p || p->Kind != TTypeKind::Method)
        return {};
    return std::get<TMethod>(p->Get(object));
}

bool SetMethodProp(TObject* object, std::string_view name, const TMethod& value)
{
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p || p->Kind != TTypeKind::Method || !p->Writable())
        return false;
    if (!value.Assigned())
        return p->Set(object, PropValue {});
    return p->Set(object, value);
}

std::string PropertyToText(TObject* object, const TPropInfo& prop)
{
    PropValue v = prop.Get(object);
    switch (prop.Kind) {
    case TTypeKind::Integer:
        return std::to_string(std::get<int64_t>(v));
    case TTypeKind::Enumeration:
        return prop.Enum->NameOf(std::get<int64_t>(v));
    case TTypeKind::Set:
        return prop.Enum->SetToText(std::get<int64_t>(v));
    case TTypeKind::Float:
        return FloatText(std::get<double>(v));
    case TTypeKind::String:
        return std::get<std::string>(v);
    case TTypeKind::Class: {
        auto* c = dynamic_cast<TComponent*>(std::get<TObject*>(v));
        return c ? c->Name() : std::string();
    }
    case TTypeKind::Method:
        return std::get<TMethod>(v).Name;
    }
    return {};
}

bool PropertyFromText(
    TObject* object, const TPropInfo& prop, std::string_view text, TComponent* lookupRoot)
{
    if (!prop.Writable())
        return false;
    switch (prop.Kind) {
    case TTypeKind::Integer: {
        int64_t v = 0;
        if (prop.Idents && prop.Idents->ToInt(Trimmed(text), v))
            return prop.Set(object, v);
        return ParseInt(text, v) && prop.Set(object, v);
    }
    case TTypeKind::Enumeration: {
        std::string t = Trimmed(text);
        int v = prop.Enum->ValueOf(t);
        if (v >= 0)
            return prop.Set(object, int64_t(v));
        int64_t n = 0;
        return ParseInt(t, n) && prop.Set(object, n);
    }
    case TTypeKind::Set: {
        int64_t v = 0;
        if (prop.Enum->SetFromText(text, v))
            return prop.Set(object, v);
        return ParseInt(text, v) && prop.Set(object, v);
    }
    case TTypeKind::Float: {
        double v = 0;
        return ParseFloat(text, v) && prop.Set(object, v);
    }
    case TTypeKind::String:
        return prop.Set(object, std::string(text));
    case TTypeKind::Class: {
        std::string name = Trimmed(text);
        if (name.empty() || SameName(name, "nil"))
            return prop.Set(object, static_cast<TObject*>(nullptr));
        TComponent* root = lookupRoot;
        if (!root)
            if (auto* c = dynamic_cast<TComponent*>(object))
                root = c->Owner();
        if (!root)
            return false;
        TComponent* target = SameName(root->Name(), name) ? root : root->FindComponent(name);
        return target && prop.Set(object, static_cast<TObject*>(target));
    }
    case TTypeKind::Method: {
        std::string name = Trimmed(text);
        if (name.empty())
            return prop.Set(object, PropValue {});
        TObject* root = lookupRoot ? static_cast<TObject*>(lookupRoot) : object;
        TMethod m = FindHandlerMethod(root, name);
        return m.Assigned() && prop.Set(object, m);
    }
    }
    return false;
}

bool SplitIndexSuffix(std::string_view segment, std::string& name, int& index)
{
    index = -1;
    name = std::string(segment);
    size_t us = segment.rfind('_');
    if (us == std::string_view::npos || us == 0 || us + 1 >= segment.size()
        || segment.size() - us > 10)
        return false;
    int v = 0;
    for (size_t i = us + 1; i < segment.size(); ++i) {
        char c = segment[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    name = std::string(segment.substr(0, us));
    index = v;
    return true;
}

bool ResolvePropertyPath(TObject* root, std::string_view path, TPropertyTarget& target)
{
    target = {};
    if (!root || path.empty())
        return false;
    TObject* obj = root;
    std::string_view rest = path;
    while (true) {
        size_t dot = rest.find('.');
        std::string segment = Trimmed(rest.substr(0, dot));
        bool last = dot == std::string_view::npos || Trimmed(rest.substr(dot + 1)).empty();
        if (segment.empty())
            return false;
        std::string name;
        int index = -1;
        const TPropInfo* p = obj->ClassInfo().FindProp(segment);
        if (!p && SplitIndexSuffix(segment, name, index))
            p = obj->ClassInfo().FindProp(name);
        if (!p)
            return false;
        if (index >= 0) {
            if (p->Kind != TTypeKind::Class)
                return false;
            TObject* holder = std::get<TObject*>(p->Get(obj));
            if (!holder)
                return false;
            if (last) {
                if (dynamic_cast<TStrings*>(holder)) {
                    target.object = holder;
                    target.lineIndex = index;
                    return true;
                }
                return false;
            }
            auto* indexed = dynamic_cast<TPersistent*>(holder);
            if (!indexed || index >= indexed->IndexedCount())
                return false;
            obj = indexed->IndexedItem(index);
            if (!obj)
                return false;
            rest = rest.substr(dot + 1);
            continue;
        }
        if (last) {
            target.object = obj;
            target.prop = p;
            return true;
        }
        if (p->Kind != TTypeKind::Class)
            return false;
        obj = std::get<TObject*>(p->Get(obj));
        if (!obj)
            return false;
        rest = rest.substr(dot + 1);
    }
}

bool GetPropertyPathText(TObject* root, std::string_view path, std::string& text)
{
    TPropertyTarget t;
    if (!ResolvePropertyPath(root, path, t))
        return false;
    if (t.lineIndex >= 0) {
        auto* list = static_cast<TStrings*>(t.object);
        if (t.lineIndex >= list->Count())
            return false;
        text = list->Get(t.lineIndex);
        return true;
    }
    text = PropertyToText(t.object, *t.prop);
    return true;
}

bool SetPropertyPathText(
    TObject* root, std::string_view path, std::string_view text, TComponent* lookupRoot)
{
    TPropertyTarget t;
    if (!ResolvePropertyPath(root, path, t))
        return false;
    if (t.lineIndex >= 0) {
        auto* list = static_cast<TStrings*>(t.object);
        list->BeginUpdate();
        while (list->Count() <= t.lineIndex)
            list->Add("");
        list->Put(t.lineIndex, std::string(text));
        list->EndUpdate();
        return true;
    }
    return PropertyFromText(t.object, *t.prop, text, lookupRoot);
}

TMethod FindHandlerMethod(TObject* object, std::string_view name)
{
    if (!object || name.empty())
        return {};
    const THandlerInfo* h = object->ClassInfo().FindHandler(name);
    return h ? h->Bind(object) : TMethod {};
}

} // namespace zrv
