#pragma once

#include <QString>

// Values packed into one string as fields separated by ";", numbered from 1.
// A missing or malformed field is reported as an internal error.

// Field n of text (0 and 1 both give the first); empty when it is missing.
QString ERTC(int n, const QString& text, bool showError);
// Field n as an integer; 0 when it is missing or not an integer.
int ERTN(int n, const QString& text);
// The Windows-1250 code of the first character of field n; 0 when empty.
int ERTB(int n, const QString& text);
// True when field n is exactly "Igen", false for "Nem" and anything else.
bool ERTL(int n, const QString& text);
