// The plain text editor dialog: its form, the text going in and out whole
// (line breaks and an empty text included), and OK and Cancel.
#include "dialogs/generictexteditdlg.h"
#include "support/testenv.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

class TestGenericTextEditDlg : public QObject {
    Q_OBJECT
private slots:
    void form()
    {
        GenericTextEditDlg dialog(nullptr, {});
        QCOMPARE(dialog.objectName(), QStringLiteral("GenericTextEditDlg"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit text"));
        QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog.size(), QSize(440, 320));
        QVERIFY(dialog.isSizeGripEnabled());
        QCOMPARE(dialog.locale(), QLocale(QLocale::English, QLocale::UnitedStates));
        auto* group = dialog.findChild<QGroupBox*>(QStringLiteral("groupBox"));
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Edit text"));
        QVERIFY(dialog.findChild<QPlainTextEdit*>(QStringLiteral("text")));
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lines") << "\\documentclass{article}\n\\begin{document}\n\\end{document}\n";
        QTest::newRow("empty") << "";
        QTest::newRow("blanks and tabs") << "  a\tb  ";
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        GenericTextEditDlg dialog(nullptr, {});
        dialog.setText(QStringLiteral("old text"));
        dialog.setText(text);
        QCOMPARE(dialog.text(), text);
    }

    void buttonsEndTheRun_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << int(QDialogButtonBox::Ok) << int(QDialog::Accepted);
        QTest::newRow("Cancel") << int(QDialogButtonBox::Cancel) << int(QDialog::Rejected);
    }
    void buttonsEndTheRun()
    {
        QFETCH(int, button);
        QFETCH(int, result);
        GenericTextEditDlg dialog(nullptr, {});
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QTimer::singleShot(
            0, &dialog, [buttons, button] { buttons->button(QDialogButtonBox::StandardButton(button))->click(); });
        QCOMPARE(dialog.exec(), result);
    }
};

TAVREL_TEST_MAIN(TestGenericTextEditDlg)
#include "tst_generictexteditdlg.moc"
