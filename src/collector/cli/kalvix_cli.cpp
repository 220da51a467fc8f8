#include "cli/kalvix_cli.h"

#include "cli/printing_view.h"
#include "cli/signal_watcher.h"
#include "core/collector_program.h"
#include "core/collector_settings.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/pbx_type.h"
#include "core/serial_settings.h"
#include "core/terminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

QTextStream& errorOut()
{
    static QTextStream stream(stderr);
    return stream;
}

QString settingsPath(const KalvixCommand& command)
{
    return command.folder + u'/' + kSettingsFileName;
}

} // namespace

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

std::expected<KalvixCommand, QString> parseKalvixCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Kalvix - Com.Port.Reader for Teloran"_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Ez a súgó."_s);
    const QCommandLineOption folder(u"folder"_s, u"A Kalvix mappája (Kalvix.ini és a hívásfájlok)."_s,
                                    u"mappa"_s);
    const QCommandLineOption headless(u"headless"_s,
                                      u"Vétel ablak nélkül a tárolt beállításokkal, SIGTERM/SIGINT jelig."_s);
    const QCommandLineOption retry(
        u"retry"_s, u"Ablak nélkül: ennyi másodpercenként próbálja újra az elveszett portot."_s, u"mp"_s,
        u"5"_s);
    const QCommandLineOption feed(u"feed"_s, u"Telefonközpont-szöveg beolvasása fájlból."_s, u"fájl"_s);
    const QCommandLineOption install(u"install"_s, u"A Kalvix.ini létrehozása az 1. rendszergazdával."_s);
    const QCommandLineOption administrator(u"admin"_s, u"Telepítéskor: a rendszergazda azonosítója."_s,
                                           u"azonosító"_s);
    const QCommandLineOption password(u"password"_s, u"Telepítéskor: a rendszergazda jelszava."_s,
                                      u"jelszó"_s);
    const QCommandLineOption kind(u"type"_s, u"Telepítéskor: a telefonközpont típusa (pl. 1-002-01)."_s,
                                  u"kód"_s);
    const QCommandLineOption port(u"port"_s, u"Telepítéskor: a soros port (pl. ttyUSB0)."_s, u"port"_s);
    const QCommandLineOption baud(u"baud"_s, u"Telepítéskor: az adatsebesség (alapérték 9600)."_s, u"baud"_s);
    parser.addOptions(
        {help, folder, headless, retry, feed, install, administrator, password, kind, port, baud});
    if (!parser.parse(arguments))
        return std::unexpected(u"Hibás parancssor: "_s + parser.errorText() + u" (súgó: --help)"_s);
    if (!parser.positionalArguments().isEmpty())
        return std::unexpected(u"Ismeretlen paraméter: "_s + parser.positionalArguments().join(u' '));

    KalvixCommand command;
    if (parser.isSet(help)) {
        command.mode = KalvixCommand::Mode::Help;
        // Read before the application object exists, the text cannot name the program itself.
        command.text = parser.helpText().replace(
            u"<executable_name>"_s,
            arguments.isEmpty() ? u"kalvix"_s : QFileInfo(arguments.first()).fileName());
        return command;
    }
    const int modes = int(parser.isSet(headless)) + int(parser.isSet(feed)) + int(parser.isSet(install));
    if (modes > 1)
        return std::unexpected(u"A --headless, --feed és --install közül csak egy adható meg."_s);
    if (parser.isSet(headless))
        command.mode = KalvixCommand::Mode::Headless;
    else if (parser.isSet(feed))
        command.mode = KalvixCommand::Mode::Feed;
    else if (parser.isSet(install))
        command.mode = KalvixCommand::Mode::Install;
    const bool installOnly = parser.isSet(administrator) || parser.isSet(password) || parser.isSet(kind) ||
                             parser.isSet(port) || parser.isSet(baud);
    if (installOnly && command.mode != KalvixCommand::Mode::Install)
        return std::unexpected(
            u"Az --admin, --password, --type, --port és --baud csak az --install mellett adható meg."_s);

    if (parser.isSet(folder))
        command.folder = QDir(parser.value(folder)).absolutePath();
    command.feedFile = parser.value(feed);
    bool ok = false;
    command.retrySeconds = parser.value(retry).toInt(&ok);
    if (!ok || command.retrySeconds < 1 || command.retrySeconds > 3600)
        return std::unexpected(u"A --retry értéke 1 és 3600 közötti egész szám legyen."_s);
    if (parser.isSet(administrator))
        command.administrator = parser.value(administrator);
    if (parser.isSet(password))
        command.password = parser.value(password);
    command.kind = parser.value(kind);
    if (!command.kind.isEmpty() && pbxTypeTextOf(command.kind).isEmpty())
        return std::unexpected(u"Ismeretlen telefonközpont-típus: "_s + command.kind + u". Választható: "_s +
                               pbxTypeListTexts().join(u", "_s));
    command.port = parser.value(port);
    if (parser.isSet(baud)) {
        command.baudRate = parser.value(baud).toInt(&ok);
        if (!ok || command.baudRate <= 0)
            return std::unexpected(u"A --baud értéke pozitív egész szám legyen."_s);
        if (command.port.isEmpty())
            return std::unexpected(u"A --baud csak a --port mellett adható meg."_s);
    }
    return command;
}

// ---- without a window ----

int runHeadless(const KalvixCommand& command)
{
    PrintingView view;
    CollectorProgram program(command.folder, view,
                             {CollectorProgram::Reception::Continuous, command.retrySeconds, {}});
    QObject::connect(&program, &CollectorProgram::status, &program,
                     [](const QString& text) { errorOut() << text << Qt::endl; });
    SignalWatcher stop({SIGTERM, SIGINT});
    QObject::connect(&stop, &SignalWatcher::received, &stop, [](int) { QCoreApplication::quit(); });

    errorOut() << u"Kalvix ablak nélkül: "_s << command.folder << Qt::endl;
    if (!program.settings().sectionExists(kSectionPort) && program.settings().exists())
        errorOut() << u"A Kalvix.ini-ben nincs soros port beállítás (SP2), az alapértékekkel indul: "_s
                   << describePortSettings(SerialPortSettings()) << Qt::endl;
    if (!program.FormCreate()) {
        errorOut() << settingsPath(command) << Qt::endl;
        return 1;
    }
    const QString type = pbxTypeTextOf(program.kind());
    errorOut() << u"Telefonközpont típusa: "_s
               << (type.isEmpty() ? (program.kind().isEmpty() ? u"nincs megadva"_s : program.kind()) : type)
               << Qt::endl;
    QCoreApplication::exec();
    const bool closed = program.FormDestroy();
    errorOut() << u"Kalvix leállt, a hívásfájlok lezárva."_s << Qt::endl;
    return closed ? 0 : 1;
}

int runFeed(const KalvixCommand& command)
{
    QFile input(command.feedFile);
    if (!input.open(QIODevice::ReadOnly)) {
        errorOut() << u"A fájl nem nyitható meg: "_s << input.fileName() << Qt::endl;
        return 1;
    }
    PrintingView view;
    CollectorProgram program(command.folder, view, {CollectorProgram::Reception::None, 5, {}});
    if (!program.FormCreate()) {
        errorOut() << settingsPath(command) << Qt::endl;
        return 1;
    }
    program.feed(cp1250::decode(input.readAll()));
    return program.FormDestroy() ? 0 : 1;
}

// ---- installation ----

namespace {

struct Credentials {
    QString name;
    QString password;
    QString passwordAgain;
};

std::optional<Credentials> askCredentials(const KalvixCommand& command)
{
    Credentials c;
    const auto ask = [](const QString& prompt, bool secret, QString& into) {
        const auto line = askLine(prompt, secret);
        if (line)
            into = *line;
        return line.has_value();
    };
    if (command.administrator)
        c.name = *command.administrator;
    else if (!ask(u"A rendszergazda azonosítója: "_s, false, c.name))
        return std::nullopt;
    if (command.password) {
        c.password = c.passwordAgain = *command.password;
    } else if (!ask(u"Jelszó: "_s, true, c.password) || !ask(u"Jelszó újra: "_s, true, c.passwordAgain)) {
        return std::nullopt;
    }
    return c;
}

// Writes the new file beside its final name and moves it there only when
// complete, never over a file that appeared meanwhile.
std::expected<void, QString> writeNewSettings(const KalvixCommand& command, const Credentials& c)
{
    const QString finalPath = settingsPath(command);
    const QString newPath = finalPath + u".new"_s;
    QFile::remove(newPath);
    IniFile ini(newPath);
    auto result = storeAdministrator(ini, 1, c.name, c.password, c.passwordAgain);
    if (result && !command.kind.isEmpty())
        result = ini.writeString(kSectionOther, kKeyKind, command.kind);
    if (result && !command.port.isEmpty()) {
        SerialPortSettings port;
        port.port = command.port;
        if (command.baudRate > 0)
            port.baudRate = command.baudRate;
        result = storePortSettings(ini, port);
    }
    if (result && !QFile::rename(newPath, finalPath))
        result = std::unexpected(u"A Kalvix.ini nem hozható létre: "_s + finalPath);
    if (result)
        result = syncFolder(command.folder);
    QFile::remove(newPath);
    return result;
}

} // namespace

int runInstall(const KalvixCommand& command)
{
    const QString path = settingsPath(command);
    if (QFile::exists(path)) {
        errorOut() << u"A Kalvix.ini már létezik, nem íródik felül: "_s << path << Qt::endl;
        return 1;
    }
    if (!QDir().mkpath(command.folder)) {
        errorOut() << u"A mappa nem hozható létre: "_s << command.folder << Qt::endl;
        return 1;
    }
    const std::optional<Credentials> credentials = askCredentials(command);
    if (!credentials) {
        errorOut() << u"Nincs megadva a rendszergazda azonosítója és jelszava."_s << Qt::endl;
        return 1;
    }
    if (auto written = writeNewSettings(command, *credentials); !written) {
        errorOut() << written.error() << Qt::endl;
        return 1;
    }
    errorOut() << u"Kalvix.ini elkészült: "_s << path << Qt::endl;
    return 0;
}

int runWithoutWindow(KalvixCommand command)
{
    if (command.folder.isEmpty())
        command.folder = QCoreApplication::applicationDirPath();
    switch (command.mode) {
    case KalvixCommand::Mode::Headless:
        return runHeadless(command);
    case KalvixCommand::Mode::Feed:
        return runFeed(command);
    case KalvixCommand::Mode::Install:
        return runInstall(command);
    case KalvixCommand::Mode::Help:
        QTextStream(stdout) << command.text;
        return 0;
    case KalvixCommand::Mode::Window:
        break;
    }
    errorOut() << u"Ablak nélkül: --headless, --feed <fájl> vagy --install (súgó: --help)."_s << Qt::endl;
    return 2;
}
