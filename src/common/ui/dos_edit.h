#pragma once

#include "ui/edit_mask.h"

#include <QLineEdit>

// An edit that moves between the fields of its container with Enter and the
// arrow keys, as the old character-mode programs did: Enter and Down go to the
// next field in tab order, Up to the previous one, wrapping round within the
// parent and skipping hidden and disabled controls; a container without a tab
// stop is entered at its first control. Enter never types anything.
// Masks are given in the forms' mask syntax (see edit_mask.h).
class TdosEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool NextOnMaxlen READ nextOnMaxlen WRITE setNextOnMaxlen)
public:
    explicit TdosEdit(QWidget* parent = nullptr);

    bool nextOnMaxlen() const { return m_nextOnMaxlen; }
    void setNextOnMaxlen(bool on) { m_nextOnMaxlen = on; }

    // "0000.00.00;1; " and the like; an empty mask removes the mask.
    void setEditMask(const QString& mask);
    QString editMask() const { return m_editMask; }
    const EditMask& translatedMask() const { return m_mask; }

    // The text as the forms keep it: with a mask that keeps its literals, the
    // literals and the blanks of unfilled places included ("    .  .  " for an
    // empty date); without literals, only the typed places. Without a mask the
    // plain text.
    QString maskedText() const;
    void setMaskedText(const QString& text);

    // Moves the focus for Enter, Down (next) or Up (previous); true when it
    // moved. Edits built on this one call it for the keys they pass on.
    bool navigate(int key);

    // Called when the window re-lays edits whose edit area depends on the
    // form's font (the filter edit); nothing here.
    virtual void relayoutEditArea() {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The change handling: moves on when NextOnMaxlen is set and the field is full.
    virtual void Change();

private:
    bool isFull() const;

    bool m_nextOnMaxlen = false;
    QString m_editMask;
    EditMask m_mask;
};

// A date field year.month.day: mask "0000.00.00;1; ", empty as "    .  .  ".
class TdosDatum : public TdosEdit {
    Q_OBJECT
public:
    explicit TdosDatum(QWidget* parent = nullptr);
};
