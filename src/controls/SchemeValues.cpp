#include "controls/SchemeValues.h"

#include "controls/SelectPnl.h"
#include "lib/DateTexts.h"
#include "lib/StrFields.h"
#include "platform/CodePage.h"
#include "platform/components/ComboBox.h"
#include "platform/components/Properties.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace zrv {

namespace {

    struct Entry {
        std::string component;
        std::string property;
    };

    // "name.property", both parts trimmed; false when either is missing.
    bool SplitEntry(const std::string& entry, Entry& out)
    {
        size_t dot = entry.find('.');
        if (dot == std::string::npos)
            return false;
        out.component = Trim(entry.substr(0, dot));
        out.property = Trim(entry.substr(dot + 1));
        return !out.component.empty() && !out.property.empty();
    }

    bool ParseInteger(const std::string& text, int64_t& value)
    {
        std::string t = Trim(text);
        const char* first = t.data();
        const char* last = t.data() + t.size();
        if (first != last && *first == '+')
            ++first;
        if (first == last)
            return false;
        auto r = std::from_chars(first, last, value);
        return r.ec == std::errc() && r.ptr == last;
    }

    bool ParseFloat(const std::string& text, double& value)
    {
        std::string t = Trim(text);
        if (t.empty())
            return false;
        char* end = nullptr;
        value = std::strtod(t.c_str(), &end);
        return end == t.c_str() + t.size();
    }

    std::string DateText(const std::string& compact, TSchemeValueHost& host)
    {
        return DateToOrderedStr(host.DateOrder(), host.DateSeparator(), CompactToDate(compact));
    }

    std::string ValueOf(TComponent* form, const std::string& entryText, TSchemeValueHost& host)
    {
        Entry entry;
        if (!form || !SplitEntry(entryText, entry))
            return {};
        TComponent* c = form->FindComponent(entry.component);
        if (!c)
            return {};
        if (auto* panel = dynamic_cast<TSelectPanel*>(c)) {
            if (panel->Style() == TSelectStyle::sp_Range && host.IsDateField(panel)) {
                std::string rule = host.DateFieldValue(panel);
                return panel->SaveValue(&rule);
            }
            return panel->SaveValue();
        }
        const TPropInfo* prop = GetPropInfo(c, entry.property);
        if (!prop) {
            if (auto* combo = dynamic_cast<TComboBox*>(c))
                return std::to_string(combo->ItemIndex());
            return {};
        }
        switch (prop->Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Set:
            return std::to_string(GetOrdProp(c, prop->Name));
        case TTypeKind::Enumeration:
            return prop->Enum->NameOf(GetOrdProp(c, prop->Name));
        case TTypeKind::Float:
            return PropertyToText(c, *prop);
        case TTypeKind::String:
            if (host.IsDateField(c))
                return host.DateFieldValue(c);
            return GetStrProp(c, prop->Name);
        default:
            return {};
        }
    }

    [[noreturn]] void Refuse(const Entry& entry, const std::string& value)
    {
        throw std::runtime_error(
            "'" + value + "' cannot be restored into " + entry.component + "." + entry.property);
    }

    void RestorePanel(TSelectPanel* panel, const std::string& line, TSchemeValueHost& host)
    {
        const std::string style = GetField(line, kFieldSep, 1);
        if (style == "sp_Range") {
            std::string begin = GetField(line, kFieldSep, 2);
            std::string end = GetField(line, kFieldSep, 3);
            if (host.IsDateField(panel)) {
                panel->SetEditMask(host.DateEditMask());
                begin = DateText(begin, host);
                end = DateText(end, host);
            }
            panel->SetBeginText(begin);
            panel->SetFinalText(end);
        } else if (style == "sp_Discrete") {
            if (!panel->FillListFromRows(GetField(line, kFieldSep, 2)))
                throw std::runtime_error(kParseSaveValueError);
        } else if (style == "sp_UserChoice") {
            const std::string choice = GetField(line, kFieldSep, 2);
            int value = BooleanEnum().ValueOf(Trim(choice));
            if (value < 0)
                throw std::runtime_error(kParseSaveValueError);
            panel->SetUserChoice(value == 1);
            if (value == 1) {
                panel->SetBeginText(GetField(line, kFieldSep, 3));
                panel->SetFinalText(GetField(line, kFieldSep, 4));
            } else if (!panel->FillListFromRows(GetField(line, kFieldSep, 3)))
                throw std::runtime_error(kParseSaveValueError);
        }
        // Any other text names no style this panel knows: it stays as it is.
    }

    // Applies one line; false when the reading ends here without an error.
    bool Restore(TComponent* c, const Entry& entry, const std::string& line, TSchemeValueHost& host)
    {
        host.BeforeRestoreValue(c, line);
        if (auto* panel = dynamic_cast<TSelectPanel*>(c)) {
            RestorePanel(panel, line, host);
            return true;
        }
        const TPropInfo* prop = GetPropInfo(c, entry.property);
        if (!prop) {
            if (auto* combo = dynamic_cast<TComboBox*>(c)) {
                int64_t index = 0;
                if (!ParseInteger(line, index))
                    Refuse(entry, line);
                combo->SetItemIndex(static_cast<int>(index));
            }
            host.AfterRestoreValue(c, line);
            return true;
        }
        bool applied = false;
        switch (prop->Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Set: {
            int64_t v = 0;
            applied = ParseInteger(line, v) && SetOrdProp(c, prop->Name, v);
            break;
        }
        case TTypeKind::Enumeration: {
            int v = prop->Enum->ValueOf(Trim(line));
            applied = v >= 0 && SetOrdProp(c, prop->Name, v);
            break;
        }
        case TTypeKind::Float: {
            double v = 0;
            applied = ParseFloat(line, v) && SetFloatProp(c, prop->Name, v);
            break;
        }
        case TTypeKind::String:
            if (host.IsDateField(c)) {
                if (IsPublishedProp(c, "EditMask"))
                    SetStrProp(c, "EditMask", host.DateEditMask());
                applied = SetStrProp(c, prop->Name, DateText(line, host));
            } else
                applied = SetStrProp(c, prop->Name, line);
            break;
        default:
            return false; // a kind of value schemes do not hold: stop here
        }
        if (!applied)
            Refuse(entry, line);
        host.AfterRestoreValue(c, line);
        return true;
    }

} // namespace

std::string WriteSchemeValueText(
    TComponent* form, std::string_view fieldList, TSchemeValueHost& host)
{
    std::string entries(fieldList);
    std::string text;
    while (!entries.empty()) {
        std::string entry;
        CutToken(entries, ";", entry);
        text += ValueOf(form, entry, host) + "\r\n";
    }
    return text;
}

bool ReadSchemeValueText(TComponent* form, std::string_view fieldList, std::string_view valueText,
    TSchemeValueHost& host, std::string* error)
{
    std::string entries(fieldList);
    std::string lines(valueText);
    try {
        while (!entries.empty()) {
            std::string entryText, line;
            CutToken(entries, ";", entryText);
            CutToken(lines, "\r\n", line);
            Entry entry;
            if (!form || !SplitEntry(Trim(entryText), entry))
                continue;
            TComponent* c = form->FindComponent(entry.component);
            if (!c)
                continue;
            if (!Restore(c, entry, line, host))
                break;
        }
    } catch (const std::exception& e) {
        if (error)
            *error = e.what();
        return false;
    }
    return true;
}

} // namespace zrv
