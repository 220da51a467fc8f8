// The test programs of the windows need a QApplication. This file takes the
// place of the support library's main (which makes a QCoreApplication): since
// it defines main and registerTest itself, the linker never takes that one.

#include "test_main.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace testing {
namespace {

std::map<std::string, TestFactory>& registry()
{
    static std::map<std::string, TestFactory> tests;
    return tests;
}

} // namespace

int registerTest(const char* name, TestFactory factory)
{
    registry().emplace(name, std::move(factory));
    return 0;
}

} // namespace testing

int main(int argc, char** argv)
{
    // Run by hand, the windows get the same 800 x 600 screen as under ctest
    // (the offscreen platform's own 800 x 800 screen would enlarge every form).
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                QByteArray("offscreen:configfile=" SCREEN_CONFIG_DIR "/screen-800x600.json"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Teloran"_s);
    std::vector<char*> args{argv[0]};
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (only.empty() && argv[i][0] != '-' && testing::registry().count(argv[i]))
            only = argv[i];
        else
            args.push_back(argv[i]);
    }
    int failures = 0;
    for (auto& [name, factory] : testing::registry()) {
        if (!only.empty() && name != only)
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
