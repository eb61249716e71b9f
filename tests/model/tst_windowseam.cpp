// The drawing core without windows: a window-less document (as the benchmark
// makes one) runs every call that would reach a window on the seam's
// do-nothing defaults, and an installed seam is where those calls go.
#include "app/preferences.h"
#include "edit/canvaspainterscope.h"
#include "edit/floatingobjects.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "model/windowseam.h"
#include "render/drawingfixtures.h"
#include "render/griddef.h"
#include "support/testenv.h"

#include <QImage>

using drawingfixtures::boxOf;
using drawingfixtures::Canvas;

namespace {

// Answers the questions a window would and notes what reached it.
class RecordingSeam : public WindowSeam {
public:
    bool askForText(CFigContext*, const QString& preset, QString& answer) override
    {
        asked.append(preset);
        answer = QStringLiteral("typed");
        return true;
    }
    void forgetHoveredObject(const FigObject* object) override { forgotten.append(object); }

    QStringList asked;
    QList<const FigObject*> forgotten;
};

// Installs a seam for the life of the object and puts the defaults back.
struct InstalledSeam {
    explicit InstalledSeam(WindowSeam* seam) { installWindowSeam(seam); }
    ~InstalledSeam() { installWindowSeam(nullptr); }
};

} // namespace

class TestWindowSeam : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { createBuiltinGrids(); }
    void cleanupTestCase() { deleteGridDefs(); }

    void defaultsAnswerThatThereIsNoWindow()
    {
        CFigContext context;
        WindowSeam& seam = windowSeam();
        float dpiX = 12.0f;
        float dpiY = 34.0f;
        QVERIFY(!seam.windowDpi(&context, dpiX, dpiY));
        QCOMPARE(dpiX, 12.0f);
        QCOMPARE(dpiY, 34.0f);
        QCOMPARE(seam.canvasSize(&context), QSize(0, 0));
        QCOMPARE(seam.visibleSize(&context), QSize(0, 0));
        QVERIFY(!seam.canvasImage(&context));
        QVERIFY(!seam.canvasPainterActive(&context));
        QString answer = QStringLiteral("untouched");
        QVERIFY(!seam.askForText(&context, QStringLiteral("preset"), answer));
        QCOMPARE(answer, QStringLiteral("untouched"));
        // The calls without an answer do nothing, also for a null document.
        seam.setWindowModified(nullptr, true);
        seam.beginCanvasPainter(nullptr);
        seam.endCanvasPainter(nullptr);
        seam.redisplayCanvas(nullptr);
        seam.drawObjectsAtDepth(nullptr, 50);
        seam.refreshLayers(nullptr);
        seam.refreshUserColorLists();
        seam.forgetHoveredObject(nullptr);
        seam.setEditMode(67);
        seam.editPicture(nullptr, nullptr);
    }

    // The benchmark's document: no window, a painter on an image.
    void windowlessDocumentRunsOnDefaults()
    {
        const int savedDpiSetting = preferences.dpiAtZoom100;
        preferences.dpiAtZoom100 = 1; // the window's own dots per inch
        Canvas canvas(120, 90);
        CFigContext& context = canvas.context;
        context.dpiX = context.dpiY = 80.0f;
        context.updateDpi();
        preferences.dpiAtZoom100 = savedDpiSetting;
        QCOMPARE(context.dpiX, 80.0f); // what its creator set stays
        QCOMPARE(context.dpiY, 80.0f);

        context.setModified();
        QVERIFY(context.modified);
        context.clearModified();
        QVERIFY(!context.modified);

        canvas.add(boxOf(150, 150, 600, 600));
        context.refreshLayersToolbar();
        context.setDepthVisible(50, false);
        context.setDepthVisible(50, true);
        QVERIFY(context.depthVisible[50]);

        int ox = -1;
        int oy = -1;
        context.scrollOriginForZoom(ox, oy, 0, 0, 1.0f, 2.0f);
        QCOMPARE(QPoint(ox, oy), QPoint(0, 0));
        context.centeredScrollOrigin(ox, oy, 1200, 1200, 1.0f);
        QVERIFY(ox >= 0 && oy >= 0);

        // A grid over a window-less canvas covers the painter's whole image.
        context.gridIndex = 3;
        context.drawGrid();
        QVERIFY(canvas.count(drawingfixtures::white) < 120 * 90);
        canvas.begin();
        {
            CanvasPainterScope scope(&context);
            QVERIFY(canvas.painter.isActive());
        }
        QVERIFY(canvas.painter.isActive()); // the scope left it alone

        // Asking for a text without a window is a cancel: nothing is added.
        QVERIFY(!context.enterText(300, 300));
        QCOMPARE(context.drawing.objects.size(), 1);
    }

    void coreCallsGoThroughTheInstalledSeam()
    {
        RecordingSeam recording;
        {
            InstalledSeam installed(&recording);
            QCOMPARE(&windowSeam(), &recording);
            Canvas canvas;
            CFigContext& context = canvas.context;

            FigText* text = context.enterText(300, 300);
            QCOMPARE(recording.asked, QStringList { QString() });
            QVERIFY(text);
            QCOMPARE(text->text, QStringLiteral("typed"));
            QCOMPARE(context.drawing.objects.size(), 1);

            // Floating objects that go are forgotten by the comment tip.
            FigLine* floating = canvas.add(boxOf(150, 150, 600, 600));
            context.selection = new FigObjectList;
            context.selection->push_back(floating);
            setFloatingObjects(&context, &context.drawing.objects, FloatingKind::Copy);
            discardFloatingObjects(&context, false);
            QCOMPARE(recording.forgotten, QList<const FigObject*> { floating });
            QCOMPARE(context.drawing.objects.size(), 1);
        }
        QVERIFY(&windowSeam() != &recording);
    }
};

TAVREL_TEST_MAIN(TestWindowSeam)
#include "tst_windowseam.moc"
