#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "support/documentwindow.h"
#include "support/mainwindowdocuments.h"
#include "support/testenv.h"
#include "toolbars/layerstoolbar.h"

#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>

namespace {

FigLine* lineAt(int depth)
{
    auto* line = new FigLine(1);
    line->points = new FigPoint(0, 0);
    line->depth = depth;
    return line;
}

// The items of the list as "text" for a ticked and "-text" for an unticked
// entry; every item must be checkable.
QStringList entries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        if (!(item->flags() & Qt::ItemIsUserCheckable))
            return { QStringLiteral("not checkable: ") + item->text() };
        out << (item->checkState() == Qt::Checked ? QString() : QStringLiteral("-")) + item->text();
    }
    return out;
}

// Objects on depths 100, 10, 999 and 50 (twice), in that order; the box on
// depth 50 is filled black and covers the pixels 80 to 160 at 80 dots per
// inch.
const QByteArray severalDepths = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                                 "2 1 0 1 0 7 100 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 300 4000 300\n"
                                 "2 1 0 1 0 7 10 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 600 4000 600\n"
                                 "2 1 0 1 0 7 999 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 900 4000 900\n"
                                 "2 2 0 1 0 0 50 -1 20 0.000 0 0 -1 0 0 5\n"
                                 "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n"
                                 "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 3000 1200 4000 1200\n";

// Presses a button of the panel with the mouse. The buttons sit on the inner
// widget, which the main window has taken into its tool bar.
void press(LayersToolbar* bar, const char* name)
{
    auto* button = bar->layoutWidget->findChild<QPushButton*>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// The canvas pixel inside the filled box of depth 50.
QRgb boxPixel(QTChildFrm* child)
{
    return child->canvasImage->pixel(120, 120);
}

} // namespace

class TestLayersToolbar : public QObject {
    Q_OBJECT
private slots:
    void listsExactlyTheUsedDepths()
    {
        QTMainFrm window;
        LayersToolbar* bar = window.layersToolbar;
        CFigContext ctx;
        for (int d : { 100, 50, 100, 7, 999 })
            ctx.addObject(&ctx.drawing.objects, lineAt(d));
        ctx.depthVisible[100] = false;
        ctx.depthVisible[75] = false; // no objects: never listed
        bar->drawLayerButtons(&ctx);
        QCOMPARE(entries(bar->lstLayers), QStringList({ "7", "50", "-100", "999" }));

        // A rebuild replaces the entries; a null or empty document leaves none.
        bar->drawLayerButtons(&ctx);
        QCOMPARE(bar->lstLayers->count(), 4);
        bar->drawLayerButtons(nullptr);
        QCOMPARE(bar->lstLayers->count(), 0);
        bar->drawLayerButtons(&ctx);
        CFigContext empty;
        bar->drawLayerButtons(&empty);
        QCOMPARE(bar->lstLayers->count(), 0);
    }

    void showsTheDrawMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("index");
        QTest::newRow("dim") << 10 << 0;
        QTest::newRow("gray") << 11 << 1;
        QTest::newRow("hide") << 12 << 2;
        QTest::newRow("unknown keeps the entry") << 13 << 1;
    }
    void showsTheDrawMode()
    {
        QFETCH(int, mode);
        QFETCH(int, index);
        QTMainFrm window;
        LayersToolbar* bar = window.layersToolbar;
        QCOMPARE(bar->cbDrawMode->count(), 3);
        QCOMPARE(bar->cbDrawMode->itemText(2), QStringLiteral("hide"));
        bar->cbDrawMode->setCurrentIndex(1);
        CFigContext ctx;
        ctx.addObject(&ctx.drawing.objects, lineAt(3));
        ctx.layerDrawMode = mode;
        bar->drawLayerButtons(&ctx);
        QCOMPARE(bar->cbDrawMode->currentIndex(), index);
        QCOMPARE(ctx.layerDrawMode, mode);
    }

    void followsTheDocumentThroughItsCounts()
    {
        QTMainFrm window;
        mainWindow = &window;
        QTChildFrm frame;
        {
            CFigContext ctx(&frame);
            FigLine* a = lineAt(20);
            ctx.addObject(&ctx.drawing.objects, a);
            ctx.addObject(&ctx.drawing.objects, lineAt(40));
            QCOMPARE(entries(window.layersToolbar->lstLayers), QStringList({ "20", "40" }));
            ctx.removeObject(&ctx.drawing.objects, a);
            delete a;
            QCOMPARE(entries(window.layersToolbar->lstLayers), QStringList({ "40" }));
        }
        mainWindow = nullptr;
    }

    void tickWithoutActiveDocumentChangesNothing()
    {
        QTMainFrm window;
        LayersToolbar* bar = window.layersToolbar;
        CFigContext ctx;
        ctx.addObject(&ctx.drawing.objects, lineAt(5));
        bar->drawLayerButtons(&ctx);
        QCOMPARE(activeFigContext(), nullptr);
        bar->lstLayers->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(ctx.depthVisible[5]);
        bar->itemChanged(nullptr);
    }

    void buttonsOnAFileWithSeveralDepths_data()
    {
        QTest::addColumn<QStringList>("unticked"); // by the user first
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("expected");
        const QStringList allShown { "10", "50", "100", "999" };
        const QStringList allHidden { "-10", "-50", "-100", "-999" };
        QTest::newRow("read") << QStringList() << QStringList() << allShown;
        QTest::newRow("none") << QStringList() << QStringList { "allOff" } << allHidden;
        QTest::newRow("none, then all") << QStringList { "50" } << QStringList { "allOff", "allOn" } << allShown;
        QTest::newRow("all") << QStringList { "10", "999" } << QStringList { "allOn" } << allShown;
        QTest::newRow("toggle") << QStringList { "50", "999" } << QStringList { "toggle" }
                                << QStringList { "-10", "50", "-100", "999" };
        QTest::newRow("toggle twice") << QStringList { "50", "999" } << QStringList { "toggle", "toggle" }
                                      << QStringList { "10", "-50", "100", "-999" };
        QTest::newRow("none, then toggle") << QStringList() << QStringList { "allOff", "toggle" } << allShown;
    }
    void buttonsOnAFileWithSeveralDepths()
    {
        QFETCH(QStringList, unticked);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, expected);
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(severalDepths, "depths.fig");
        QVERIFY(child);
        CFigContext* ctx = child->figContext;
        LayersToolbar* bar = documents.window().layersToolbar;
        QCOMPARE(entries(bar->lstLayers), QStringList({ "10", "50", "100", "999" }));
        // Depths without objects: never listed, never changed by the buttons.
        ctx->depthVisible[75] = false;
        QVERIFY(ctx->depthVisible[80]);

        for (const QString& depth : unticked) {
            const QList<QListWidgetItem*> items = bar->lstLayers->findItems(depth, Qt::MatchExactly);
            QCOMPARE(items.size(), 1);
            items.first()->setCheckState(Qt::Unchecked);
            QVERIFY(!ctx->depthVisible[depth.toInt()]);
        }
        for (const QString& button : buttons)
            press(bar, button.toLatin1().constData());

        QCOMPARE(entries(bar->lstLayers), expected);
        for (const QString& entry : expected)
            QCOMPARE(bool(ctx->depthVisible[entry.mid(entry.startsWith('-') ? 1 : 0).toInt()]), !entry.startsWith('-'));
        QVERIFY(!ctx->depthVisible[75]);
        QVERIFY(ctx->depthVisible[80]);
        // The entries made by the buttons still reach the document.
        bar->lstLayers->item(1)->setCheckState(Qt::Unchecked);
        QVERIFY(!ctx->depthVisible[50]);
        bar->lstLayers->item(1)->setCheckState(Qt::Checked);
        QVERIFY(ctx->depthVisible[50]);
    }

    // The buttons and the mode redraw the canvas of the active document.
    void hiddenDepthsOnTheCanvas()
    {
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(severalDepths, "depths.fig");
        QVERIFY(child);
        child->redisplayCanvas();
        LayersToolbar* bar = documents.window().layersToolbar;
        const QRgb black = qRgb(0, 0, 0);
        const QRgb background = preferences.backgroundColor.rgb();
        QCOMPARE(boxPixel(child), black);

        bar->cbDrawMode->setCurrentIndex(2);
        QCOMPARE(child->figContext->layerDrawMode, 12);
        QCOMPARE(boxPixel(child), black);
        press(bar, "allOff");
        QCOMPARE(boxPixel(child), background);
        // Dimmed or grayed: drawn again, neither black nor left out.
        bar->cbDrawMode->setCurrentIndex(1);
        QCOMPARE(child->figContext->layerDrawMode, 11);
        QVERIFY(boxPixel(child) != black && boxPixel(child) != background);
        bar->cbDrawMode->setCurrentIndex(0);
        QCOMPARE(child->figContext->layerDrawMode, 10);
        QVERIFY(boxPixel(child) != black && boxPixel(child) != background);
        bar->cbDrawMode->setCurrentIndex(2);
        QCOMPARE(boxPixel(child), background);
        press(bar, "toggle");
        QCOMPARE(boxPixel(child), black);
        press(bar, "allOff");
        press(bar, "allOn");
        QCOMPARE(boxPixel(child), black);
    }

    // Each document keeps its own mode; showing another document's mode in
    // the panel, also while a file is read into a new window, changes none.
    void drawModeStaysWithItsDocument()
    {
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* first = documents.open(severalDepths, "first.fig");
        QVERIFY(first);
        LayersToolbar* bar = documents.window().layersToolbar;
        bar->cbDrawMode->setCurrentIndex(2);
        QCOMPARE(first->figContext->layerDrawMode, 12);

        QTChildFrm* second = documents.open(severalDepths, "second.fig");
        QVERIFY(second);
        QCOMPARE(first->figContext->layerDrawMode, 12);
        QCOMPARE(second->figContext->layerDrawMode, 10);
        QCOMPARE(bar->cbDrawMode->currentText(), QStringLiteral("dim"));

        documents.activate(first);
        QCOMPARE(bar->cbDrawMode->currentText(), QStringLiteral("hide"));
        QCOMPARE(second->figContext->layerDrawMode, 10);
        QCOMPARE(first->figContext->layerDrawMode, 12);
        documents.activate(second);
        QCOMPARE(bar->cbDrawMode->currentText(), QStringLiteral("dim"));
        QCOMPARE(first->figContext->layerDrawMode, 12);
    }

    // With every document window closed the panel is empty and its buttons
    // and mode change nothing.
    void withoutADocument()
    {
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(severalDepths, "depths.fig");
        QVERIFY(child);
        LayersToolbar* bar = documents.window().layersToolbar;
        documents.window().mdiArea->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(documents.window().childFrames().size(), 0);
        QCOMPARE(bar->lstLayers->count(), 0);
        for (const char* button : { "allOn", "allOff", "toggle" }) {
            press(bar, button);
            QCOMPARE(bar->lstLayers->count(), 0);
        }
        bar->cbDrawMode->setCurrentIndex(1);
        QCOMPARE(bar->cbDrawMode->currentIndex(), 1);
    }
};

TAVREL_TEST_MAIN(TestLayersToolbar)
#include "tst_layerstoolbar.moc"
