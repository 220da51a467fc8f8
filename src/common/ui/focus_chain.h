#pragma once

#include <QList>

class QWidget;

// Keyboard navigation between the controls of a window by tab order (the
// window's focus chain), shared by the edits and the base form.

// The control takes part in tabbing.
bool takesTabFocus(const QWidget* widget);
// The control can be moved to: it takes part in tabbing, or it holds a visible,
// enabled control that does (a container).
bool isNavigable(const QWidget* widget);
// A control's place in its window's tab order.
int tabOrderIndex(const QWidget* widget);
// The visible, enabled, navigable controls beside `control` in its parent,
// itself included, in tab order.
QList<QWidget*> navigableSiblings(QWidget* control);
// The sibling after (before) `control` in tab order, wrapping round within the
// parent; the control itself when it is alone.
QWidget* siblingInTabOrder(QWidget* control, bool forward);
// The control that takes the focus when a container is entered: the first
// navigable child in the container's own order, followed into nested
// containers; the widget itself when it takes the focus.
QWidget* focusTargetIn(QWidget* widget);
// The next (or previous) visible, enabled control of the window in tab order
// after (before) `from`, skipping the controls inside `skipInside`; nothing when
// there is none.
QWidget* neighbourInTabOrder(QWidget* from, bool forward, const QWidget* skipInside = nullptr);
