// Pasting brings the user colours of the copied objects along: in another
// drawing the objects keep their colours (pen, fill, text), under that
// drawing's number for a colour it has and a new number for one it lacks,
// so that the saved file defines every colour it uses; a dropped paste
// leaves no colour behind. Copy and paste by their keys, the place by a
// click, as a user does it.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/fig2devverdict.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A box drawn in user colour 32 and filled with user colour 33, and a text
// in user colour 32 inside a compound.
const QByteArray source = editsession::figText("0 32 #ff8800\n"
                                               "0 33 #0088ff\n"
                                               "2 2 0 1 32 33 50 -1 20 0.000 0 0 -1 0 0 5\n"
                                               "\t 600 600 1800 600 1800 1200 600 1200 600 600\n"
                                               "6 600 1350 1050 1500\n"
                                               "4 0 32 50 -1 0 12 0.0000 4 135 450 600 1500 Hot\\001\n"
                                               "-6\n");

// A line of the drawing pasted into, in colour `pen`.
QByteArray lineIn(int pen)
{
    return "2 1 0 1 " + QByteArray::number(pen) + " 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 4500 1800 4500\n";
}

QList<QByteArray> colourLines(const QList<QByteArray>& lines)
{
    QList<QByteArray> colours;
    for (const QByteArray& line : lines) {
        if (line.startsWith("0 "))
            colours << line;
    }
    return colours;
}

// Field `index` of the first object line starting with `start` after
// `skip` lines of the file.
QByteArray field(const QList<QByteArray>& lines, int skip, const QByteArray& start, int index)
{
    for (int i = skip; i < lines.size(); ++i) {
        if (lines[i].startsWith(start))
            return lines[i].split(' ').value(index);
    }
    return QByteArray("(none)");
}

void activate(QTMainFrm& window, QTChildFrm* child)
{
    for (QMdiSubWindow* sub : window.mdiArea->subWindowList()) {
        if (sub->widget() == child)
            window.mdiArea->setActiveSubWindow(sub);
    }
    QCOMPARE(window.activeMdiChild(), child);
}

} // namespace

class TestPasteColors : public QObject {
    Q_OBJECT

private slots:
    // The box and the compound copied (Ctrl+A, Ctrl+C) and pasted (Ctrl+V,
    // a click) into a drawing with other user colours, or into the same
    // drawing: the colour lines afterwards, the numbers the pasted box and
    // text use, and the filled box's colour on the canvas.
    void pasteBringsTheColours_data()
    {
        QTest::addColumn<QByteArray>("target"); // empty: the source drawing itself
        QTest::addColumn<bool>("placed");
        QTest::addColumn<QList<QByteArray>>("colours");
        QTest::addColumn<QByteArray>("pen");
        QTest::addColumn<QByteArray>("fill");
        QTest::newRow("into a drawing without user colours")
            << editsession::figText(lineIn(0)) << true << QList<QByteArray> { "0 32 #ff8800", "0 33 #0088ff" }
            << QByteArray("32") << QByteArray("33");
        QTest::newRow("into a drawing whose colour 32 is another")
            << editsession::figText("0 32 #00ff00\n" + lineIn(32)) << true
            << QList<QByteArray> { "0 32 #00ff00", "0 33 #ff8800", "0 34 #0088ff" } << QByteArray("33")
            << QByteArray("34");
        QTest::newRow("into a drawing that has one of the colours under another number")
            << editsession::figText("0 32 #0088ff\n" + lineIn(32)) << true
            << QList<QByteArray> { "0 32 #0088ff", "0 33 #ff8800" } << QByteArray("33") << QByteArray("32");
        QTest::newRow("into the same drawing")
            << QByteArray() << true << QList<QByteArray> { "0 32 #ff8800", "0 33 #0088ff" } << QByteArray("32")
            << QByteArray("33");
        QTest::newRow("dropped by a right press")
            << editsession::figText("0 32 #00ff00\n" + lineIn(32)) << false << QList<QByteArray> { "0 32 #00ff00" }
            << QByteArray("(none)") << QByteArray("(none)");
    }
    void pasteBringsTheColours()
    {
        QFETCH(QByteArray, target);
        QFETCH(bool, placed);
        QFETCH(QList<QByteArray>, colours);
        QFETCH(QByteArray, pen);
        QFETCH(QByteArray, fill);
        QTemporaryDir dir;
        editsession::run(source, [&](QTMainFrm& window, QTChildFrm& first) {
            QTChildFrm* into = &first;
            if (!target.isEmpty()) {
                const QString path = QDir(dir.path()).filePath(QStringLiteral("target.fig"));
                writeFile(path, target);
                window.openFile(path);
                into = window.activeMdiChild();
                QVERIFY(into && into != &first);
                into->figContext->dpiX = into->figContext->dpiY = 80.0f;
                activate(window, &first);
            }
            editsession::CanvasInput from(first);
            from.shortcut(Qt::Key_A);
            from.shortcut(Qt::Key_C);
            const QList<QByteArray> before = editsession::savedObjectLines(*into);

            activate(window, into);
            editsession::CanvasInput to(*into);
            to.shortcut(Qt::Key_V);
            to.move(3000, 3000);
            to.move(3600, 3000);
            to.click(3600, 3000, placed ? Qt::LeftButton : Qt::RightButton);

            const QList<QByteArray> saved = editsession::savedObjectLines(*into);
            QCOMPARE(colourLines(saved), colours);
            // The pasted box and text come after the drawing's own objects,
            // which the colour lines the paste added moved down.
            const int pasted = before.size() + colourLines(saved).size() - colourLines(before).size();
            QCOMPARE(field(saved, pasted, "2 2 ", 4), pen);
            QCOMPARE(field(saved, pasted, "2 2 ", 5), fill);
            QCOMPARE(field(saved, pasted, "4 0 ", 2), pen);
            QCOMPARE(editsession::pixelsOffRedraw(*into), 0);
            if (placed) {
                // The middle of the pasted box (its bounds are centred on
                // the click, the text below it included) in the fill colour.
                const QPoint middle = to.pixelOf(3600, 2850);
                QCOMPARE(QColor(into->canvasImage->pixel(middle)).name(), QStringLiteral("#0088ff"));
            }
            const QByteArray complaints = fig2devVerdict(into->curFile).complaints;
            QVERIFY2(!complaints.contains("Cannot locate"), complaints.constData());
        });
    }
};

TAVREL_TEST_MAIN(TestPasteColors)
#include "tst_pastecolors.moc"
