#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

struct Run {
    int exitCode = -1;
    QStringList out;
    QString err;
};

Run figbench(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TAVREL_BINARY_DIR "/bench/figbench"), arguments);
    Run run;
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

const char header[] = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

// A red box from (1200, 1200) to (2400, 2400) at depth 50 with a blue one
// in front of its lower right quarter.
QByteArray twoBoxes()
{
    return QByteArray(header)
        + "2 2 0 1 0 4 50 -1 20 0.000 0 0 -1 0 0 5\n"
          "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n"
          "2 2 0 1 0 1 40 -1 20 0.000 0 0 -1 0 0 5\n"
          "\t 1800 1800 3000 1800 3000 3000 1800 3000 1800 1800\n";
}

// `count` objects of every kind on a small area, some of them grouped, and
// one polyline with more points than the screen point buffer holds.
QByteArray manyObjects(int count)
{
    QByteArray data(header);
    QTextStream out(&data, QIODevice::Append);
    const int hugeLine = 120000;
    out << "2 1 0 1 0 7 45 -1 -1 0.000 0 0 -1 0 0 " << hugeLine << "\n\t";
    for (int i = 0; i < hugeLine; ++i)
        out << ' ' << 600 + (i % 300) * 60 << ' ' << 600 + (i % 2) * 9000 << (i % 6 == 5 ? "\n\t" : "");
    out << '\n';
    int written = 1;
    int i = 0;
    while (written < count) {
        const int x = 600 + (i % 300) * 60;
        const int y = 600 + (i / 300 % 300) * 60;
        // Every hundredth place starts a compound of five objects.
        const bool group = i % 100 == 0 && count - written >= 5;
        if (group)
            out << "6 " << x << ' ' << y << ' ' << x + 300 << ' ' << y + 300 << '\n';
        for (int k = 0; k < (group ? 5 : 1); ++k, ++written) {
            switch ((i + k) % 6) {
            case 0:
                out << "2 1 1 1 0 7 50 -1 -1 4.000 0 0 -1 1 0 2\n\t1 1 1.00 60.00 120.00\n\t " << x << ' ' << y << ' '
                    << x + 45 << ' ' << y + 45 << '\n';
                break;
            case 1:
                out << "2 2 0 1 1 4 51 -1 20 0.000 0 0 -1 0 0 5\n\t " << x << ' ' << y << ' ' << x + 40 << ' ' << y
                    << ' ' << x + 40 << ' ' << y + 40 << ' ' << x << ' ' << y + 40 << ' ' << x << ' ' << y << '\n';
                break;
            case 2:
                out << "1 3 0 1 0 2 52 -1 30 0.000 1 0.0000 " << x + 20 << ' ' << y + 20 << " 20 20 " << x + 20 << ' '
                    << y + 20 << ' ' << x + 40 << ' ' << y + 20 << '\n';
                break;
            case 3:
                out << "5 1 0 1 0 7 53 -1 -1 0.000 0 1 0 1 " << x + 20 << ".000 " << y + 20 << ".000 " << x + 40 << ' '
                    << y + 20 << ' ' << x + 20 << ' ' << y << ' ' << x << ' ' << y + 20 << "\n\t1 0 1.00 30.00 60.00\n";
                break;
            case 4:
                out << "3 4 0 1 0 7 54 -1 -1 0.000 0 0 0 4\n\t " << x << ' ' << y << ' ' << x + 20 << ' ' << y + 40
                    << ' ' << x + 40 << ' ' << y << ' ' << x + 50 << ' ' << y + 30 << "\n\t 0.000 -1.000 1.000 0.000\n";
                break;
            default:
                out << "4 0 0 55 -1 0 6 0.0000 4 60 90 " << x << ' ' << y + 40 << " Ab\\001\n";
                break;
            }
        }
        if (group)
            out << "-6\n";
        ++i;
    }
    out.flush();
    return data;
}

} // namespace

class TestFigBenchDraw : public QObject {
    Q_OBJECT
private slots:
    void pngPerInput()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("boxes.fig"));
        const QString second = dir.filePath(QStringLiteral("empty.fig"));
        const QString missing = dir.filePath(QStringLiteral("missing.fig"));
        writeFile(first, twoBoxes());
        writeFile(second, QByteArray(header));
        const QString png = dir.filePath(QStringLiteral("png"));

        const Run run = figbench({ "--png", png, "--zoom", "2", "--repeat", "2", first, second, missing });
        QCOMPARE(run.exitCode, 1); // one file could not be read
        QCOMPARE(run.out.size(), 4);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 objects=2 read_ms=\\d+\\.\\d{3} write_ms=\\d+\\.\\d{3} "
                                                   "draw_ms=\\d+\\.\\d{3}$")
                                        .arg(QRegularExpression::escape(first)))
                     .match(run.out.at(0))
                     .hasMatch(),
            qPrintable(run.out.at(0)));

        // One picture per file read, named after the file.
        QCOMPARE(QDir(png).entryList(QDir::Files),
            QStringList({ QStringLiteral("boxes.fig.png"), QStringLiteral("empty.fig.png") }));
        const QImage boxes(QDir(png).filePath(QStringLiteral("boxes.fig.png")));
        QVERIFY(!boxes.isNull());
        // Fig (0, 0) to the lower right bound (3000 at zoom 2: pixel 400,
        // with the line's half width a little more) plus 10 pixels.
        QVERIFY2(boxes.width() >= 410 && boxes.width() <= 412, qPrintable(QString::number(boxes.width())));
        QCOMPARE(boxes.height(), boxes.width());
        QCOMPARE(boxes.pixel(5, 5), qRgb(255, 255, 255));
        QCOMPARE(boxes.pixel(200, 200), qRgb(255, 0, 0));
        QCOMPARE(boxes.pixel(300, 300), qRgb(0, 0, 255)); // the front box over the red one
        QCOMPARE(boxes.pixel(405, 300), qRgb(255, 255, 255));

        const QImage empty(QDir(png).filePath(QStringLiteral("empty.fig.png")));
        QCOMPARE(empty.size(), QSize(10, 10));
        QCOMPARE(empty.pixel(5, 5), qRgb(255, 255, 255));
    }

    void drawsAndNamesZoomOne()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("boxes.fig"));
        writeFile(file, twoBoxes());
        const QString png = dir.filePath(QStringLiteral("out"));
        const Run run = figbench({ "--png", png, file });
        QCOMPARE(run.exitCode, 0);
        const QImage image(QDir(png).filePath(QStringLiteral("boxes.fig.png")));
        QVERIFY(image.width() >= 210 && image.width() <= 212);
        QCOMPARE(image.pixel(100, 100), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(90, 90), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(50, 50), qRgb(255, 255, 255));
    }

    // --no-antialiasing draws as the editor does with antialiasing turned
    // off in its preferences: a slanted line and a dashed circle leave only
    // their pen colour on the white canvas, no shades between; without the
    // option they do.
    void drawsWithoutAntialiasingWhenAsked()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("slanted.fig"));
        writeFile(file,
            QByteArray(header)
                + "2 1 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 300 300 1800 900\n"
                  "1 3 1 1 0 7 50 -1 -1 4.000 1 0.0000 1200 1500 450 450 1200 1500 1650 1500\n");
        auto shadesOf = [&dir, &file](const QStringList& options, const QString& folder) {
            const QString png = dir.filePath(folder);
            const Run run = figbench(options + QStringList { "--png", png, file });
            QSet<QRgb> shades;
            if (run.exitCode != 0)
                return shades;
            const QImage image(QDir(png).filePath(QStringLiteral("slanted.fig.png")));
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    shades.insert(image.pixel(x, y));
            return shades;
        };
        QCOMPARE(shadesOf({ QStringLiteral("--no-antialiasing") }, QStringLiteral("plain")),
            QSet<QRgb>({ qRgb(0, 0, 0), qRgb(255, 255, 255) }));
        QVERIFY(shadesOf({}, QStringLiteral("smooth")).size() > 2);
    }

    // A drawing that reaches too far is drawn on a canvas of at most 64
    // million pixels and at most 32767 pixels a side (as far as the painter
    // reaches), its upper left part, and said so.
    void canvasIsCapped_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<QSize>("full");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("wide") << 3000000 << 6000 << QSize(200011, 411) << QSize(32767, 411);
        QTest::newRow("large") << 600000 << 45000 << QSize(40011, 3011) << QSize(21255, 3011);
    }
    void canvasIsCapped()
    {
        QFETCH(int, right);
        QFETCH(int, bottom);
        QFETCH(QSize, full);
        QFETCH(QSize, drawn);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("far.fig"));
        writeFile(file,
            QByteArray(header) + "2 2 0 1 0 4 50 -1 20 0.000 0 0 -1 0 0 5\n"
                + QString::asprintf("\t 0 0 %d 0 %d %d 0 %d 0 0\n", right, right, bottom, bottom).toLatin1());
        const QString png = dir.filePath(QStringLiteral("png"));
        const Run run = figbench({ "--png", png, file });
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString note = QString::asprintf("far.fig: the canvas of %d x %d pixels is drawn clipped to %d x %d",
            full.width(), full.height(), drawn.width(), drawn.height());
        QVERIFY2(run.err.contains(note), qPrintable(run.err));
        const QImage image(QDir(png).filePath(QStringLiteral("far.fig.png")));
        QCOMPARE(image.size(), drawn);
        QCOMPARE(image.pixel(drawn.width() - 2, drawn.height() / 2), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(drawn.width() / 2, drawn.height() - 5), qRgb(255, 255, 255));
    }

    // A large drawing goes through reading, writing and drawing in one run
    // without running out of the point buffer or of memory.
    void hundredThousandObjects()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("large.fig"));
        writeFile(file, manyObjects(100000));
        const QString png = dir.filePath(QStringLiteral("png"));
        const Run run = figbench({ "--out", dir.filePath(QStringLiteral("out")), "--png", png, file });
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out.size(), 2);
        QVERIFY2(run.out.at(0).startsWith(file + QStringLiteral(" objects=100000 ")), qPrintable(run.out.at(0)));
        QVERIFY(run.out.at(1).startsWith(QStringLiteral("total files=1 objects=100000 ")));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("out/large.fig"))));
        const QImage image(QDir(png).filePath(QStringLiteral("large.fig.png")));
        QVERIFY(!image.isNull());
        // The canvas covers the drawing (up to about Fig 18600: pixel 1240),
        // and the filled boxes of the last row are on it.
        QVERIFY2(image.width() > 1240 && image.width() < 1300, qPrintable(QString::number(image.width())));
        QVERIFY2(image.height() > 1240 && image.height() < 1300, qPrintable(QString::number(image.height())));
        bool red = false;
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixel(x, 1237) == qRgb(255, 0, 0);
        QVERIFY(red);
    }
};

TAVREL_TEST_MAIN(TestFigBenchDraw)
#include "tst_figbenchdraw.moc"
