#pragma once

#include <QDate>
#include <QDateTime>

// The one source of the current date and time, so that a test can set the
// day of receipt, the time of an import or today's date of a list.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const;

    static QDateTime currentDateTime() { return current().now(); }
    static QDate today() { return current().now().date(); }
    static const Clock& current();
    // Not owned; nullptr restores the system clock.
    static void install(const Clock* clock);
};

// A clock that stands still at the time it was given.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDateTime now() const override { return m_at; }
    void set(const QDateTime& at) { m_at = at; }

private:
    QDateTime m_at;
};
