#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal window once it is on the screen, while the code
// under test waits in it. The action runs once, inside that window's loop.
inline void whenModalShown(std::function<void(QWidget*)> action, QWidget* notThis = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

// A key pressed where the user's keys go: the focused control of the window.
inline void pressKey(QWidget* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
}
