#pragma once

#include <QObject>
#include <QString>

// Cuts received text into the pieces the parser takes: each piece up to and
// including the stop string (the line end in force). Text that gathers to
// 1024 characters without the stop string is handed on as discarded data, so
// a line end that never comes cannot hold text back for ever.
//
// The splitter knows nothing of where the text comes from (a serial port, a
// file, later a network connection). Its result depends only on the text,
// never on how it was cut into chunks: a piece is formed as soon as its last
// character has arrived, exactly as if the text came one character at a time.
class LineSplitter : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxGathered = 1024;

    explicit LineSplitter(QObject* parent = nullptr);

    const QString& stopString() const { return m_stop; }
    void setStopString(const QString& stop);

    // Adds received text; raises packet and discard for every piece it completes.
    void feed(const QString& text);

    // Text gathered since the last piece.
    const QString& gathered() const { return m_gathered; }
    QString takeGathered();

Q_SIGNALS:
    // A piece ending with the stop string (included).
    void packet(const QString& text);
    // kMaxGathered characters that held no stop string.
    void discard(const QString& text);

private:
    bool emitNext();

    QString m_stop;
    QString m_gathered;
    bool m_emitting = false;
};
