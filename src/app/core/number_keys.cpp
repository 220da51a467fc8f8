#include "core/number_keys.h"

#include <algorithm>

namespace {

bool isSign(QChar c)
{
    return c == u'+' || c == u'-';
}

// The edit's own handling of a character: it replaces the selection, or is
// inserted at the cursor; Backspace deletes the selection or the character
// before the cursor.
EditState typeCharacter(EditState edit, QChar key)
{
    if (edit.selectionLength > 0) {
        edit.text.remove(edit.selectionStart, edit.selectionLength);
        edit.cursor = edit.selectionStart;
        edit.selectionLength = 0;
        if (key == u'\b')
            return edit;
    } else if (key == u'\b') {
        if (edit.cursor > 0) {
            edit.text.remove(edit.cursor - 1, 1);
            --edit.cursor;
        }
        return edit;
    }
    edit.text.insert(edit.cursor, key);
    ++edit.cursor;
    edit.selectionStart = edit.cursor;
    return edit;
}

EditState setSign(EditState edit, QChar sign)
{
    if (!isSign(edit.text.front())) {
        edit.text.prepend(sign);
        ++edit.cursor;
        if (edit.selectionLength > 0)
            ++edit.selectionStart;
    } else {
        edit.text[0] = sign;
    }
    return edit;
}

} // namespace

EditState fixSigns(const EditState& edit)
{
    EditState fixed = edit;
    for (qsizetype i = fixed.text.size() - 1; i >= 1; --i) {
        if (!isSign(fixed.text[i]))
            continue;
        fixed.text.remove(i, 1);
        if (fixed.cursor > i)
            --fixed.cursor;
    }
    fixed.selectionStart = std::min<int>(fixed.selectionStart, int(fixed.text.size()));
    fixed.selectionLength =
        std::min<int>(fixed.selectionLength, int(fixed.text.size()) - fixed.selectionStart);
    return fixed;
}

EditState numberKeyPress(const EditState& before, QChar key, bool real, QChar decimalSeparator)
{
    if (key.unicode() < 32 && key != u'\b')
        return before;
    EditState edit = before;
    if (edit.selectionLength == edit.text.size()) {
        edit.text.clear();
        edit.cursor = edit.selectionStart = edit.selectionLength = 0;
    }
    if (isSign(key)) {
        if (edit.text.isEmpty())
            return fixSigns(typeCharacter(edit, key));
        return fixSigns(setSign(edit, key));
    }
    if (key == u'.' || key == u',') {
        const bool accepted =
            real && !edit.text.isEmpty() && !edit.text.contains(u'.') && !edit.text.contains(u',');
        return accepted ? fixSigns(typeCharacter(edit, decimalSeparator)) : edit;
    }
    if (key == u'\b' || (key >= u'0' && key <= u'9'))
        return fixSigns(typeCharacter(edit, key));
    return edit;
}
