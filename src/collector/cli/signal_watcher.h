#pragma once

#include <QObject>

#include <initializer_list>
#include <memory>

class QSocketNotifier;

// Turns process signals (SIGTERM, SIGINT) into a Qt signal in the event
// loop's thread. The handler only writes the signal's number into a pipe,
// the one thing that is safe inside a signal handler; the event loop reads it.
// One watcher at a time.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void received(int signal);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
    QList<int> m_signals;
};
