#pragma once

#include "core/messages.h"

#include <QList>
#include <QString>

#include <deque>

// What a message or dialog call asked of the user.
struct ReportedMessage {
    enum Kind { Message, Dialog, Plain } type = Message;
    QString text;
    QChar kind;      // message kind letter
    QString buttons; // message buttons
    int dialogKind = -1;

    bool operator==(const ReportedMessage&) const = default;
};

QDebug operator<<(QDebug debug, const ReportedMessage& m);

// Installs itself for its lifetime: records every message instead of showing
// it, and answers with pre-set answers (or the default button).
class RecordingReporter : public Reporter {
public:
    RecordingReporter();
    ~RecordingReporter() override;

    int uzenet(const QString& text, QChar kind, const QString& buttons, const QString& extraCaption) override;
    int parbeszed(int kind, const QString& text, DialogPosition position, int fontSize,
                  DialogSize size) override;
    void plainMessage(const QString& text) override;

    void answerNext(int result) { m_answers.push_back(result); }
    QList<ReportedMessage> take() { return std::exchange(messages, {}); }
    QStringList texts() const;

    QList<ReportedMessage> messages;

private:
    int answer(int fallback);
    std::deque<int> m_answers;
};

ReportedMessage internalError(const QString& text);
ReportedMessage plain(const QString& text);
