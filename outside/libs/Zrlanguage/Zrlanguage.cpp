#include "Zrlanguage.h"

#include <SimpleConverter.hpp>

#include <memory>
#include <string>
#include <string_view>

#define ZRL_EXPORT extern "C" __attribute__((visibility("default")))

#ifndef ZRLANGUAGE_OPENCC_DATA
#define ZRLANGUAGE_OPENCC_DATA "/usr/share/opencc"
#endif

namespace {

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF): OpenCC expects it.
bool ValidUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t n;
        unsigned min;
        unsigned cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size())
            return false;
        for (size_t k = 1; k <= n; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

// A converter from OpenCC's data folder, else wherever OpenCC itself looks; nullptr when neither
// can be read (the texts then pass through unchanged).
std::unique_ptr<opencc::SimpleConverter> Build(const char* config)
{
    for (const std::string& path :
        { std::string(ZRLANGUAGE_OPENCC_DATA) + "/" + config, std::string(config) }) {
        try {
            return std::make_unique<opencc::SimpleConverter>(path);
        } catch (...) {
        }
    }
    return nullptr;
}

const opencc::SimpleConverter* SimplifiedToTraditional()
{
    static const std::unique_ptr<opencc::SimpleConverter> converter = Build("s2t.json");
    return converter.get();
}

const opencc::SimpleConverter* TraditionalToSimplified()
{
    static const std::unique_ptr<opencc::SimpleConverter> converter = Build("t2s.json");
    return converter.get();
}

const char* Convert(
    const opencc::SimpleConverter* (*converter)(), const char* text, std::string& out)
{
    std::string_view input = text ? std::string_view(text) : std::string_view();
    out.assign(input);
    if (input.empty() || !ValidUtf8(input))
        return out.c_str();
    try {
        if (const opencc::SimpleConverter* c = converter())
            out = c->Convert(input.data(), input.size());
    } catch (...) {
        out.assign(input);
    }
    return out.c_str();
}

} // namespace

ZRL_EXPORT const char* GBtoBIG5(const char* text)
{
    thread_local std::string buffer;
    return Convert(SimplifiedToTraditional, text, buffer);
}

ZRL_EXPORT const char* BIG5toGB(const char* text)
{
    thread_local std::string buffer;
    return Convert(TraditionalToSimplified, text, buffer);
}
