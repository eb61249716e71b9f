// Loaded clips and their thumbnails: a clip file or the objects of a new clip
// moved to the origin, several objects wrapped into one compound with an
// identifier of its own, the zoom that fits the longer side (also for a clip
// smaller than a pixel, and at most four times for a tiny one such as a dot),
// and the clip files that are left out.
#include "../model/modelfixtures.h"
#include "app/preferences.h"
#include "library/librarydlg.h"
#include "libraryfixtures.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QImage>
#include <QPixmap>

#include <cmath>
#include <memory>

using namespace libraryfixtures;

namespace {

// A white 60 x 60 image of the given resolution.
QImage thumbnailImage(int dpi)
{
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

QRect boundsOf(CFigContext& clip)
{
    int x1, y1, x2, y2;
    clip.drawing.getBounds(&clip, x1, y1, x2, y2, true, true);
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

bool identifiersUnique(const FigObjectList* list)
{
    ObjectIdSet seen;
    return idsAreUnique(list, seen);
}

int darkPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return count;
}

} // namespace

class TestLibraryThumbnails : public QObject {
    Q_OBJECT

    std::unique_ptr<LibraryRoot> root;
    std::unique_ptr<LibraryDlg> dialog;

    CFigContext* load(const QByteArray& objects, QImage& image, const QString& name = "clip.fig")
    {
        root->clip(name, objects);
        return dialog->loadClip(root->file(name), &image);
    }

private slots:
    void initTestCase() { initDrawingResources(); }
    void init()
    {
        preferences = Preferences();
        root = std::make_unique<LibraryRoot>();
        dialog = std::make_unique<LibraryDlg>();
    }
    void cleanup()
    {
        dialog.reset();
        root.reset();
    }

    void zoomFitsTheLongerSide_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<float>("zoom");
        QTest::newRow("wide") << wideBox << 96 << 59.0f / 192.0f;
        QTest::newRow("tall") << QByteArray("2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                            "\t 0 0 1200 0 1200 2400 0 2400 0 0\n")
                              << 96 << 59.0f / 192.0f;
        // Equal sides take the height.
        QTest::newRow("square") << QByteArray("2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                              "\t 600 600 1800 600 1800 1800 600 1800 600 600\n")
                                << 80 << 59.0f / 80.0f;
        // Less than half a pixel either way: fitted as one pixel, and
        // magnified no more than four times.
        QTest::newRow("a dot") << QByteArray("2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 1\n\t 300 300\n") << 96 << 4.0f;
        QTest::newRow("ten pixels") << QByteArray("2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 119 0\n") << 96
                                    << 4.0f;
        QTest::newRow("twenty pixels") << QByteArray("2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 249 0\n") << 96
                                       << 59.0f / 20.0f;
    }
    void zoomFitsTheLongerSide()
    {
        QFETCH(QByteArray, objects);
        QFETCH(int, dpi);
        QFETCH(float, zoom);
        QImage image = thumbnailImage(dpi);
        std::unique_ptr<CFigContext> clip(load(objects, image));
        QVERIFY(clip);
        QCOMPARE(clip->dpiX, float(dpi));
        QVERIFY(std::isfinite(clip->zoom));
        QCOMPARE(clip->zoom, zoom);
        QCOMPARE(boundsOf(*clip).topLeft(), QPoint(0, 0));
        QCOMPARE(clip->painter, nullptr);
    }

    // A dot (a polyline of one point) is as large as its line width; its
    // thumbnail shows a small mark in the corner, not a pen blown up to a
    // solid square or disc over the whole thumbnail.
    void aDotShowsAsADot_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("largest");
        const QByteArray dot = "2 1 0 %w 0 7 50 -1 -1 0.000 0 %c -1 0 0 1\n\t 2400 1800\n";
        const auto make = [&dot](int width, int cap) {
            return QByteArray(dot).replace("%w", QByteArray::number(width)).replace("%c", QByteArray::number(cap));
        };
        QTest::newRow("width 1, butt cap, 80 dpi") << make(1, 0) << 80 << 25;
        QTest::newRow("width 1, round cap, 96 dpi") << make(1, 1) << 96 << 36;
        QTest::newRow("width 1, square cap, 96 dpi") << make(1, 2) << 96 << 36;
        QTest::newRow("width 0") << make(0, 0) << 80 << 1;
        QTest::newRow("width 3") << make(3, 0) << 96 << 256;
        QTest::newRow("two dots in a clip") << make(1, 0) + make(1, 0).replace("2400", "2415") << 80 << 100;
    }
    void aDotShowsAsADot()
    {
        QFETCH(QByteArray, objects);
        QFETCH(int, dpi);
        QFETCH(int, largest);
        QImage image = thumbnailImage(dpi);
        std::unique_ptr<CFigContext> clip(load(objects, image));
        QVERIFY(clip);
        QVERIFY(std::isfinite(clip->zoom));
        const int dark = darkPixels(image);
        QVERIFY2(dark > 0 && dark <= largest, qPrintable(QString::number(dark)));
        QVERIFY(darkPixels(image.copy(0, 0, 4, 4)) > 0);
    }

    // The clip lies at the origin as one compound, drawn from the thumbnail's
    // top-left corner.
    void severalObjectsBecomeOneCompound()
    {
        preferences.renderSpecialTextUsingTex = true;
        QImage image = thumbnailImage(80);
        std::unique_ptr<CFigContext> clip(load(threeObjects, image));
        QVERIFY(clip);
        QCOMPARE(clip->drawing.objects.size(), size_t(1));
        FigObject* top = clip->drawing.objects.front();
        QCOMPARE(top->type, int(FigObject::Compound));
        auto* compound = static_cast<FigCompound*>(top);
        QCOMPARE(compound->members->size(), size_t(3));
        QVERIFY(identifiersUnique(&clip->drawing.objects));
        const QRect bounds = boundsOf(*clip);
        QCOMPARE(bounds.topLeft(), QPoint(0, 0));
        QCOMPARE(QPoint(compound->upperLeft.x, compound->upperLeft.y), QPoint(0, 0));
        QCOMPARE(QPoint(compound->lowerRight.x, compound->lowerRight.y), bounds.bottomRight());
        QCOMPARE(QPoint(clip->drawing.upperLeft.x, clip->drawing.upperLeft.y), QPoint(0, 0));
        QCOMPARE(clip->fileName, QDir::toNativeSeparators(root->file("clip.fig")));
        // The three depths are counted for drawing.
        QCOMPARE(clip->minDepth, 30);
        QCOMPARE(clip->maxDepth, 50);
        QVERIFY(darkPixels(image.copy(0, 0, 10, 10)) > 0);
        QCOMPARE(darkPixels(image.copy(0, 50, 60, 10)), 0); // wider than high: the bottom stays white
        QCOMPARE(preferences.renderSpecialTextUsingTex, true);
    }

    void oneObjectStaysItself()
    {
        QImage image = thumbnailImage(80);
        std::unique_ptr<CFigContext> clip(load(threeObjects.left(threeObjects.indexOf("2 2")), image));
        QVERIFY(clip);
        QCOMPARE(clip->drawing.objects.size(), size_t(1));
        QCOMPARE(clip->drawing.objects.front()->type, int(FigObject::Polyline));
        QCOMPARE(boundsOf(*clip).topLeft(), QPoint(0, 0));
    }

    // An outline with a width is rounded half away from zero: a box whose
    // half width is half a unit would still start a unit left of and above
    // the origin after one move, and reading the clip file again would shift
    // it by a grid step.
    void aClipNeverStartsOffThePage_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("80 dpi") << 80;
        QTest::newRow("96 dpi") << 96;
    }
    void aClipNeverStartsOffThePage()
    {
        QFETCH(int, dpi);
        QImage image = thumbnailImage(dpi);
        std::unique_ptr<CFigContext> clip(load("2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                               "\t 1300 1300 2300 1300 2300 2000 1300 2000 1300 1300\n",
            image));
        QVERIFY(clip);
        const QPoint corner = boundsOf(*clip).topLeft();
        QVERIFY2(corner.x() >= 0 && corner.x() <= 1 && corner.y() >= 0 && corner.y() <= 1,
            qPrintable(QString("%1 %2").arg(corner.x()).arg(corner.y())));
        QCOMPARE(QPoint(clip->drawing.upperLeft.x, clip->drawing.upperLeft.y), corner);
    }

    void unusableFilesAreLeftOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("no Fig file") << "broken.fig" << QByteArray("hello\nworld\n") << "Error reading %1/broken.fig";
        QTest::newRow("upper-case name") << "Broken.FIG" << QByteArray("hello\nworld\n")
                                         << "Error reading %1/Broken.fig";
        QTest::newRow("no objects") << "empty.fig" << figHeader << "Empty library file: %1/empty.fig, ignoring";
    }
    void unusableFilesAreLeftOut()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        writeFile(root->file(name), contents);
        QImage image = thumbnailImage(80);
        StatusRecorder status;
        QCOMPARE(dialog->loadClip(root->file(name), &image), nullptr);
        QCOMPARE(status.messages.last(), message.arg(root->path()));
        QCOMPARE(dialog->loadClip(root->file("absent.fig"), &image), nullptr);
        QCOMPARE(status.messages.last(), QString("Error reading %1/absent.fig").arg(root->path()));
    }

    // New objects (clones keep their identifiers 1 to 3) are moved to the
    // origin themselves; the compound around them takes identifier 4.
    void newObjectsMoveToTheOrigin()
    {
        auto* list = new FigObjectList;
        list->push_back(fixtures::makeLine(1, { { 1200, 2400 }, { 3600, 2400 } }));
        list->push_back(fixtures::makeLine(2, { { 2400, 1200 }, { 2400, 3600 } }));
        list->push_back(fixtures::makeLine(3, { { 1800, 1800 }, { 3000, 3000 } }));
        FigObject* first = list->front();
        QImage image = thumbnailImage(80);
        std::unique_ptr<CFigContext> clip(dialog->makeThumbnail(list, &image));
        QVERIFY(clip);
        QCOMPARE(list->size(), size_t(1));
        QCOMPARE(list->front(), clip->drawing.objects.front());
        QCOMPARE(list->front()->type, int(FigObject::Compound));
        QCOMPARE(list->front()->id, 4);
        QCOMPARE(static_cast<FigCompound*>(list->front())->members->front(), first);
        QCOMPARE(boundsOf(*clip).topLeft(), QPoint(0, 0));
        QCOMPARE(static_cast<FigLine*>(first)->points->x, 0);
        QCOMPARE(static_cast<FigLine*>(first)->points->y, 1200);
        delete list;

        auto* single = new FigObjectList;
        single->push_back(fixtures::makeLine(7, { { 1200, 2400 }, { 3600, 2400 } }));
        std::unique_ptr<CFigContext> one(dialog->makeThumbnail(single, &image));
        QVERIFY(one);
        QCOMPARE(one->drawing.objects.front(), single->front());
        QCOMPARE(single->front()->id, 7);
        QCOMPARE(boundsOf(*one).topLeft(), QPoint(0, 0));
        delete single;

        FigObjectList none;
        QCOMPARE(dialog->makeThumbnail(&none, &image), nullptr);
    }
};

TAVREL_TEST_MAIN(TestLibraryThumbnails)
#include "tst_librarythumbnails.moc"
