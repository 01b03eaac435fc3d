#include "platform/components/TypeInfo.h"

#include <algorithm>
#include <map>
#include <memory>

namespace zrv {

namespace {

    char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

    std::string_view TrimView(std::string_view s)
    {
        size_t b = 0, e = s.size();
        while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
            ++b;
        while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
            --e;
        return s.substr(b, e - b);
    }

    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const
        {
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                [](char x, char y) { return Lower(x) < Lower(y); });
        }
    };

    struct Registry {
        std::map<std::string, const TClassInfo*, NameLess> byName;
        std::vector<std::unique_ptr<TClassInfo>> owned;
    };

    Registry& TheRegistry()
    {
        static Registry r;
        return r;
    }

} // namespace

const char* TypeKindName(TTypeKind kind)
{
    switch (kind) {
    case TTypeKind::Integer:
        return "integer";
    case TTypeKind::Enumeration:
        return "enumeration";
    case TTypeKind::Set:
        return "set";
    case TTypeKind::Float:
        return "float";
    case TTypeKind::String:
        return "text";
    case TTypeKind::Class:
        return "class";
    case TTypeKind::Method:
        return "event";
    }
    return "?";
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool operator==(const TMethod& a, const TMethod& b)
{
    if (!a.Assigned() || !b.Assigned())
        return a.Assigned() == b.Assigned();
    if (a.Data != b.Data || a.Signature != b.Signature)
        return false;
    if (!a.Name.empty() || !b.Name.empty())
        return SameName(a.Name, b.Name);
    return a.Code == b.Code;
}

int TEnumInfo::ValueOf(std::string_view name) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameName(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::string TEnumInfo::NameOf(int64_t value) const
{
    if (value < 0 || value >= static_cast<int64_t>(Names.size()))
        return {};
    return Names[static_cast<size_t>(value)];
}

std::string TEnumInfo::SetToText(int64_t set) const
{
    std::string out = "[";
    bool first = true;
    for (size_t i = 0; i < Names.size() && i < 63; ++i) {
        if (set & (int64_t(1) << i)) {
            if (!first)
                out += ",";
            out += Names[i];
            first = false;
        }
    }
    return out + "]";
}

bool TEnumInfo::SetFromText(std::string_view text, int64_t& set) const
{
    std::string_view t = TrimView(text);
    if (!t.empty() && t.front() == '[') {
        if (t.back() != ']')
            return false;
        t = t.substr(1, t.size() - 2);
    }
    int64_t result = 0;
    t = TrimView(t);
    while (!t.empty()) {
        size_t comma = t.find(',');
        std::string_view item = TrimView(t.substr(0, comma));
        int v = ValueOf(item);
        if (v < 0)
            return false;
        result |= int64_t(1) << v;
        if (comma == std::string_view::npos)
            break;
        t = t.substr(comma + 1);
        if (TrimView(t).empty())
            return false;
    }
    set = result;
    return true;
}

bool TIdentMap::ToInt(std::string_view name, int64_t& value) const
{
    for (const auto& [n, v] : Entries)
        if (SameName(n, name)) {
            value = v;
            return true;
        }
    return false;
}

bool TIdentMap::ToIdent(int64_t value, std::string& name) const
{
    for (const auto& [n, v] : Entries)
        if (v == value) {
            name = n;
            return true;
        }
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (SameName(c->name_, className))
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropInfo& p : c->props_)
            if (SameName(p.Name, name))
                return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const
{
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent_)
        chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->props_) {
            bool seen = std::any_of(out.begin(), out.end(),
                [&](const TPropInfo* q) { return SameName(q->Name, p.Name); });
            if (!seen)
                out.push_back(FindProp(p.Name)); // the most derived declaration
        }
    return out;
}

const THandlerInfo* TClassInfo::FindHandler(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const THandlerInfo& h : c->handlers_)
            if (SameName(h.Name, name))
                return &h;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TFieldInfo& f : c->fields_)
            if (SameName(f.Name, name))
                return &f;
    return nullptr;
}

TComponent* TClassInfo::Create(TComponent* owner) const
{
    return factory_ ? factory_(owner) : nullptr;
}

const TClassInfo& TClassInfo::Adopt(TClassInfo* info)
{
    Registry& r = TheRegistry();
    r.owned.emplace_back(info);
    r.byName.emplace(info->name_, info); // the first class of a name keeps it
    return *info;
}

void RegisterClass(const TClassInfo& info) { TheRegistry().byName.emplace(info.Name(), &info); }

const TClassInfo* FindClass(std::string_view name)
{
    Registry& r = TheRegistry();
    auto it = r.byName.find(std::string(name));
    return it == r.byName.end() ? nullptr : it->second;
}

std::vector<std::string> RegisteredClassNames()
{
    std::vector<std::string> out;
    for (const auto& [name, info] : TheRegistry().byName)
        out.push_back(name);
    return out;
}

const TEnumInfo& BooleanEnum()
{
    static const TEnumInfo info { "Boolean", { "False", "True" } };
    return info;
}

} // namespace zrv
