#pragma once

#include <QChar>
#include <QString>

// The text of an edit with its cursor and selection (positions from 0).
struct EditState {
    QString text;
    int cursor = 0;
    int selectionStart = 0;
    int selectionLength = 0;

    bool operator==(const EditState&) const = default;
};

// The number key filter of the parameter dialog's N and R edits, for one
// typed character; the result is the edit after the key, the sign fixer
// included, so the dialog only forwards the key and shows the result.
// - With the whole text selected the text is cleared first.
// - "+" / "-" on an empty text is typed; otherwise it sets or flips the sign
//   in front of the text, wherever the cursor is.
// - "." or "," only in an R edit (real) whose text is not empty and has no
//   separator yet; it is typed as the local decimal separator.
// - Backspace and the digits pass; every other character is discarded.
// Control characters other than Backspace (Enter, Ctrl+C ...) leave the
// edit as it is: they must not clear a selected value.
EditState numberKeyPress(const EditState& edit, QChar key, bool real, QChar decimalSeparator);

// The sign fixer (change handler of N and R edits): every "+" or "-" that is
// not the first character is deleted; the cursor keeps its place in what is
// left.
EditState fixSigns(const EditState& edit);

inline constexpr QChar kBackspace = u'\b';
