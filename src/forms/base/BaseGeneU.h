#pragma once
// The routines the base form delegates to: module identifiers from file names, help topics,
// message codes and their templates, and the dialog kinds of message types.

#include "platform/components/Dialogs.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

// The platform's library suffix (".so") stands where the module was a ".Dll"; compared without
// regard to case.
bool IsLibraryFile(std::string_view path);
// The file name without its folder.
std::string FileNameOf(std::string_view path);
// The module identifier a file name spells: the name without its extension and without its last
// character (the last two when the file is not a library), but never shorter than the first six
// characters of the file name. "KVSR58C.so" gives "KVSR58".
std::string ModuleIDFromFileName(std::string_view path, bool library);
// Whether characters 4 to 6 of a window's name ("Kvs" of "frmKvsr58") are the first three of
// the module identifier, without regard to case.
bool WindowNameMatchesModule(std::string_view windowName, std::string_view moduleID);

// The help topic of a module: "1", "6" (fourth letter "A") or "8" (fourth letter "M", the fifth
// letter then counts), "3" for "B" or "2" for "R", the last two characters and "0000". Nothing
// for any other letter or a too short identifier. "INVR05" gives "12050000".
std::optional<std::string> HelpTopicFor(std::string_view moduleID);

// A message code "E;000038;param;...": type letter, number, up to ten parameters.
struct TMessageCode {
    std::string type;
    std::string number; // without the leading "-" of a code that is only recorded
    bool show = false; // the number read as an integer is greater than 0
    std::vector<std::string> params; // at least one, at most ten
};
TMessageCode ParseMessageCode(std::string_view code);

// Substitutes the parameters for the "%s" placeholders of a template in order ("%n:s" takes
// parameter n, "%%" is a percent sign; widths and precisions as "%-8.3s" are honoured). Nothing
// when the template asks for something else or for more parameters than there are places.
std::optional<std::string> FormatMessageTemplate(
    std::string_view templ, const std::vector<std::string>& params);
// The template formatted with the parameters; when that fails, the template, a carriage return
// and every parameter followed by ";".
std::string MessageTextFor(std::string_view templ, const std::vector<std::string>& params);

// Dialog type of a message type letter (warning for C, D, W; error for E; information for I;
// confirmation for Q; plain for any other).
TMsgDlgType DialogTypeForLetter(std::string_view letter);
// Buttons of a typed message: OK and Cancel for C, Q, W; Yes, No and Cancel for D; OK otherwise.
TMsgDlgButtons DefaultButtonsForLetter(std::string_view letter);

} // namespace zrv
