#include "ui/choice_box.h"

#include <QApplication>
#include <QMouseEvent>

TChoiceBox::TChoiceBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::toggled, this, &TChoiceBox::Click);
}

TChoiceBox::TChoiceBox(const QString& text, QWidget* parent) : TChoiceBox(parent)
{
    setText(text);
}

void TChoiceBox::setCheckedQuietly(bool checked)
{
    m_guard = true;
    setChecked(checked);
    m_guard = false;
}

TChoiceGroup* TChoiceBox::group() const
{
    return qobject_cast<TChoiceGroup*>(parentWidget());
}

void TChoiceBox::Click()
{
    if (m_guard)
        return;
    TChoiceGroup* choice = group();
    if (choice && !choice->canMultiSelect()) {
        if (isChecked()) {
            for (TChoiceBox* other : choice->findChildren<TChoiceBox*>(Qt::FindDirectChildrenOnly)) {
                if (other != this)
                    other->setCheckedQuietly(false);
            }
        } else {
            setCheckedQuietly(true);
        }
    }
    Q_EMIT choiceClicked();
}

void TChoiceBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasActive = window()->focusWidget() == this;
    QCheckBox::mouseReleaseEvent(event);
    // A click on a box that did not have the focus always leaves it checked.
    if (event->button() == Qt::LeftButton && !wasActive) {
        setChecked(true);
        setFocus(Qt::MouseFocusReason);
    }
}

TChoiceGroup::TChoiceGroup(QWidget* parent) : QGroupBox(parent)
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &TChoiceGroup::focusMoved);
}

TChoiceGroup::TChoiceGroup(const QString& title, QWidget* parent) : TChoiceGroup(parent)
{
    setTitle(title);
}

int TChoiceGroup::ItemIndex() const
{
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = children.size() - 1; i >= 0; --i) {
        auto* box = qobject_cast<TChoiceBox*>(children[i]);
        if (box && box->isChecked())
            return int(i);
    }
    return -1;
}

TChoiceBox* TChoiceGroup::SelectedItem() const
{
    const int index = ItemIndex();
    return index < 0
               ? nullptr
               : qobject_cast<TChoiceBox*>(findChildren<QWidget*>(Qt::FindDirectChildrenOnly).at(index));
}

void TChoiceGroup::focusMoved(QWidget* from, QWidget* to)
{
    if (to && isAncestorOf(to) && !(from && isAncestorOf(from)))
        DoEnter();
}

void TChoiceGroup::DoEnter()
{
    if (!parentWidget() || !parentWidget()->isWindow())
        return;
    for (TChoiceBox* box : findChildren<TChoiceBox*>(Qt::FindDirectChildrenOnly)) {
        if (box->isChecked())
            box->setFocus(Qt::OtherFocusReason);
    }
}
