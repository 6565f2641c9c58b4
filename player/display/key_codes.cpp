#include "display/key_codes.h"

namespace {

struct KeyPair
{
    int qt;
    std::uint16_t code;
};

// Keys whose Qt code differs from the virtual key code. Letters and digits share theirs.
constexpr KeyPair Special[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},      {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},       {Qt::Key_Down, 40},     {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},   {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145}, {Qt::Key_Plus, 187},    {Qt::Key_Equal, 187},
    {Qt::Key_Minus, 189},
};

} // namespace

std::uint16_t VirtualKey::FromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey == Qt::Key_Plus)
            return Add;
        if (qtKey == Qt::Key_Minus)
            return Subtract;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<std::uint16_t>(F1 + (qtKey - Qt::Key_F1));
    for (const KeyPair &pair : Special)
        if (pair.qt == qtKey)
            return pair.code;
    return 0;
}

std::uint16_t VirtualKey::ModifierState(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        state |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        state |= AltMask;
    return state;
}
