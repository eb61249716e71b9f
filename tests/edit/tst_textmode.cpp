// Texts with the mouse and the keyboard in a running program: the text tool's
// press asks for a line of text, the typed string is saved as a text object
// with the current text attributes and the document's pen colour; changing
// the string of a text is one undo step; a LaTeX font chosen in the fonts
// dialog is taken by the next text.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/fontsdlg.h"
#include "dialogs/textenterdlg.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "support/editsession.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QByteArray lineLines = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 4500 4500 5400 4500\n";
const QByteArray textLine = "4 0 0 50 -1 0 12 0.0000 4 135 900 1800 1800 words\\001\n";

// What the user does in the text entry dialog.
enum class Answer { Type, TypeNothing, Cancel, KeepPreset };

// Answers the next text entry dialog: types `typed` over the preset text
// with real key presses and presses OK (or Cancel).
void answerTextDialog(QObject* context, Answer answer, const QString& typed)
{
    answerModalDialog<TextEnterDlg>(context, [answer, typed](TextEnterDlg* dialog) {
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("lineEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!field || !buttons) {
            dialog->reject();
            return;
        }
        if (answer == Answer::Cancel) {
            QTest::keyClicks(field, typed);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
            return;
        }
        if (answer != Answer::KeepPreset) {
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(field, Qt::Key_Delete);
        }
        if (answer == Answer::Type)
            QTest::keyClicks(field, typed);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
}

// A saved text line without its height and length (fields 9 and 10, which
// depend on the screen font); they must be positive numbers.
QByteArray withoutMetrics(const QByteArray& line)
{
    QList<QByteArray> fields = line.split(' ');
    if (fields.size() < 14 || fields.at(0) != "4")
        return line;
    if (fields.at(9).toInt() <= 0 || fields.at(10).toInt() <= 0)
        return "metrics not positive: " + line;
    fields.removeAt(9);
    fields.removeAt(9);
    return fields.join(' ');
}

// Clicks in the text mode at (x, y) answering the dialog; the saved lines
// after it.
QList<QByteArray> clickText(QTChildFrm& document, int x, int y, Answer answer, const QString& typed)
{
    QObject context;
    answerTextDialog(&context, answer, typed);
    editsession::CanvasInput input(document);
    input.move(x, y);
    input.click(x, y);
    QList<QByteArray> lines;
    for (const QByteArray& line : editsession::savedObjectLines(document))
        lines << withoutMetrics(line);
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Answer)

class TestTextMode : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    void newText_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("align");
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("penColor");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written"); // without height and length; empty: nothing added
        // The fonts: PostScript 5, LaTeX 3; size 14, depth 40.
        QTest::newRow("PostScript flag: the PostScript font, centred, pen colour")
            << 4 << 1 << 0.0f << 4 << Answer::Type << QStringLiteral("Hello world")
            << QByteArray("4 1 4 40 0 5 14 0.0000 4 1200 900 Hello world\\001");
        QTest::newRow("no PostScript flag: the LaTeX font, special, turned")
            << 2 << 2 << 0.5f << 0 << Answer::Type << QStringLiteral("$x^2$")
            << QByteArray("4 2 0 40 0 3 14 0.5000 2 1200 900 $x^2$\\001");
        QTest::newRow("rigid PostScript text of the default colour")
            << 5 << 0 << 0.0f << -1 << Answer::Type << QStringLiteral("a")
            << QByteArray("4 0 -1 40 0 5 14 0.0000 5 1200 900 a\\001");
        QTest::newRow("accepted empty: nothing")
            << 4 << 0 << 0.0f << 0 << Answer::TypeNothing << QString() << QByteArray();
        QTest::newRow("cancelled after typing: nothing")
            << 4 << 0 << 0.0f << 0 << Answer::Cancel << QStringLiteral("gone") << QByteArray();
    }
    void newText()
    {
        QFETCH(int, flags);
        QFETCH(int, align);
        QFETCH(float, angle);
        QFETCH(int, penColor);
        QFETCH(Answer, answer);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        editsession::run(editsession::figText(lineLines), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            editsession::chooseMode(window, EditMode::Text);
            currentAttrs.textFlags = flags;
            currentAttrs.psFont = 5;
            currentAttrs.latexFont = 3;
            currentAttrs.fontSize = 14;
            currentAttrs.textAlign = align;
            currentAttrs.textAngle = angle;
            currentAttrs.depth = 40;
            ctx.penColor = penColor;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = ctx.undoHistory.undoSteps.size();

            const QList<QByteArray> after = clickText(document, 1200, 900, answer, typed);
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(editMode, int(EditMode::Text));
            if (written.isEmpty()) {
                QCOMPARE(after, before);
                QCOMPARE(ctx.undoHistory.undoSteps.size(), steps);
                QCOMPARE(ctx.currentObject, nullptr);
                return;
            }
            QCOMPARE(after, before + QList<QByteArray> { written });
            QCOMPARE(ctx.undoHistory.undoSteps.size(), steps + 1);
            // The new text is the current object, selected with its markers.
            FigObject* text = ctx.currentObject;
            QVERIFY(text);
            QCOMPARE(text->type, int(FigObject::Text));
            QVERIFY(text->selected);
            QCOMPARE(text->markerState, 2);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // Two texts in a row, each its own undo step; the mode stays.
    void twoTexts()
    {
        editsession::run(editsession::figText(lineLines), [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Text);
            clickText(document, 600, 600, Answer::Type, QStringLiteral("one"));
            const QList<QByteArray> lines = clickText(document, 600, 1200, Answer::Type, QStringLiteral("two"));
            QCOMPARE(lines.size(), 4);
            QVERIFY(lines.at(2).endsWith(" 600 600 one\\001"));
            QVERIFY(lines.at(3).endsWith(" 600 1200 two\\001"));
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), 2);
        });
    }

    void editString_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("changed");
        QTest::newRow("a new string") << Answer::Type << QStringLiteral("other words") << true;
        QTest::newRow("emptied: an empty string is a change") << Answer::TypeNothing << QString() << true;
        QTest::newRow("OK on the preset string: no step") << Answer::KeepPreset << QString() << false;
        QTest::newRow("the same string typed again: no step") << Answer::Type << QStringLiteral("words") << false;
        QTest::newRow("cancelled") << Answer::Cancel << QStringLiteral("x") << false;
    }
    void editString()
    {
        QFETCH(Answer, answer);
        QFETCH(QString, typed);
        QFETCH(bool, changed);
        editsession::run(editsession::figText(textLine), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& ctx = *document.figContext;
            auto* text = static_cast<FigText*>(ctx.drawing.objects.front());
            const int steps = ctx.undoHistory.undoSteps.size();
            QObject context;
            answerTextDialog(&context, answer, typed);
            ctx.editText(text);
            QCOMPARE(ctx.undoHistory.undoSteps.size(), steps + (changed ? 1 : 0));
            QCOMPARE(text->text, changed ? typed : QStringLiteral("words"));
            QCOMPARE(ctx.modified, changed);
            if (!changed)
                return;
            QCOMPARE(text->markerState, 1);
            if (!typed.isEmpty()) {
                const QList<QByteArray> lines = editsession::savedObjectLines(document);
                QCOMPARE(lines.size(), 1);
                QVERIFY(lines.at(0).endsWith(" 1800 1800 other words\\001"));
            }
            window.undo();
            QCOMPARE(text->text, QStringLiteral("words"));
            const QList<QByteArray> lines = editsession::savedObjectLines(document);
            QCOMPARE(lines.size(), 1);
            QCOMPARE(withoutMetrics(lines.at(0)), QByteArray("4 0 0 50 -1 0 12 0.0000 4 1800 1800 words\\001"));
        });
    }

    // A LaTeX font chosen in the fonts dialog: the next text takes its
    // number with the PostScript flag clear.
    void fontsDialogLatexChoice()
    {
        editsession::run(editsession::figText(lineLines), [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, EditMode::Text);
            FontsDlg& fonts = *window.fontsDlg;
            QObject context;
            answerModalDialog<FontsDlg>(&context, [](FontsDlg* dialog) {
                auto* grid = dialog->findChild<QGridLayout*>(QStringLiteral("gridLayoutLaTeXFonts"));
                auto* button = grid ? qobject_cast<QPushButton*>(grid->itemAtPosition(0, 2)->widget()) : nullptr;
                if (button)
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    dialog->reject();
            });
            fonts.setModal(true);
            fonts.show();
            fonts.exec();
            const QList<QByteArray> lines = clickText(document, 1200, 900, Answer::Type, QStringLiteral("t"));
            QCOMPARE(lines.size(), 3);
            const QList<QByteArray> fields = lines.at(2).split(' ');
            QCOMPARE(fields.at(5), QByteArray("2")); // LaTeX font 2
            QCOMPARE(fields.at(8), QByteArray("0")); // no PostScript flag
        });
    }
};

TAVREL_TEST_MAIN(TestTextMode)
#include "tst_textmode.moc"
