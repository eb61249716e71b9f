// The test environment itself: every test must run with private settings and
// temporary folders, never a real user's.
#include "support/testenv.h"

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
};

TAVREL_TEST_MAIN(TestEnv)
#include "tst_testenv.moc"
