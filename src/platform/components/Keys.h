#pragma once
// Keys and shift states as handlers see them: virtual-key codes (VK_F2, VK_ESCAPE, 'A'), and
// shift states as a small set. Characters of KeyPress are UTF-16 code units (13 for Enter).

#include <cstdint>

namespace zrv {

using TShiftState = uint8_t;
enum : TShiftState {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
constexpr TShiftState ssModifiers = ssShift | ssAlt | ssCtrl;

using TKeyChar = char16_t;

enum : uint16_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_CLEAR = 12,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_HELP = 47,
    VK_NUMPAD0 = 96,
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112,
    VK_F2,
    VK_F3,
    VK_F4,
    VK_F5,
    VK_F6,
    VK_F7,
    VK_F8,
    VK_F9,
    VK_F10,
    VK_F11,
    VK_F12,
};

// Conversions from and to Qt's key codes and modifiers (ints, so that callers need no Qt header).
uint16_t VirtualKeyFromQt(int qtKey);
int QtKeyFromVirtualKey(uint16_t key);
TShiftState ShiftStateFromQt(int keyboardModifiers, int mouseButtons = 0);
int QtModifiersFromShiftState(TShiftState shift);

} // namespace zrv
