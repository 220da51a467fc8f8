#pragma once

class QLineEdit;

// The edit shows "*" for every character typed (not the style's dot), as the
// login and the administrator editor ask.
void showAsterisks(QLineEdit* edit);
