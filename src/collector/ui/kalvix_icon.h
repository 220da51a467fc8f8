#pragma once

#include <QIcon>

// The program's icon (window and tray): a white K on a blue square,
// drawn at the sizes a tray and a title bar use.
QIcon kalvixIcon();
