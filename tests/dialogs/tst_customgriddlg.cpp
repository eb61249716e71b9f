// The custom grid name dialog: an empty name is refused with a warning and
// the dialog stays open; any other text, blanks included, is taken as typed.
#include "dialogs/customgriddlg.h"
#include "support/formneed.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include "ui_customgriddlg.h"

#include <QPushButton>

class TestCustomGridDlg : public QObject {
    Q_OBJECT

private slots:
    void form()
    {
        CustomGridDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Custom grid"));
        // Fixed at 120, or at what its contents need where that is more.
        const int height = sizeOrNeed(dialog, QSize(0, 120)).height();
        QCOMPARE(dialog.minimumHeight(), height);
        QCOMPARE(dialog.maximumHeight(), height);
        QCOMPARE(dialog.form().groupBox->title(), QString("Enter a name for the new grid"));
    }

    void okWithAName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a name") << "Fine" << true;
        QTest::newRow("blanks only") << "   " << true;
        QTest::newRow("blanks around") << " Fine " << true;
        QTest::newRow("the name of a built-in grid") << "Small" << true;
        QTest::newRow("empty") << "" << false;
    }
    void okWithAName()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        MessageBoxRecorder boxes;
        CustomGridDlg dialog;
        dialog.show();
        QTest::keyClicks(dialog.form().lineEdit, typed);
        dialog.form().buttonBox->button(QDialogButtonBox::Ok)->click();

        QCOMPARE(dialog.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(dialog.gridName(), typed);
        QCOMPARE(boxes.boxes.size(), accepted ? 0 : 1);
        if (!accepted) {
            const MessageBoxRequest& box = boxes.boxes.first();
            QCOMPARE(box.title, QString("Name required!"));
            QCOMPARE(box.text, QString("Please enter a name for the new grid"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.parent, static_cast<QWidget*>(&dialog));
        }
    }

    void cancelClosesWithoutAName()
    {
        MessageBoxRecorder boxes;
        CustomGridDlg dialog;
        dialog.show();
        dialog.form().buttonBox->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(boxes.boxes.isEmpty());
    }
};

TAVREL_TEST_MAIN(TestCustomGridDlg)
#include "tst_customgriddlg.moc"
