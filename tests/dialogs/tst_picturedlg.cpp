// The picture dialog on a document window whose pictures show image files
// lying beside the drawing: scaling, fitting to the image's ratio and its own
// size as one undo step each, and choosing or rereading the file, which is no
// undo step and keeps the box's size.
#include "app/preferences.h"
#include "dialogs/picturedlg.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/picturedata.h"
#include "support/documentwindow.h"
#include "support/filedialogrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

// 0 a 2400 x 1200 box showing a 400 x 400 image; 1 a 1001 x 999 box showing
// it too; 2 a 1000 x 1000 box showing a 160 x 80 image; 3 a box just drawn,
// without a file.
const QByteArray figure = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                          "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 image.png\n"
                          "\t 1200 1200 1200 2400 3600 2400 3600 1200 1200 1200\n"
                          "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 image.png\n"
                          "\t 1000 3000 1000 3999 2001 3999 2001 3000 1000 3000\n"
                          "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 small.png\n"
                          "\t 5000 1000 5000 2000 6000 2000 6000 1000 5000 1000\n"
                          "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 <empty>\n"
                          "\t 7000 1000 7000 2000 8000 2000 8000 1000 7000 1000\n";

enum { Big, Odd, Small, Empty };

struct Document : DocumentWindow {
    Document()
    {
        QImage(400, 400, QImage::Format_RGB32).save(path("image.png"));
        QImage(160, 80, QImage::Format_RGB32).save(path("small.png"));
        if (!load(figure))
            qFatal("figure not read");
        context().dpiX = context().dpiY = 80.0f;
        original = objectLines();
    }
    FigLine* picture(int index) { return static_cast<FigLine*>(object(index)); }
    QSize size(int index)
    {
        int w = 0;
        int h = 0;
        context().pictureSizeFig(picture(index), &w, &h);
        return QSize(w, h);
    }
    QStringList original;
};

void press(QDialog& dialog, const char* button)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class TestPictureDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }
    void init() { preferences = Preferences(); }

    void form()
    {
        Document doc;
        PictureDlg dialog(nullptr, {}, &doc.context(), doc.picture(Big));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit picture attributes"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("picFilename"))->text(), QStringLiteral("image.png"));
        auto* percent = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("scalePercent"));
        QCOMPARE(percent->value(), 100.0);
        QCOMPARE(percent->maximum(), 100000.0);
        QCOMPARE(percent->decimals(), 2);
    }

    void resizes_data()
    {
        QTest::addColumn<int>("object");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("steps");

        QTest::newRow("shrink to the image's ratio")
            << int(Big) << QByteArray("btShrink") << 100.0 << QSize(1200, 1200) << 1;
        QTest::newRow("expand to the image's ratio")
            << int(Big) << QByteArray("btExpand") << 100.0 << QSize(2400, 2400) << 1;
        // Halves round away from zero.
        QTest::newRow("scale to 50 %") << int(Odd) << QByteArray("btScale") << 50.0 << QSize(501, 500) << 1;
        QTest::newRow("scale to 0 %") << int(Odd) << QByteArray("btScale") << 0.0 << QSize(0, 0) << 1;
        // One image pixel is 15 Fig units at 80 dots per inch.
        QTest::newRow("the image's own size")
            << int(Small) << QByteArray("btOriginal") << 100.0 << QSize(2400, 1200) << 1;
        // A size that does not change records nothing.
        QTest::newRow("scale to 100 %") << int(Big) << QByteArray("btScale") << 100.0 << QSize(2400, 1200) << 0;
        // Without an image there is no ratio or size to take.
        QTest::newRow("shrink without image")
            << int(Empty) << QByteArray("btShrink") << 100.0 << QSize(1000, 1000) << 0;
        QTest::newRow("own size without image")
            << int(Empty) << QByteArray("btOriginal") << 100.0 << QSize(1000, 1000) << 0;
        QTest::newRow("scale without image") << int(Empty) << QByteArray("btScale") << 200.0 << QSize(2000, 2000) << 1;
    }

    void resizes()
    {
        QFETCH(int, object);
        QFETCH(QByteArray, button);
        QFETCH(double, percent);
        QFETCH(int, steps);
        Document doc;
        PictureDlg dialog(nullptr, {}, &doc.context(), doc.picture(object));
        dialog.show();
        dialog.findChild<QDoubleSpinBox*>(QStringLiteral("scalePercent"))->setValue(percent);
        press(dialog, button.constData());

        QTEST(doc.size(object), "size");
        QCOMPARE(doc.undoSteps(), steps);
        QCOMPARE(doc.context().modified, steps > 0);
        // The first corner stays and the picture keeps its file.
        const QStringList lines = doc.objectLines();
        QCOMPARE(lines.at(3 * object + 1), doc.original.at(3 * object + 1));
        QCOMPARE(lines.at(3 * object + 2).section(' ', 0, 2), doc.original.at(3 * object + 2).section(' ', 0, 2));
        if (steps > 0) {
            doc.undo();
            QCOMPARE(doc.objectLines(), doc.original);
            doc.redo();
            QCOMPARE(doc.objectLines(), lines);
        }
    }

    // Shrinking again finds the ratio already right: no second step.
    void shrinkTwice()
    {
        Document doc;
        PictureDlg dialog(nullptr, {}, &doc.context(), doc.picture(Big));
        dialog.show();
        press(dialog, "btShrink");
        press(dialog, "btShrink");
        QCOMPARE(doc.size(Big), QSize(1200, 1200));
        QCOMPARE(doc.undoSteps(), 1);
        QCOMPARE(doc.objectLines().at(2), QStringLiteral("\t 1200 1200 1200 2400 2400 2400 2400 1200 1200 1200"));
    }

    // A typed path is read as it stands; the box keeps its size, and the
    // change is no undo step.
    void rereadTypedFile()
    {
        Document doc;
        StatusRecorder status;
        PictureDlg dialog(nullptr, {}, &doc.context(), doc.picture(Empty));
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("picFilename"));
        QCOMPARE(name->text(), doc.picture(Empty)->picture->fileName);
        name->selectAll();
        QTest::keyClicks(name, "small.png");
        press(dialog, "btReread");
        const PictureData* data = doc.picture(Empty)->picture;
        QCOMPARE(data->fileName, QStringLiteral("small.png"));
        QVERIFY(data->pixmap);
        QCOMPARE(QSize(data->pixmapWidth, data->pixmapHeight), QSize(160, 80));
        QCOMPARE(status.messages.mid(status.messages.size() - 2), (QStringList { "Reading picture file...", "OK." }));
        QCOMPARE(doc.size(Empty), QSize(1000, 1000));
        QCOMPARE(doc.undoSteps(), 0);
        QVERIFY(!doc.context().modified);
        // Now it has a ratio to take.
        press(dialog, "btShrink");
        QCOMPARE(doc.size(Empty), QSize(1000, 500));
    }

    void browse()
    {
        Document doc;
        FileDialogRecorder names({ doc.path("small.png"), QString() });
        PictureDlg dialog(nullptr, {}, &doc.context(), doc.picture(Big));
        dialog.show();
        press(dialog, "btBrowse");
        QCOMPARE(names.requests.size(), 1);
        QCOMPARE(names.requests.first().kind, FileDialogRequest::Open);
        QCOMPARE(names.requests.first().caption, QStringLiteral("Open File"));
        QCOMPARE(names.requests.first().directory, doc.context().fileName);
        QCOMPARE(names.requests.first().filter, QString());
        const PictureData* data = doc.picture(Big)->picture;
        QCOMPARE(data->fileName, doc.path("small.png"));
        QCOMPARE(data->pixmapWidth, 160);
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("picFilename"))->text(), doc.path("small.png"));
        QCOMPARE(doc.size(Big), QSize(2400, 1200));
        QCOMPARE(doc.undoSteps(), 0);

        // A cancelled chooser changes nothing.
        press(dialog, "btBrowse");
        QCOMPARE(data->fileName, doc.path("small.png"));
        QCOMPARE(data->pixmapWidth, 160);
    }

    // A file that is no image leaves the picture without one, says so in the
    // status bar, and keeps the box's size; the size buttons that need the
    // image then do nothing.
    void notAnImage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");

        QTest::newRow("no image kind") << "notes.txt"
                                       << "Unknown image format!";
        QTest::newRow("broken image") << "broken.png"
                                      << "could not read image file!";
    }

    void notAnImage()
    {
        QFETCH(QString, file);
        Document doc;
        writeFile(doc.path(file), "Dear diary,\nno picture today.\n");
        FileDialogRecorder names({ doc.path(file) });
        StatusRecorder status;
        PictureDlg dialog(nullptr, {}, &doc.context(), doc.picture(Big));
        dialog.show();
        press(dialog, "btBrowse");
        QVERIFY(dialog.isVisible());
        const PictureData* data = doc.picture(Big)->picture;
        QVERIFY(!data->pixmap);
        QCOMPARE(data->pixmapWidth, 0);
        QTEST(status.messages.value(status.messages.size() - 1), "message");
        QCOMPARE(doc.size(Big), QSize(2400, 1200));
        press(dialog, "btExpand");
        press(dialog, "btOriginal");
        QCOMPARE(doc.size(Big), QSize(2400, 1200));
        QCOMPARE(doc.undoSteps(), 0);
    }

    // Without a picture the chooser only fills the field.
    void withoutPicture()
    {
        Document doc;
        FileDialogRecorder names({ doc.path("small.png") });
        PictureDlg dialog(nullptr, {}, &doc.context(), nullptr);
        dialog.show();
        press(dialog, "btBrowse");
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("picFilename"))->text(), doc.path("small.png"));
        for (const char* button : { "btReread", "btScale", "btShrink", "btExpand", "btOriginal" })
            press(dialog, button);
        QCOMPARE(doc.objectLines(), doc.original);
        QCOMPARE(doc.undoSteps(), 0);
    }
};

TAVREL_TEST_MAIN(TestPictureDlg)
#include "tst_picturedlg.moc"
