#include "ui/dos_edit.h"

#include "ui/focus_chain.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TdosEdit::TdosEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TdosEdit::Change);
}

void TdosEdit::setEditMask(const QString& mask)
{
    m_editMask = mask;
    m_mask = translateEditMask(mask);
    setInputMask(m_mask.inputMask);
}

QString TdosEdit::maskedText() const
{
    if (m_mask.inputMask.isEmpty())
        return text();
    // displayText shows unfilled places with the blank.
    const QString shown = displayText();
    if (m_mask.keepLiterals)
        return shown;
    QString typed;
    for (qsizetype i = 0; i < shown.size() && i < m_mask.editable.size(); ++i) {
        if (m_mask.editable[i])
            typed += shown[i];
    }
    return typed;
}

void TdosEdit::setMaskedText(const QString& text)
{
    if (m_mask.inputMask.isEmpty() || m_mask.keepLiterals) {
        setText(text);
        return;
    }
    // Only the typed places were given: put the literals back between them.
    QString full;
    qsizetype next = 0;
    for (qsizetype i = 0; i < m_mask.emptyText.size(); ++i)
        full += m_mask.editable[i] ? (next < text.size() ? text[next++] : m_mask.blank) : m_mask.emptyText[i];
    setText(full);
}

bool TdosEdit::navigate(int key)
{
    if (!parentWidget() || !(isEnter(key) || key == Qt::Key_Down || key == Qt::Key_Up))
        return false;
    const bool forward = key != Qt::Key_Up;
    QWidget* target = siblingInTabOrder(this, forward);
    if (target == this)
        return false;
    target = focusTargetIn(target);
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void TdosEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool moved = navigate(key);
    QLineEdit::keyPressEvent(event);
    // Enter is never a character, and neither it nor a key that moved the
    // focus reaches the form (where Enter would press a default button).
    if (moved || isEnter(key))
        event->accept();
}

bool TdosEdit::isFull() const
{
    if (maxLength() <= 0)
        return false;
    // With a mask, text() leaves out unfilled places: all filled means full.
    return text().size() == maxLength();
}

void TdosEdit::Change()
{
    if (m_nextOnMaxlen && isFull())
        navigate(Qt::Key_Return);
}

TdosDatum::TdosDatum(QWidget* parent) : TdosEdit(parent)
{
    setEditMask(u"0000.00.00;1; "_s);
}
