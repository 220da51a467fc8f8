#include "ui/plain_forms.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;

QFont plainFormFont()
{
    QFont font(u"MS Sans Serif"_s);
    font.setPixelSize(11);
    return font;
}

bool ignoresEnter(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    event->accept();
    return true;
}
