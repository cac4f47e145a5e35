#include "event_codes.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, qint16>, 27> kNamedKeys = {{
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},   {Qt::Key_Alt, 18},      {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},  {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},    {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},      {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},     {Qt::Key_Down, 40},     {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},   {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},  {Qt::Key_ScrollLock, 145}, {Qt::Key_Help, 47},
}};

} // namespace

qint16 KeyCodeFor(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qint16(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return qint16(112 + (qtKey - Qt::Key_F1));
    for (const auto &[key, code] : kNamedKeys) {
        if (key == qtKey)
            return code;
    }
    return 0;
}

qint16 ShiftStateFor(Qt::KeyboardModifiers modifiers)
{
    return qint16((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
                  | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
                  | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

qint16 MouseButtonFor(Qt::MouseButtons buttons)
{
    return qint16((buttons.testFlag(Qt::LeftButton) ? 1 : 0)
                  | (buttons.testFlag(Qt::RightButton) ? 2 : 0)
                  | (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}
