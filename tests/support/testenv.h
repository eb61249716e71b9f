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

// The same on the display the test is started with (a real one, or a virtual
// frame buffer) when there is one, rather than the platform the test
// environment chooses, so that windows, focus and modal dialogs behave as for
// a user.
#define TAVREL_TEST_MAIN_ON_DISPLAY(TestObject)                                                                        \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        testenv::prepare();                                                                                            \
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))                                                                   \
            qputenv("QT_QPA_PLATFORM", "xcb");                                                                         \
        QApplication app(argc, argv);                                                                                  \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
