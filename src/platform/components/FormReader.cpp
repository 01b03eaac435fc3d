#include "platform/components/FormReader.h"

#include "platform/components/Bitmap.h"
#include "platform/components/Collection.h"
#include "platform/components/Component.h"
#include "platform/components/Control.h"
#include "platform/components/FormResources.h"
#include "platform/components/Properties.h"
#include "platform/components/StandardClasses.h"
#include "platform/components/Strings.h"
#include "platform/components/WinControl.h"

#include <vector>

namespace zrv {

namespace {

    struct Fixup {
        TObject* object;
        const TPropInfo* prop;
        std::string target;
        std::string file;
        int line;
    };

    class Reader {
    public:
        Reader(TComponent& root)
            : root_(root)
        {
        }

        void Read(const TFormDescription& d)
        {
            file_ = d.fileName;
            const TDescObject& o = d.root;
            if (!SameName(o.className, root_.ClassName()) && !root_.InheritsFrom(o.className))
                Fail(o.line,
                    "the description is for class " + o.className + ", not " + root_.ClassName());
            SetRootName(o);
            Touch(&root_);
            for (const TDescProperty& p : o.properties)
                ReadProperty(&root_, p);
            for (const TDescObject& child : o.children)
                ReadObject(child, &root_);
            for (TComponent* c : loaded_)
                if (auto* w = dynamic_cast<TWinControl*>(c))
                    w->FixupTabOrder();
        }

        void Finish()
        {
            for (const Fixup& f : fixups_) {
                TComponent* target
                    = SameName(root_.Name(), f.target) ? &root_ : root_.FindComponent(f.target);
                file_ = f.file;
                if (!target)
                    Fail(f.line,
                        "property " + f.prop->Name + " refers to '" + f.target
                            + "', which does not exist");
                if (!target->InheritsFrom(*f.prop->ClassType()))
                    Fail(f.line,
                        "property " + f.prop->Name + " needs a " + f.prop->ClassType()->Name()
                            + "; '" + f.target + "' is a " + target->ClassName());
                if (!f.prop->Set(f.object, static_cast<TObject*>(target)))
                    Fail(f.line,
                        "'" + f.target + "' cannot be assigned to property " + f.prop->Name);
            }
            for (TComponent* c : loaded_)
                c->Loaded();
            loaded_.clear();
        }

        void Abandon()
        {
            for (TComponent* c : loaded_)
                if (TComponent::IsLive(c))
                    c->SetLoadingState(false);
            loaded_.clear();
        }

    private:
        [[noreturn]] void Fail(int line, const std::string& message)
        {
            throw EFormDescriptionError(file_, line, message);
        }

        void Touch(TComponent* c)
        {
            if (!c->Loading()) {
                c->SetLoadingState(true);
                loaded_.push_back(c);
            }
        }

        void SetRootName(const TDescObject& o)
        {
            if (SameName(root_.Name(), o.name))
                return;
            if (root_.SetName(o.name))
                return;
            if (!TComponent::IsValidName(o.name))
                Fail(o.line, "'" + o.name + "' is not a valid component name");
            // Another form of the same owner has the name: number this one.
            for (int n = 1; n < 10000; ++n)
                if (root_.SetName(o.name + "_" + std::to_string(n)))
                    return;
        }

        void ReadObject(const TDescObject& o, TComponent* parent)
        {
            TComponent* c = nullptr;
            if (o.inherited) {
                c = root_.FindComponent(o.name);
                if (!c)
                    Fail(o.line,
                        "inherited component '" + o.name + "' does not exist in the ancestor form");
                if (!c->InheritsFrom(o.className))
                    Fail(o.line,
                        "inherited component '" + o.name + "' is a " + c->ClassName() + ", not a "
                            + o.className);
            } else {
                if (root_.FindComponent(o.name))
                    Fail(o.line, "a component named '" + o.name + "' already exists");
                if (!TComponent::IsValidName(o.name) || o.name.empty())
                    Fail(o.line, "'" + o.name + "' is not a valid component name");
                const TClassInfo* cls = FindClass(o.className);
                if (!cls)
                    Fail(o.line, "class " + o.className + " is not registered");
                if (!cls->CanCreate())
                    Fail(o.line, "class " + o.className + " cannot be created");
                if (const TFieldInfo* field = root_.ClassInfo().FindField(o.name))
                    if (!cls->InheritsFrom(*field->ClassType()))
                        Fail(o.line,
                            "field '" + o.name + "' of " + root_.ClassName() + " is a "
                                + field->ClassType()->Name() + ", the description makes it a "
                                + o.className);
                c = cls->Create(&root_);
                Touch(c);
                if (!c->SetName(o.name))
                    Fail(o.line, "'" + o.name + "' cannot be used as a component name");
                if (!c->SetParentComponent(parent) && parent != &root_)
                    Fail(o.line,
                        "'" + o.name + "' (" + o.className + ") cannot be placed in '"
                            + parent->Name() + "'");
            }
            Touch(c);
            for (const TDescProperty& p : o.properties)
                ReadProperty(c, p);
            for (const TDescObject& child : o.children)
                ReadObject(child, c);
        }

        // Walks "Font.Name" to the object that holds the last property.
        TObject* WalkPath(TObject* obj, const TDescProperty& p, std::string& leaf)
        {
            std::string_view rest = p.path;
            while (true) {
                size_t dot = rest.find('.');
                if (dot == std::string_view::npos) {
                    leaf = std::string(rest);
                    return obj;
                }
                std::string segment(rest.substr(0, dot));
                const TPropInfo* prop = obj->ClassInfo().FindProp(segment);
                if (!prop)
                    Fail(p.line, "unknown property '" + p.path + "' of " + obj->ClassName());
                if (prop->Kind != TTypeKind::Class || prop->IsReference)
                    Fail(p.line,
                        "property '" + segment + "' of " + obj->ClassName()
                            + " has no properties of its own");
                TObject* next = std::get<TObject*>(prop->Get(obj));
                if (!next)
                    Fail(p.line, "property '" + segment + "' of " + obj->ClassName() + " is empty");
                obj = next;
                rest = rest.substr(dot + 1);
            }
        }

        void ReadProperty(TObject* owner, const TDescProperty& p)
        {
            std::string leaf;
            TObject* obj = WalkPath(owner, p, leaf);
            const TPropInfo* prop = obj->ClassInfo().FindProp(leaf);
            if (!prop && SameName(leaf, "Strings") && dynamic_cast<TStrings*>(obj)) {
                SetLines(static_cast<TStrings*>(obj), p);
                return;
            }
            if (!prop)
                Fail(p.line, "unknown property '" + p.path + "' of " + obj->ClassName());
            if (!prop->Writable() && !(prop->Kind == TTypeKind::Class && !prop->IsReference))
                Fail(p.line, "property '" + p.path + "' of " + obj->ClassName() + " is read-only");
            Assign(obj, *prop, p);
        }

        void SetLines(TStrings* list, const TDescProperty& p)
        {
            if (p.value.kind != TDescValue::Kind::List)
                Fail(p.line, "a list of strings ( 'a' 'b' ) is expected for '" + p.path + "'");
            std::vector<std::string> lines;
            for (const TDescValue& item : p.value.items) {
                if (item.kind != TDescValue::Kind::String)
                    Fail(item.line,
                        "a string is expected in the list of '" + p.path + "', found "
                            + item.Describe());
                lines.push_back(item.text);
            }
            list->SetStrings(lines);
        }

        [[noreturn]] void BadValue(
            const TDescProperty& p, const TPropInfo& prop, const std::string& why = {})
        {
            Fail(p.value.line ? p.value.line : p.line,
                p.value.Describe() + " is not a valid value for " + TypeKindName(prop.Kind)
                    + " property '" + p.path + "'" + (why.empty() ? "" : " (" + why + ")"));
        }

        void Set(TObject* obj, const TPropInfo& prop, const TDescProperty& p, const PropValue& v)
        {
            if (!prop.Set(obj, v))
                BadValue(p, prop, "refused");
        }

        void Assign(TObject* obj, const TPropInfo& prop, const TDescProperty& p)
        {
            const TDescValue& v = p.value;
            using K = TDescValue::Kind;
            switch (prop.Kind) {
            case TTypeKind::Integer: {
                int64_t n = 0;
                if (v.kind == K::Integer)
                    n = v.integer;
                else if (v.kind == K::Ident && prop.Idents && prop.Idents->ToInt(v.text, n)) {
                } else
                    BadValue(p, prop);
                Set(obj, prop, p, n);
                return;
            }
            case TTypeKind::Enumeration: {
                if (v.kind != K::Ident)
                    BadValue(p, prop, "one of " + EnumNames(prop));
                int n = prop.Enum->ValueOf(v.text);
                if (n < 0)
                    BadValue(p, prop, "one of " + EnumNames(prop));
                Set(obj, prop, p, int64_t(n));
                return;
            }
            case TTypeKind::Set: {
                int64_t bits = 0;
                if (v.kind == K::Set) {
                    for (const std::string& name : v.names) {
                        int n = prop.Enum->ValueOf(name);
                        if (n < 0)
                            BadValue(p, prop, "'" + name + "' is not one of " + EnumNames(prop));
                        bits |= int64_t(1) << n;
                    }
                } else
                    BadValue(p, prop, "a set [...] is expected");
                Set(obj, prop, p, bits);
                return;
            }
            case TTypeKind::Float:
                if (v.kind == K::Float)
                    Set(obj, prop, p, v.number);
                else if (v.kind == K::Integer)
                    Set(obj, prop, p, static_cast<double>(v.integer));
                else
                    BadValue(p, prop);
                return;
            case TTypeKind::String:
                if (v.kind == K::String || v.kind == K::Binary)
                    Set(obj, prop, p, v.text);
                else
                    BadValue(p, prop, "texts are written in single quotes");
                return;
            case TTypeKind::Class:
                AssignClass(obj, prop, p);
                return;
            case TTypeKind::Method: {
                if (v.kind != K::Ident)
                    BadValue(p, prop, "the name of a handler is expected");
                if (SameName(v.text, "nil")) {
                    Set(obj, prop, p, PropValue {});
                    return;
                }
                const THandlerInfo* h = root_.ClassInfo().FindHandler(v.text);
                if (!h)
                    Fail(v.line,
                        "handler '" + v.text + "' for " + p.path + " is not published by "
                            + root_.ClassName());
                if (h->Signature != prop.EventType)
                    Fail(v.line, "handler '" + v.text + "' does not fit event " + p.path);
                Set(obj, prop, p, h->Bind(&root_));
                return;
            }
            }
        }

        void AssignClass(TObject* obj, const TPropInfo& prop, const TDescProperty& p)
        {
            const TDescValue& v = p.value;
            using K = TDescValue::Kind;
            if (prop.IsReference) {
                if (v.kind != K::Ident)
                    BadValue(p, prop, "the name of a component is expected");
                if (SameName(v.text, "nil"))
                    Set(obj, prop, p, static_cast<TObject*>(nullptr));
                else
                    fixups_.push_back(Fixup { obj, &prop, v.text, file_, v.line });
                return;
            }
            TObject* target = std::get<TObject*>(prop.Get(obj));
            if (!target)
                Fail(p.line, "property '" + p.path + "' of " + obj->ClassName() + " is empty");
            if (auto* list = dynamic_cast<TStrings*>(target)) {
                SetLines(list, p);
                return;
            }
            if (auto* coll = dynamic_cast<TCollection*>(target)) {
                if (v.kind != K::Collection)
                    BadValue(p, prop, "a collection < item ... end > is expected");
                coll->BeginUpdate();
                coll->Clear();
                for (const auto& item : v.collection) {
                    TCollectionItem* ci = coll->Add();
                    for (const TDescProperty& ip : item)
                        ReadProperty(ci, ip);
                }
                coll->EndUpdate();
                return;
            }
            if (auto* bmp = dynamic_cast<TBitmap*>(target)) {
                if (v.kind != K::Binary || !bmp->LoadFromData(v.text))
                    BadValue(p, prop, "picture data { ... } in a format Qt reads is expected");
                return;
            }
            BadValue(p, prop, "set its properties one by one");
        }

        static std::string EnumNames(const TPropInfo& prop)
        {
            std::string s;
            for (size_t i = 0; i < prop.Enum->Names.size() && i < 12; ++i)
                s += (i ? ", " : "") + prop.Enum->Names[i];
            if (prop.Enum->Names.size() > 12)
                s += ", ...";
            return s;
        }

        TComponent& root_;
        std::string file_;
        std::vector<TComponent*> loaded_;
        std::vector<Fixup> fixups_;
    };

} // namespace

void LoadFormDescription(TComponent& root, const std::vector<const TFormDescription*>& chain)
{
    RegisterStandardClasses();
    Reader reader(root);
    try {
        for (const TFormDescription* d : chain)
            reader.Read(*d);
        reader.Finish();
    } catch (...) {
        reader.Abandon();
        throw;
    }
}

void LoadFormDescriptions(TComponent& root)
{
    std::vector<const TFormDescription*> chain; // most specific first
    for (const TClassInfo* cls = &root.ClassInfo(); cls; cls = cls->Parent()) {
        const TFormDescription* d = FormResources::Find(cls->Name());
        if (!d)
            continue;
        chain.push_back(d);
        if (!d->root.inherited)
            break;
    }
    if (chain.empty())
        return;
    if (chain.back()->root.inherited)
        throw EFormDescriptionError(chain.back()->fileName, chain.back()->root.line,
            "inherited description of " + chain.back()->root.className
                + " has no ancestor description");
    std::vector<const TFormDescription*> ordered(chain.rbegin(), chain.rend());
    LoadFormDescription(root, ordered);
}

} // namespace zrv
