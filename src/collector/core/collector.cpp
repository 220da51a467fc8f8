#include "core/collector.h"

#include "core/clock.h"
#include "core/ini_file.h"
#include "core/layout.h"
#include "core/messages.h"
#include "core/record_line.h"
#include "core/text_utils.h"

using namespace Qt::StringLiterals;

CallRecordCollector::CallRecordCollector(const QString& folder, CollectorView& view,
                                         RecordWriter::Options options)
    : m_writer(folder, options), m_view(view)
{
}

void CallRecordCollector::IniLoad(const IniFile& ini)
{
    m_parser.setLayout(readLayout(ini));
}

void CallRecordCollector::open()
{
    afterWrite(m_writer.open());
}

void CallRecordCollector::ProcessReceived(int kind, const QString& text)
{
    // A message shown while a record is processed lets further received text
    // arrive; it is taken in order once the current record is done.
    if (m_busy) {
        m_input.emplace_back(kind, text);
        return;
    }
    m_busy = true;
    process(kind, text);
    while (!m_input.empty()) {
        auto [nextKind, nextText] = std::move(m_input.front());
        m_input.pop_front();
        process(nextKind, nextText);
    }
    m_busy = false;
}

void CallRecordCollector::processPendingLines()
{
    while (m_parser.hasCompleteLine())
        ProcessReceived(DataPacket, QString());
}

void CallRecordCollector::process(int kind, const QString& text)
{
    const std::optional<QString> line = m_parser.takeLine(text);
    if (!line)
        return;
    const ParsedLine parsed = m_parser.parse(*line);
    for (const QString& defect : parsed.defects)
        m_view.ShowLineError(defect);
    fileRecord(kind, parsed);
}

void CallRecordCollector::fileRecord(int kind, const ParsedLine& parsed)
{
    const int mode = m_parser.pbxType().outputMode;
    const RecordLine record = buildRecordLine(mode, parsed, Clock::today());
    const bool bad = parsed.bad || !IsValidDate(record.date.checkDate, false);
    // Pass-through lines keep the PBX's own line end.
    const QString text = record.text.contains(m_parser.lineEnd()) ? record.text : record.text + u"\r\n"_s;
    const QString display = bad ? QString() : displayText(mode, record);
    afterWrite(m_writer.file(kind, bad, text, record.date.key, display));
}

void CallRecordCollector::retryWaiting()
{
    afterWrite(m_writer.flush());
}

void CallRecordCollector::afterWrite(const FileResult& result)
{
    for (const QString& shown : m_writer.takeShown())
        m_view.ShowRecord(shown);
    if (result) {
        m_writeFailing = false;
        return;
    }
    m_view.ShowLineError(result.error());
    // One message for a failure, not one for every record that waits behind it.
    if (!m_writeFailing) {
        m_writeFailing = true;
        Uzenet(
            u"A hívásadatok nem írhatók ki!;"_s + result.error() +
                u"; ;A rekordok a memóriában várnak, és a program minden újabb;adatnál újra megpróbálja kiírni őket."_s,
            u'H', u"R"_s);
    }
}

bool CallRecordCollector::close()
{
    processPendingLines();
    const QString unfinished = m_parser.takeRemainder();
    if (!unfinished.isEmpty())
        afterWrite(m_writer.file(Discarded, true, unfinished + u"\r\n"_s, QString(), QString()));
    const QStringList unwritten = m_writer.close();
    if (!unwritten.isEmpty()) {
        QString lines;
        for (const QString& line : unwritten)
            lines += u';' + TrimRightBlanks(QString(line).remove(u'\r').remove(u'\n').replace(u';', u','));
        Uzenet(QString::number(unwritten.size()) + u" rekord nem volt kiírható a program bezárásakor:"_s +
                   lines,
               u'H', u"R"_s);
    }
    return unwritten.isEmpty();
}
