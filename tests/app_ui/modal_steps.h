#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Steps a test takes in the modal windows the code under test opens, as a
// user would: each step waits for the next modal window of its class to be
// on the screen (and ready, when a condition is given), then acts on it
// inside that window's loop. Steps not taken die with the object, so a test
// that fails early leaves nothing behind for the next one.
class ModalSteps : public QObject {
public:
    template <typename Window>
    void when(std::function<void(Window*)> action, std::function<bool(Window*)> ready = {})
    {
        auto* timer = new QTimer(this);
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, action, ready] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (!window || !window->isVisible() || (ready && !ready(window)))
                return;
            timer->stop();
            timer->deleteLater();
            action(window);
        });
        timer->start();
    }
};

// Keys typed where the user's keys go: the focused control of the window.
// Letters beyond ASCII come as the key events of a Hungarian keyboard do:
// their text, without a key code of their own.
inline void typeInto(QWidget* window, const QString& text)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(target, char(c.unicode()));
            continue;
        }
        for (QTest::KeyAction action : {QTest::Press, QTest::Release})
            QTest::sendKeyEvent(action, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key, modifiers);
}
