#include "ui/kalvix_icon.h"

#include <QPainter>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

QPixmap drawn(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal margin = size / 16.0;
    const QRectF box(margin, margin, size - 2 * margin, size - 2 * margin);
    painter.setPen(QPen(QColor(0, 64, 128), std::max(1.0, size / 16.0)));
    painter.setBrush(QColor(0, 128, 192));
    painter.drawRoundedRect(box, size / 6.0, size / 6.0);
    QFont font(u"Arial"_s);
    font.setBold(true);
    font.setPixelSize(int(size * 0.7));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, u"K"_s);
    return pixmap;
}

} // namespace

QIcon kalvixIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawn(size));
    return icon;
}
