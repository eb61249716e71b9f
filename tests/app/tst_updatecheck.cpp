// The update check against a small HTTP server on the loopback interface,
// and the dialog that shows a newer release.

#include "app/preferences.h"
#include "app/updatechecker.h"
#include "app/updateinfodlg.h"
#include "app/version.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QLabel>
#include <QNetworkProxy>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextList>

namespace {

// Answers every request with one fixed response and records the request lines.
class FixedHttpServer : public QTcpServer {
public:
    FixedHttpServer(const QByteArray& status, const QByteArray& body)
    {
        response = "HTTP/1.1 " + status + "\r\nContent-Type: application/json\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    received += socket->readAll();
                    if (received.contains("\r\n\r\n")) {
                        requestLines << received.left(received.indexOf("\r\n"));
                        received.clear();
                        socket->write(response);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }

    QByteArray response;
    QByteArray received;
    QList<QByteArray> requestLines;
};

QByteArray releaseDocument(const QByteArray& downloads)
{
    return "{\"publisher\": \"Quillbrook\", \"programName\": \"Tavrel\", \"description\": \"Fig editor\",\n"
           " \"downloads\": ["
        + downloads + "]}";
}

QByteArray entry(const QByteArray& platform, const QString& version, const QByteArray& changes = QByteArray())
{
    QByteArray text = "{\"platform\": \"" + platform + "\", \"version\": \"" + version.toUtf8()
        + "\", \"date\": \"2027-01-15\", \"uri\": \"http://example.invalid/tavrel.tar.gz\"";
    if (!changes.isEmpty())
        text += ", \"changes\": " + changes;
    return text + "}";
}

QString newerVersion()
{
    return QStringLiteral("%1.%2").arg(versionMajor).arg(versionMinor.toInt() + 1);
}

struct ShownDialog {
    QString title;
    QString label;
    QString plainText;
    QString html;
    int listItems = 0; // paragraphs that are items of a list
};

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

    void setServerPort(quint16 port)
    {
        QSettings settings(settingsOrganization, settingsApplication);
        settings.setValue(updateInfoUrlKey, QStringLiteral("http://127.0.0.1:%1/latest_release.json").arg(port));
    }

private slots:
    void initTestCase()
    {
        // The test talks to its own server only, whatever proxy the environment names.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    }

    void cleanup()
    {
        QSettings settings(settingsOrganization, settingsApplication);
        settings.remove(updateInfoUrlKey);
    }

    void addressFromSettings()
    {
        QCOMPARE(updateInfoUrl(), QUrl(QString::fromLatin1(defaultUpdateInfoUrl)));
        QCOMPARE(updateInfoUrl().path(), QStringLiteral("/latest_release.json"));
        QCOMPARE(downloadsUrl().path(), QStringLiteral("/downloads"));
        QCOMPARE(downloadsUrl().host(), updateInfoUrl().host());

        setServerPort(8123);
        QCOMPARE(updateInfoUrl(), QUrl("http://127.0.0.1:8123/latest_release.json"));
        QCOMPARE(downloadsUrl(), QUrl("http://127.0.0.1:8123/downloads"));

        QSettings settings(settingsOrganization, settingsApplication);
        settings.setValue(updateInfoUrlKey, QStringLiteral("no address"));
        QCOMPARE(updateInfoUrl(), QUrl(QString::fromLatin1(defaultUpdateInfoUrl)));
    }

    void result_data()
    {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("boxTexts");
        QTest::addColumn<QStringList>("dialogTexts"); // in the dialog's plain text, in this order
        QTest::addColumn<QString>("notInDialog");
        QTest::addColumn<int>("listItems");

        const QByteArray threeChanges = "[\"Faster <i>export</i>\", \"Isometric grid\", \"Fixed a crash\"]";
        QTest::newRow("newer version with three changes")
            << QByteArray("200 OK")
            << releaseDocument(entry("windows", "99.0") + ", " + entry("linux", newerVersion(), threeChanges))
            << QStringList()
            << QStringList(
                   { "Version: " + newerVersion(), "Date: 2027-01-15", "Changes:", "Faster export", "Isometric grid",
                       "Fixed a crash", "Please visit the dowloads section of my web site at 127.0.0.1:" })
            << QString("example.invalid") << 3;
        QTest::newRow("newer version without changes")
            << QByteArray("200 OK") << releaseDocument(entry("linux", newerVersion())) << QStringList()
            << QStringList({ "Version: " + newerVersion(), "Date: 2027-01-15", "Please visit" }) << QString("Changes:")
            << 0;
        QTest::newRow("same version") << QByteArray("200 OK")
                                      << releaseDocument(entry("linux", versionString(true), "[\"x\"]"))
                                      << QStringList({ "No newer version found." }) << QStringList() << QString() << 0;
        QTest::newRow("only other platforms")
            << QByteArray("200 OK")
            << releaseDocument(entry("windows", "99.0") + ", " + entry("macos", "99.0") + ", " + entry("Linux", "99.0"))
            << QStringList() << QStringList() << QString() << 0;
        QTest::newRow("not JSON") << QByteArray("200 OK") << QByteArray("<html>moved</html>") << QStringList()
                                  << QStringList() << QString() << 0;
        QTest::newRow("HTTP error status")
            << QByteArray("404 Not Found") << QByteArray("{}") << QStringList({ "Could not find update info." })
            << QStringList() << QString() << 0;
        QTest::newRow("unreachable server")
            << QByteArray() << QByteArray() << QStringList({ "Could not find update info." }) << QStringList()
            << QString() << 0;
    }
    void result()
    {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, body);
        QFETCH(QStringList, boxTexts);
        QFETCH(QStringList, dialogTexts);
        QFETCH(QString, notInDialog);
        QFETCH(int, listItems);

        FixedHttpServer server(status, body);
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const quint16 port = server.serverPort();
        if (status.isEmpty())
            server.close(); // a closed port: the connection is refused
        setServerPort(port);

        // The dialog runs modally inside the reply handler: look at it from a
        // timer and close it.
        QList<ShownDialog> dialogs;
        QTimer watcher;
        watcher.setInterval(20);
        connect(&watcher, &QTimer::timeout, this, [&dialogs] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget* window : windows) {
                auto* dialog = qobject_cast<UpdateInfoDlg*>(window);
                if (!dialog || !dialog->isVisible())
                    continue;
                auto* browser = dialog->findChild<QTextBrowser*>("updateInfo");
                ShownDialog shown { dialog->windowTitle(), dialog->findChild<QLabel*>("label")->text(),
                    browser->toPlainText(), browser->document()->toHtml() };
                for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
                    shown.listItems += block.textList() ? 1 : 0;
                dialogs << shown;
                dialog->accept();
            }
        });
        watcher.start();

        QWidget parent;
        MessageBoxRecorder boxes;
        UpdateChecker checker(&parent);
        checker.check();
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        // The cursor comes back once the reply has been handled (after any dialog).
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::overrideCursor() && !QApplication::activeModalWidget(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(
            boxes.boxes.size() + dialogs.size() >= boxTexts.size() + (dialogTexts.isEmpty() ? 0 : 1), 5000);
        QTest::qWait(50); // nothing more arrives
        watcher.stop();

        if (!status.isEmpty())
            QCOMPARE(server.requestLines, QList<QByteArray>({ "GET /latest_release.json HTTP/1.1" }));

        QStringList shownBoxes;
        for (const MessageBoxRequest& box : qAsConst(boxes.boxes)) {
            shownBoxes << box.text;
            QCOMPARE(box.title, QStringLiteral("Check for new version"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.parent, &parent);
        }
        QCOMPARE(shownBoxes, boxTexts);

        QCOMPARE(dialogs.size(), dialogTexts.isEmpty() ? 0 : 1);
        if (dialogs.isEmpty())
            return;
        const ShownDialog& shown = dialogs.first();
        QCOMPARE(shown.title, QStringLiteral("Update info"));
        QCOMPARE(shown.label, QStringLiteral("A newer version is available!"));
        int from = 0;
        for (const QString& text : qAsConst(dialogTexts)) {
            const int at = shown.plainText.indexOf(text, from);
            QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" not in order in:\n%2").arg(text, shown.plainText)));
            from = at + text.size();
        }
        QVERIFY(!shown.plainText.contains(notInDialog));
        QCOMPARE(shown.listItems, listItems);
        QVERIFY(shown.html.contains(QStringLiteral("href=\"http://127.0.0.1:%1/downloads\"").arg(port)));
        QVERIFY(shown.plainText.trimmed().endsWith(QStringLiteral("127.0.0.1:%1/downloads").arg(port)));
    }

    void dialogForm()
    {
        UpdateInfoDlg dialog(nullptr);
        QCOMPARE(dialog.objectName(), QStringLiteral("UpdateInfoDlg"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Update info"));
        QCOMPARE(dialog.windowModality(), Qt::WindowModal);
        QCOMPARE(dialog.size(), QSize(440, 400));
        QVERIFY(dialog.isSizeGripEnabled());
        auto* browser = dialog.findChild<QTextBrowser*>("updateInfo");
        QVERIFY(browser);
        QVERIFY(browser->isReadOnly());
        QVERIFY(browser->openExternalLinks());
        QCOMPARE(browser->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);

        QString html = QStringLiteral("<p>a</p>\n");
        UpdateInfoDlg::appendParagraph(html, QStringLiteral("<b>Date:</b> 2027-01-15\n"));
        QCOMPARE(html, QStringLiteral("<p>a</p>\n<p><b>Date:</b> 2027-01-15\n</p>\n"));
    }
};

TAVREL_TEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
