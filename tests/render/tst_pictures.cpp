// Pictures: loading by type with the status texts, EPS previews through
// Ghostscript (a stand-in that logs its command line, and the real program
// on a file fig2dev writes), the lookup beside the document, the cached
// image turned and mirrored to the box, and the placeholder.

#include "drawingfixtures.h"
#include "support/standins.h"

#include "app/appdir.h"
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "model/picturedata.h"
#include "render/colors.h"
#include "render/picturefile.h"
#include "render/pictures.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <thread>

using namespace drawingfixtures;

namespace {

constexpr QRgb yellow = 0xffffff00;

// A picture box from the first corner (x1, y1) to the opposite corner
// (x3, y3), in chain order as the box tools make it.
FigLine* pictureOf(int x1, int y1, int x3, int y3, const QString& name = QString())
{
    FigLine* picture = lineOf({ { x1, y1 }, { x3, y1 }, { x3, y3 }, { x1, y3 }, { x1, y1 } }, 1, 5);
    picture->depth = 50;
    picture->picture = new PictureData;
    picture->picture->fileName = name;
    return picture;
}

// Red, green / blue, yellow: every turn and mirror shows in its corners.
QImage quadrantImage()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, red);
    image.setPixel(1, 0, green);
    image.setPixel(0, 1, blue);
    image.setPixel(1, 1, yellow);
    return image;
}

void setImage(FigLine* picture, const QImage& image)
{
    delete picture->picture->pixmap;
    picture->picture->pixmap = new QPixmap(QPixmap::fromImage(image));
    picture->picture->pixmapWidth = image.width();
    picture->picture->pixmapHeight = image.height();
    picture->picture->rotation = 0;
    picture->picture->pixmapFlipped = 0;
}

// The box spans pixels 20 to 60 (Fig 300 to 900) whichever corner comes
// first; the orientation decides which corner is the first.
void placeForRotation(FigLine* picture, int rotation)
{
    int x1 = 300, y1 = 300, x3 = 900, y3 = 900;
    if (rotation == 90)
        std::swap(y1, y3);
    else if (rotation == 180)
        std::swap(x1, x3), std::swap(y1, y3);
    else if (rotation == 270)
        std::swap(x1, x3);
    FigPoint* p = picture->points;
    const int xs[] = { x1, x3, x3, x1, x1 };
    const int ys[] = { y1, y1, y3, y3, y1 };
    for (int i = 0; p; ++i, p = p->next) {
        p->x = xs[i];
        p->y = ys[i];
    }
}

// The colours of the four quadrants of the drawn box: top left, top right,
// bottom left, bottom right.
QList<QRgb> quadrants(Canvas& canvas)
{
    return { canvas.pixel(30, 30), canvas.pixel(50, 30), canvas.pixel(30, 50), canvas.pixel(50, 50) };
}

// What the box shows for each orientation and flipped flag: the image
// transposed when flipped, then turned counter-clockwise by the rotation.
QList<QRgb> expectedQuadrants(int rotation, int flipped)
{
    static const QList<QRgb> plain[4] = { { red, green, blue, yellow }, { green, yellow, red, blue },
        { yellow, blue, green, red }, { blue, red, yellow, green } };
    static const QList<QRgb> transposed[4] = { { red, blue, green, yellow }, { blue, yellow, red, green },
        { yellow, green, blue, red }, { green, red, yellow, blue } };
    return flipped ? transposed[rotation / 90] : plain[rotation / 90];
}

// Pixels other than white strictly inside the rectangle's outline.
int inkInside(const QImage& image, const QRect& r)
{
    int ink = 0;
    for (int y = r.top() + 2; y <= r.bottom() - 2; ++y)
        for (int x = r.left() + 2; x <= r.right() - 2; ++x)
            ink += image.pixel(x, y) != white;
    return ink;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

    QTemporaryDir documentFolder;
    QString document; // the document's file name; pictures lie beside it
    QString log;
    QString ghostscript; // the stand-in

    QString beside(const QString& name) const { return documentFolder.filePath(name); }

private slots:
    void initTestCase()
    {
        initDefaultColors();
        QVERIFY(documentFolder.isValid());
        appDir = testenv::home().isEmpty() ? documentFolder.path() : testenv::home();
        document = beside(QStringLiteral("drawing.fig"));
        log = beside(QStringLiteral("runs.log"));
        QVERIFY(QDir(documentFolder.path()).mkdir(QStringLiteral("programs")));
        QImage image = quadrantImage();
        QVERIFY(image.save(beside(QStringLiteral("programs/image.png"))));
        QVERIFY(image.scaled(20, 20).save(beside(QStringLiteral("programs/image.jpg"))));
        ghostscript = standins::write(beside(QStringLiteral("programs")), QStringLiteral("gs"), log,
            "[ -n \"$STANDIN_NO_OUTPUT\" ] && exit 0\n"
                + standins::ghostscriptBody(beside(QStringLiteral("programs/image"))));
        QVERIFY(!ghostscript.isEmpty());
    }
    void init()
    {
        preferences = Preferences();
        preferences.antialiasing = false;
        preferences.ghostscriptLocation = ghostscript;
        QFile::remove(log);
        qunsetenv("STANDIN_NO_OUTPUT");
    }

    void loadingByTypeReportsInTheStatusBar_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format"); // what the file holds; empty: no file
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("status");
        QTest::newRow("png") << "pic.png" << QByteArray("PNG") << 5 << "OK.";
        QTest::newRow("capital JPG") << "PHOTO.JPG" << QByteArray("JPG") << 3 << "OK.";
        QTest::newRow("bmp") << "flat.bmp" << QByteArray("BMP") << 9 << "OK.";
        QTest::newRow("unknown extension, readable") << "scan.tiff" << QByteArray("PNG") << 0 << "OK.";
        QTest::newRow("missing file") << "missing.gif" << QByteArray() << 2 << "could not read image file!";
        QTest::newRow("not an image") << "notes.png" << QByteArray("text") << 5 << "could not read image file!";
        QTest::newRow("no extension, missing") << "notes" << QByteArray() << 0 << "Unknown image format!";
        QTest::newRow("unknown extension, missing") << "figure.xyz" << QByteArray() << 0 << "Unknown image format!";
    }
    void loadingByTypeReportsInTheStatusBar()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(int, type);
        QFETCH(QString, status);
        const QString path = beside(name);
        QFile::remove(path);
        if (format == "text") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not an image\n");
        } else if (!format.isEmpty()) {
            QVERIFY(quadrantImage().scaled(6, 4).save(path, format.constData()));
        }

        Canvas canvas;
        canvas.context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(300, 300, 1200, 900, name));
        picture->picture->rotation = 90; // left from an earlier load
        StatusRecorder recorder;
        const bool loaded = canvas.context.readPicture(picture.get(), picture->picture);
        QCOMPARE(recorder.messages, QStringList({ QStringLiteral("Reading picture file..."), status }));
        QCOMPARE(loaded, status == QLatin1String("OK."));
        const PictureData& data = *picture->picture;
        QCOMPARE(data.imageType, type);
        QCOMPARE(data.pixmap != nullptr, loaded);
        QCOMPARE(data.pixmapWidth, loaded ? 6 : 0);
        QCOMPARE(data.pixmapHeight, loaded ? 4 : 0);
        QCOMPARE(data.rotation, 0);
        QCOMPARE(data.boxWidth, 60); // the box in canvas pixels
        QCOMPARE(data.boxHeight, 40);
        QCOMPARE(data.fileName, name);
    }

    void relativeNamesAreTakenBesideTheDocument()
    {
        // The current directory holds another file of the same name.
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        QVERIFY(quadrantImage().scaled(9, 9).save(elsewhere.filePath(QStringLiteral("same.png"))));
        QVERIFY(quadrantImage().scaled(3, 5).save(beside(QStringLiteral("same.png"))));
        const QString saved = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        CFigContext context;
        context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 600, 600, QStringLiteral("same.png")));
        const bool loaded = context.readPicture(picture.get(), picture->picture);
        QDir::setCurrent(saved);
        QVERIFY(loaded);
        QCOMPARE(picture->picture->pixmapWidth, 3);
    }

    void epsPreviewCommand_data()
    {
        QTest::addColumn<QString>("fileType");
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("preview");
        QTest::newRow("jpeg") << "jpeg" << 96 << "figure.eps"
                              << "tavreltemppic.jpg";
        QTest::newRow("png256") << "png256" << 96 << "figure.eps"
                                << "tavreltemppic.png";
        QTest::newRow("PostScript at 150 dpi") << "png256" << 150 << "page.PS"
                                               << "tavreltemppic.png";
    }
    void epsPreviewCommand()
    {
        QFETCH(QString, fileType);
        QFETCH(int, resolution);
        QFETCH(QString, name);
        QFETCH(QString, preview);
        preferences.epsPreviewFileType = fileType;
        preferences.epsPreviewResolution = resolution;
        writeFile(beside(name), "%!PS-Adobe-3.0 EPSF-3.0\n");
        QFile::remove(QDir::tempPath() + QLatin1Char('/') + preview); // left by an earlier, failed run
        CFigContext context;
        context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 600, 600, name));
        StatusRecorder recorder;
        QVERIFY(context.readPicture(picture.get(), picture->picture));
        // Ghostscript runs in a private folder on fixed names there: neither
        // the picture's name nor the temporary folder's reaches its options.
        QCOMPARE(standins::runs(log),
            QStringList(QStringLiteral("gs [-q] [-dSAFER] [-dBATCH] [-dNOPAUSE] [-sDEVICE=%1] [-r%2] [-dEPSCrop] "
                                       "[-sOutputFile=%3] [picture.eps]")
                            .arg(fileType)
                            .arg(resolution)
                            .arg(preview)));
        QCOMPARE(picture->picture->imageType, 1);
        QVERIFY(picture->picture->pixmap);
        QVERIFY(!QFile::exists(QDir::tempPath() + QLatin1Char('/') + preview));
        // The private folder is gone with the preview and the link in it.
        QCOMPARE(
            QDir(QDir::tempPath()).entryList({ QStringLiteral("tavrel-picture-*") }, QDir::AllEntries), QStringList());
        QCOMPARE(recorder.messages.last(), QStringLiteral("OK."));
    }

    void epsPreviewFailures_data()
    {
        QTest::addColumn<bool>("generate");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("makesNothing");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("boxes");
        QTest::newRow("previews off") << false << QString() << false << 0 << 0;
        QTest::newRow("Ghostscript makes nothing") << true << QString() << true << 1 << 0;
        QTest::newRow("Ghostscript missing") << true << "/nonexistent/gs" << false << 0 << 1;
    }
    void epsPreviewFailures()
    {
        QFETCH(bool, generate);
        QFETCH(QString, program);
        QFETCH(bool, makesNothing);
        preferences.generateEpsPreview = generate;
        if (!program.isEmpty())
            preferences.ghostscriptLocation = program;
        if (makesNothing)
            qputenv("STANDIN_NO_OUTPUT", "1");
        // A preview left by an earlier run is never taken for this file.
        const QString stale = QDir::tempPath() + QStringLiteral("/tavreltemppic.jpg");
        QVERIFY(quadrantImage().save(stale, "JPG"));

        writeFile(beside(QStringLiteral("figure.eps")), "%!PS-Adobe-3.0 EPSF-3.0\n");
        Canvas canvas;
        canvas.context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(300, 300, 1500, 1500, QStringLiteral("figure.eps")));
        StatusRecorder recorder;
        MessageBoxRecorder boxes;
        QVERIFY(!canvas.context.readPicture(picture.get(), picture->picture));
        QCOMPARE(recorder.messages.last(), QStringLiteral("could not read image file!"));
        QVERIFY(!picture->picture->pixmap);
        QTEST(int(standins::runs(log).size()), "runs");
        QTEST(int(boxes.boxes.size()), "boxes");
        if (!boxes.boxes.isEmpty()) {
            QCOMPARE(boxes.boxes[0].text,
                QStringLiteral("Could not execute '\"/nonexistent/gs\" -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=jpeg -r96 "
                               "-dEPSCrop -sOutputFile=\"tavreltemppic.jpg\" \"picture.eps\"'"));
        }
        QFile::remove(stale);
        // The canvas shows the placeholder: the box and the file name.
        picture->draw(&canvas.context);
        QCOMPARE(canvas.pixel(20, 60), black);
        QVERIFY(inkInside(canvas.finished(), QRect(20, 20, 81, 81)) > 0);
    }

    // Links planted at the preview's names in the shared temporary folder
    // lead nowhere: the preview is made in a private folder.
    void previewDoesNotUseTheSharedTemporaryFolder_data()
    {
        QTest::addColumn<QString>("fileType");
        QTest::addColumn<QString>("preview");
        QTest::newRow("jpeg") << "jpeg"
                              << "tavreltemppic.jpg";
        QTest::newRow("png256") << "png256"
                                << "tavreltemppic.png";
    }
    void previewDoesNotUseTheSharedTemporaryFolder()
    {
        QFETCH(QString, fileType);
        QFETCH(QString, preview);
        preferences.epsPreviewFileType = fileType;
        const QString target = beside(QStringLiteral("precious.txt"));
        writeFile(target, "precious\n");
        const QString link = QDir::tempPath() + QLatin1Char('/') + preview;
        QFile::remove(link);
        QVERIFY(QFile::link(target, link));
        writeFile(beside(QStringLiteral("figure.eps")), "%!PS-Adobe-3.0 EPSF-3.0\n");

        CFigContext context;
        context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 600, 600, QStringLiteral("figure.eps")));
        QVERIFY(context.readPicture(picture.get(), picture->picture));
        QCOMPARE(readFile(target), QByteArray("precious\n"));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFile::remove(link));
    }

    // Two previews made at the same time (two editors, or two documents) each
    // get their own: Ghostscript stand-ins that each wait until the other
    // has written its preview before they end.
    void simultaneousPreviewsAreKeptApart()
    {
        const QString barrier = beside(QStringLiteral("barrier"));
        QVERIFY(QDir().mkpath(barrier));
        QImage redImage(2, 2, QImage::Format_RGB32);
        redImage.fill(red);
        QVERIFY(redImage.save(beside(QStringLiteral("programs/red.png"))));
        QImage blueImage(2, 2, QImage::Format_RGB32);
        blueImage.fill(blue);
        QVERIFY(blueImage.save(beside(QStringLiteral("programs/blue.png"))));
        const QByteArray programs = QFile::encodeName(beside(QStringLiteral("programs")));
        preferences.ghostscriptLocation
            = standins::write(beside(QStringLiteral("programs")), QStringLiteral("gs-pair"), log,
                "for a in \"$@\"; do case \"$a\" in -sOutputFile=*) out=\"${a#-sOutputFile=}\";; esac; done\n"
                "if grep -q red picture.eps; then colour=red; else colour=blue; fi\n"
                "cp '"
                    + programs
                    + "'/$colour.png \"$out\"\n"
                      "touch '"
                    + QFile::encodeName(barrier)
                    + "'/$colour\n"
                      "i=0; while [ $(ls '"
                    + QFile::encodeName(barrier)
                    + "' | wc -l) -lt 2 ] && [ $i -lt 1000 ]; do\n"
                      "  sleep 0.02; i=$((i+1)); done\n");
        QVERIFY(!preferences.ghostscriptLocation.isEmpty());
        writeFile(beside(QStringLiteral("red.eps")), "%!PS-Adobe-3.0 EPSF-3.0\n% red\n");
        writeFile(beside(QStringLiteral("blue.eps")), "%!PS-Adobe-3.0 EPSF-3.0\n% blue\n");

        QImage previews[2];
        std::thread first([&previews, this] {
            previews[0] = epsPreviewImage(
                beside(QStringLiteral("red.eps")), QStringLiteral("tavreltemppic.png"), QStringLiteral("png256"), 96);
        });
        previews[1] = epsPreviewImage(
            beside(QStringLiteral("blue.eps")), QStringLiteral("tavreltemppic.png"), QStringLiteral("png256"), 96);
        first.join();
        QCOMPARE(standins::runs(log).size(), 2);
        QVERIFY(!previews[0].isNull() && !previews[1].isNull());
        QCOMPARE(previews[0].pixel(0, 0), red);
        QCOMPARE(previews[1].pixel(0, 0), blue);
    }

    void realGhostscriptPreviewsFig2devOutput()
    {
        const QString fig2dev = QStandardPaths::findExecutable(QStringLiteral("fig2dev"));
        const QString gs = findGhostscript();
        if (fig2dev.isEmpty() || !QFileInfo(gs).isAbsolute())
            QSKIP("fig2dev or gs is not installed");
        // A black filled box, one inch square.
        const QString fig = beside(QStringLiteral("square.fig"));
        QFile file(fig);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                   "2 2 0 1 0 0 50 -1 20 0.000 0 0 -1 0 0 5\n\t 0 0 1200 0 1200 1200 0 1200 0 0\n");
        file.close();
        QProcess process;
        process.start(
            fig2dev, { QStringLiteral("-L"), QStringLiteral("eps"), fig, beside(QStringLiteral("square.eps")) });
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);

        preferences.ghostscriptLocation = gs;
        preferences.epsPreviewFileType = QStringLiteral("png256");
        CFigContext context;
        context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 1200, 1200, QStringLiteral("square.eps")));
        QVERIFY(context.readPicture(picture.get(), picture->picture));
        // About an inch at 96 dots per inch, black in the middle.
        const QImage preview = picture->picture->pixmap->toImage();
        QVERIFY2(preview.width() >= 80 && preview.width() <= 110, qPrintable(QString::number(preview.width())));
        QCOMPARE(qGray(preview.pixel(preview.width() / 2, preview.height() / 2)), 0);
        QVERIFY(!QFile::exists(QDir::tempPath() + QStringLiteral("/tavreltemppic.png")));
    }

    void imageFollowsTheBoxOrientation_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("flipped");
        for (int flipped : { 0, 1 })
            for (int rotation : { 0, 90, 180, 270 })
                QTest::addRow("%d%s", rotation, flipped ? ", flipped" : "") << rotation << flipped;
    }
    void imageFollowsTheBoxOrientation()
    {
        QFETCH(int, rotation);
        QFETCH(int, flipped);
        Canvas canvas;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 0, 0));
        setImage(picture.get(), quadrantImage());
        picture->picture->flipped = flipped;
        placeForRotation(picture.get(), rotation);
        picture->draw(&canvas.context);
        QCOMPARE(quadrants(canvas), expectedQuadrants(rotation, flipped));
        QCOMPARE(picture->picture->rotation, rotation);
        QCOMPARE(picture->picture->pixmapFlipped, flipped);
        QCOMPARE(picture->picture->flipped, flipped);
    }

    // The cached image is brought from any state to any other by one
    // transformation, without reading the file again.
    void cachedImageChangesOrientation_data()
    {
        QTest::addColumn<int>("fromRotation");
        QTest::addColumn<int>("fromFlipped");
        QTest::addColumn<int>("toRotation");
        QTest::addColumn<int>("toFlipped");
        for (int f1 : { 0, 1 })
            for (int r1 : { 0, 90, 180, 270 })
                for (int f2 : { 0, 1 })
                    for (int r2 : { 0, 90, 180, 270 })
                        QTest::addRow("%d%s to %d%s", r1, f1 ? "f" : "", r2, f2 ? "f" : "") << r1 << f1 << r2 << f2;
    }
    void cachedImageChangesOrientation()
    {
        QFETCH(int, fromRotation);
        QFETCH(int, fromFlipped);
        QFETCH(int, toRotation);
        QFETCH(int, toFlipped);
        Canvas canvas;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 0, 0));
        setImage(picture.get(), quadrantImage());
        picture->picture->flipped = fromFlipped;
        placeForRotation(picture.get(), fromRotation);
        picture->draw(&canvas.context);
        QCOMPARE(quadrants(canvas), expectedQuadrants(fromRotation, fromFlipped));

        picture->picture->flipped = toFlipped;
        placeForRotation(picture.get(), toRotation);
        canvas.begin();
        picture->draw(&canvas.context);
        QCOMPARE(quadrants(canvas), expectedQuadrants(toRotation, toFlipped));
        QCOMPARE(picture->picture->rotation, toRotation);
        QCOMPARE(picture->picture->pixmapFlipped, toFlipped);
    }

    void quarterTurnsExchangeTheSize()
    {
        Canvas canvas;
        std::unique_ptr<FigLine> picture(pictureOf(0, 0, 0, 0));
        setImage(picture.get(), quadrantImage().scaled(4, 2));
        placeForRotation(picture.get(), 90);
        picture->draw(&canvas.context);
        QCOMPARE(picture->picture->pixmap->size(), QSize(2, 4));
        QCOMPARE(picture->picture->pixmapWidth, 2);
        QCOMPARE(picture->picture->pixmapHeight, 4);
        placeForRotation(picture.get(), 270);
        picture->draw(&canvas.context);
        QCOMPARE(picture->picture->pixmap->size(), QSize(2, 4));
        QCOMPARE(picture->picture->pixmapWidth, 2);

        // Without picture data or image the transformations do nothing.
        std::unique_ptr<FigLine> bare(lineOf({ { 0, 0 }, { 10, 10 } }));
        bare->rotatePicture(90);
        bare->mirrorPictureHorizontally();
        std::unique_ptr<FigLine> empty(pictureOf(0, 0, 600, 300));
        empty->picture->pixmapWidth = 3;
        empty->rotatePicture(90);
        empty->mirrorPictureVertically();
        QCOMPARE(empty->picture->pixmapWidth, 3);
        QVERIFY(!empty->picture->pixmap);
    }

    void placeholderShowsTheNameWhenItFits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width"); // pixels at zoom 1
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<bool>("named");
        QTest::newRow("fits") << "a.png" << 120 << 60 << 1.0f << true;
        QTest::newRow("folders are left out") << "/some/long/folder/names/a.png" << 120 << 60 << 1.0f << true;
        QTest::newRow("too narrow") << "a-rather-long-picture-name.png" << 40 << 60 << 1.0f << false;
        QTest::newRow("too low") << "a.png" << 120 << 10 << 1.0f << false;
        QTest::newRow("13 pixels at zoom 1") << "a.png" << 120 << 13 << 1.0f << true;
        QTest::newRow("26 pixels at zoom 2") << "a.png" << 120 << 26 << 2.0f << true;
        QTest::newRow("24 pixels at zoom 2") << "a.png" << 120 << 24 << 2.0f << false;
    }
    void placeholderShowsTheNameWhenItFits()
    {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, zoom);
        QFETCH(bool, named);
        Canvas canvas(220, 160);
        canvas.context.zoom = zoom;
        // Corners at pixel (10, 10); 15 Fig units a pixel at zoom 1.
        const int x1 = int(150 / zoom);
        const int y1 = int(150 / zoom);
        std::unique_ptr<FigLine> picture(
            pictureOf(x1, y1, x1 + int(width * 15 / zoom), y1 + int(height * 15 / zoom), name));
        picture->draw(&canvas.context);
        const QImage& image = canvas.finished();
        QCOMPARE(image.pixel(10, 10 + height / 2), black); // the box
        const int ink = inkInside(image, QRect(10, 10, width + 1, height + 1));
        QVERIFY2((ink > 0) == named, qPrintable(QString::number(ink)));
        if (named) {
            // The name alone is drawn, centred: the same ink on either side.
            std::unique_ptr<FigLine> bare(
                pictureOf(x1, y1, x1 + int(width * 15 / zoom), y1 + int(height * 15 / zoom), fileNameOfPath(name)));
            Canvas other(220, 160);
            other.context.zoom = zoom;
            bare->draw(&other.context);
            QCOMPARE(other.finished(), image);
        }
    }

    void missingFileShowsThePlaceholder()
    {
        Canvas canvas;
        canvas.context.fileName = document;
        std::unique_ptr<FigLine> picture(pictureOf(150, 150, 1650, 1200, QStringLiteral("gone.png")));
        picture->penColor = 4;
        picture->fillColor = 1;
        picture->fillStyle = 20;
        QVERIFY(!canvas.context.readPicture(picture.get(), picture->picture));
        picture->draw(&canvas.context);
        const QImage& image = canvas.finished();
        QCOMPARE(image.pixel(10, 40), red); // outline in the pen colour
        QCOMPARE(image.pixel(14, 14), blue); // fill
        // The name in black near the middle (box 100 x 70 pixels from (10, 10)).
        int black = 0;
        for (int y = 30; y < 60; ++y)
            for (int x = 20; x < 100; ++x)
                black += image.pixel(x, y) == drawingfixtures::black;
        QVERIFY(black > 0);
    }

    void loadedImageIsScaledIntoTheBox()
    {
        Canvas canvas;
        canvas.context.fileName = document;
        QVERIFY(quadrantImage().save(beside(QStringLiteral("four.png"))));
        std::unique_ptr<FigLine> picture(pictureOf(300, 300, 1500, 900, QStringLiteral("four.png")));
        QVERIFY(canvas.context.readPicture(picture.get(), picture->picture));
        picture->draw(&canvas.context);
        // Box from (20, 20) to (100, 60): each image pixel is 40 x 20.
        QCOMPARE(canvas.pixel(21, 21), red);
        QCOMPARE(canvas.pixel(99, 21), green);
        QCOMPARE(canvas.pixel(21, 59), blue);
        QCOMPARE(canvas.pixel(99, 59), yellow);
        QCOMPARE(canvas.pixel(101, 59), white);
        QCOMPARE(canvas.pixel(19, 21), white);
    }
};

TAVREL_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
