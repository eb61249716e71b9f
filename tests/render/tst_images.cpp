// The built-in images: every listed resource path loads, the resources hold
// exactly the listed images, and the images have the sizes and looks that
// their users rely on (fill pattern bitmaps, markers, combo box icons).
#include "render/builtinimages.h"
#include "render/griddef.h"
#include "render/resources.h"
#include "support/testenv.h"

#include <QBitmap>
#include <QDirIterator>

namespace {

QImage load(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

QStringList pathsStartingWith(const QString& prefix)
{
    QStringList result;
    for (const QString& path : builtinImagePaths())
        if (path.startsWith(prefix))
            result.append(path);
    return result;
}

// The row of the tallest run of opaque pixels in a column, by column: the
// arrowhead is much taller than the 1 pixel line it ends.
int tallestColumn(const QImage& image)
{
    int best = -1, bestHeight = 0;
    for (int x = 0; x < image.width(); ++x) {
        int height = 0;
        for (int y = 0; y < image.height(); ++y)
            if (qAlpha(image.pixel(x, y)) > 128)
                ++height;
        if (height > bestHeight) {
            bestHeight = height;
            best = x;
        }
    }
    return best;
}

} // namespace

class TestImages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        initResources(); // a second call does no harm
    }

    void everyListedPathLoads()
    {
        QStringList failed;
        for (const QString& path : builtinImagePaths())
            if (QImage(path).isNull())
                failed.append(path);
        QCOMPARE(failed, QStringList());
    }

    void resourcesHoldExactlyTheListedImages()
    {
        QStringList listed = builtinImagePaths();
        listed.sort();
        QStringList unique = listed;
        unique.removeDuplicates();
        QCOMPARE(unique, listed);

        QStringList found;
        QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.endsWith(QLatin1String(".png")) && !path.startsWith(QLatin1String(":/qt-project.org/")))
                found.append(path);
        }
        found.sort();
        QCOMPARE(found, listed);
    }

    void gridIconsOfTheBuiltinGridsLoad()
    {
        createBuiltinGrids();
        for (const GridDef* grid : qAsConst(gridDefs))
            QVERIFY2(!QImage(grid->icon).isNull(), qPrintable(grid->icon));
        deleteGridDefs();
        QVERIFY(!QImage(QStringLiteral(":/grid/images/grid/grid_custom.png")).isNull());
    }

    void sizes_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("except"); // an image of its own size under the same prefix
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("count");
        QTest::newRow("file tool bar") << ":/file/"
                                       << "save32.png" << QSize(16, 16) << 14;
        QTest::newRow("library save") << ":/file/images/File/save32.png"
                                      << "" << QSize(32, 32) << 1;
        QTest::newRow("align") << ":/align/"
                               << "" << QSize(16, 16) << 7;
        QTest::newRow("compounds") << ":/compounds/"
                                   << "" << QSize(16, 16) << 4;
        QTest::newRow("grid") << ":/grid/"
                              << "" << QSize(16, 16) << 9;
        QTest::newRow("snap") << ":/snap/"
                              << "" << QSize(16, 16) << 2;
        QTest::newRow("constraints") << ":/constraints/"
                                     << "" << QSize(16, 16) << 6;
        QTest::newRow("folder") << ":/folder/"
                                << "" << QSize(16, 16) << 4;
        QTest::newRow("diverse") << ":/diverse/"
                                 << "Tavrel.png" << QSize(16, 16) << 9;
        QTest::newRow("tool panel shapes") << ":/shapes/"
                                           << "" << QSize(24, 24) << 15;
        QTest::newRow("tool panel manipulations") << ":/manipulations/"
                                                  << "" << QSize(24, 24) << 15;
        QTest::newRow("arrows") << ":/arrows/"
                                << "" << QSize(28, 16) << 59;
        QTest::newRow("line styles") << ":/lineStyles/"
                                     << "" << QSize(40, 8) << 6;
        QTest::newRow("patterns") << ":/patterns/"
                                  << "" << QSize(32, 32) << 22;
    }
    void sizes()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, except);
        QFETCH(QSize, size);
        QFETCH(int, count);
        int checked = 0;
        for (const QString& path : pathsStartingWith(prefix)) {
            if (!except.isEmpty() && path.endsWith(QLatin1Char('/') + except))
                continue;
            QVERIFY2(QImage(path).size() == size, qPrintable(path));
            ++checked;
        }
        QCOMPARE(checked, count);
    }

    void latexFontNamesAreTwelvePixelsHigh()
    {
        const QStringList names { "default", "roman", "bold", "italic", "sansserif", "typewriter" };
        for (const QString& name : names) {
            const QImage image(QStringLiteral(":/fonts/images/fonts/") + name + QStringLiteral(".png"));
            QCOMPARE(image.height(), 12);
            QVERIFY(image.width() > 12);
        }
    }

    void markers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("size");
        QTest::addColumn<QColor>("centre");
        QTest::addColumn<QColor>("border");
        const QColor blue(0, 0, 255), red(255, 0, 0), white(255, 255, 255), yellow(255, 255, 0);
        QTest::newRow("normal") << "DOT_SMALL_NORMAL.png" << 4 << white << blue;
        QTest::newRow("selected") << "DOT_SMALL_TAGGED.png" << 5 << red << blue;
        QTest::newRow("highlighted") << "DOT_SMALL_TAGGED2.png" << 5 << yellow << red;
        QTest::newRow("linked") << "DOT_SMALL_LINKED.png" << 5 << blue << blue;
        QTest::newRow("compound") << "DOT_COMPOUND_SMALL_NORMAL.png" << 5 << white << blue;
        QTest::newRow("compound selected") << "DOT_COMPOUND_SMALL_TAGGED.png" << 5 << red << blue;
    }
    void markers()
    {
        QFETCH(QString, file);
        QFETCH(int, size);
        QFETCH(QColor, centre);
        QFETCH(QColor, border);
        const QImage image = load(QStringLiteral(":/markers/images/markers/") + file);
        QCOMPARE(image.size(), QSize(size, size));
        const int last = size - 1;
        for (const QPoint& corner : { QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last) })
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        for (int i = 1; i < last; ++i) {
            QCOMPARE(QColor(image.pixel(i, 0)), border);
            QCOMPARE(QColor(image.pixel(0, i)), border);
            QCOMPARE(QColor(image.pixel(i, last)), border);
            QCOMPARE(QColor(image.pixel(last, i)), border);
            for (int j = 1; j < last; ++j)
                QCOMPARE(QColor(image.pixel(i, j)), centre);
        }
    }

    // The pattern brushes take each bitmap's black pixels as the pixels to
    // paint: every pattern must be one-bit, black on white, and its own.
    void patternsAreOneBitBlackOnWhiteAndDistinct()
    {
        QList<QImage> seen;
        for (int n = 0; n < 22; ++n) {
            const QString path = QStringLiteral(":/patterns/images/patterns/pattern%1.png").arg(n);
            const QImage image(path);
            QCOMPARE(image.size(), QSize(32, 32));
            QCOMPARE(image.depth(), 1);
            QVERIFY(image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB);
            QCOMPARE(image.colorCount(), 2);
            QSet<QRgb> colours { image.color(0), image.color(1) };
            QCOMPARE(colours, (QSet<QRgb> { qRgb(0, 0, 0), qRgb(255, 255, 255) }));
            const QImage argb = image.convertToFormat(QImage::Format_RGB32);
            int black = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    black += qGray(argb.pixel(x, y)) < 128;
            QVERIFY2(black > 0 && black < 32 * 32 / 2, qPrintable(path)); // lines on a ground
            QBitmap bitmap(path);
            QVERIFY(!bitmap.isNull());
            for (const QImage& other : qAsConst(seen))
                QVERIFY2(other != argb, qPrintable(path));
            seen.append(argb);
        }
    }

    // Icon n of the arrow combos shows arrow kind n - 1: all differ, the
    // forward ones point right, the backward ones left, and "none" is empty.
    void arrowIcons()
    {
        QList<QImage> forward;
        for (int n = 1; n <= 29; ++n) {
            const QImage forw = load(QStringLiteral(":/arrows/images/arrows/forw%1.png").arg(n));
            const QImage back = load(QStringLiteral(":/arrows/images/arrows/back%1.png").arg(n));
            QVERIFY2(tallestColumn(forw) >= forw.width() / 2, qPrintable(QString::number(n)));
            QVERIFY2(tallestColumn(back) < back.width() / 2, qPrintable(QString::number(n)));
            for (const QImage& other : qAsConst(forward))
                QVERIFY2(other != forw, qPrintable(QString::number(n)));
            forward.append(forw);
        }
        const QImage none = load(QStringLiteral(":/arrows/images/arrows/none.png"));
        QCOMPARE(none.size(), QSize(28, 16));
        for (int y = 0; y < none.height(); ++y)
            for (int x = 0; x < none.width(); ++x)
                QCOMPARE(qAlpha(none.pixel(x, y)), 0);
    }

    void lineStylesDiffer()
    {
        const QStringList paths = pathsStartingWith(QStringLiteral(":/lineStyles/"));
        QCOMPARE(paths.size(), 6);
        for (int i = 0; i < paths.size(); ++i)
            for (int j = i + 1; j < paths.size(); ++j)
                QVERIFY2(load(paths[i]) != load(paths[j]), qPrintable(paths[i] + " " + paths[j]));
    }
};

TAVREL_TEST_MAIN(TestImages)
#include "tst_images.moc"
