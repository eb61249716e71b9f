#pragma once
// Shared start-up of every test executable: each test runs with its own
// settings, data and temporary folders (set by CTest) which are created here.

#include <QApplication>
#include <QtTest>

namespace testenv {

// Creates the folders named by XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME,
// TMPDIR and HOME, so that QSettings, QTemporaryDir and friends work at once.
void prepare();

// Root of this test's private folders (TAVREL_TEST_HOME), or an empty string
// when the test was started outside CTest.
QString home();

} // namespace testenv

#define TAVREL_TEST_MAIN(TestObject)                                                      \
    int main(int argc, char** argv)                                                       \
    {                                                                                     \
        testenv::prepare();                                                               \
        QApplication app(argc, argv);                                                     \
        TestObject tc;                                                                    \
        QTEST_SET_MAIN_SOURCE_PATH                                                        \
        return QTest::qExec(&tc, argc, argv);                                             \
    }
