#pragma once

#include <QColor>
#include <QFont>

class QKeyEvent;

// What the collector's plain dialogs (login, settings, serial port) share:
// they do not take the base form's look.

// Their font.
QFont plainFormFont();

// The colours of the run switch and the login's warning panels.
inline const QColor kRed{255, 0, 0};
inline const QColor kLime{0, 255, 0};

// Enter that reaches the dialog itself (from a list, a grid cell or a check
// box) is swallowed, so that it never presses a default button: a focused
// button takes Enter itself. True when the event was Enter.
bool ignoresEnter(QKeyEvent* event);
