#pragma once
// Variants and code pages. Byte text is UTF-8 limited to the repertoire of a code page; wide text
// is UTF-16. Converting a text to a code page replaces what the code page cannot hold by "?".
// Everything sent to the application server travels as wide text read "from" a code page, and
// replies are brought back to byte text of that code page.

#include "platform/Variant.h"

#include <string>
#include <string_view>

namespace zrv {

// A copy of `a` when the flag is set, else of `b`.
Variant VarChoose(bool flag, const Variant& a, const Variant& b);
// True for an empty or a null Variant.
bool VarIsBlank(const Variant& value);

// Wide text -> byte text of the code page, "?" for what it cannot hold. An unknown code page
// falls back to the system code page.
std::string WideToCodePage(std::u16string_view wide, int codePage);
// Byte text of the code page -> wide text. Text that is not UTF-8 is taken as legacy bytes of
// the code page. An unknown code page falls back to the system code page.
std::u16string CodePageToWide(std::string_view text, int codePage);

// Makes the texts of a value byte text of the code page: a scalar text, the wide texts of a
// one-dimensional array and, recursively, of the arrays nested in it, and the wide texts of a
// two-dimensional array (arrays nested in a two-dimensional array are left alone). Other values
// are kept. On failure the value comes back unchanged and an alert-log line is written.
Variant VariantToCodePage(const Variant& value, int codePage);
// The reverse: the same texts (byte or wide) become wide text read from the code page.
Variant VariantFromCodePage(const Variant& value, int codePage);

// prefix "\003" count "\003" then each text followed by "\003", as wide text. The list is an
// array whose element 0 is the count and elements 1..count the texts; empty when it is not.
std::u16string PackCountedList(std::string_view prefix, const Variant& list);

} // namespace zrv
