#include "ui/run_panel.h"

#include <QMouseEvent>

RunPanel::RunPanel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setFrameShape(QFrame::Panel);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void RunPanel::setLook(const QColor& colour, bool raised)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    setFrameShadow(raised ? QFrame::Raised : QFrame::Sunken);
    setCursor(raised ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

QColor RunPanel::colour() const
{
    return palette().color(QPalette::Window);
}

void RunPanel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void RunPanel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the left button over the panel.
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}
