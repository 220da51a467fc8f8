// Kalvix, the call-record collector. Without a window it receives from the
// serial port (--headless), reads a file of PBX text (--feed) or creates its
// settings file (--install).

#include "cli/kalvix_cli.h"
#include "core/text_utils.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    const auto command = parseKalvixCommandLine(argumentsOf(argc, argv));
    if (!command) {
        QTextStream(stderr) << command.error() << Qt::endl;
        return 2;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Kalvix"_s);
    SetDateFormats();
    return runWithoutWindow(*command);
}
