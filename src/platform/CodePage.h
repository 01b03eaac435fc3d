#pragma once
// Text and code pages. All text inside the program is UTF-8. A code page ("936" simplified
// Chinese/GBK, "950" traditional Chinese/Big5, "437" English) names a character repertoire and a
// legacy encoding: "byte text in code page N" is UTF-8 text limited to what N can encode. Lengths
// and orders stated in bytes are measured on the text encoded in N. Conversions go through iconv.

#include <string>
#include <string_view>

namespace zrv {

// The code pages the system knows by number.
constexpr int cpGB = 936;
constexpr int cpBig5 = 950;
constexpr int cpEnglish = 437;

// The legacy encoding name iconv knows for a code page ("CP936", "CP950", "CP437"); empty for
// a number the system does not use.
std::string CodePageEncoding(int codePage);

// UTF-8 <-> UTF-16. Invalid UTF-8 sequences become U+FFFD; unpaired surrogates likewise.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view wide);
bool IsValidUtf8(std::string_view text);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);
// The value of a hexadecimal digit (either case); -1 for any other character.
int HexDigitValue(char c);

// Encodes UTF-8 text into the legacy bytes of a code page. Characters the code page cannot hold
// become "?" (as the platform's wide-to-multibyte conversion does); `lossy`, when given, tells
// whether that happened. An unknown code page gives the text unchanged.
std::string EncodeToCodePage(std::string_view utf8, int codePage, bool* lossy = nullptr);
// Decodes legacy bytes of a code page into UTF-8. Undecodable bytes become U+FFFD.
std::string DecodeFromCodePage(std::string_view bytes, int codePage);
// UTF-8 text limited to the repertoire of a code page: what it cannot hold becomes "?".
std::string RestrictToCodePage(std::string_view utf8, int codePage);
// Whether every character of the text exists in the code page.
bool FitsCodePage(std::string_view utf8, int codePage);
// The length in bytes of the text encoded in the code page.
size_t ByteLength(std::string_view utf8, int codePage);

// The system code page, from the locale (zh_CN/zh_SG -> 936; zh_TW/zh_HK/zh_MO -> 950; else
// 437). Read from LC_ALL, LC_CTYPE, LANG in that order. Tests may override it.
int SystemCodePage();
void OverrideSystemCodePage(int codePage); // 0 restores the locale's
// Text read from a file that may come from an older installation: UTF-8 when valid, else
// decoded from the system code page's legacy encoding.
std::string DecodeLegacyText(std::string_view bytes);

// Classic text helpers used everywhere.
std::string Trim(std::string_view text); // blanks and control characters at both ends
std::string UpperCase(std::string_view text); // ASCII letters only, as the classic routine
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b); // ASCII case-insensitive equality

} // namespace zrv
