#include "core/cp1250.h"
#include "core/data_module.h"
#include "core/ini_file.h"
#include "core/startup.h"
#include "core/users.h"
#include "recording_reporter.h"
#include "test_database.h"
#include "test_main.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

Run teloran(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TELORAN_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray collectorFile(int lines, const QString& date)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += date + u"  09:0"_s + QString::number(i % 10) + u"DE 201  01 "_s +
                QString(u"06"_s + QString::number(i)).leftJustified(36) + u"  00:01'00\" ....  \r\n"_s;
    return cp1250::encode(text);
}

} // namespace

// `teloran --import` as a scheduler runs it.
class TestUnattendedImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importsEveryWaitingFileAndSaysSo_data() { TestDatabase::addBackendRows(); }
    void importsEveryWaitingFileAndSaysSo()
    {
        OPEN_TEST_DATABASE(database);
        const QString folder = database.folder().file(u"Kalvix/"_s);
        QVERIFY(QDir().mkpath(folder));
        IniFile ceg(cegIniFileName(database.baseDirectory()));
        QVERIFY(ceg.writeString(u"IMPORT"_s, u"UTVONAL"_s, folder));
        QVERIFY(ceg.writeString(u"IMPORT"_s, u"BIZTKERD"_s, u"1"_s)); // never asked without a window
        {
            auto dm = database.dataModule();
            RecordingReporter reporter;
            UserTable users(*dm);
            QVERIFY(users.add(u"Gál Éva"_s, u"x"_s).has_value());
            QVERIFY(users.add(u"Éjszakai Ütemező"_s, u"x"_s).has_value());
        }
        QFile a(folder + u"D052225A.txt"_s);
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write(collectorFile(3, u"05/22/25"_s));
        a.close();
        QFile b(folder + u"D052325A.txt"_s);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write(collectorFile(2, u"05/23/25"_s) + "too short\r\n");
        b.close();

        Run run = teloran({database.iniFileName(), u"--import"_s, u"--as"_s, u"Éjszakai Ütemező"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, (QStringList{u"D052225A.txt: 3 sor, 3 hívás beolvasva"_s,
                                         u"D052325A.txt: 3 sor, 2 hívás beolvasva"_s,
                                         u"Összesen: 2 fájl, 5 hívás beolvasva."_s}));
        QVERIFY(run.errors.contains(u"Beolvasásból kihagyva."_s)); // the short line was reported
        {
            auto dm = database.dataModule();
            auto query = dm->qrMuv();
            QVERIFY(query->exec(u"select distinct usr, tip from Importok"_s));
            QVERIFY(query->next());
            QCOMPARE(query->value(0).toString(), u"USR002"_s);
            QCOMPARE(query->value(1).toString(), u"A"_s);
        }

        run = teloran({database.iniFileName(), u"--import"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, QStringList{u"Nincs beolvasásra váró fájl ("_s + folder + u"D*.txt)."_s});

        // A file that fails makes the run fail; the others are still read.
        QVERIFY(ceg.writeString(u"IMPORT"_s, u"IMPTIPUS"_s, u"7"_s));
        QFile c(folder + u"D052425A.txt"_s);
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.close();
        run = teloran({database.iniFileName(), u"--import"_s});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.last(), u"Összesen: 1 fájl, 0 hívás beolvasva, 1 fájl hibás."_s);

        QCOMPARE(teloran({database.iniFileName(), u"--import"_s, u"--as"_s, u"senki"_s}).exitCode, 2);
    }
};

REGISTER_TEST(TestUnattendedImport)
#include "test_unattended_import.moc"
