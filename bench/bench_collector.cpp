// Lines per second through ProcessReceived and the record writer, for the
// fixed layout (type 2) and a configured layout (type 999), with and without
// syncing every record to the disk. Run from a folder on the real disk:
//   build/bench/bench_collector [folder]

#include "core/collector.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

class SilentView : public CollectorView {
public:
    void ShowLineError(const QString&) override { ++defects; }
    void ShowRecord(const QString&) override { ++records; }
    int defects = 0;
    int records = 0;
};

// Calls of many days, a new day every 500 lines, so that dated files are
// closed along the way as in real use.
std::vector<QString> callLines(int count, bool configured)
{
    std::vector<QString> lines;
    lines.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int day = 1 + (i / 500) % 28;
        const int month = 1 + (i / (500 * 28)) % 12;
        const QString date = QString::asprintf("%02d/%02d/25", day, month);
        const QString time = configured ? QString::asprintf("%02d:%02dpm", 1 + i % 12, i % 60)
                                        : QString::asprintf("%2d:%02dPM", 1 + i % 12, i % 60);
        lines.push_back(date + u' ' + time + u' ' + QString::number(200 + i % 50).leftJustified(4) + u" 01 " +
                        QString(u"06301"_s + QString::number(100000 + i)).leftJustified(20) +
                        u" 00:02'25\r\n"_s);
    }
    return lines;
}

double linesPerSecond(const QString& root, const QString& pbxType, bool durable, int count)
{
    QTemporaryDir folder(root + u"/bench-XXXXXX"_s);
    SilentView view;
    CallRecordCollector collector(folder.path(), view, RecordWriter::Options{durable});
    collector.setPbxType(PbxType::fromCode(pbxType));
    collector.open();
    const std::vector<QString> lines = callLines(count, PbxType::fromCode(pbxType).layoutType == 999);
    QElapsedTimer timer;
    timer.start();
    for (const QString& line : lines)
        collector.ProcessReceived(CallRecordCollector::DataPacket, line);
    collector.close();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (view.records != count)
        qFatal("expected %d records, got %d", count, view.records);
    return count / seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTextStream out(stdout);
    out << "layout          durable  lines      lines/s" << Qt::endl;
    const struct {
        const char* name;
        QString type;
        bool durable;
        int count;
    } runs[] = {{"type 2        ", u"1-002-01"_s, false, 200000},
                {"type 999      ", u"1-999-01"_s, false, 200000},
                {"type 2        ", u"1-002-01"_s, true, 2000},
                {"type 999      ", u"1-999-01"_s, true, 2000}};
    for (const auto& run : runs) {
        const double rate = linesPerSecond(root, run.type, run.durable, run.count);
        out << run.name << "  " << (run.durable ? "yes" : "no ") << "      "
            << QString::number(run.count).leftJustified(9) << "  " << qRound64(rate) << Qt::endl;
    }
    return 0;
}
