// Drawings a hostile sender could make, read as the document window reads
// them: picture names that hold Ghostscript options, shell text, leading
// dashes, blanks and letters beyond ASCII, and pictures that are FIFOs,
// devices or decompression bombs. Reading runs nothing, answers, and still
// shows every picture whose file is a real image.
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "model/figline.h"
#include "model/picturedata.h"
#include "support/documentwindow.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

// A black box 20 by 10 points.
const QByteArray eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n0 0 20 10 rectfill\nshowpage\n";

// Shell text that leaves a marker in the home folder when anything runs it
// (no slash, so that it fits in a file name).
const QString payload = QStringLiteral("(%pipe%cd;touch PWNED) (w) file closefile");

QByteArray drawingWithPicture(const QString& name)
{
    return "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
           "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 "
        + name.toUtf8() + "\n\t 1200 1200 3600 1200 3600 2400 1200 2400 1200 1200\n";
}

// Where a marker of an executed command could land.
QStringList markerPlaces(const QString& documentFolder)
{
    return { QDir::homePath(), documentFolder, QDir::currentPath(), QDir::tempPath() };
}

} // namespace

class TestHostilePictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        documentwindow::initResources();
        preferences = Preferences();
        preferences.ghostscriptLocation = findGhostscript();
        preferences.generateEpsPreview = true;
        preferences.epsPreviewFileType = QStringLiteral("png256");
    }
    void cleanupTestCase() { documentwindow::releaseResources(); }

    void hostilePicturesRunNothing_data()
    {
        QTest::addColumn<QString>("name"); // as the drawing holds it
        // What lies at the name beside the drawing: "png", "eps", "fifo",
        // "bomb", "link to fifo", "link to zero", or "none".
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("status"); // after "Reading picture file..."

        const QString options
            = QStringLiteral("\" --permit-file-all=%pipe%* -c \"") + payload + QStringLiteral("\" -f \"");
        QTest::newRow("Ghostscript options, absolute name")
            << QStringLiteral("/proc/sys/kernel/pid_max") + options + QStringLiteral("x.eps") << "none"
            << "could not read image file!";
        QTest::newRow("Ghostscript options, file beside the drawing")
            << QStringLiteral("a.eps") + options + QStringLiteral("b.eps") << "eps"
            << "OK.";
        QTest::newRow("Ghostscript options in an image name")
            << QStringLiteral("a.png") + options + QStringLiteral("b.png") << "png"
            << "OK.";
        QTest::newRow("leading dash, EPS") << "-dNOSAFER -sOutputFile=%pipe%cd;touch PWNED.eps"
                                           << "eps"
                                           << "OK.";
        QTest::newRow("leading dash, image") << "--help.png"
                                             << "png"
                                             << "OK.";
        QTest::newRow("Ghostscript device") << "%pipe%cd;touch PWNED;.eps"
                                            << "eps"
                                            << "OK.";
        QTest::newRow("shell text, EPS") << "$(cd;touch PWNED)`cd;touch PWNED`.eps"
                                         << "eps"
                                         << "OK.";
        QTest::newRow("shell text, image") << "$(cd;touch PWNED).png"
                                           << "png"
                                           << "OK.";
        QTest::newRow("blanks") << "my picture  of  it.eps"
                                << "eps"
                                << "OK.";
        QTest::newRow("beyond ASCII") << QString::fromUtf8("Bild \xc3\xa4\xc3\xb6 \xe2\x82\xac \xe7\x94\xbb.eps")
                                      << "eps"
                                      << "OK.";
        QTest::newRow("beyond ASCII, image") << QString::fromUtf8("\xe7\x94\xbb\xe5\x83\x8f.png") << "png"
                                             << "OK.";
        QTest::newRow("FIFO, EPS") << "pipe.eps"
                                   << "fifo"
                                   << "could not read image file!";
        QTest::newRow("FIFO, image") << "pipe.png"
                                     << "fifo"
                                     << "could not read image file!";
        QTest::newRow("link to a FIFO") << "linked.png"
                                        << "link to fifo"
                                        << "could not read image file!";
        QTest::newRow("endless device") << "/dev/zero"
                                        << "none"
                                        << "Unknown image format!";
        QTest::newRow("link to an endless device") << "zero.png"
                                                   << "link to zero"
                                                   << "could not read image file!";
        QTest::newRow("decompression bomb") << "bomb.png"
                                            << "bomb"
                                            << "could not read image file!";
        QTest::newRow("ordinary image") << "plain.png"
                                        << "png"
                                        << "OK.";
        QTest::newRow("ordinary EPS") << "plain.eps"
                                      << "eps"
                                      << "OK.";
    }
    void hostilePicturesRunNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(QString, status);
        if (file == "eps" && !QFileInfo(preferences.ghostscriptLocation).isAbsolute())
            QSKIP("Ghostscript is not installed");

        DocumentWindow window;
        const QString folder = window.dir.path();
        for (const QString& place : markerPlaces(folder))
            QFile::remove(QDir(place).filePath(QStringLiteral("PWNED")));
        const QString path = file == "none" ? name : window.path(name);
        if (file == "png") {
            QVERIFY(QImage(30, 20, QImage::Format_RGB32).save(path, "PNG"));
        } else if (file == "eps") {
            writeFile(path, eps);
        } else if (file == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (file == "link to fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(window.path("fifo")).constData(), 0600), 0);
            QVERIFY(QFile::link(window.path("fifo"), path));
        } else if (file == "link to zero") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else if (file == "bomb") {
            // A few kilobytes that decode to 9000 x 9000 pixels (over 300 MB
            // as a pixmap).
            QImage bomb(9000, 9000, QImage::Format_Mono);
            bomb.fill(0);
            QVERIFY(bomb.save(path, "PNG"));
            QVERIFY(QFileInfo(path).size() < 100000);
        }

        StatusRecorder recorder;
        MessageBoxRecorder boxes;
        QVERIFY(window.load(drawingWithPicture(name)));

        const int reading = recorder.messages.indexOf(QStringLiteral("Reading picture file..."));
        QVERIFY(reading >= 0);
        QCOMPARE(recorder.messages.value(reading + 1), status);
        QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.boxes.value(0).text));
        const FigLine* picture = static_cast<const FigLine*>(window.object(0));
        QVERIFY(picture && picture->picture);
        QCOMPARE(picture->picture->fileName, name);
        const QPixmap* image = picture->picture->pixmap;
        QCOMPARE(image != nullptr, status == QLatin1String("OK."));
        if (file == "eps") {
            // The preview of this very file: the black box at 96 dots an inch.
            QVERIFY2(qAbs(image->width() - 27) <= 1 && qAbs(image->height() - 13) <= 1,
                qPrintable(QStringLiteral("%1 x %2").arg(image->width()).arg(image->height())));
            QCOMPARE(qGray(image->toImage().pixel(image->width() / 2, image->height() / 2)), 0);
        } else if (image) {
            QCOMPARE(image->size(), QSize(30, 20));
        }

        for (const QString& place : markerPlaces(folder))
            QVERIFY2(!QFile::exists(QDir(place).filePath(QStringLiteral("PWNED"))), qPrintable(place));
        // Nothing is left in the temporary folder: the private folders of the
        // previews are gone.
        QCOMPARE(QDir(QDir::tempPath()).entryList({ QStringLiteral("tavrel*") }, QDir::AllEntries | QDir::System),
            QStringList());
    }
};

TAVREL_TEST_MAIN(TestHostilePictures)
#include "tst_hostilepictures.moc"
