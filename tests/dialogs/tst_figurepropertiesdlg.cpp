// The figure properties dialog: the object count, and the figure comment,
// edited in a real document window and written as the header comment lines
// of the saved file; an emptied editor removes the comment.
#include "app/mainwindowtestfolder.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figurepropertiesdlg.h"
#include "model/figcontext.h"
#include "model/figdrawing.h"
#include "support/formneed.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/drawingattributes.h"

#include "ui_figurepropertiesdlg.h"

#include <QPushButton>
#include <QSignalSpy>

#include <memory>

namespace {

QByteArray figure(const QByteArray& headerComment, const QByteArray& objects)
{
    return "#FIG 3.2\nPortrait\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n" + headerComment + "1200 2\n" + objects;
}

// Three polylines and a compound of two texts.
const QByteArray fiveObjects = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1200\n"
                               "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1800 2400 1800\n"
                               "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 2400 2400 2400\n"
                               "6 1200 2700 3000 3700\n"
                               "4 0 0 50 -1 0 12 0.0000 0 135 405 1200 3000 one\\001\n"
                               "4 0 0 50 -1 0 12 0.0000 0 135 405 1200 3600 two\\001\n"
                               "-6\n";

// The lines between the transparent colour and the resolution line.
QList<QByteArray> headerCommentLines(const QByteArray& file)
{
    const QList<QByteArray> lines = file.split('\n');
    const int start = lines.indexOf("-2");
    const int end = lines.indexOf("1200 2");
    if (start < 0 || end < start)
        return { "(no header)" };
    return lines.mid(start + 1, end - start - 1);
}

} // namespace

class TestFigurePropertiesDlg : public QObject {
    Q_OBJECT

    MainWindowTestFolder folder;
    std::unique_ptr<QTMainFrm> window;

    QTChildFrm* open(const QByteArray& text)
    {
        const QString name = folder.path("figure.fig");
        writeFile(name, text);
        window->openFile(name);
        return window->activeMdiChild();
    }

private slots:
    void initTestCase() { folder.initOnce(); }
    void cleanupTestCase() { folder.finishOnce(); }
    void init()
    {
        currentAttrs = DrawingAttributes();
        QVERIFY(folder.reset());
        window = std::make_unique<QTMainFrm>();
        mainWindow = window.get();
        QVERIFY(MainWindowTestFolder::showActive(*window));
    }
    void cleanup()
    {
        window.reset();
        folder.restore();
    }

    void form()
    {
        FigurePropertiesDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Figure properties"));
        QCOMPARE(dialog.size(), sizeOrNeed(dialog, QSize(367, 369)));
        QVERIFY(dialog.isSizeGripEnabled());
        QCOMPARE(dialog.form().groupBox->title(), QString("Enter comment"));
        QCOMPARE(dialog.form().lbNumObjects->text(), QString("TextLabel"));
    }

    // Every object but a compound counts, members of compounds included.
    void objectCount_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<QString>("count");
        QTest::newRow("three polylines and two texts in a compound") << fiveObjects << "5";
        QTest::newRow("nested compounds") << QByteArray("6 1200 1200 3000 3000\n6 1200 1200 3000 3000\n"
                                                        "4 0 0 50 -1 0 12 0.0000 0 135 405 1200 1500 in\\001\n"
                                                        "-6\n-6\n")
                                          << "1";
        QTest::newRow("empty drawing") << QByteArray() << "0";
    }
    void objectCount()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QString, count);
        QTChildFrm* child = open(figure("# a comment\n", objects));
        QString shown;
        QString comment;
        answerModalDialog<FigurePropertiesDlg>(this, [&](FigurePropertiesDlg* d) {
            shown = d->form().lbNumObjects->text();
            comment = d->form().objectComment->toPlainText();
            d->reject();
        });
        window->openFigureProperties();
        QCOMPARE(shown, count);
        QCOMPARE(comment, QString("a comment"));
        QVERIFY(!child->figContext->modified);
    }

    // OK stores the editor's text as the figure comment, written as the
    // header's comment lines; an emptied editor removes it. Any OK leaves
    // the document modified, Cancel changes nothing.
    void commentInTheHeader_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("replaced by two lines")
            << QByteArray("# old\n") << "first line\nsecond line" << true << "first line\nsecond line"
            << QList<QByteArray>({ "# first line", "# second line" });
        QTest::newRow("added") << QByteArray() << "new" << true << "new" << QList<QByteArray>({ "# new" });
        QTest::newRow("stored again unchanged") << QByteArray("# one\n# two\n") << "one\ntwo" << true << "one\ntwo"
                                                << QList<QByteArray>({ "# one", "# two" });
        QTest::newRow("cleared") << QByteArray("# old\n# older\n") << "" << true << "" << QList<QByteArray>();
        QTest::newRow("cancelled") << QByteArray("# old\n") << "other" << false << "old"
                                   << QList<QByteArray>({ "# old" });
    }
    void commentInTheHeader()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(QString, comment);
        QFETCH(QList<QByteArray>, lines);
        QTChildFrm* child = open(figure(before, fiveObjects));
        QVERIFY(!child->figContext->modified);
        QString shown;
        answerModalDialog<FigurePropertiesDlg>(this, [&](FigurePropertiesDlg* d) {
            shown = d->form().objectComment->toPlainText();
            d->form().objectComment->setPlainText(typed);
            d->form().buttonBox->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        window->openFigureProperties();
        QCOMPARE(shown.isEmpty(), before.isEmpty());
        QCOMPARE(child->figContext->drawing.comment, comment);
        QCOMPARE(child->figContext->modified, accept);

        QVERIFY(child->save());
        const QByteArray written = readFile(child->curFile);
        QCOMPARE(headerCommentLines(written), lines);
        // Read back, the figure has the same comment and objects.
        window->closeActiveChild();
        QTChildFrm* reread = open(written);
        QCOMPARE(reread->figContext->drawing.comment, comment);
        QCOMPARE(reread->figContext->drawing.objects.size(), size_t(4));
    }

    void commentChangedTellsWhetherThereIsOne_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("hasComment");
        QTest::newRow("text") << "x" << true;
        QTest::newRow("empty") << "" << false;
    }
    void commentChangedTellsWhetherThereIsOne()
    {
        QFETCH(QString, typed);
        QFETCH(bool, hasComment);
        FigDrawing drawing;
        drawing.comment = "before";
        FigurePropertiesDlg dialog;
        dialog.setFigure(&drawing);
        QSignalSpy spy(&dialog, &FigurePropertiesDlg::commentChanged);
        dialog.form().objectComment->setPlainText(typed);
        dialog.form().buttonBox->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toBool(), hasComment);
        QCOMPARE(drawing.comment, typed);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void withoutAFigureOkChangesNothing()
    {
        FigurePropertiesDlg dialog;
        dialog.setFigure(nullptr);
        QSignalSpy spy(&dialog, &FigurePropertiesDlg::commentChanged);
        dialog.form().objectComment->setPlainText("lost");
        dialog.form().buttonBox->button(QDialogButtonBox::Ok)->click();
        QVERIFY(spy.isEmpty());
    }
};

TAVREL_TEST_MAIN(TestFigurePropertiesDlg)
#include "tst_figurepropertiesdlg.moc"
