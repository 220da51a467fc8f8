#include "ui/focus_chain.h"

#include <QWidget>

#include <algorithm>

namespace {

bool isUsable(const QWidget* widget, const QWidget* within)
{
    return !widget->isWindow() && widget->window() == within->window() && widget->isVisibleTo(within) &&
           widget->isEnabled();
}

} // namespace

bool takesTabFocus(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
}

bool isNavigable(const QWidget* widget)
{
    if (takesTabFocus(widget))
        return true;
    const auto children = widget->findChildren<QWidget*>();
    return std::any_of(children.begin(), children.end(), [widget](const QWidget* child) {
        return takesTabFocus(child) && isUsable(child, widget);
    });
}

int tabOrderIndex(const QWidget* widget)
{
    const QWidget* window = widget->window();
    int index = 0;
    for (const QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain(), ++index) {
        if (w == widget)
            return index;
    }
    return -1;
}

QWidget* focusTargetIn(QWidget* widget)
{
    while (!takesTabFocus(widget)) {
        QWidget* first = nullptr;
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (isUsable(child, widget) && isNavigable(child)) {
                first = child;
                break;
            }
        }
        if (!first)
            return widget;
        widget = first;
    }
    return widget;
}

QWidget* neighbourInTabOrder(QWidget* from, bool forward, const QWidget* skipInside)
{
    QWidget* window = from->window();
    for (QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain(); w != from;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (w == window || (skipInside && skipInside->isAncestorOf(w)))
            continue;
        if (takesTabFocus(w) && isUsable(w, window))
            return w;
    }
    return nullptr;
}

QList<QWidget*> navigableSiblings(QWidget* control)
{
    QWidget* parent = control->parentWidget();
    if (!parent)
        return {control};
    QList<QWidget*> fields;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == control || (isUsable(w, parent) && isNavigable(w)))
            fields.append(w);
    }
    std::stable_sort(fields.begin(), fields.end(),
                     [](const QWidget* a, const QWidget* b) { return tabOrderIndex(a) < tabOrderIndex(b); });
    return fields;
}

QWidget* siblingInTabOrder(QWidget* control, bool forward)
{
    const QList<QWidget*> fields = navigableSiblings(control);
    const qsizetype here = fields.indexOf(control);
    return forward ? fields.value(here + 1, fields.front()) : fields.value(here - 1, fields.back());
}
