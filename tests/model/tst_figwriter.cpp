#include "figfiletest.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/picturedata.h"
#include "modelfixtures.h"
#include "support/fig2devverdict.h"
#include "support/filesizelimit.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sys/stat.h>

using namespace figtest;
using namespace fixtures;

namespace {

// The header of an empty document: A4 portrait, centred, metric, single page.
QByteArray defaultHeader()
{
    return "#FIG 3.2\n# Created by Tavrel version " + versionString(true).toUtf8()
        + "\n# METADATA <version>1.0</version>\nPortrait\nCenter\nMetric\nA4\n100.00\nSingle\n-2\n1200 2\n";
}

void setDefaultPage(CFigContext& c)
{
    c.landscape = false;
    c.flushLeft = false;
    c.metric = true;
    c.paperIndex = 13;
    c.multiplePages = false;
    c.magnification = 100.0f;
    c.transparentColor = -2;
}

// The lines of the file after the header.
QList<QByteArray> bodyLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    const int resolution = lines.indexOf("1200 2");
    return resolution < 0 ? lines : lines.mid(resolution + 1);
}

FigText* writableText(int id, const QString& string)
{
    FigText* text = makeText(id, string);
    text->font = 0;
    text->fontSize = 12;
    text->fontFlags = 4;
    text->x = 600;
    text->y = 1200;
    text->length = 900;
    text->ascent = 120;
    text->metricsZoom = 1.0f;
    return text;
}

QList<QPoint> numberedPoints(int count)
{
    QList<QPoint> points;
    for (int i = 0; i < count; ++i)
        points << QPoint(i, 10 * i);
    return points;
}

FigPoint* chainOf(const QList<QPoint>& points)
{
    FigPoint* head = nullptr;
    FigPoint** tail = &head;
    for (const QPoint& p : points) {
        *tail = new FigPoint(p.x(), p.y());
        tail = &(*tail)->next;
    }
    return head;
}

void setPoint(FigPoint& point, int x, int y)
{
    point.x = x;
    point.y = y;
}

} // namespace

class TestFigWriter : public QObject {
    Q_OBJECT
    // Questions a test does not answer itself are answered No, never shown.
    std::unique_ptr<MessageBoxRecorder> defaultAnswers;

private slots:
    void init() { defaultAnswers = std::make_unique<MessageBoxRecorder>(QMessageBox::No); }
    void cleanup() { defaultAnswers.reset(); }

    void emptyDrawing()
    {
        Document doc;
        setDefaultPage(*doc.context);
        StatusRecorder status;
        QCOMPARE(doc.save(), defaultHeader());
        QCOMPARE(status.messages,
            QStringList({ "Writing...",
                formatStatusMessage(
                    "%d object(s) saved in \"%s\"", 0, doc.path(QStringLiteral("output.fig")).toUtf8().constData()) }));
    }

    void headerLines_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("flushLeft");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("paper");
        QTest::addColumn<float>("magnification");
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<int>("transparent");
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("A4 portrait") << false << false << true << 13 << 100.0f << false << -2
                                     << QByteArray("Portrait\nCenter\nMetric\nA4\n100.00\nSingle\n-2\n");
        QTest::newRow("Letter landscape")
            << true << true << false << 0 << 75.5f << true << 3
            << QByteArray("Landscape\nFlush left\nInches\nLetter  \n75.50\nMultiple\n3\n");
        QTest::newRow("Legal") << false << true << false << 1 << 12.345f << false << 0
                               << QByteArray("Portrait\nFlush left\nInches\nLegal   \n12.35\nSingle\n0\n");
        QTest::newRow("Tabloid") << false << true << false << 2 << 100.0f << false << -2
                                 << QByteArray("Portrait\nFlush left\nInches\nTabloid \n100.00\nSingle\n-2\n");
        QTest::newRow("B0") << false << true << true << 28 << 100.0f << false << -2
                            << QByteArray("Portrait\nFlush left\nMetric\nB0\n100.00\nSingle\n-2\n");
    }

    void headerLines()
    {
        Document doc;
        CFigContext& c = *doc.context;
        QFETCH(QByteArray, lines);
        QFETCH(bool, landscape);
        c.landscape = landscape;
        QFETCH(bool, flushLeft);
        QFETCH(bool, metric);
        QFETCH(int, paper);
        QFETCH(float, magnification);
        QFETCH(bool, multiple);
        QFETCH(int, transparent);
        c.flushLeft = flushLeft;
        c.metric = metric;
        c.paperIndex = paper;
        c.magnification = magnification;
        c.multiplePages = multiple;
        c.transparentColor = transparent;
        const QByteArray expected = "#FIG 3.2\n# Created by Tavrel version " + versionString(true).toUtf8()
            + "\n# METADATA <version>1.0</version>\n" + lines + "1200 2\n";
        QCOMPARE(doc.save(), expected);
    }

    void figureComment()
    {
        Document doc;
        setDefaultPage(*doc.context);
        doc.context->drawing.comment = QStringLiteral("word\n");
        QByteArray expected = defaultHeader();
        expected.replace("-2\n1200 2\n", "-2\n# word\n# \n1200 2\n");
        QCOMPARE(doc.save(), expected);
    }

    void userColorLines()
    {
        Document doc;
        setDefaultPage(*doc.context);
        doc.context->drawing.userColors.insert(3, QColor(0x0a, 0x1b, 0xff));
        doc.context->drawing.userColors.insert(0, QColor(0, 0, 0));
        QCOMPARE(bodyLines(doc.save()), QList<QByteArray>({ "0 32 #000000", "0 35 #0a1bff", "" }));
    }

    void objectLines()
    {
        Document doc;
        FigLine* line = makeLine(4, { { 0, 0 }, { 600, 1200 } });
        line->lineStyle = 1;
        line->lineWidth = 2;
        line->penColor = 3;
        line->fillColor = 7;
        line->depth = 40;
        line->fillStyle = 20;
        line->styleVal = 4.0f;
        line->joinStyle = 1;
        line->capStyle = 2;
        line->comment = QStringLiteral("one\n\nthree");
        line->forwArrow = new FigArrow { 1, 1, 1.0f, 60.0f, 120.0f };
        doc.objects().push_back(line);

        auto* ellipse = new FigEllipse(5);
        ellipse->subType = 3;
        ellipse->direction = 1;
        ellipse->angle = 0.5f;
        setPoint(ellipse->center, 3000, 3000);
        ellipse->radii.x = 600;
        ellipse->radii.y = 600;
        ellipse->start.x = 3000;
        ellipse->start.y = 3000;
        ellipse->end.x = 3600;
        ellipse->end.y = 3000;
        doc.objects().push_back(ellipse);

        auto* arc = new FigArc(6);
        arc->subType = 1;
        arc->direction = 1;
        arc->centerX = 1.5f;
        arc->centerY = -2.25f;
        setPoint(arc->points[1], 1, 1);
        setPoint(arc->points[2], 2, 0);
        arc->backArrow = new FigArrow { 2, 0, 1.5f, 45.0f, 90.0f };
        doc.objects().push_back(arc);

        FigText* text = writableText(7, QStringLiteral("a\\b"));
        text->angle = 1.5708f;
        text->subType = 1;
        doc.objects().push_back(text);

        const QList<QByteArray> body = bodyLines(doc.save());
        QCOMPARE(body.mid(0, 6),
            QList<QByteArray>({ "# METADATA <id>4</id>", "# one", "# ", "# three",
                "2 1 1 2 3 7 40 -1 20 4.000 1 2 -1 1 0 2", "\t1 1 1.00 60.00 120.00" }));
        QCOMPARE(body.at(6), QByteArray("\t 0 0 600 1200"));
        QCOMPARE(body.mid(7, 2),
            QList<QByteArray>({ "# METADATA <id>5</id>",
                "1 3 0 0 0 -1 0 -1 -1 0.000 1 0.5000 3000 3000 600 600 3000 3000 3600 3000" }));
        QCOMPARE(body.mid(9, 3),
            QList<QByteArray>({ "# METADATA <id>6</id>", "5 2 0 0 0 -1 0 -1 -1 0.000 0 1 0 1 1.500 -2.250 0 0 1 1 2 0",
                "\t2 0 1.50 45.00 90.00" }));
        QCOMPARE(body.at(12), QByteArray("# METADATA <id>7</id>"));
        QVERIFY(body.at(13).startsWith("4 1 0 0 -1 0 12 1.5708 4 "));
        QVERIFY(body.at(13).endsWith(" 900 600 1200 a\\\\b\\001"));
        QCOMPARE(body.size(), 15); // and the final line feed
    }

    void pointLayout_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("pointsPerLine");
        QTest::addColumn<QList<int>>("factorsPerLine");
        QTest::newRow("polyline of 7") << 2 << 7 << QList<int>({ 6, 1 }) << QList<int>();
        QTest::newRow("polyline of 13") << 2 << 13 << QList<int>({ 6, 6, 1 }) << QList<int>();
        QTest::newRow("polyline of 12") << 2 << 12 << QList<int>({ 6, 6 }) << QList<int>();
        QTest::newRow("polyline of 1") << 2 << 1 << QList<int>({ 1 }) << QList<int>();
        QTest::newRow("spline of 8") << 3 << 8 << QList<int>({ 6, 2 }) << QList<int>({ 8 });
        QTest::newRow("spline of 9") << 3 << 9 << QList<int>({ 6, 3 }) << QList<int>({ 8, 1 });
        QTest::newRow("spline of 17") << 3 << 17 << QList<int>({ 6, 6, 5 }) << QList<int>({ 8, 8, 1 });
    }

    void pointLayout()
    {
        QFETCH(int, type);
        QFETCH(int, count);
        QFETCH(QList<int>, pointsPerLine);
        QFETCH(QList<int>, factorsPerLine);
        Document doc;
        const QList<QPoint> points = numberedPoints(count);
        if (type == 2) {
            auto* line = new FigLine(1);
            line->subType = 1;
            line->points = chainOf(points);
            doc.objects().push_back(line);
        } else {
            auto* spline = new FigSpline(1);
            spline->subType = 4;
            spline->points = chainOf(points);
            QCOMPARE(spline->initShapeFactors(), 1);
            doc.objects().push_back(spline);
        }
        const QList<QByteArray> body = bodyLines(doc.save());
        QVERIFY(body.at(1).endsWith(" " + QByteArray::number(count)));
        int next = 0;
        int line = 2;
        for (int n : pointsPerLine) {
            QByteArray expected = "\t";
            for (int i = 0; i < n; ++i, ++next)
                expected
                    += " " + QByteArray::number(points.at(next).x()) + " " + QByteArray::number(points.at(next).y());
            QCOMPARE(body.at(line++), expected);
        }
        for (int n : factorsPerLine) {
            const QByteArray factorLine = body.at(line++);
            QVERIFY(factorLine.startsWith("\t "));
            QCOMPARE(factorLine.count(' '), n);
        }
        QCOMPARE(body.at(line), QByteArray());
        QCOMPARE(body.size(), line + 1);
    }

    void textEscapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("backslash") << "a\\b" << QByteArray("a\\\\b\\001");
        QTest::newRow("tab and line feed") << "a\tb\nc" << QByteArray("a\\011b\\012c\\001");
        QTest::newRow("nul and unit separator")
            << QString::fromLatin1("x\0y\x1f", 4) << QByteArray("x\\000y\\037\\001");
        QTest::newRow("carriage return") << "a\rb" << QByteArray("a\\015b\\001");
        QTest::newRow("text that looks like an escape") << "\\001" << QByteArray("\\\\001\\001");
    }

    void textEscapes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        Document doc;
        doc.objects().push_back(writableText(1, text));
        const QList<QByteArray> body = bodyLines(doc.save());
        QCOMPARE(body.size(), 3);
        QVERIFY2(body.at(1).endsWith(" 600 1200 " + written), body.at(1).constData());
        // Read back, the text is the same.
        Document again;
        QCOMPARE(again.read(doc.save()), 0);
        QCOMPARE(static_cast<FigText*>(again.object(0))->text, text);
    }

    void textEncoding_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("ISO 8859-1") << "ISO 8859-1" << QByteArray("gr\xfc\xdf\\001");
        QTest::newRow("UTF-8") << "UTF-8" << QByteArray("gr\xc3\xbc\xc3\x9f\\001");
    }

    void textEncoding()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, written);
        PreferencesGuard guard;
        preferences.fileEncoding = encoding;
        Document doc;
        doc.objects().push_back(writableText(1, QStringLiteral("gr\u00fc\u00df")));
        const QByteArray file = doc.save();
        QVERIFY(bodyLines(file).at(1).endsWith(" " + written));
        QVERIFY(!file.startsWith("\xef\xbb\xbf")); // no byte-order mark
        Document again;
        QCOMPARE(again.read(file), 0);
        QCOMPARE(static_cast<FigText*>(again.object(0))->text, QStringLiteral("gr\u00fc\u00df"));
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty") << "ISO 8859-1"
                               << "" << QByteArray("\t0 <empty>");
        QTest::newRow("blanks") << "ISO 8859-1"
                                << "my photo.png" << QByteArray("\t0 my photo.png");
        QTest::newRow("accent, Latin-1 file") << "ISO 8859-1"
                                              << "f\u00e9.png" << QByteArray("\t0 f\xc3\xa9.png");
        QTest::newRow("euro, Latin-1 file") << "ISO 8859-1"
                                            << "\u20ac.png" << QByteArray("\t0 \xe2\x82\xac.png");
        QTest::newRow("accent, UTF-8 file") << "UTF-8"
                                            << "f\u00e9.png" << QByteArray("\t0 f\xc3\xa9.png");
    }

    void pictureNames()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, name);
        PreferencesGuard guard;
        preferences.fileEncoding = encoding;
        Document doc;
        FigLine* picture = makeLine(1, { { 0, 0 }, { 600, 0 }, { 600, 600 }, { 0, 600 }, { 0, 0 } }, 5);
        picture->picture = new PictureData;
        picture->picture->fileName = name;
        doc.objects().push_back(picture);
        const QByteArray file = doc.save();
        QTEST(bodyLines(file).at(2), "written");
        // Saved again and again, the name stays.
        for (int round = 0; round < 3; ++round) {
            Document again;
            QCOMPARE(again.read(doc.save()), 0);
            QCOMPARE(static_cast<FigLine*>(again.object(0))->picture->fileName, name);
            QCOMPARE(again.save(), file);
        }
    }

    void compoundsAndCounts()
    {
        Document doc;
        FigCompound* inner = makeCompound(3, { writableText(4, "a"), writableText(5, "b") });
        FigCompound* outer = makeCompound(1, { writableText(2, "c"), inner, makeLine(6, { { 0, 0 }, { 1, 1 } }) });
        outer->comment = QStringLiteral("group");
        setPoint(outer->upperLeft, 10, 20);
        setPoint(outer->lowerRight, 30, 40);
        doc.objects().push_back(outer);
        StatusRecorder status;
        const QList<QByteArray> body = bodyLines(doc.save());
        QList<QByteArray> structure;
        for (const QByteArray& line : body) {
            if (line.startsWith("# METADATA") || line.startsWith("6 ") || line == "-6" || line.startsWith("# g"))
                structure << line;
        }
        QCOMPARE(structure,
            QList<QByteArray>({ "# METADATA <id>1</id>", "# group", "6 10 20 30 40", "# METADATA <id>2</id>",
                "# METADATA <id>3</id>", "6 0 0 0 0", "# METADATA <id>4</id>", "# METADATA <id>5</id>", "-6",
                "# METADATA <id>6</id>", "-6" }));
        QCOMPARE(status.messages.last(),
            formatStatusMessage(
                "%d object(s) saved in \"%s\"", 4, doc.path(QStringLiteral("output.fig")).toUtf8().constData()));
    }

    void objectsThatCannotBeWritten()
    {
        Document doc;
        auto* flat = new FigEllipse(1);
        flat->radii.x = 600; // y radius 0
        doc.objects().push_back(flat);
        doc.objects().push_back(new FigLine(2)); // no points
        doc.objects().push_back(new FigSpline(3));
        FigText* empty = writableText(4, "never measured");
        empty->length = 0;
        doc.objects().push_back(empty);
        doc.objects().push_back(new BoxObject(5, 0, 0, 1, 1)); // no Fig kind
        doc.objects().push_back(makeLine(6, { { 0, 0 }, { 1, 1 } }));
        StatusRecorder status;
        const QList<QByteArray> body = bodyLines(doc.save());
        QCOMPARE(body,
            QList<QByteArray>(
                { "# METADATA <id>6</id>", "2 1 0 0 0 -1 0 -1 -1 0.000 0 0 -1 0 0 2", "\t 0 0 1 1", "" }));
        QCOMPARE(status.messages.last(),
            formatStatusMessage(
                "%d object(s) saved in \"%s\"", 1, doc.path(QStringLiteral("output.fig")).toUtf8().constData()));
    }

    void linkLines()
    {
        Document doc;
        FigLine* box = makeLine(3, { { 0, 0 }, { 600, 0 }, { 600, 600 }, { 0, 600 }, { 0, 0 } }, 2);
        FigLine* line = makeLine(5, { { 300, 0 }, { 900, 900 }, { 2000, 2000 } });
        linkPoint(line->points, 3, box, 0, 1);
        linkPoint(line->pointAt(2), 42); // target gone
        doc.objects().push_back(box);
        doc.objects().push_back(makeCompound(7, { line }));
        const QList<QByteArray> body = bodyLines(doc.save());
        QVERIFY(body.contains("# METADATA <link srcPointIdx=0 targetObjId=3 targetLeftPointIdx=0/>"));
        QCOMPARE(std::count_if(body.begin(), body.end(), [](const QByteArray& l) { return l.contains("<link"); }), 1);
        const int id = body.indexOf("# METADATA <id>5</id>");
        QCOMPARE(body.at(id + 1), QByteArray("# METADATA <link srcPointIdx=0 targetObjId=3 targetLeftPointIdx=0/>"));
    }

    void floatsInFixedNotation()
    {
        Document doc;
        auto* arc = new FigArc(1);
        arc->centerX = 1e20f;
        doc.objects().push_back(arc);
        FigLine* other = makeLine(2, { { 0, 0 }, { 1, 1 } });
        other->styleVal = std::numeric_limits<float>::quiet_NaN();
        other->forwArrow = new FigArrow { 1, 1, std::numeric_limits<float>::infinity(), 1e-7f, 60.0f };
        doc.objects().push_back(other);
        doc.context->magnification = 1e-3f;
        const QByteArray file = doc.save();
        QVERIFY(!file.contains(QByteArray("e+")) && !QString::fromLatin1(file).contains(QRegularExpression("\\de-")));
        QVERIFY(!file.contains("nan") && !file.contains("inf"));
        const QList<QByteArray> body = bodyLines(file);
        QVERIFY(body.at(1).contains(" 100000002004087734272.000 "));
        QVERIFY(body.at(3).contains(" 0.000 "));
        QCOMPARE(body.at(4), QByteArray("\t1 1 0.00 0.00 60.00"));
        QVERIFY(file.contains("\n0.00\n"));
    }

    // What the reader would drop or the converters refuse is written so that
    // both take it: a chain too short for its kind gets its last point
    // repeated, a style value outside 0 to 6400 the nearest one inside.
    void objectsReadBackWhole_data()
    {
        QTest::addColumn<int>("kind"); // 0 polyline, 1 spline
        QTest::addColumn<int>("subType");
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<float>("styleVal");
        QTest::addColumn<QList<QByteArray>>("lines");
        const QList<QPoint> two { { 4747, 363 }, { 8126, 3725 } };
        QTest::newRow("closed spline of two points")
            << 1 << 3 << two << 0.0f
            << QList<QByteArray> { "3 3 0 0 0 -1 0 -1 -1 0.000 0 0 0 3", "\t 4747 363 8126 3725 8126 3725",
                   "\t -1.000 -0.500 -1.000" };
        QTest::newRow("open spline of one point")
            << 1 << 0 << QList<QPoint> { { 600, 600 } } << 0.0f
            << QList<QByteArray> { "3 0 0 0 0 -1 0 -1 -1 0.000 0 0 0 2", "\t 600 600 600 600", "\t -1.000 0.000" };
        QTest::newRow("polygon of two chain points")
            << 0 << 3 << two << 0.0f
            << QList<QByteArray> { "2 3 0 0 0 -1 0 -1 -1 0.000 0 0 -1 0 0 3", "\t 4747 363 8126 3725 8126 3725" };
        QTest::newRow("box of three points")
            << 0 << 2 << QList<QPoint> { { 0, 0 }, { 600, 0 }, { 600, 600 } } << 0.0f
            << QList<QByteArray> { "2 2 0 0 0 -1 0 -1 -1 0.000 0 0 -1 0 0 5", "\t 0 0 600 0 600 600 600 600 600 600" };
        QTest::newRow("style value above 6400")
            << 0 << 1 << two << 7000.0f
            << QList<QByteArray> { "2 1 0 0 0 -1 0 -1 -1 6400.000 0 0 -1 0 0 2", "\t 4747 363 8126 3725" };
        QTest::newRow("negative style value") << 1 << 1 << QList<QPoint> { { 0, 0 }, { 600, 0 }, { 600, 600 } } << -5.0f
                                              << QList<QByteArray> { "3 1 0 0 0 -1 0 -1 -1 0.000 0 0 0 3",
                                                     "\t 0 0 600 0 600 600", "\t -1.000 -0.500 0.000" };
        QTest::newRow("style value of 6400 kept")
            << 0 << 1 << two << 6400.0f
            << QList<QByteArray> { "2 1 0 0 0 -1 0 -1 -1 6400.000 0 0 -1 0 0 2", "\t 4747 363 8126 3725" };
    }

    void objectsReadBackWhole()
    {
        QFETCH(int, kind);
        QFETCH(int, subType);
        QFETCH(QList<QPoint>, points);
        QFETCH(float, styleVal);
        QFETCH(QList<QByteArray>, lines);
        Document doc;
        FigObject* object = nullptr;
        if (kind == 0) {
            auto* line = new FigLine(1);
            line->subType = subType;
            FigPoint** tail = &line->points;
            for (const QPoint& p : points) {
                *tail = new FigPoint(p.x(), p.y());
                tail = &(*tail)->next;
            }
            object = line;
        } else {
            auto* spline = new FigSpline(1);
            spline->subType = subType;
            FigPoint** tail = &spline->points;
            ShapeFactorNode** factor = &spline->shapeFactors;
            double value = -1.0;
            for (const QPoint& p : points) {
                *tail = new FigPoint(p.x(), p.y());
                tail = &(*tail)->next;
                *factor = new ShapeFactorNode;
                (*factor)->value = value;
                value += 0.5;
                factor = &(*factor)->next;
            }
            object = spline;
        }
        object->styleVal = styleVal;
        doc.objects().push_back(object);
        const QByteArray file = doc.save();
        QCOMPARE(bodyLines(file).mid(1, lines.size()), lines);
        // The object in memory is as it was.
        QCOMPARE(
            kind == 0 ? static_cast<FigLine*>(object)->pointCount() : static_cast<FigSpline*>(object)->pointCount(),
            points.size());
        QCOMPARE(object->styleVal, styleVal);
        Document again;
        QCOMPARE(again.read(file), 0);
        QCOMPARE(figFileProgress.removedObjects, 0);
        QCOMPARE(again.objects().size(), size_t(1));
    }

    // A box with rounded corners that is a line (no width or no height) makes
    // the converters refuse the whole file; it is written as the plain box
    // of the same outline. One of a single point, which they take, and a
    // whole one keep their rounded corners; the object in memory keeps them
    // all.
    void roundedBoxesTheConvertersTake_data()
    {
        QTest::addColumn<QByteArray>("points");
        QTest::addColumn<int>("writtenSubType");
        QTest::newRow("no height") << QByteArray("600 900 1800 900 1800 900 600 900 600 900") << 2;
        QTest::newRow("no width") << QByteArray("600 900 600 900 600 1500 600 1500 600 900") << 2;
        QTest::newRow("no height, a corner repeated") << QByteArray("600 900 1800 900 1800 900 1800 900 600 900") << 2;
        QTest::newRow("a single point") << QByteArray("600 900 600 900 600 900 600 900 600 900") << 4;
        QTest::newRow("whole") << QByteArray("600 900 1800 900 1800 1500 600 1500 600 900") << 4;
    }
    void roundedBoxesTheConvertersTake()
    {
        QFETCH(QByteArray, points);
        QFETCH(int, writtenSubType);
        const QByteArray fields = " 0 1 0 7 50 -1 -1 0.000 0 0 12 0 0 5";
        Document doc;
        QCOMPARE(doc.read(foreignHeader() + "2 4" + fields + "\n\t " + points + "\n"), 0);
        QCOMPARE(doc.objects().size(), size_t(1));
        const QByteArray file = doc.save();
        const QList<QByteArray> body = bodyLines(file);
        QCOMPARE(
            body.mid(1, 2), QList<QByteArray>({ "2 " + QByteArray::number(writtenSubType) + fields, "\t " + points }));
        QCOMPARE(doc.object(0)->subType, 4);
        const Fig2devVerdict verdict = fig2devVerdict(doc.path(QStringLiteral("output.fig")));
        QVERIFY2(verdict.status == 0, verdict.complaints.constData());
    }

    void splineWithoutFactors()
    {
        Document doc;
        auto* spline = new FigSpline(1);
        spline->subType = 0;
        spline->points = chainOf({ { 0, 0 }, { 600, 600 }, { 1200, 0 } });
        doc.objects().push_back(spline);
        doc.objects().push_back(writableText(2, "after"));
        const QList<QByteArray> body = bodyLines(doc.save());
        QCOMPARE(body.at(3), QByteArray("\t 0.000 1.000 0.000"));
        Document again;
        QCOMPARE(again.read(doc.save()), 0);
        QCOMPARE(again.objects().size(), size_t(2));
    }

    void lineFeedsOnly()
    {
        Document doc;
        QCOMPARE(doc.context->readFigFile(dataFile("foreign32.fig"), &doc.context->drawing, false, 0, 0), 0);
        const QByteArray file = doc.save();
        QVERIFY(!file.contains('\r'));
        QVERIFY(file.endsWith("-6\n-6\n"));
    }

    void openFailure()
    {
        Document doc;
        const QString path = doc.path(QStringLiteral("no such folder/drawing.fig"));
        StatusRecorder status;
        QVERIFY(!doc.context->saveFile(path));
        QCOMPARE(status.messages.size(), 1);
        QVERIFY(status.messages.first().startsWith(QStringLiteral("Couldn't open file %1, ").arg(path)));
        QVERIFY(status.messages.first().size() > QStringLiteral("Couldn't open file %1, ").arg(path).size());
        // A folder in the place of the file.
        QVERIFY(QDir(doc.dir.path()).mkdir(QStringLiteral("folder.fig")));
        QVERIFY(!doc.context->saveFile(doc.path(QStringLiteral("folder.fig"))));
        QVERIFY(status.messages.last().startsWith(QStringLiteral("Couldn't open file")));
    }

    void deviceWithoutSpace()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        Document doc;
        doc.objects().push_back(makeLine(1, { { 0, 0 }, { 1, 1 } }));
        StatusRecorder status;
        QVERIFY(!doc.context->saveFile(QStringLiteral("/dev/full")));
        QVERIFY2(status.messages.last().startsWith(QStringLiteral("Couldn't write file /dev/full, ")),
            qPrintable(status.messages.last()));
        QVERIFY(status.messages.last().contains(QString::fromLocal8Bit(strerror(ENOSPC))));
        // The device is still the device.
        struct stat info { };
        QCOMPARE(stat("/dev/full", &info), 0);
        QVERIFY(S_ISCHR(info.st_mode));
    }

    void fullDiskKeepsTheOldFile()
    {
        Document doc;
        const QString path = doc.path(QStringLiteral("kept.fig"));
        const QByteArray old = "#FIG 3.2\nthe old drawing\n";
        QVERIFY(writeBytes(path, old));
        QCOMPARE(doc.context->readFigFile(dataFile("foreign32.fig"), &doc.context->drawing, false, 0, 0), 0);
        StatusRecorder status;
        {
            FileSizeLimit limit(512); // far less than the drawing needs
            QVERIFY(!doc.context->saveFile(path));
        }
        QCOMPARE(readBytes(path), old);
        // No half-written file is left beside it.
        QCOMPARE(QDir(doc.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "kept.fig" }));
        QVERIFY2(status.messages.last().startsWith(QStringLiteral("Couldn't write file %1, ").arg(path)),
            qPrintable(status.messages.last()));
        QVERIFY2(status.messages.last().contains(QString::fromLocal8Bit(strerror(EFBIG))),
            qPrintable(status.messages.last()));
        // With room again, the same save works.
        QVERIFY(doc.context->saveFile(path));
        QVERIFY(readBytes(path).startsWith("#FIG 3.2\n# Created by Tavrel"));
    }
};

TAVREL_TEST_MAIN(TestFigWriter)
#include "tst_figwriter.moc"
