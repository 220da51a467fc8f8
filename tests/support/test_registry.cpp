#include "test_main.h"

#include <QTest>

#include <map>
#include <string>
#include <vector>

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

int runRegisteredTests(int argc, char** argv)
{
    std::vector<char*> args{argv[0]};
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (only.empty() && argv[i][0] != '-' && registry().count(argv[i]))
            only = argv[i];
        else
            args.push_back(argv[i]);
    }
    int failures = 0;
    for (auto& [name, factory] : registry()) {
        if (!only.empty() && name != only)
            continue;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}

} // namespace testing
