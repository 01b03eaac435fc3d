#pragma once
// The value text of a condition scheme: one line per entry of a field list, written from the
// controls of a form and read back into them. An entry is a component name, "." and a property
// name; entries are joined by ";" and every line ends with "\r\n". A selection panel's line is
// its spSaveValue text; a combo box without the named property stores its item index.
//
// The form answers the questions only it can answer through a TSchemeValueHost: which controls
// are date fields, what the date-rule step makes of their dates, the date edit mask and the
// user's date order, and its hooks around each restored control.

#include <string>
#include <string_view>

namespace zrv {

class TComponent;

class TSchemeValueHost {
public:
    virtual ~TSchemeValueHost() = default;
    // Whether the component is one of the form's date fields.
    virtual bool IsDateField(TComponent* /*component*/) { return false; }
    // A date field's value as the date-rule step makes it: a yyyymmdd date for an edit; begin,
    // code 3, end for a range panel (empty when no rule covers the panel).
    virtual std::string DateFieldValue(TComponent* /*component*/) { return {}; }
    // The edit mask of date fields, and the user's date order (1..5) and separator.
    virtual std::string DateEditMask() { return {}; }
    virtual int DateOrder() { return 1; }
    virtual std::string DateSeparator() { return "/"; }
    // Called before every restored control, and after every one that is not a selection panel.
    virtual void BeforeRestoreValue(TComponent* /*component*/, const std::string& /*value*/) { }
    virtual void AfterRestoreValue(TComponent* /*component*/, const std::string& /*value*/) { }
};

// The text "parse spSaveValue error" names a selection panel list that cannot be read.
inline constexpr char kParseSaveValueError[] = "parse spSaveValue error";

// Writes the value text of the entries of `fieldList` from the components of `form`.
std::string WriteSchemeValueText(
    TComponent* form, std::string_view fieldList, TSchemeValueHost& host);
// Reads a value text back into the components named by `fieldList` (entries and lines are
// walked in step; entries naming nothing are skipped). False on the first value that cannot be
// applied, with its reason in `error`; the values applied before it stay applied.
bool ReadSchemeValueText(TComponent* form, std::string_view fieldList, std::string_view valueText,
    TSchemeValueHost& host, std::string* error = nullptr);

} // namespace zrv
