#pragma once

#include <Qt>
#include <QtGlobal>

// The argument values of the key and mouse signals, in the codes the control's users know:
// key codes of the desktop's virtual keys, Shift 1 / Ctrl 2 / Alt 4, and mouse buttons
// left 1 / right 2 / middle 4.

// 0 for a key without a code of its own.
qint16 KeyCodeFor(int qtKey);
qint16 ShiftStateFor(Qt::KeyboardModifiers modifiers);
qint16 MouseButtonFor(Qt::MouseButtons buttons);
