// The test environment itself: every test must run with private settings and
// temporary folders, never a real user's.
#include "support/testenv.h"

#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

class TestEnv : public QObject {
    Q_OBJECT
private slots:
    void foldersArePrivate()
    {
        const QString root = testenv::home();
        QVERIFY2(!root.isEmpty(), "TAVREL_TEST_HOME is not set: run the test through CTest");
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Quillbrook", "Tavrel");
        QVERIFY(settings.fileName().startsWith(root));
        QVERIFY(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).startsWith(root));
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QVERIFY(tmp.path().startsWith(root));
    }

    // Started by hand, without CTest's environment, a test still gets
    // private folders of its own instead of the user's real settings.
    void startedByHandIsPrivateToo()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"TAVREL_TEST_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            environment.remove(QString::fromLatin1(name));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("foldersArePrivate") });
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
            child.readAllStandardOutput().constData());
    }
};

TAVREL_TEST_MAIN(TestEnv)
#include "tst_testenv.moc"
