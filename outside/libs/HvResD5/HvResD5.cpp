// The pictures are drawn here as 16 x 16 character maps, one character per pixel, in the
// classic sixteen-colour toolbar palette plus a few tints. '.' is the background, which is also
// the bottom-left pixel and so the transparent colour of every picture.

#include "HvResD5.h"

#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

constexpr int kSize = 16;
constexpr uint32_t kBackground = 0xFF808000; // olive, the classic glyph background

uint32_t PaletteColour(char c, bool& known)
{
    known = true;
    switch (c) {
    case '.':
        return kBackground;
    case 'K':
        return 0xFF000000; // black outline
    case 'W':
        return 0xFFFFFFFF;
    case 'g':
        return 0xFF808080;
    case 's':
        return 0xFFC0C0C0;
    case 'r':
        return 0xFF800000;
    case 'R':
        return 0xFFFF0000;
    case 'p':
        return 0xFFFF9CAA; // eraser pink
    case 'Y':
        return 0xFFFFE040; // gold
    case 'o':
        return 0xFFC89000; // dark gold
    case 'w':
        return 0xFF804000; // brown
    case 't':
        return 0xFFE0B070; // cardboard
    case 'T':
        return 0xFFF4D49C; // light cardboard
    case 'b':
        return 0xFF000080;
    case 'B':
        return 0xFF2060E0;
    case 'l':
        return 0xFFC8E4FF; // lens
    case 'c':
        return 0xFF008080;
    case 'n':
        return 0xFF008000;
    case 'G':
        return 0xFF30C030;
    case 'f':
        return 0xFFFFCC99; // face
    default:
        known = false;
        return kBackground;
    }
}

using Art = std::array<const char*, kSize>;

// 8: lookup (a magnifying glass).
const Art kLookup = {
    "................",
    "....KKKK........",
    "..KKWWllKK......",
    "..KWWllllK......",
    ".KWlllllllK.....",
    ".KWlllllllK.....",
    ".KllllllllK.....",
    ".KllllllllK.....",
    "..KllllllK......",
    "..KKllllKKK.....",
    "....KKKKKwwK....",
    ".........KwwwK..",
    "..........KwwwK.",
    "...........KwwwK",
    "............KwK.",
    ".............K..",
};

// 9: calendar.
const Art kCalendar = {
    "...gg.....gg....",
    ".KKggKKKKKggKKK.",
    ".KRRRRRRRRRRRRK.",
    ".KRRRRRRRRRRRRK.",
    ".KKKKKKKKKKKKKK.",
    ".KWWWWWWWWWWWWK.",
    ".KWggWggWggWgWK.",
    ".KWWWWWWWWWWWWK.",
    ".KWggWggWRRWgWK.",
    ".KWWWWWWWWWWWWK.",
    ".KWggWggWggWgWK.",
    ".KWWWWWWWWWWWWK.",
    ".KWggWggWWWWWWK.",
    ".KWWWWWWWWWWWWK.",
    ".KKKKKKKKKKKKKK.",
    "................",
};

// 47: delete (a red cross).
const Art kDelete = {
    "................",
    "................",
    "................",
    "..rRr......rRr..",
    "...rRr....rRr...",
    "....rRr..rRr....",
    ".....rRrrRr.....",
    "......rRRr......",
    "......rRRr......",
    ".....rRrrRr.....",
    "....rRr..rRr....",
    "...rRr....rRr...",
    "..rRr......rRr..",
    "................",
    "................",
    "................",
};

// 4: clear (an eraser); the library adds the disabled image.
const Art kClear = {
    "................",
    "................",
    "........KKK.....",
    ".......KpppK....",
    "......KpppppK...",
    ".....KpppppppK..",
    "....KWKpppppppK.",
    "...KWWWKpppppK..",
    "..KWWWWWKpppK...",
    ".KWWWWWWWKpK....",
    "..KWWWWWWWK.....",
    "...KWWWWWK......",
    "....KKKKK.......",
    "................",
    "..ggg.gggg.gg...",
    "................",
};

// 39: users (two people).
const Art kUsers = {
    "................",
    "..........KKK...",
    ".........KfffK..",
    "....KKK..KfffK..",
    "...KfffK.KfffK..",
    "...KfffK..KKK...",
    "...KfffK.KnnnK..",
    "....KKK.KnGnnnK.",
    "...KKKKKKGnnnnK.",
    "..KBBBBBKnnnnnK.",
    ".KBlBBBBBKnnnnK.",
    ".KBlBBBBBKKKKKK.",
    ".KBBBBBBBK......",
    ".KBBBBBBBK......",
    ".KKKKKKKKK......",
    "................",
};

// 44: currency (a gold coin with the yuan sign).
const Art kCurrency = {
    ".....KKKKK......",
    "...KKoYYYoKK....",
    "..KoYYYYYYYoK...",
    ".KoYwYYYYYwYoK..",
    ".KYYYwYYYwYYYK..",
    "KoYYYYwYwYYYYoK.",
    "KYYYYYYwYYYYYYK.",
    "KYYYYwwwwwYYYYK.",
    "KYYYYYYwYYYYYYK.",
    "KoYYYwwwwwYYYoK.",
    ".KYYYYYwYYYYYK..",
    ".KoYYYYwYYYYoK..",
    "..KoYYYYYYYoK...",
    "...KKoooooKK....",
    ".....KKKKK......",
    "................",
};

// 61: supplier (a delivery lorry).
const Art kSupplier = {
    "................",
    "................",
    "................",
    "KKKKKKKKKK......",
    "KWWWWWWWWK......",
    "KWWWWWWWWKKKKK..",
    "KWWWWWWWWKllKBK.",
    "KWWWWWWWWKllKBBK",
    "KWWWWWWWWKKKKBBK",
    "KWWWWWWWWKBBBBBK",
    "KBBBBBBBBBBBBBBK",
    "KKKKKKKKKKKKKKKK",
    "..KKK......KKK..",
    ".KKsKK....KKsKK.",
    "..KKK......KKK..",
    "................",
};

// 68: item (a cardboard box).
const Art kItem = {
    "................",
    "......KKKK......",
    "....KKTTTTKK....",
    "..KKTTTTTTTTKK..",
    ".KTTTTTTTTTTTTK.",
    ".KKKTTTTTTTTKKK.",
    ".KttKKKTTKKKwwK.",
    ".KttttttKwwwwwK.",
    ".KttttttKwwwwwK.",
    ".KttttttKwwwwwK.",
    ".KttttttKwwwwwK.",
    ".KttttttKwwwwwK.",
    ".KKttttttKwwwKK.",
    "...KKtttKwwKK...",
    ".....KKKKKK.....",
    "................",
};

// 81: footer (a page with its footer band).
const Art kFooter = {
    "..KKKKKKKKK.....",
    "..KWWWWWWWKK....",
    "..KWggggWWKWK...",
    "..KWWWWWWWKKKK..",
    "..KWggggggggWK..",
    "..KWWWWWWWWWWK..",
    "..KWggggggggWK..",
    "..KWWWWWWWWWWK..",
    "..KWggggggWWWK..",
    "..KWWWWWWWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KBBBBBBBBBBK..",
    "..KBWWWWBBBBBK..",
    "..KBBBBBBBBBBK..",
    "..KKKKKKKKKKKK..",
    "................",
};

struct PictureEntry {
    const Art* art;
    bool withDisabled; // strip of two: normal and disabled
};

const std::map<int32_t, PictureEntry>& Catalogue()
{
    static const std::map<int32_t, PictureEntry> catalogue = {
        { 4, { &kClear, true } },
        { 8, { &kLookup, false } },
        { 9, { &kCalendar, false } },
        { 39, { &kUsers, false } },
        { 44, { &kCurrency, false } },
        { 47, { &kDelete, false } },
        { 61, { &kSupplier, false } },
        { 68, { &kItem, false } },
        { 81, { &kFooter, false } },
    };
    return catalogue;
}

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};

bool Decode(const Art& art, std::vector<uint32_t>& out)
{
    out.assign(kSize * kSize, kBackground);
    for (int y = 0; y < kSize; ++y) {
        const char* row = art[static_cast<size_t>(y)];
        if (!row || std::strlen(row) != kSize)
            return false;
        for (int x = 0; x < kSize; ++x) {
            bool known = false;
            out[static_cast<size_t>(y * kSize + x)] = PaletteColour(row[x], known);
            if (!known)
                return false;
        }
    }
    return true;
}

// The disabled look: the picture's outline and dark parts embossed in grey on the background.
std::vector<uint32_t> Disabled(const std::vector<uint32_t>& image)
{
    auto at = [&](int x, int y) {
        x = x < 0 ? 0 : (x >= kSize ? kSize - 1 : x);
        y = y < 0 ? 0 : (y >= kSize ? kSize - 1 : y);
        return image[static_cast<size_t>(y * kSize + x)];
    };
    std::vector<bool> marked(kSize * kSize, false);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            uint32_t p = at(x, y);
            if (p == kBackground)
                continue;
            int sum = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
            bool edge = at(x - 1, y) == kBackground || at(x + 1, y) == kBackground
                || at(x, y - 1) == kBackground || at(x, y + 1) == kBackground;
            marked[static_cast<size_t>(y * kSize + x)] = sum < 384 || edge;
        }
    std::vector<uint32_t> out(kSize * kSize, kBackground);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (marked[static_cast<size_t>(y * kSize + x)] && x + 1 < kSize && y + 1 < kSize)
                out[static_cast<size_t>((y + 1) * kSize + x + 1)] = 0xFFFFFFFF;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (marked[static_cast<size_t>(y * kSize + x)])
                out[static_cast<size_t>(y * kSize + x)] = 0xFF808080;
    return out;
}

const Picture* Build(int32_t id)
{
    static std::mutex mutex;
    static std::map<int32_t, Picture> built;
    std::lock_guard<std::mutex> lock(mutex);
    if (auto it = built.find(id); it != built.end())
        return &it->second;
    auto entry = Catalogue().find(id);
    if (entry == Catalogue().end())
        return nullptr;
    std::vector<uint32_t> image;
    if (!Decode(*entry->second.art, image))
        return nullptr;
    Picture picture;
    picture.height = kSize;
    if (!entry->second.withDisabled) {
        picture.width = kSize;
        picture.pixels = std::move(image);
    } else {
        std::vector<uint32_t> disabled = Disabled(image);
        picture.width = 2 * kSize;
        picture.pixels.resize(static_cast<size_t>(2 * kSize * kSize));
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                picture.pixels[static_cast<size_t>(y * 2 * kSize + x)]
                    = image[static_cast<size_t>(y * kSize + x)];
                picture.pixels[static_cast<size_t>(y * 2 * kSize + kSize + x)]
                    = disabled[static_cast<size_t>(y * kSize + x)];
            }
    }
    return &built.emplace(id, std::move(picture)).first->second;
}

} // namespace

extern "C" int32_t GetMaxBmpID(void) { return Catalogue().rbegin()->first; }

extern "C" int32_t LoadBmp(HvBmpImage* image, int32_t id)
{
    if (!image)
        return 0;
    const Picture* picture = Build(id);
    if (!picture)
        return 0;
    image->width = picture->width;
    image->height = picture->height;
    image->pixels = picture->pixels.data();
    return 1;
}
