// Kalvix, the call-record collector. With its window it lives in the
// notification area; without a window it receives from the serial port
// (--headless), reads a file of PBX text (--feed) or creates its settings
// file (--install).

#include "cli/kalvix_cli.h"
#include "core/text_utils.h"

#include <QCoreApplication>
#include <QTextStream>

#ifdef KALVIX_WINDOWS
#include "ui/window_mode.h"

#include <QApplication>
#endif

using namespace Qt::StringLiterals;

namespace {

#ifdef KALVIX_WINDOWS
// Whether a screen can be reached; otherwise the window mode could only abort.
bool screenAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int runWithWindow(int argc, char** argv, const KalvixCommand& command)
{
    if (!screenAvailable()) {
        QTextStream(stderr) << u"Nincs grafikus felület (DISPLAY). Ablak nélkül: --headless (súgó: --help)."_s
                            << Qt::endl;
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Kalvix"_s);
    SetDateFormats();
    return runWindow(command.folder.isEmpty() ? QCoreApplication::applicationDirPath() : command.folder);
}
#endif

} // namespace

int main(int argc, char** argv)
{
    const auto command = parseKalvixCommandLine(argumentsOf(argc, argv));
    if (!command) {
        QTextStream(stderr) << command.error() << Qt::endl;
        return 2;
    }
#ifdef KALVIX_WINDOWS
    if (command->mode == KalvixCommand::Mode::Window)
        return runWithWindow(argc, argv, *command);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Kalvix"_s);
    SetDateFormats();
    return runWithoutWindow(*command);
}
