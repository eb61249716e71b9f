// The two small text dialogs: the object comment dialog keeps the comment on
// Cancel and on an empty OK, stores a typed one on OK; the text entry
// dialog gives back the text it was preset with.
#include "dialogs/objectcommentdlg.h"
#include "dialogs/textenterdlg.h"
#include "model/figline.h"
#include "support/testenv.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

class TestTextDialogs : public QObject {
    Q_OBJECT
private slots:
    void commentDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QList<bool>>("announced");
        QTest::newRow("a typed comment") << "two\nlines" << true << "two\nlines" << QList<bool> { true };
        QTest::newRow("cancel after typing") << "other" << false << "old" << QList<bool> {};
        QTest::newRow("ok with nothing typed") << "" << true << "old" << QList<bool> { false };
    }
    void commentDialog()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        FigLine line(1);
        line.comment = QStringLiteral("old");
        ObjectCommentDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Object Comment"));
        dialog.setObject(&line);
        auto* editor = dialog.findChild<QPlainTextEdit*>(QStringLiteral("objectComment"));
        QVERIFY(editor);
        QCOMPARE(editor->toPlainText(), QStringLiteral("old"));
        QSignalSpy changes(&dialog, &ObjectCommentDlg::commentChanged);
        dialog.show();
        editor->setPlainText(typed);
        if (ok)
            dialog.accept();
        else
            dialog.reject();
        QTEST(line.comment, "comment");
        QList<bool> announced;
        for (const QList<QVariant>& change : changes)
            announced << change.first().toBool();
        QTEST(announced, "announced");
        // An empty OK keeps the dialog open.
        QCOMPARE(dialog.isVisible(), ok && typed.isEmpty());

        // Another object: the editor shows its comment, not the last text.
        FigLine other(2);
        dialog.setObject(&other);
        QCOMPARE(editor->toPlainText(), QString());
    }

    void textEntryGivesBackItsText()
    {
        TextEnterDlg dialog(nullptr, {});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Enter text"));
        dialog.setText(QStringLiteral("x = 1"));
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.text(), QStringLiteral("x = 1"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("lineEdit"))->text(), QStringLiteral("x = 1"));
    }
};

TAVREL_TEST_MAIN(TestTextDialogs)
#include "tst_textdialogs.moc"
