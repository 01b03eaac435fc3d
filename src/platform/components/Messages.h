#pragma once
// Window messages: numbers and the message record that Perform and PostMessage carry. Forms and
// controls answer them in WndProc; user messages start at WM_USER.

#include <cstdint>

namespace zrv {

struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

enum : uint32_t {
    WM_CLOSE = 0x0010,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_USER = 0x0400,
    CM_BASE = 0xB000,
    CM_RELEASE = CM_BASE + 33,
};

// Mouse messages carry the client position in LParam: x in the low word, y in the high word.
constexpr intptr_t MakeLParam(int x, int y)
{
    return static_cast<intptr_t>(
        (static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}
constexpr int LParamX(intptr_t l) { return static_cast<int16_t>(l & 0xFFFF); }
constexpr int LParamY(intptr_t l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

// Key state in WParam of mouse messages.
enum : uintptr_t { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8 };

} // namespace zrv
