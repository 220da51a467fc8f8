#pragma once

#include <QObject>

#include <functional>
#include <memory>

// Several test classes share one test program; the program runs the class
// named by its first argument, or all of them.
namespace testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
int registerTest(const char* name, TestFactory factory);
// Runs the class named by the first argument that names one, or all.
int runRegisteredTests(int argc, char** argv);

} // namespace testing

#define REGISTER_TEST(Class)                                                                                 \
    static const int registered##Class =                                                                     \
        ::testing::registerTest(#Class, [] { return std::make_unique<Class>(); });
