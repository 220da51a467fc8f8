#include "recording_reporter.h"

#include <QDebug>

using namespace Qt::StringLiterals;

QDebug operator<<(QDebug debug, const ReportedMessage& m)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "{" << int(m.type) << ", " << m.text << ", " << m.kind << ", " << m.buttons << ", "
                    << m.dialogKind << "}";
    return debug;
}

RecordingReporter::RecordingReporter()
{
    setReporter(this);
}

RecordingReporter::~RecordingReporter()
{
    setReporter(nullptr);
}

int RecordingReporter::answer(int fallback)
{
    if (m_answers.empty())
        return fallback;
    const int result = m_answers.front();
    m_answers.pop_front();
    return result;
}

int RecordingReporter::uzenet(const QString& text, QChar kind, const QString& buttons, const QString&)
{
    messages.append({ReportedMessage::Message, text, kind, buttons, -1});
    return answer(buttons.isEmpty() ? mrOk : modalResultOfButton(buttons.front()));
}

int RecordingReporter::parbeszed(int kind, const QString& text, DialogPosition, int, DialogSize)
{
    messages.append({ReportedMessage::Dialog, text, QChar(), QString(), kind});
    return answer(defaultResultOfDialog(kind));
}

void RecordingReporter::plainMessage(const QString& text)
{
    messages.append({ReportedMessage::Plain, text, QChar(), QString(), -1});
}

QStringList RecordingReporter::texts() const
{
    QStringList list;
    for (const ReportedMessage& m : messages)
        list.append(m.text);
    return list;
}

ReportedMessage internalError(const QString& text)
{
    return {ReportedMessage::Message, text, u'B', u"R"_s, -1};
}

ReportedMessage plain(const QString& text)
{
    return {ReportedMessage::Plain, text, QChar(), QString(), -1};
}
