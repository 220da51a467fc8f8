// Kalvix without a window: feeds a file of PBX text through the same path
// as received data and closes the record files as the program's end does.

#include "core/collector.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/text_utils.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Prints what the window's last-calls list would show.
class PrintingView : public CollectorView {
public:
    void ShowLineError(const QString& text) override { m_out << u"  hiba: "_s << text << Qt::endl; }
    void ShowRecord(const QString& text) override { m_out << u"  hívás: "_s << text << Qt::endl; }

private:
    QTextStream m_out{stdout};
};

// Hands the text over in the pieces a serial line splitter delivers: each
// up to and including the line end, and whatever is left at the end.
void feedText(CallRecordCollector& collector, const QString& text)
{
    const QString& lineEnd = collector.parser().lineEnd();
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf(lineEnd, start);
        const qsizetype next = end < 0 ? text.size() : end + lineEnd.size();
        collector.ProcessReceived(CallRecordCollector::DataPacket, text.mid(start, next - start));
        collector.processPendingLines();
        start = next;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Kalvix"_s);
    SetDateFormats();

    QCommandLineParser options;
    options.setApplicationDescription(u"Kalvix - Com.Port.Reader for Teloran"_s);
    options.addHelpOption();
    const QCommandLineOption folderOption(u"folder"_s, u"A Kalvix mappája (Kalvix.ini és a hívásfájlok)."_s,
                                          u"mappa"_s, QCoreApplication::applicationDirPath());
    const QCommandLineOption feedOption(u"feed"_s, u"Telefonközpont-szöveg beolvasása fájlból."_s, u"fájl"_s);
    options.addOption(folderOption);
    options.addOption(feedOption);
    options.process(app);

    QTextStream err(stderr);
    const QString folder = QDir(options.value(folderOption)).absolutePath();
    const IniFile ini(folder + u"/Kalvix.ini"_s);
    if (!ini.exists()) {
        err << u"A programhoz tartozó Kalvix.ini fájl hiányzik!"_s << u" (" << ini.path() << u")" << Qt::endl;
        return 1;
    }
    if (!options.isSet(feedOption)) {
        err << u"Adja meg a beolvasandó fájlt: --feed <fájl>"_s << Qt::endl;
        return 2;
    }
    QFile input(options.value(feedOption));
    if (!input.open(QIODevice::ReadOnly)) {
        err << u"A fájl nem nyitható meg: "_s << input.fileName() << Qt::endl;
        return 1;
    }

    PrintingView view;
    CallRecordCollector collector(folder, view);
    const PbxType type = PbxType::fromCode(ini.readString(u"OTHER"_s, u"KIND"_s));
    collector.setPbxType(type);
    if (type.layoutType == kLayoutConfigured)
        collector.IniLoad(ini);
    collector.open();
    feedText(collector, cp1250::decode(input.readAll()));
    return collector.close() ? 0 : 1;
}
