#pragma once

#include <QColor>
#include <QLabel>

// A panel of the main window that works as a switch: its text on a colour,
// raised when it can be pressed, lowered when it cannot. A left click on it
// is reported whatever its look; the window decides what a click does.
class RunPanel : public QLabel {
    Q_OBJECT
public:
    explicit RunPanel(const QString& text, QWidget* parent = nullptr);

    void setLook(const QColor& colour, bool raised);
    bool isRaised() const { return frameShadow() == QFrame::Raised; }
    QColor colour() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
