#include "app/statusmessages.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QMainWindow>
#include <QStatusBar>

class TestStatusMessages : public QObject {
    Q_OBJECT
private slots:
    void storedButNotShownWithoutWindow()
    {
        attachStatusBar(nullptr);
        showStatusMessage("before the window");
        QCOMPARE(statusText, QStringLiteral("before the window"));
        QMainWindow window;
        attachStatusBar(window.statusBar());
        // An earlier message is not shown later.
        QCOMPARE(window.statusBar()->currentMessage(), QString());
        attachStatusBar(nullptr);
    }

    void lastMessageWins()
    {
        QMainWindow window;
        attachStatusBar(window.statusBar());
        StatusRecorder rec;
        showStatusMessage("first");
        showFormattedStatusMessage("%d object(s) saved in \"%s\"", 3, "a.fig");
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("3 object(s) saved in \"a.fig\""));
        QCOMPARE(rec.messages, QStringList({"first", "3 object(s) saved in \"a.fig\""}));
        attachStatusBar(nullptr);
    }

    void formatting_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utf8 string") << formatStatusMessage("Reading objects from \"%s\" ...", "Zeichnung-\xc3\xa4\xc3\xb6.fig")
                                     << QString::fromUtf8("Reading objects from \"Zeichnung-äö.fig\" ...");
        QTest::newRow("three ints") << formatStatusMessage("Depth > Maximum allowed (%d), setting to %d in line %d.", 999, 999, 12)
                                    << QStringLiteral("Depth > Maximum allowed (999), setting to 999 in line 12.");
        QTest::newRow("two strings") << formatStatusMessage("Couldn't open file %s, %s", "x.fig", "No space left on device")
                                     << QStringLiteral("Couldn't open file x.fig, No space left on device");
    }
    void formatting()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }
};

TAVREL_TEST_MAIN(TestStatusMessages)
#include "tst_statusmessages.moc"
