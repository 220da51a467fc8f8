#pragma once

#include "core/clock.h"
#include "core/collector.h"
#include "core/cp1250.h"
#include "core/working_file.h"
#include "recording_view.h"
#include "temp_folder.h"

#include <QRegularExpression>

#include <memory>

using namespace Qt::StringLiterals;

// A record line as a Panasonic KX-TDA prints it: day/month/year, the time
// with AM/PM, extension, trunk line, dialled number and duration at fixed columns.
inline QString tdaLine(const QString& date, const QString& time = u" 9:05PM"_s,
                       const QString& extension = u"201"_s, const QString& number = u"06301234567"_s,
                       const QString& duration = u"00:02'25"_s, const QString& trunk = u"01"_s)
{
    return date + u' ' + time.leftJustified(7) + u' ' + extension.leftJustified(4) + u' ' +
           trunk.leftJustified(2) + u' ' + number.leftJustified(20) + u' ' + duration + u"\r\n"_s;
}

// A collector writing into a temporary folder, with a fixed clock.
struct CollectorFixture {
    explicit CollectorFixture(const QString& pbxType = u"1-002-01"_s, RecordWriter::Options options = {})
        : clock(QDateTime(QDate(2025, 5, 23), QTime(10, 0)))
    {
        Clock::install(&clock);
        start(pbxType, options);
    }
    ~CollectorFixture()
    {
        setFaultHook({});
        Clock::install(nullptr);
    }

    void start(const QString& pbxType, RecordWriter::Options options = {})
    {
        collector = std::make_unique<CallRecordCollector>(folder.path(), view, options);
        collector->setPbxType(PbxType::fromCode(pbxType));
        collector->open();
    }
    // Stops as a crash would: nothing more reaches the files.
    void crash()
    {
        collector->writer().abandon();
        collector.reset();
    }
    void feed(const QString& text, int kind = CallRecordCollector::DataPacket)
    {
        collector->ProcessReceived(kind, text);
    }
    QString read(const QString& name) const { return cp1250::decode(folder.read(name)); }
    // Every line of the working and dated data files.
    QStringList dataLines() const
    {
        QStringList lines;
        for (const QString& name : folder.names()) {
            if (name == u"KVdata.txt" || QRegularExpression(u"^D.*\\.txt$"_s).match(name).hasMatch())
                lines += read(name).split(u"\r\n"_s, Qt::SkipEmptyParts);
        }
        return lines;
    }

    TempFolder folder;
    FixedClock clock;
    RecordingView view;
    std::unique_ptr<CallRecordCollector> collector;
};
