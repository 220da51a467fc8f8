// The test programs of the windows need a QApplication.

#include "test_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Run by hand, the windows get the same 800 x 600 screen as under ctest
    // (the offscreen platform's own 800 x 800 screen would enlarge every form).
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                QByteArray("offscreen:configfile=" SCREEN_CONFIG_DIR "/screen-800x600.json"));
    QApplication app(argc, argv);
    // The plain message box is captioned with the application's title; a
    // collector test sets "Kalvix" itself.
    QApplication::setApplicationName(QStringLiteral("Teloran"));
    return testing::runRegisteredTests(argc, argv);
}
