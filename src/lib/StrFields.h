#pragma once
// Text fields, replacement and small text facts shared by every window of the module. Fields are
// separated by a whole separator string; the framework's own separators are the control
// characters 3 (between fields), 4 (after list rows, range marker), 5 (list marker) and 1
// (between columns).

#include <string>
#include <string_view>

namespace zrv {

// The separators of texts exchanged with the server and stored in schemes.
inline constexpr char kFieldSep[] = "\003";
inline constexpr char kRowSep[] = "\004";
inline constexpr char kListMark[] = "\005";
inline constexpr char kColumnSep[] = "\001";

// The n-th field (from 1) of the text split at each occurrence of the separator; the last field
// is whatever follows the last separator. Empty when the text is empty, n < 1, or the text has
// fewer than n fields.
std::string GetField(std::string_view text, std::string_view separator, int n);
// 0 for an empty text, otherwise the number of separators plus 1.
int CountFields(std::string_view text, std::string_view separator);
// Splits off the text before the first separator into `token` and leaves what follows it in
// `text`; without a separator the whole text becomes the token and `text` becomes empty.
void CutToken(std::string& text, std::string_view separator, std::string& token);
// Replaces every occurrence of `oldText` by `newText`, searching again from the start after each
// replacement (so occurrences formed by a replacement are replaced too). Nothing changes when
// the two are equal without regard to case or `oldText` is empty. When `newText` contains
// `oldText`, each occurrence is replaced once, left to right. `trim` trims blanks from the result.
std::string ReplaceAllText(
    std::string_view text, std::string_view oldText, std::string_view newText, bool trim);
// The number the whole text spells (blanks around it allowed), else `fallback`.
double StrToFloatOr(std::string_view text, double fallback);
// True only for exactly "127.0.0.1": the in-process address of the application server.
bool IsLocalHostAddress(std::string_view address);
// The temporary folder with symbolic links resolved, ending in "/"; empty when it cannot be
// resolved.
std::string LongTempPath();
// The Chinese caption of a standard message-dialog button ("Yes", "No", "OK", ...); any other
// name comes back unchanged. Names compare with case.
std::string DialogButtonCaption(std::string_view buttonName);

} // namespace zrv
