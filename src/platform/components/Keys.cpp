#include "platform/components/Keys.h"

#include <Qt>

namespace zrv {

namespace {
    struct KeyPair {
        int qt;
        uint16_t vk;
    };
    const KeyPair kKeys[] = {
        { Qt::Key_Backspace, VK_BACK },
        { Qt::Key_Tab, VK_TAB },
        { Qt::Key_Backtab, VK_TAB },
        { Qt::Key_Clear, VK_CLEAR },
        { Qt::Key_Return, VK_RETURN },
        { Qt::Key_Enter, VK_RETURN },
        { Qt::Key_Shift, VK_SHIFT },
        { Qt::Key_Control, VK_CONTROL },
        { Qt::Key_Alt, VK_MENU },
        { Qt::Key_Pause, VK_PAUSE },
        { Qt::Key_CapsLock, VK_CAPITAL },
        { Qt::Key_Escape, VK_ESCAPE },
        { Qt::Key_Space, VK_SPACE },
        { Qt::Key_PageUp, VK_PRIOR },
        { Qt::Key_PageDown, VK_NEXT },
        { Qt::Key_End, VK_END },
        { Qt::Key_Home, VK_HOME },
        { Qt::Key_Left, VK_LEFT },
        { Qt::Key_Up, VK_UP },
        { Qt::Key_Right, VK_RIGHT },
        { Qt::Key_Down, VK_DOWN },
        { Qt::Key_Insert, VK_INSERT },
        { Qt::Key_Delete, VK_DELETE },
        { Qt::Key_Help, VK_HELP },
        { Qt::Key_Asterisk, VK_MULTIPLY },
        { Qt::Key_Plus, VK_ADD },
        { Qt::Key_Minus, VK_SUBTRACT },
        { Qt::Key_Period, VK_DECIMAL },
        { Qt::Key_Slash, VK_DIVIDE },
    };
} // namespace

uint16_t VirtualKeyFromQt(int qtKey)
{
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return static_cast<uint16_t>(qtKey); // the same codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<uint16_t>(VK_F1 + (qtKey - Qt::Key_F1));
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}

int QtKeyFromVirtualKey(uint16_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return key;
    if (key >= VK_F1 && key < VK_F1 + 24)
        return Qt::Key_F1 + (key - VK_F1);
    for (const KeyPair& k : kKeys)
        if (k.vk == key)
            return k.qt;
    return 0;
}

TShiftState ShiftStateFromQt(int keyboardModifiers, int mouseButtons)
{
    TShiftState s = 0;
    if (keyboardModifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (keyboardModifiers & Qt::AltModifier)
        s |= ssAlt;
    if (keyboardModifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (mouseButtons & Qt::LeftButton)
        s |= ssLeft;
    if (mouseButtons & Qt::RightButton)
        s |= ssRight;
    if (mouseButtons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

int QtModifiersFromShiftState(TShiftState shift)
{
    int m = Qt::NoModifier;
    if (shift & ssShift)
        m |= Qt::ShiftModifier;
    if (shift & ssAlt)
        m |= Qt::AltModifier;
    if (shift & ssCtrl)
        m |= Qt::ControlModifier;
    return m;
}

} // namespace zrv
