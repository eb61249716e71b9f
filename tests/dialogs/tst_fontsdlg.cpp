// The fonts dialog in a running program: its PostScript and LaTeX buttons,
// a choice setting the font number and the PostScript flag of the current
// attributes, announcing it, changing the current text (only a text) as one
// undo step and closing the dialog's modal run; Cancel and numbers without a
// font change nothing.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/fontsdlg.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "render/fonts.h"
#include "support/editsession.h"
#include "support/formneed.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include "ui_fontsdlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

const QByteArray textLine = "4 0 0 50 -1 0 12 0.0000 4 135 900 1800 1800 words\\001\n";
const QByteArray lineLines = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n";

enum Field { FontField = 5, FlagsField = 8 };

QByteArray field(const QByteArray& line, int index)
{
    return line.split(' ').at(index);
}

QPushButton* psButton(FontsDlg& dialog, int i)
{
    auto* grid = dialog.findChild<QGridLayout*>(QStringLiteral("gridLayoutPsFonts"));
    return qobject_cast<QPushButton*>(grid->itemAtPosition(i / 3, i % 3)->widget());
}

QPushButton* latexButton(FontsDlg& dialog, int i)
{
    auto* grid = dialog.findChild<QGridLayout*>(QStringLiteral("gridLayoutLaTeXFonts"));
    return qobject_cast<QPushButton*>(grid->itemAtPosition(i / 3, i % 3)->widget());
}

// Runs the dialog modally as the text page does, pressing `press` once it runs.
int runPressing(FontsDlg& dialog, const std::function<void(FontsDlg*)>& press)
{
    QObject context;
    answerModalDialog<FontsDlg>(&context, press);
    dialog.setModal(true);
    dialog.show();
    return dialog.exec();
}

void makeCurrent(QTMainFrm& window, CFigContext* context)
{
    FigObject* object = context->drawing.objects.front();
    window.showObjectAttributes(context, object);
    context->currentObject = object;
}

} // namespace

class TestFontsDlg : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }

    void form()
    {
        editsession::run(QByteArray(), [](QTMainFrm& window, QTChildFrm&) {
            FontsDlg& dialog = *window.fontsDlg;
            QCOMPARE(dialog.objectName(), QStringLiteral("FontsDlgForm"));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
            QCOMPARE(dialog.maximumHeight(), sizeOrNeed(dialog, QSize(0, 403)).height());
            QVERIFY(dialog.isSizeGripEnabled());
            QTabWidget* tabs = dialog.form().fontsTabWidget;
            QCOMPARE(tabs->currentIndex(), 0);
            QCOMPARE(tabs->tabText(0), QStringLiteral("PostScript Fonts"));
            QCOMPARE(tabs->tabText(1), QStringLiteral("LaTeX Fonts"));
            QCOMPARE(dialog.form().buttonBox->standardButtons(), QDialogButtonBox::Cancel);
            QVERIFY(dialog.form().label->text().startsWith(QStringLiteral("Use LaTeX fonts if you plan")));

            QCOMPARE(dialog.form().psFonts->findChildren<QPushButton*>().size(), fontTableSize);
            for (int i = 0; i < fontTableSize; ++i) {
                QPushButton* b = psButton(dialog, i);
                QVERIFY(b);
                QCOMPARE(b->text(), fontTable[i].psName);
                QCOMPARE(b->font().family(), fontTable[i].family);
                QCOMPARE(b->font().pixelSize(), 14);
                QCOMPARE(b->font().weight(), fontTable[i].weight);
                QCOMPARE(int(b->font().style()), fontTable[i].style);
                QCOMPARE(b->styleSheet(), QStringLiteral("background-color: rgb(255, 255, 255);"));
            }
            auto* latexGrid = dialog.findChild<QGridLayout*>(QStringLiteral("gridLayoutLaTeXFonts"));
            QCOMPARE(latexGrid->rowCount(), 12);
            QCOMPARE(dialog.form().latexFontsWidget->findChildren<QPushButton*>().size(), latexFontCount);
            for (int j = 0; j < latexFontCount; ++j) {
                QPushButton* b = latexButton(dialog, j);
                QVERIFY(b);
                QVERIFY(b->text().isEmpty());
                const QImage image(QStringLiteral(":/fonts/images/fonts/%1.png").arg(latexFontIconNames[j]));
                QVERIFY(!image.isNull());
                QCOMPARE(b->iconSize(), image.size());
                QVERIFY(!b->icon().isNull());
            }
        });
    }

    // A slot called with a font number, as a button or a script calls it:
    // the flags and font numbers it leaves, whether it is announced and
    // whether the dialog closes.
    void choice_data()
    {
        QTest::addColumn<int>("startFlags");
        QTest::addColumn<bool>("latex");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("psFont");
        QTest::addColumn<int>("latexFont");
        QTest::addColumn<bool>("taken");
        QTest::newRow("LaTeX keeps rigid and special") << 7 << true << 3 << 3 << 4 << 3 << true;
        QTest::newRow("PostScript sets its flag only") << 3 << false << 34 << 7 << 34 << 1 << true;
        QTest::newRow("first PostScript font") << 0 << false << 0 << 4 << 0 << 1 << true;
        QTest::newRow("last LaTeX font") << 4 << true << 5 << 0 << 4 << 5 << true;
        QTest::newRow("PostScript 35") << 0 << false << 35 << 0 << 4 << 1 << false;
        QTest::newRow("PostScript -1") << 0 << false << -1 << 0 << 4 << 1 << false;
        QTest::newRow("LaTeX 6") << 4 << true << 6 << 4 << 4 << 1 << false;
        QTest::newRow("LaTeX -1") << 4 << true << -1 << 4 << 4 << 1 << false;
        QTest::newRow("LaTeX far out") << 4 << true << 1000000 << 4 << 4 << 1 << false;
    }
    void choice()
    {
        QFETCH(int, startFlags);
        QFETCH(bool, latex);
        QFETCH(int, index);
        QFETCH(int, flags);
        QFETCH(int, psFont);
        QFETCH(int, latexFont);
        QFETCH(bool, taken);
        editsession::run(editsession::figText(textLine), [&](QTMainFrm& window, QTChildFrm& document) {
            FontsDlg& dialog = *window.fontsDlg;
            currentAttrs.textFlags = startFlags;
            currentAttrs.psFont = 4;
            currentAttrs.latexFont = 1;
            // The current text: a refused number must not reach it either.
            document.figContext->currentObject = document.figContext->drawing.objects.front();
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QSignalSpy ps(&dialog, &FontsDlg::psFontChanged);
            QSignalSpy tex(&dialog, &FontsDlg::latexFontChanged);
            dialog.show();
            if (latex)
                dialog.onLatexFont(index);
            else
                dialog.onPsFont(index);
            QCOMPARE(currentAttrs.textFlags, flags);
            QCOMPARE(currentAttrs.psFont, psFont);
            QCOMPARE(currentAttrs.latexFont, latexFont);
            QCOMPARE(ps.size(), taken && !latex ? 1 : 0);
            QCOMPARE(tex.size(), taken && latex ? 1 : 0);
            if (taken)
                QCOMPARE((latex ? tex : ps).at(0).at(0).toInt(), index);
            QCOMPARE(dialog.isVisible(), !taken);
            if (!taken) {
                QCOMPARE(document.figContext->undoHistory.undoSteps.size(), 0);
                QCOMPARE(editsession::savedObjectLines(document), before);
            }
            dialog.hide();
        });
    }

    // LaTeX font 2 for the current text in PostScript font 0, chosen with
    // its button in a modal run: one undo step with the font number and the
    // flag; undo gives both back.
    void latexOnCurrentText()
    {
        editsession::run(editsession::figText(textLine), [](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FontsDlg& dialog = *window.fontsDlg;
            makeCurrent(window, context);
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QCOMPARE(field(before[0], FontField), QByteArray("0"));
            QCOMPARE(field(before[0], FlagsField), QByteArray("4"));

            runPressing(dialog, [](FontsDlg* d) { latexButton(*d, 2)->click(); });
            QVERIFY(!dialog.isVisible());
            QCOMPARE(currentAttrs.textFlags, 0);
            QCOMPARE(currentAttrs.latexFont, 2);
            QCOMPARE(context->undoHistory.undoSteps.size(), 1);
            QCOMPARE(context->undoHistory.undoSteps.last()->size(), 2);
            const QList<QByteArray> after = editsession::savedObjectLines(document);
            QCOMPARE(field(after[0], FontField), QByteArray("2"));
            QCOMPARE(field(after[0], FlagsField), QByteArray("0"));

            document.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // The font the text has already: no step, and the dialog still closes.
    // Another kind of current object is left alone.
    void noStep_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<int>("font");
        QTest::newRow("same font") << textLine << 0;
        QTest::newRow("polyline") << lineLines << 5;
    }
    void noStep()
    {
        QFETCH(QByteArray, objects);
        QFETCH(int, font);
        editsession::run(editsession::figText(objects), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FontsDlg& dialog = *window.fontsDlg;
            makeCurrent(window, context);
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QSignalSpy ps(&dialog, &FontsDlg::psFontChanged);
            runPressing(dialog, [font](FontsDlg* d) { psButton(*d, font)->click(); });
            QVERIFY(!dialog.isVisible());
            QCOMPARE(ps.size(), 1);
            QCOMPARE(currentAttrs.psFont, font);
            QVERIFY(currentAttrs.textFlags & 4);
            QCOMPARE(context->undoHistory.undoSteps.size(), 0);
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    void cancel()
    {
        editsession::run(editsession::figText(textLine), [](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FontsDlg& dialog = *window.fontsDlg;
            makeCurrent(window, context);
            const DrawingAttributes before = currentAttrs;
            QSignalSpy tex(&dialog, &FontsDlg::latexFontChanged);
            const int result = runPressing(
                dialog, [](FontsDlg* d) { d->form().buttonBox->button(QDialogButtonBox::Cancel)->click(); });
            QCOMPARE(result, int(QDialog::Rejected));
            QVERIFY(!dialog.isVisible());
            QCOMPARE(tex.size(), 0);
            QCOMPARE(currentAttrs.textFlags, before.textFlags);
            QCOMPARE(currentAttrs.latexFont, before.latexFont);
            QCOMPARE(context->undoHistory.undoSteps.size(), 0);
        });
    }
};

TAVREL_TEST_MAIN(TestFontsDlg)
#include "tst_fontsdlg.moc"
