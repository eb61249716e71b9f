#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "support/testenv.h"
#include "toolbars/layerstoolbar.h"

#include <QComboBox>
#include <QListWidget>

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
};

TAVREL_TEST_MAIN(TestLayersToolbar)
#include "tst_layerstoolbar.moc"
