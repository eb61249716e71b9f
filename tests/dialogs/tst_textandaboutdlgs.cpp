// The generic text editor (filled, read back after OK, untouched by Cancel)
// and the about box (version, release date and the Ghostscript found on
// PATH when the box is made, not the location setting).
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "app/version.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/generictexteditdlg.h"
#include "render/resources.h"
#include "support/testenv.h"

#include "ui_aboutdlg.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

class TestTextAndAboutDlgs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initResources(); }

    void textEditor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accept");
        QTest::newRow("several lines, OK") << "\\documentclass{article}\n\\begin{document}\n\n" << true;
        QTest::newRow("empty, OK") << "" << true;
        QTest::newRow("cancelled") << "kept" << false;
    }
    void textEditor()
    {
        QFETCH(QString, text);
        QFETCH(bool, accept);
        GenericTextEditDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Edit text"));
        QCOMPARE(dialog.size(), QSize(440, 320));
        QCOMPARE(dialog.locale(), QLocale(QLocale::English, QLocale::UnitedStates));
        dialog.setText("first");
        dialog.setText(text);
        QCOMPARE(dialog.text(), text);
        dialog.show();
        auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.text(), text);
    }

    void aboutBox()
    {
        AboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("About Tavrel"));
        const QString version = versionMajor + "." + versionMinor + (versionPatch.isEmpty() ? "" : "." + versionPatch);
        QCOMPARE(dialog.form().version->text(), "Tavrel, Version " + version + "\n" + releaseDate + "\nby Quillbrook");
        QVERIFY(QRegularExpression("^\\d{4}-\\d{2}-\\d{2}$").match(releaseDate).hasMatch());
        QVERIFY(dialog.form().label->text().startsWith("Visit the Tavrel home page at "));
        QVERIFY(!dialog.form().label_4->pixmap(Qt::ReturnByValue).isNull());
        dialog.show();
        dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Close)->click();
        QVERIFY(!dialog.isVisible());
    }

    // The box looks Ghostscript up anew each time it is made.
    void aboutBoxFindsGhostscriptOnPath()
    {
        QTemporaryDir programs;
        QVERIFY(programs.isValid());
        const QString gs = programs.filePath("gs");
        QFile file(gs);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        preferences.ghostscriptLocation = "/nowhere/gs";
        const QByteArray savedPath = qgetenv("PATH");

        qputenv("PATH", QFile::encodeName(programs.path()) + ':' + savedPath);
        AboutDlg found;
        QCOMPARE(found.form().ghostscriptLocation->text(), "GhostScript binary found in:\n" + gs);

        qputenv("PATH", QFile::encodeName(programs.path() + "/none"));
        AboutDlg missing;
        QCOMPARE(missing.form().ghostscriptLocation->text(), QString("GhostScript binary found in:\ngs"));
        qputenv("PATH", savedPath);
    }
};

TAVREL_TEST_MAIN(TestTextAndAboutDlgs)
#include "tst_textandaboutdlgs.moc"
