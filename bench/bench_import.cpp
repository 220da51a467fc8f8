// Import speed: a generated file of collector record lines read into the
// call table, in one transaction per file (as the import does) or naively
// with one autocommitted insert per line. Prints lines per second and the
// process's peak memory.
//   bench_import sqlite|postgresql LINES [bulk|naive]
// PostgreSQL needs TELORAN_TEST_PG (scripts/with-postgres starts a server).

#include "core/data_module.h"
#include "core/import_run.h"
#include "core/ini_file.h"
#include "core/installer.h"
#include "core/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class NoStatus : public ImportStatus {
public:
    void show(const QString&) override {}
};

void writeCallFile(const QString& path, qint64 lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (qint64 i = 0; i < lines; ++i) {
        const int day = 1 + int(i / 40000) % 28;
        const QString line = QString::asprintf(
            "05/%02d/25  %02lld:%02lldDU %-4lld 01 %-36s  00:%02lld'%02lld\" ....  \r\n", day, 1 + i % 11,
            i % 60, 200 + i % 80, qPrintable(u"0630"_s + QString::number(1000000 + i % 900000)), i % 60,
            (i * 7) % 60);
        file.write(line.toLatin1());
    }
}

InstallOptions installOptions(const QString& backend, const QString& base)
{
    InstallOptions options;
    options.baseDirectory = base;
    options.userName = u"bench"_s;
    options.userPassword = u"bench"_s;
    if (backend == u"postgresql") {
        options.type = DatabaseType::PgSql;
        for (const QString& pair : qEnvironmentVariable("TELORAN_TEST_PG").split(u' ', Qt::SkipEmptyParts)) {
            const QString name = pair.section(u'=', 0, 0);
            const QString value = pair.section(u'=', 1);
            if (name == u"host")
                options.server = value;
            else if (name == u"port")
                options.port = value;
            else if (name == u"dbname")
                options.catalog = value;
            else if (name == u"user")
                options.databaseUser = value;
        }
    }
    return options;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One autocommitted insert per line, no transaction around the file.
qint64 importNaively(Tdm1& dm, const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QSqlQuery insert(*dm.acAdatok());
    insert.prepare(
        u"insert into Forg (kezdnap, kezdido, hossz, cseng, hivoszam, irany, hivottszam, azon1, belso, ID, "
        "eszk1, nev1, eszk2, nev2, osszeg, importfajl) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    qint64 n = 0;
    LineSource source{path, u"D.txt"_s, 0};
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).chopped(2);
        source.lineNumber = ++n;
        const auto row = parseCollectorLine(line, source);
        const QVariant values[] = {row->kezdnap,        row->kezdido,
                                   row->hossz,          row->cseng,
                                   row->hivoszam,       row->irany,
                                   row->hivottszam,     row->azon1,
                                   row->belso,          QString::number(n).rightJustified(18, u'0'),
                                   row->eszk1,          row->nev1,
                                   row->eszk2,          row->nev2,
                                   double(row->osszeg), row->importfajl};
        for (int i = 0; i < 16; ++i)
            insert.bindValue(i, values[i]);
        if (!insert.exec())
            qFatal("insert failed");
    }
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString backend = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"sqlite"_s;
    const qint64 lines = argc > 2 ? QByteArray(argv[2]).toLongLong() : 1000000;
    const bool naive = argc > 3 && QByteArray(argv[3]) == "naive";

    QTemporaryDir base(QDir::currentPath() + u"/bench-import-XXXXXX"_s);
    const auto ini = installTeloran(installOptions(backend, base.path()));
    if (!ini)
        qFatal("installation failed: %s", qPrintable(ini.error()));
    QDir(base.path()).mkpath(u"Import"_s);
    const QString folder = base.path() + u"/Import/"_s;
    writeCallFile(folder + u"D052325A.txt"_s, lines);
    // The generated file goes to the disk before the clock starts, so its
    // write-back does not count against the import.
    ::sync();
    const long memoryBefore = peakMemoryKiB();

    Tdm1 dm(IniFile(*ini), base.path() + u'/');
    NoStatus status;
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuSeconds();
    qint64 stored = 0;
    if (naive) {
        stored = importNaively(dm, folder + u"D052325A.txt"_s);
    } else {
        ImportSettings settings{folder, u"D*.txt"_s, u"2"_s, false, false};
        Importer importer(dm, settings, u"USR001"_s, status);
        importer.Feltolt();
        importer.Beolvas(ImportMode::Auto);
        stored = importer.outcomes().value(0).stored;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    QTextStream(stdout) << backend << (naive ? " naive" : " bulk ") << "  lines " << stored << "  seconds "
                        << QString::number(seconds, 'f', 2) << "  lines/s " << qRound64(stored / seconds)
                        << "  (by processor time " << qRound64(stored / cpu) << ")"
                        << "  peak memory MiB " << peakMemoryKiB() / 1024 << " (before import "
                        << memoryBefore / 1024 << ")" << Qt::endl;
    return stored == lines ? 0 : 1;
}
