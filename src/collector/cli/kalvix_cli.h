#pragma once

#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

// The kalvix program's command line and its modes without a window.

struct KalvixCommand {
    enum class Mode {
        Window,   // the usual program with its window and tray icon
        Headless, // reception without a window, until SIGTERM or SIGINT
        Feed,     // a file of PBX text through the collector, then the end
        Install,  // creates Kalvix.ini with administrator entry 1
        Help,     // text holds the help
    };
    Mode mode = Mode::Window;
    QString folder; // the collector's folder (Kalvix.ini and the record files); empty: the program's folder
    QString feedFile;
    int retrySeconds = 5;
    // Install
    std::optional<QString> administrator;
    std::optional<QString> password;
    QString kind;
    QString port;
    qint32 baudRate = 0;
    QString text;
};

// The arguments as given to main.
QStringList argumentsOf(int argc, char** argv);

// Reads the arguments (the first is the program); needs no application
// object, so that the window mode can make the one it needs afterwards. The
// error is a Hungarian message.
std::expected<KalvixCommand, QString> parseKalvixCommandLine(const QStringList& arguments);

// Runs one of the modes without a window (a QCoreApplication must exist; an
// empty folder is the executable's); returns the exit code.
int runHeadless(const KalvixCommand& command);
int runFeed(const KalvixCommand& command);
int runInstall(const KalvixCommand& command);
int runWithoutWindow(KalvixCommand command);
