#include "platform/CodePage.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <map>
#include <memory>
#include <utility>

namespace zrv {

namespace {

    std::atomic<int> gOverrideCodePage { 0 };

    // One iconv descriptor per direction and encoding, per thread, reset before every use.
    class Converter {
    public:
        Converter(const std::string& to, const std::string& from)
            : cd_(iconv_open(to.c_str(), from.c_str()))
        {
        }
        ~Converter()
        {
            if (ok())
                iconv_close(cd_);
        }
        bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
        iconv_t get() const { return cd_; }

    private:
        iconv_t cd_;
    };

    iconv_t Descriptor(const std::string& to, const std::string& from)
    {
        thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>>
            cache;
        auto& slot = cache[{ to, from }];
        if (!slot)
            slot = std::make_unique<Converter>(to, from);
        if (!slot->ok())
            return reinterpret_cast<iconv_t>(-1);
        iconv(slot->get(), nullptr, nullptr, nullptr, nullptr);
        return slot->get();
    }

    // Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
    size_t Utf8SeqLen(unsigned char c)
    {
        if (c < 0x80)
            return 1;
        if ((c & 0xE0) == 0xC0)
            return 2;
        if ((c & 0xF0) == 0xE0)
            return 3;
        if ((c & 0xF8) == 0xF0)
            return 4;
        return 1;
    }

    // Runs iconv over the whole input; on a sequence it cannot convert, `onBad` appends a
    // replacement and says how many input bytes to skip.
    template <typename OnBad>
    bool Convert(iconv_t cd, std::string_view in, std::string& out, OnBad onBad)
    {
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buf[1024];
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            const size_t r = iconv(cd, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG)
                    continue;
                // EILSEQ or EINVAL (truncated sequence at the end).
                size_t skip = onBad(out, static_cast<unsigned char>(*src));
                skip = std::min(skip, left);
                src += skip;
                left -= skip;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        // Flush any shift state.
        char* dst = buf;
        size_t room = sizeof buf;
        iconv(cd, nullptr, nullptr, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        return true;
    }

    // Decodes one code point at text[i]; advances i. Invalid input yields U+FFFD and one byte.
    char32_t NextCodePoint(std::string_view text, size_t& i)
    {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t n = Utf8SeqLen(c);
        if (n == 1) {
            ++i;
            return c < 0x80 ? c : 0xFFFD;
        }
        if (i + n > text.size()) {
            ++i;
            return 0xFFFD;
        }
        char32_t cp = c & (0xFF >> (n + 1));
        for (size_t k = 1; k < n; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) {
                ++i;
                return 0xFFFD;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        static const char32_t minimum[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            ++i;
            return 0xFFFD;
        }
        i += n;
        return cp;
    }

    int CodePageFromLocaleName(const std::string& name)
    {
        if (name.rfind("zh_CN", 0) == 0 || name.rfind("zh_SG", 0) == 0)
            return cpGB;
        if (name.rfind("zh_TW", 0) == 0 || name.rfind("zh_HK", 0) == 0
            || name.rfind("zh_MO", 0) == 0)
            return cpBig5;
        return cpEnglish;
    }

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string CodePageEncoding(int codePage)
{
    switch (codePage) {
    case cpGB:
        return "CP936";
    case cpBig5:
        return "CP950";
    case cpEnglish:
        return "CP437";
    default:
        return {};
    }
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view wide)
{
    std::string out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00
            && wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t before = i;
        const char32_t cp = NextCodePoint(text, i);
        if (cp == 0xFFFD) {
            // A genuine U+FFFD is three bytes long; a replacement for bad input advanced one.
            if (i - before != 3)
                return false;
        }
    }
    return true;
}

std::string EncodeToCodePage(std::string_view utf8, int codePage, bool* lossy)
{
    if (lossy)
        *lossy = false;
    const std::string enc = CodePageEncoding(codePage);
    if (enc.empty())
        return std::string(utf8);
    iconv_t cd = Descriptor(enc, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    Convert(cd, utf8, out, [&](std::string& o, unsigned char lead) {
        if (lossy)
            *lossy = true;
        o += '?';
        return Utf8SeqLen(lead);
    });
    return out;
}

std::string DecodeFromCodePage(std::string_view bytes, int codePage)
{
    const std::string enc = CodePageEncoding(codePage);
    if (enc.empty())
        return std::string(bytes);
    iconv_t cd = Descriptor("UTF-8", enc);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    Convert(cd, bytes, out, [](std::string& o, unsigned char) {
        o += "\xEF\xBF\xBD";
        return size_t { 1 };
    });
    return out;
}

std::string RestrictToCodePage(std::string_view utf8, int codePage)
{
    bool lossy = false;
    const std::string bytes = EncodeToCodePage(utf8, codePage, &lossy);
    if (!lossy)
        return std::string(utf8);
    return DecodeFromCodePage(bytes, codePage);
}

bool FitsCodePage(std::string_view utf8, int codePage)
{
    bool lossy = false;
    EncodeToCodePage(utf8, codePage, &lossy);
    return !lossy;
}

size_t ByteLength(std::string_view utf8, int codePage)
{
    // ASCII is one byte in every code page the system uses: skip the conversion for it.
    bool ascii = true;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return utf8.size();
    return EncodeToCodePage(utf8, codePage).size();
}

int SystemCodePage()
{
    if (int cp = gOverrideCodePage.load())
        return cp;
    for (const char* var : { "LC_ALL", "LC_CTYPE", "LANG" }) {
        const char* v = std::getenv(var);
        if (v && *v)
            return CodePageFromLocaleName(v);
    }
    return cpEnglish;
}

void OverrideSystemCodePage(int codePage) { gOverrideCodePage = codePage; }

std::string DecodeLegacyText(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return DecodeFromCodePage(bytes, SystemCodePage());
}

std::string Trim(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return std::string(text.substr(b, e - b));
}

std::string UpperCase(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string LowerCase(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace zrv
