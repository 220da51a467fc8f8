// Teloran: the window program, as a user starts it (with the main INI file
// as its only argument, or none), and the command line: prepares a new
// installation, imports the waiting call-record files unattended, or opens
// an installation, brings its database up to date and reports it.

#include "core/connection_settings.h"
#include "core/data_module.h"
#include "core/installer.h"
#include "core/startup.h"
#include "core/terminal.h"
#include "core/text_utils.h"
#include "core/users.h"
#include "unattended_import.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#ifdef TELORAN_WINDOWS
#include "teloran_windows.h"
#include "ui/dialog_reporter.h"

#include <QApplication>
#endif

using namespace Qt::StringLiterals;

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The main user's name and password, asked on the terminal when the options
// do not give them; the password twice.
bool askMainUser(InstallOptions& options, bool nameGiven, bool passwordGiven)
{
    if (!nameGiven)
        options.userName = askLine(u"A fő felhasználó neve: "_s, false).value_or(QString());
    if (!passwordGiven) {
        options.userPassword = askLine(u"Jelszó: "_s, true).value_or(QString());
        if (askLine(u"Jelszó mégegyszer: "_s, true).value_or(QString()) != options.userPassword) {
            err() << u"A két jelszó nem egyezik meg!"_s << Qt::endl;
            return false;
        }
    }
    return true;
}

int install(const QCommandLineParser& parser)
{
    InstallOptions options;
    options.baseDirectory = parser.value(u"install"_s);
    options.type = databaseTypeOf(parser.value(u"db-type"_s).toUpper());
    options.server = parser.value(u"server"_s);
    options.port = parser.value(u"port"_s);
    options.catalog = parser.value(u"database"_s);
    options.databaseUser = parser.value(u"db-user"_s);
    options.databasePassword = parser.value(u"db-password"_s);
    options.extraProperties = parser.value(u"db-options"_s);
    options.userName = parser.value(u"user"_s);
    options.userPassword = parser.value(u"password"_s);
    if (!askMainUser(options, parser.isSet(u"user"_s), parser.isSet(u"password"_s)))
        return 1;
    const auto done = installTeloran(options);
    if (!done) {
        err() << QString(done.error()).replace(u';', u' ') << Qt::endl;
        return 1;
    }
    out() << u"Telepítve: "_s << *done << u" (fő felhasználó: "_s << options.userName << u", USR001)"_s
          << Qt::endl;
    return 0;
}

// Opens an installation as the program does at start and reports it in one line.
int check(const QString& iniName)
{
    TeloranSession session(iniName);
    Tdm1 dm(session.mainIni(), session.baseDirectory());
    if (!dm.prepareDataConnection())
        return 1;
    if (auto data = dm.acAdatok(); !data) {
        err() << QString(data.error()).replace(u';', u' ') << Qt::endl;
        return 1;
    }
    UserTable users(dm);
    const auto rows = users.rows();
    if (!rows) {
        err() << rows.error() << Qt::endl;
        return 1;
    }
    out() << iniName << u": "_s << databaseTypeName(dm.databaseType()) << u", "_s << rows->size()
          << u" felhasználó, alapkönyvtár "_s << session.baseDirectory() << Qt::endl;
    return 0;
}

const QList<QCommandLineOption>& commandLineOptions()
{
    static const QList<QCommandLineOption> list{
        {u"install"_s, u"Új telepítés előkészítése ebben a mappában."_s, u"mappa"_s},
        {u"user"_s, u"A fő felhasználó (USR001) neve."_s, u"név"_s},
        {u"password"_s, u"A fő felhasználó jelszava."_s, u"jelszó"_s},
        {u"db-type"_s, u"Adatbázis típusa: DBASE (beépített), PGSQL vagy MSSQL."_s, u"típus"_s, u"DBASE"_s},
        {u"server"_s, u"Adatbázis-kiszolgáló (PGSQL, MSSQL)."_s, u"gép"_s},
        {u"port"_s, u"A kiszolgáló portja."_s, u"port"_s},
        {u"database"_s, u"Az adatbázis neve (alapértelmezés: Teloran)."_s, u"név"_s},
        {u"db-user"_s, u"Belépési név az adatbázisba."_s, u"név"_s},
        {u"db-password"_s, u"Jelszó az adatbázisba."_s, u"jelszó"_s},
        {u"db-options"_s, u"További kapcsolati beállítások (pl. sslmode=require)."_s, u"név=érték;..."_s},
        {u"import"_s, u"A beolvasásra váró hívásfájlok beolvasása ablak nélkül (ütemezett futtatáshoz)."_s},
        {u"as"_s, u"A beolvasást ez a felhasználó végzi (alapértelmezés: USR001)."_s, u"név"_s},
        {u"check"_s, u"A telepítés megnyitása és ellenőrzése ablak nélkül, egy sor jelentéssel."_s},
    };
    return list;
}

void describe(QCommandLineParser& parser)
{
#ifdef TELORAN_WINDOWS
    const QString withoutOptions = u"Opció nélkül az ablakos program indul a megadott INI-fájllal."_s;
#else
    const QString withoutOptions =
        u"Opció nélkül a telepítés ellenőrzése fut (ez a változat ablak nélküli)."_s;
#endif
    parser.setApplicationDescription(QString(kMainWindowCaption) + u'\n' + withoutOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        u"ini"_s, u"A fő INI-fájl (alapértelmezés: Teloran.ini a program mellett)."_s, u"[Teloran.ini]"_s);
    parser.addOptions(commandLineOptions());
}

void setApplicationNames()
{
    QCoreApplication::setOrganizationName(u"Dravasoft"_s);
    QCoreApplication::setApplicationName(u"Teloran"_s);
    QCoreApplication::setApplicationVersion(QString(kProgramVersion));
    SetDateFormats();
}

int commandLineMain(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    setApplicationNames();
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);

    if (parser.isSet(u"install"_s))
        return install(parser);
    const QStringList positional = parser.positionalArguments();
    const QString iniName = mainIniFileName(positional.value(0), QCoreApplication::applicationDirPath());
    if (parser.isSet(u"import"_s))
        return runUnattendedImport(iniName, parser.value(u"as"_s), QCoreApplication::applicationDirPath(),
                                   out(), err());
    return check(iniName);
}

#ifdef TELORAN_WINDOWS
// The program runs without a window when an option of the command line (or
// help, version) is given; otherwise it starts its windows.
bool wantsCommandLine(int argc, char** argv)
{
    QStringList names{u"h"_s, u"help"_s, u"help-all"_s, u"?"_s, u"v"_s, u"version"_s};
    for (const QCommandLineOption& option : commandLineOptions())
        names.append(option.names());
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (!argument.startsWith(u'-'))
            continue;
        QString name = argument.section(u'=', 0, 0);
        while (name.startsWith(u'-'))
            name.remove(0, 1);
        if (names.contains(name))
            return true;
    }
    return false;
}

int windowMain(int argc, char** argv)
{
    QApplication app(argc, argv);
    setApplicationNames();
    installDialogReporter(ProgramKind::Main);
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    const QString folder = QCoreApplication::applicationDirPath();
    return runTeloranWindows(mainIniFileName(parser.positionalArguments().value(0), folder), folder);
}
#endif

} // namespace

int main(int argc, char** argv)
{
#ifdef TELORAN_WINDOWS
    if (!wantsCommandLine(argc, argv))
        return windowMain(argc, argv);
#endif
    return commandLineMain(argc, argv);
}
