#pragma once
// Published properties read and written by name, as values or as text, and by path
// ("Font.Name", "Items_2", "Columns_1.Caption"). The form loader, language files, condition
// schemes and the property routines of the library all go through here.
//
// Paths: segments separated by "."; a segment may end in "_n" (n a decimal number from 0),
// which takes item n of the segment's object (a collection item, a list item, a menu item) or,
// as the last segment on a string list, line n.

#include "platform/components/TypeInfo.h"

#include <string>
#include <string_view>

namespace zrv {

class TObject;
class TComponent;

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name);
bool IsPublishedProp(const TObject* object, std::string_view name);

// Raw values; an empty PropValue when the object or the property is missing.
PropValue GetPropValue(TObject* object, std::string_view name);
bool SetPropValue(TObject* object, std::string_view name, const PropValue& value);

// Typed access. Getters give 0, "", nullptr or an empty method when the object or the
// property is missing or of another kind; setters return false then.
// Ordinals cover integers, enumerations, sets and booleans; a class property reads as the
// object's address and is written only with 0 or the address of a live component.
int64_t GetOrdProp(TObject* object, std::string_view name);
bool SetOrdProp(TObject* object, std::string_view name, int64_t value);
std::string GetStrProp(TObject* object, std::string_view name);
bool SetStrProp(TObject* object, std::string_view name, const std::string& value);
double GetFloatProp(TObject* object, std::string_view name);
bool SetFloatProp(TObject* object, std::string_view name, double value);
TObject* GetObjectProp(TObject* object, std::string_view name);
bool SetObjectProp(TObject* object, std::string_view name, TObject* value);
TMethod GetMethodProp(TObject* object, std::string_view name);
bool SetMethodProp(TObject* object, std::string_view name, const TMethod& value);

// Text forms: integers in decimal, enumerations by value name, sets as "[a,b]", floats in
// the shortest form that reads back the same, texts as they are, component references by
// name, events by handler name.
std::string PropertyToText(TObject* object, const TPropInfo& prop);
// Reads text into a property: integers from decimal or a value name (colours, character sets),
// enumerations by value name (blanks trimmed) or ordinal, sets from "[a, b]" or a number,
// floats, texts unchanged, component references by the name of a component of `lookupRoot`
// (or of the object's owner), events by the name of a handler published by `lookupRoot`.
bool PropertyFromText(TObject* object, const TPropInfo& prop, std::string_view text,
    TComponent* lookupRoot = nullptr);

// Resolves a path to the object and property it ends in. `lineIndex` is set (else -1) when the
// last segment names a line of a string list ("Items_3"): `object` is then the list and `prop`
// nullptr.
struct TPropertyTarget {
    TObject* object = nullptr;
    const TPropInfo* prop = nullptr;
    int lineIndex = -1;
};
bool ResolvePropertyPath(TObject* root, std::string_view path, TPropertyTarget& target);
// Reads and writes a property by path as text (string list lines are appended as needed).
bool GetPropertyPathText(TObject* root, std::string_view path, std::string& text);
bool SetPropertyPathText(
    TObject* root, std::string_view path, std::string_view text, TComponent* lookupRoot = nullptr);

// Splits "Items_3" into ("Items", 3); false (name unchanged, index -1) without a number suffix.
bool SplitIndexSuffix(std::string_view segment, std::string& name, int& index);

// Handlers by name: the published handler `name` of the object's class bound to the object
// (an empty method when there is none).
TMethod FindHandlerMethod(TObject* object, std::string_view name);

} // namespace zrv
