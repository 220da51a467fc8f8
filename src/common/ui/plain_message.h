#pragma once

#include <QString>

// The platform's plain message box: the application's title as caption, the
// text, one OK button. A pre-set answer (next_answer.h) stands in for the user.
void showPlainMessageBox(const QString& text);

// The title every dialog of the program shows.
QString applicationTitle();

// Text with carriage returns (alone or before a line feed) as line breaks a
// label shows.
QString withLineBreaks(const QString& text);
