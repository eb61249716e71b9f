#include "support/testenv.h"

#include <QDir>
#include <QTemporaryDir>

namespace testenv {

namespace {

// A test started by hand, outside CTest, gets a private home of its own so
// that it never reads or writes the real user's settings, library or log.
// The folder is removed when the test program ends.
void makePrivateHome()
{
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tavrel-test-XXXXXX"));
    if (!root.isValid())
        qFatal("cannot create a private test folder under %s", qPrintable(QDir::tempPath()));
    const QByteArray base = QFile::encodeName(root.path());
    qputenv("TAVREL_TEST_HOME", base);
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("XDG_DATA_HOME", base + "/data");
    qputenv("XDG_CACHE_HOME", base + "/cache");
    qputenv("TMPDIR", base + "/tmp");
    qputenv("HOME", base + "/home");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

void prepare()
{
    if (qEnvironmentVariableIsEmpty("TAVREL_TEST_HOME"))
        makePrivateHome();
    // The tests never draw through OpenGL. Without this the xcb platform
    // loads and unloads the machine's GL driver, whose allocations then show
    // up as leaks of an unknown module on machines with a desktop's drivers.
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "TMPDIR", "HOME"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            QDir().mkpath(QString::fromLocal8Bit(value));
    }
}

QString home()
{
    return QString::fromLocal8Bit(qgetenv("TAVREL_TEST_HOME"));
}

} // namespace testenv
