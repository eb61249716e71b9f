// The object comment dialog and the one-line text entry: what OK, Cancel and
// an empty comment do to the object, its written file, the undo history and
// the modified mark.
#include "dialogs/objectcommentdlg.h"
#include "dialogs/textenterdlg.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/documentwindow.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {

// A box with a comment and a polyline without one.
const QByteArray figure = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                          "# old note\n"
                          "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                          "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n"
                          "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 300 900 1500\n";

void click(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QVERIFY(box);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

} // namespace

class TestTextEntryDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }

    void comment_data()
    {
        QTest::addColumn<int>("object");
        QTest::addColumn<QString>("typed"); // replaces the editor's text
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QList<QVariant>>("emitted");

        QTest::newRow("one letter") << 1 << "a" << true << "a" << QList<QVariant> { true };
        QTest::newRow("replaced") << 0 << "new" << true << "new" << QList<QVariant> { true };
        QTest::newRow("two lines") << 0 << "first\nsecond" << true << "first\nsecond" << QList<QVariant> { true };
        QTest::newRow("cancel keeps it") << 0 << "other" << false << "old note" << QList<QVariant> {};
        // An emptied comment and OK: the comment goes.
        QTest::newRow("emptied") << 0 << "" << true << "" << QList<QVariant> { false };
    }

    void comment()
    {
        QFETCH(int, object);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, comment);
        QFETCH(QList<QVariant>, emitted);

        DocumentWindow window;
        QVERIFY(window.load(figure));
        FigObject* target = window.makeCurrent(object);
        ObjectCommentDlg dialog(nullptr, {});
        QSignalSpy changed(&dialog, &ObjectCommentDlg::commentChanged);
        dialog.setObject(target);
        auto* editor = dialog.findChild<QPlainTextEdit*>(QStringLiteral("objectComment"));
        QCOMPARE(editor->toPlainText(), object == 0 ? QStringLiteral("old note") : QString());
        dialog.show();
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        const QStringList typedLines = typed.split(QLatin1Char('\n'));
        for (int i = 0; i < typedLines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(editor, Qt::Key_Return);
            QTest::keyClicks(editor, typedLines.at(i));
        }
        click(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);

        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(target->comment, comment);
        QList<QVariant> sent;
        for (const QList<QVariant>& arguments : changed)
            sent << arguments.first();
        QCOMPARE(sent, emitted);
        // A comment is no undo step and leaves the document unmodified, but
        // it is what the file holds from then on.
        QCOMPARE(window.undoSteps(), 0);
        QVERIFY(!window.context().modified);
        QVERIFY(window.context().saveFile(window.path("saved.fig")));
        DocumentWindow reread;
        QVERIFY(reread.load(readFile(window.path("saved.fig"))));
        QCOMPARE(reread.object(object)->comment, comment);
    }

    // OK before any object was given changes nothing and keeps the dialog
    // open; the dialog forgets nothing between openings.
    void commentWithoutObject()
    {
        ObjectCommentDlg dialog(nullptr, {});
        QSignalSpy changed(&dialog, &ObjectCommentDlg::commentChanged);
        dialog.show();
        QTest::keyClicks(dialog.findChild<QPlainTextEdit*>(QStringLiteral("objectComment")), "x");
        click(dialog, QDialogButtonBox::Ok);
        QVERIFY(dialog.isVisible());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Object Comment"));
    }

    void textEntry_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");

        QTest::newRow("preset unchanged") << "Hello world"
                                          << "" << true << "Hello world";
        QTest::newRow("typed") << ""
                               << "new text" << true << "new text";
        QTest::newRow("appended") << "abc"
                                  << "def" << true << "abcdef";
        QTest::newRow("cancelled") << "abc"
                                   << "def" << false << "";
    }

    // Run with exec() as the text tool does; the keys arrive while it runs.
    void textEntry()
    {
        QFETCH(QString, preset);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, text);

        TextEnterDlg dialog(nullptr, {});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Enter text"));
        dialog.setText(preset);
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("lineEdit"));
        edit->end(false);
        QTimer::singleShot(0, &dialog, [&] {
            QTest::keyClicks(edit, typed);
            click(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
        const int result = dialog.exec();
        QCOMPARE(result, int(ok ? QDialog::Accepted : QDialog::Rejected));
        if (ok)
            QCOMPARE(dialog.text(), text);
    }
};

TAVREL_TEST_MAIN(TestTextEntryDialogs)
#include "tst_textentrydialogs.moc"
