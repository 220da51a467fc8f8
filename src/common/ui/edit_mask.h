#pragma once

#include <QChar>
#include <QList>
#include <QString>

// Edit masks are written the way the forms' definitions give them:
// "mask;keep-literals;blank", e.g. "0000.00.00;1; ". In such a mask "0" is a
// required digit, "9" an optional digit, "#" an optional digit or sign, "L"/"l"
// a required/optional letter, "A"/"a" a required/optional letter or digit,
// "C"/"c" a required/optional character, ">" and "<" switch to upper and lower
// case and "<>" back to none, "\" makes the next character literal, ":" and
// "/" are the time and date separators, "_" a blank and "!" drops blanks.
// Qt's input masks use other letters ("9" required, "0" optional): every mask
// goes through translateEditMask, never copied across.
struct EditMask {
    QString inputMask;        // for QLineEdit::setInputMask, blank included
    bool keepLiterals = true; // the text holds the literals
    QChar blank = u'_';       // shown in unfilled places
    QString emptyText;        // an untouched field: literals, blanks elsewhere
    QList<bool> editable;     // per character of the field: typed, not literal

    bool operator==(const EditMask&) const = default;
};

// An empty mask gives an empty input mask (no mask). Without the second field
// the literals are kept; without the third the blank is "_".
EditMask translateEditMask(const QString& mask);
