// A whole session on a real display: a drawing of this program opened with
// fresh settings, one object of every kind drawn with the mouse, a box edited
// through its value dialog, two objects grouped, a circle added by a script,
// a library clip placed, the drawing exported to PDF and SVG by fig2dev and
// saved; the saved file holds every object, the exports are there and the log
// has no error.

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/boxvaluesdlg.h"
#include "dialogs/picturedlg.h"
#include "dialogs/textenterdlg.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "export/exportdlg.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/fieldtyping.h"
#include "support/messageboxrecorder.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "support/tooldialogs.h"
#include "toolbars/shapestoolbar.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using editsession::Step;
using editsession::Steps;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One object drawn with a tool button: the gesture (its last step opens the
// dialog, if any) and the start of the object's first saved line.
struct Drawn {
    const char* button;
    Steps steps;
    ToolDialog dialog;
    QByteArray kind;
};

// The drawing opened has objects right of x 2400 and below y 2400; the new
// ones go to the free strips on the left and at the top. The box comes first: it is
// edited and grouped with the polyline below it.
const QList<Drawn> drawn {
    { "toolButtonBox", { { 'c', 300, 300 }, { 'c', 1500, 900 } }, NoDialog, "2 2 " },
    { "toolButtonPolyline", { { 'c', 300, 1200 }, { 'c', 1500, 1200 }, { 'm', 1500, 1800 }, { 'R', 1500, 1800 } },
        NoDialog, "2 1 " },
    { "toolButtonPolygon", { { 'c', 300, 2400 }, { 'c', 1500, 2400 }, { 'm', 900, 3000 }, { 'R', 900, 3000 } },
        NoDialog, "2 3 " },
    { "toolButtonRegular", { { 'c', 900, 3900 }, { 'c', 1500, 3900 } }, NoDialog, "2 3 " },
    { "toolButtonText", { { 'c', 300, 5100 } }, TypeText, "4 " },
    { "toolButtonCbr", { { 'c', 2700, 600 }, { 'c', 3000, 600 } }, NoDialog, "1 3 " },
    { "toolButtonCbd", { { 'c', 3300, 300 }, { 'c', 3900, 900 } }, NoDialog, "1 4 " },
    { "toolButtonEbr", { { 'c', 4500, 600 }, { 'c', 4800, 900 } }, NoDialog, "1 1 " },
    { "toolButtonEbd", { { 'c', 5100, 300 }, { 'c', 6000, 900 } }, NoDialog, "1 2 " },
    { "toolButtonArc", { { 'c', 2400, 1500 }, { 'c', 2700, 1800 }, { 'c', 3000, 1500 } }, NoDialog, "5 1 " },
    { "toolButtonSpline", { { 'c', 3300, 1200 }, { 'c', 3600, 1800 }, { 'm', 3900, 1200 }, { 'R', 3900, 1200 } },
        NoDialog, "3 0 " },
    { "toolButtonClosedSpline", { { 'c', 4200, 1200 }, { 'c', 4500, 1800 }, { 'm', 4800, 1200 }, { 'R', 4800, 1200 } },
        NoDialog, "3 1 " },
    { "toolButtonIntSpline", { { 'c', 5100, 1200 }, { 'c', 5400, 1800 }, { 'm', 5700, 1200 }, { 'R', 5700, 1200 } },
        NoDialog, "3 2 " },
    { "toolButtonClosedIntSpline",
        { { 'c', 2400, 2100 }, { 'c', 2700, 2400 }, { 'm', 3000, 2100 }, { 'R', 3000, 2100 } }, NoDialog, "3 3 " },
    { "toolButtonPicture", { { 'c', 3600, 2100 }, { 'c', 4800, 2400 } }, RejectPicture, "2 5 " },
};

// A clip of the library: a short thick line.
const QByteArray clipObjects = "2 1 0 4 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 300\n";

void chooseButton(QTMainFrm& window, const char* name)
{
    auto* button = window.findChild<QToolButton*>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

int objectCount(QTChildFrm& document)
{
    return int(document.figContext->objects()->size());
}

int undoCount(QTChildFrm& document)
{
    return document.figContext->undoHistory.undoSteps.size();
}

// The objects that start with `kind` among object lines.
int countOf(const QList<QByteArray>& lines, const QByteArray& kind)
{
    int n = 0;
    for (const QByteArray& line : lines)
        n += line.startsWith(kind) ? 1 : 0;
    return n;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void wholeSession()
    {
        const QString logPath = QCoreApplication::applicationDirPath() + QStringLiteral("/tavrel.log");
        const int logStart = readAll(logPath).size();
        QTemporaryDir out;
        QVERIFY(out.isValid());
        const QString clipPath = out.filePath(QStringLiteral("clip.fig"));
        {
            QFile clipFile(clipPath);
            QVERIFY(clipFile.open(QIODevice::WriteOnly));
            clipFile.write(editsession::figText(clipObjects));
        }
        const QByteArray original = readAll(QStringLiteral(TAVREL_TEST_DATA "/own.fig"));
        QVERIFY(!original.isEmpty());

        // Every message box is recorded: none is expected.
        MessageBoxRecorder boxes(QMessageBox::No);
        QString savedPath;
        QList<QByteArray> saved;
        int expectedCount = 0;
        editsession::run(original, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QVERIFY(!before.isEmpty());
            const int startCount = objectCount(document);
            editsession::CanvasInput input(document);
            const QRect area = input.visibleFigArea();
            QVERIFY2(area.contains(QRect(0, 0, 6600, 6000)),
                qPrintable(
                    QStringLiteral("%1 %2 %3 %4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height())));

            // One object of every kind, each one undo step.
            for (const Drawn& d : drawn) {
                chooseButton(window, d.button);
                const int count = objectCount(document);
                const int steps = undoCount(document);
                editsession::play(input, d.steps.mid(0, d.steps.size() - 1));
                answerToolDialog(&window, d.dialog, QStringLiteral("end to end"));
                editsession::play(input, d.steps.mid(d.steps.size() - 1));
                QVERIFY2(objectCount(document) == count + 1, d.button);
                QVERIFY2(undoCount(document) == steps + 1, d.button);

                // The box, just drawn and current, gets a new width in its
                // value dialog: one more undo step.
                if (QByteArray(d.button) == "toolButtonBox") {
                    const QList<QByteArray> drawnBox = editsession::savedObjectLines(document);
                    QVERIFY(drawnBox.contains("\t 300 300 1500 300 1500 900 300 900 300 300"));
                    BoxValuesDlg dialog(nullptr, {}, &context);
                    dialog.show();
                    auto* width = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("width"));
                    QVERIFY(width);
                    typeIntoSpinBox(width, QString::number(width->value() * 1.25));
                    dialog.close();
                    QCOMPARE(undoCount(document), steps + 2);
                    const QList<QByteArray> edited = editsession::savedObjectLines(document);
                    QVERIFY(edited != drawnBox);
                    QVERIFY(edited.contains("\t 150 300 1650 300 1650 900 150 900 150 300"));
                }
            }
            QCOMPARE(objectCount(document), startCount + drawn.size());

            // The box and the polyline below it grouped by a selection rectangle.
            chooseButton(window, "toolButtonSelect");
            QCOMPARE(editMode, int(EditMode::Select));
            input.move(45, 150);
            input.press(45, 150);
            input.move(1050, 1050);
            input.move(2100, 2100);
            input.release(2100, 2100);
            int steps = undoCount(document);
            window.onCreateCompound();
            QCOMPARE(undoCount(document), steps + 1);
            QCOMPARE(objectCount(document), startCount + drawn.size() - 1);

            // A circle added by a script.
            steps = undoCount(document);
            context.runScript(QStringLiteral("tavrel.drawCircle({center: {x: 900, y: 9000}, radius: 300});"),
                QStringLiteral("circle.js"));
            QCOMPARE(objectCount(document), startCount + drawn.size());
            QVERIFY(undoCount(document) > steps);

            // A library clip placed with the mouse.
            auto clip = std::make_unique<CFigContext>();
            QCOMPARE(clip->readFigFile(clipPath, &clip->drawing, true, 0, 0), 0);
            steps = undoCount(document);
            context.startLibraryPlacement(clip.get());
            input.move(1500, 5700);
            input.click(1500, 5700);
            QCOMPARE(undoCount(document), steps + 1);
            expectedCount = startCount + int(drawn.size()) + 1;
            QCOMPARE(objectCount(document), expectedCount);

            // Saved; the document now has that file.
            saved = editsession::savedObjectLines(document);
            QVERIFY(!saved.isEmpty());
            savedPath = document.currentFileName();
            QVERIFY(QFileInfo::exists(savedPath));
            for (const Drawn& d : drawn)
                QVERIFY2(countOf(saved, d.kind) > countOf(before, d.kind), d.kind.constData());
            QCOMPARE(countOf(saved, "6 "), countOf(before, "6 ") + 1);
            QCOMPARE(countOf(saved, "1 3 "), countOf(before, "1 3 ") + 2);

            // Exported through fig2dev as the export dialog does it.
            for (const QString& format : { QStringLiteral("PDF"), QStringLiteral("SVG") }) {
                ExportDlg dialog(nullptr, {});
                dialog.setContext(&context);
                dialog.setFileName(QDir::toNativeSeparators(savedPath));
                QVERIFY2(dialog.selectFormat(format), qPrintable(format));
                const QString output = out.filePath(QStringLiteral("drawing.") + format.toLower());
                QVERIFY2(dialog.exportTo(output), qPrintable(format));
                QVERIFY2(QFileInfo(output).size() > 0, qPrintable(output));
            }
        });
        QVERIFY(!savedPath.isEmpty());
        for (const MessageBoxRequest& box : qAsConst(boxes.boxes))
            QWARN(qPrintable(box.text));
        QVERIFY(boxes.boxes.isEmpty());

        // The file read back holds every object as saved.
        QCOMPARE(editsession::objectLines(readAll(savedPath)), saved);
        CFigContext back;
        QCOMPARE(back.readFigFile(savedPath, &back.drawing, false, 0, 0), 0);
        QCOMPARE(int(back.drawing.objects.size()), expectedCount);
        QVERIFY(readAll(out.filePath(QStringLiteral("drawing.pdf"))).startsWith("%PDF"));
        QVERIFY(readAll(out.filePath(QStringLiteral("drawing.svg"))).contains("<svg"));

        // Nothing went wrong on the way, as far as the log tells.
        const QByteArray log = readAll(logPath).mid(logStart);
        QVERIFY2(!log.contains("ERROR"), log.constData());
    }
};

TAVREL_TEST_MAIN_ON_DISPLAY(TestEndToEnd)

#include "tst_endtoend.moc"
