#include "figfiletest.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "render/colors.h"
#include "render/griddef.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <cerrno>
#include <clocale>
#include <cmath>

using namespace figtest;

namespace {

// A polyline whose box is the box of its points, standing in for the
// per-kind bounds.
class PointBoxLine : public FigLine {
public:
    PointBoxLine(int id, int x0, int y0, int x1, int y1)
        : FigLine(id)
    {
        subType = 1;
        points = new FigPoint(x0, y0);
        points->next = new FigPoint(x1, y1);
    }
    void getBounds(CFigContext*, int& xmin, int& ymin, int& xmax, int& ymax, bool, bool) override
    {
        xmin = qMin(points->x, points->next->x);
        ymin = qMin(points->y, points->next->y);
        xmax = qMax(points->x, points->next->x);
        ymax = qMax(points->y, points->next->y);
    }
};

// The messages after "Reading objects from ..." up to the end.
QStringList readerMessages(const QStringList& all)
{
    QStringList out;
    bool started = false;
    for (const QString& m : all) {
        if (m.startsWith(QLatin1String("Reading objects from")))
            started = true;
        else if (started)
            out << m;
    }
    return out;
}

QList<QPoint> pointsOf(const FigPath* path)
{
    QList<QPoint> out;
    for (const FigPoint* p = path->points; p; p = p->next)
        out << QPoint(p->x, p->y);
    return out;
}

QList<double> factorsOf(const FigSpline* spline)
{
    QList<double> out;
    for (const ShapeFactorNode* n = spline->shapeFactors; n; n = n->next)
        out << n->value;
    return out;
}

QList<int> idsOf(const FigObjectList* list)
{
    QList<int> out;
    for (const FigObject* o : *list) {
        out << o->id;
        if (o->type == FigObject::Compound)
            out << idsOf(static_cast<const FigCompound*>(o)->members);
    }
    return out;
}

} // namespace

class TestFigReader : public QObject {
    Q_OBJECT
    // Questions a test does not answer itself are answered No, never shown.
    std::unique_ptr<MessageBoxRecorder> defaultAnswers;

private slots:
    void init() { defaultAnswers = std::make_unique<MessageBoxRecorder>(QMessageBox::No); }
    void cleanup() { defaultAnswers.reset(); }

    void paperTable()
    {
        QCOMPARE(paperSizeCount, 29);
        QCOMPARE(QByteArray(paperSizes[0].figName), QByteArray("Letter  "));
        QCOMPARE(QByteArray(paperSizes[1].figName), QByteArray("Legal   "));
        QCOMPARE(QByteArray(paperSizes[2].figName), QByteArray("Tabloid "));
        for (int i = 3; i < paperSizeCount; ++i)
            QVERIFY(!QByteArray(paperSizes[i].figName).contains(' '));
        QCOMPARE(QByteArray(paperSizes[13].figName), QByteArray("A4"));
        QCOMPARE(QByteArray(paperSizes[13].label), QByteArray("ISO A4  ( 210mm x  297mm)"));
        QCOMPARE(QByteArray(paperSizes[13].latexName), QByteArray("a4paper"));
        QCOMPARE(paperSizes[13].width, 9921);
        QCOMPARE(paperSizes[13].height, 14031);
        QCOMPARE(QByteArray(paperSizes[2].label), QByteArray("Tabloid ( 11\" x 17\" / 279 x 432 mm)"));
        QCOMPARE(QByteArray(paperSizes[28].label), QByteArray("JIS B0  (1030mm x 1456mm)"));
        QCOMPARE(paperSizes[28].height, 68783);
        // Rows 0 and 3, 2 and 4 have the same size.
        QCOMPARE(paperSizes[0].width, paperSizes[3].width);
        QCOMPARE(paperSizes[2].height, paperSizes[4].height);
    }

    void paperNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("index");
        QTest::newRow("A4") << "A4" << 13;
        QTest::newRow("padded Letter") << "Letter  " << 0;
        QTest::newRow("Letter") << "Letter" << 0;
        QTest::newRow("Tabloid padded") << "Tabloid " << 2;
        QTest::newRow("Ledger") << "Ledger" << 2;
        QTest::newRow("LEDGER") << "LEDGER" << 2;
        QTest::newRow("letter in lower case") << "letter" << -1;
        QTest::newRow("with size in brackets") << "A4(210x297)" << 13;
        QTest::newRow("text after a blank") << "B10 JIS" << 18;
        QTest::newRow("E") << "E" << 7;
        QTest::newRow("B0") << "B0" << 28;
        QTest::newRow("unknown") << "A10" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void paperNames()
    {
        QFETCH(QString, line);
        QFETCH(int, index);
        QCOMPARE(paperSizeIndex(line), index);
    }

    void headerFailures_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("magic line alone") << QByteArray("#FIG 3.2\n") << -2 << QString();
        QTest::newRow("empty file") << QByteArray() << -2 << QString();
        QTest::newRow("not a Fig file") << QByteArray("#XFIG 3.2\nPortrait\n") << -1 << "Not a Fig file";
        // However short, a text that does not begin as a Fig file is none.
        QTest::newRow("one line of text") << QByteArray("Dear diary\n") << -1 << "Not a Fig file";
        QTest::newRow("text without line end") << QByteArray("Dear diary") << -1 << "Not a Fig file";
        QTest::newRow("newer version") << QByteArray("#FIG 3.3\nPortrait\n") << -1
                                       << "You must have a NEWER version of Tavrel to load this figure (3.3).";
        QTest::newRow("no orientation") << QByteArray("#FIG 3.2\n\n# comment\n") << -1
                                        << "No Portrait/Landscape specification";
        QTest::newRow("no justification")
            << QByteArray("#FIG 3.2\nPortrait\n") << -1 << "No Center/Flushleft specification";
        QTest::newRow("no units") << QByteArray("#FIG 3.2\nPortrait\nCenter\n") << -1
                                  << "No Metric/Inches specification";
        QTest::newRow("no paper") << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\n") << -1
                                  << "No Paper size specification";
        QTest::newRow("no magnification")
            << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nA4\n") << -1 << "No Magnification specification";
        QTest::newRow("no multiple page flag") << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nA4\n100\n") << -1
                                               << "No Multiple page flag specification";
        QTest::newRow("wrong multiple page flag")
            << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nA4\n100\nDouble\n-2\n1200 2\n") << -1
            << "No Multiple page flag specification";
        QTest::newRow("no transparent colour") << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nA4\n100\nSingle\n")
                                               << -1 << "No Transparent color specification";
        QTest::newRow("no resolution") << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nA4\n100\nSingle\n-2\n") << -1
                                       << "No Resolution specification; figure is empty";
        QTest::newRow("3.1 without resolution") << QByteArray("#FIG 3.1\nPortrait\nCenter\nInches\n") << -1
                                                << "No Resolution specification; figure is empty";
    }

    void headerFailures()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, result);
        QFETCH(QString, message);
        Document doc;
        doc.context->drawing.userColors.insert(3, Qt::red);
        std::setlocale(LC_NUMERIC, "C.UTF-8");
        const std::string before = std::setlocale(LC_NUMERIC, nullptr);
        StatusRecorder status;
        MessageBoxRecorder boxes;
        QCOMPARE(doc.read(text), result);
        QVERIFY(doc.objects().empty());
        QCOMPARE(layersRefreshHold, 0);
        QCOMPARE(std::string(std::setlocale(LC_NUMERIC, nullptr)), before);
        std::setlocale(LC_NUMERIC, "C");
        // The colour table is emptied by every read that got going.
        QVERIFY(doc.context->drawing.userColors.isEmpty());
        QVERIFY(boxes.boxes.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(status.messages.last(), message);
        else
            QCOMPARE(status.messages.last(),
                formatStatusMessage(
                    "Reading objects from \"%s\" ...", doc.path(QStringLiteral("input.fig")).toUtf8().constData()));
    }

    void emptyFileThroughLoadFile()
    {
        Document doc;
        writeBytes(doc.path(), "#FIG 3.2\n");
        StatusRecorder status;
        QVERIFY(!doc.context->loadFile(doc.path()));
        QCOMPARE(status.messages.last(), formatStatusMessage("File \"%s\" is empty.", doc.path().toUtf8().constData()));
        QVERIFY(!doc.context->loadFile(QString()));
        QCOMPARE(status.messages.last(), QStringLiteral("Empty name"));
        // A file that cannot be opened says so, with the system's reason.
        status.messages.clear();
        const QString missing = doc.path(QStringLiteral("missing.fig"));
        QVERIFY(!doc.context->loadFile(missing));
        QCOMPARE(status.messages.size(), 2);
        QVERIFY(status.messages.first().startsWith(QLatin1String("Reading objects from")));
        QCOMPARE(status.messages.last(),
            formatStatusMessage("Couldn't open file %s, No such file or directory", missing.toUtf8().constData()));
    }

    void oldVersionAsksNothingButShowsBox()
    {
        Document doc;
        StatusRecorder status;
        MessageBoxRecorder boxes;
        QCOMPARE(doc.read("#FIG 2.1\nPortrait\nCenter\nInches\n1200 2\n"), -1);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("Export failed!"));
        QCOMPARE(boxes.boxes.first().icon, QMessageBox::Information);
        QCOMPARE(boxes.boxes.first().text,
            QStringLiteral(
                "Figure is in FIG 2.1 format. Use an older version of Tavrel or Kvix to convert to FIG 3.2"));
    }

    void headerValues_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("flushLeft");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("paper");
        QTest::addColumn<float>("magnification");
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<int>("transparent");
        QTest::newRow("all set") << QByteArray(
            "#FIG 3.2\nLandscape\nFlush left\nMetric\nA3\n75.50\nMultiple\n5\n1200 2\n")
                                 << true << true << true << 14 << 75.5f << true << 5;
        QTest::newRow("capitals") << QByteArray("#FIG 3.2\nLANDSCAPE\nCENTER\nMETRIC\nB5\n100\nSINGLE\n-1\n1200 2\n")
                                  << true << false << true << 23 << 100.0f << false << -1;
        QTest::newRow("portrait inches") << QByteArray(
            "#FIG 3.2\nPortrait\nCenter\nInches\nLetter  \n100.00\nSingle\n-2\n"
            "1200 2\n") << false << false << false
                                         << 0 << 100.0f << false << -2;
        // Without a justification line the units line follows the orientation.
        QTest::newRow("no justification line")
            << QByteArray("#FIG 3.2\nPortrait\nMetric\nA5\n100.00\nSingle\n-2\n1200 2\n") << false << true << true << 12
            << 100.0f << false << -2;
        QTest::newRow("illegal paper, metric")
            << QByteArray("#FIG 3.2\nPortrait\nCenter\nMetric\nletter\n100.00\nSingle\n-2\n1200 2\n") << false << false
            << true << 13 << 100.0f << false << -2;
        QTest::newRow("illegal paper, inches")
            << QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nFolio\n100.00\nSingle\n-2\n1200 2\n") << false << false
            << false << 0 << 100.0f << false << -2;
        QTest::newRow("not numbers") << QByteArray(
            "#FIG 3.2\nPortrait\nCenter\nInches\nA4\nlarge\nSingle\nnone\n1200 2\n")
                                     << false << false << false << 13 << 0.0f << false << 0;
        QTest::newRow("blank lines and comments between")
            << QByteArray("#FIG 3.2\n\nPortrait\n\n# c\nCenter\nInches\n\nA4\n100\nSingle\n-2\n\n1200 2\n") << false
            << false << false << 13 << 100.0f << false << -2;
    }

    void headerValues()
    {
        QFETCH(QByteArray, text);
        Document doc;
        CFigContext& c = *doc.context;
        c.flushLeft = true;
        StatusRecorder status;
        QCOMPARE(doc.read(text), 0);
        QTEST(c.landscape, "landscape");
        QTEST(c.flushLeft, "flushLeft");
        QTEST(c.metric, "metric");
        QTEST(c.paperIndex, "paper");
        QTEST(c.magnification, "magnification");
        QTEST(c.multiplePages, "multiple");
        QTEST(c.transparentColor, "transparent");
        QCOMPARE(status.messages.contains(QStringLiteral("Illegal paper size in file, using default")),
            QByteArray(QTest::currentDataTag()).startsWith("illegal paper"));
    }

    void version31KeepsDocumentValues()
    {
        Document doc;
        CFigContext& c = *doc.context;
        c.paperIndex = 5;
        c.magnification = 50.0f;
        c.multiplePages = true;
        c.transparentColor = 7;
        QCOMPARE(doc.read("#FIG 3.1\nLandscape\nCenter\nMetric\n1200 2\n"), 0);
        QVERIFY(c.landscape);
        QVERIFY(c.metric);
        QVERIFY(!c.flushLeft);
        QCOMPARE(c.paperIndex, 5);
        QCOMPARE(c.magnification, 50.0f);
        QVERIFY(c.multiplePages);
        QCOMPARE(c.transparentColor, 7);
    }

    void clipKeepsOrientationAndUnits()
    {
        Document doc;
        CFigContext& c = *doc.context;
        c.landscape = false;
        c.metric = false;
        c.flushLeft = true;
        MessageBoxRecorder boxes(QMessageBox::No);
        QCOMPARE(doc.read("#FIG 3.2\nLandscape\nCenter\nMetric\nA3\n100\nSingle\n-2\n1200 2\n", true), 0);
        QVERIFY(!c.landscape);
        QVERIFY(!c.metric);
        QVERIFY(!c.flushLeft); // the justification is taken for a clip too
        QCOMPARE(c.paperIndex, 14);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void comments_data()
    {
        QTest::addColumn<QByteArray>("lead");
        QTest::addColumn<bool>("system");
        QTest::addColumn<QString>("figureComment");
        // The first comment line names the program; a second one goes with it
        // when the first was not empty.
        QTest::newRow("own file") << QByteArray("# Created by Tavrel version 4.62\n# METADATA <version>1.0</version>\n")
                                  << true << QString();
        QTest::newRow("three lines") << QByteArray("# Created by Someone\n# second\n# third\n") << false << "third";
        QTest::newRow("empty first") << QByteArray("#\n# second\n# third\n") << false << "second\nthird";
        QTest::newRow("name in a later line") << QByteArray("# made by hand\n# Tavrel\n") << false << QString();
        QTest::newRow("none") << QByteArray() << false << QString();
    }

    void comments()
    {
        QFETCH(QByteArray, lead);
        Document doc;
        const QByteArray text = "#FIG 3.2\n" + lead
            + "Portrait\n# after orientation\nCenter\nInches\nA4\n100\nSingle\n-2\n# last header\n1200 2\n";
        QCOMPARE(doc.read(text), 0);
        QTEST(figFileProgress.createdBySystem, "system");
        QFETCH(QString, figureComment);
        const QString expected
            = (figureComment.isEmpty() ? QString() : figureComment + "\n") + "after orientation\nlast header";
        QCOMPARE(doc.context->drawing.comment, expected);
    }

    void objectComments()
    {
        Document doc;
        const QByteArray text = foreignHeader("# figure\n")
            + "# first line\n#\n#  indented\n2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n"
              "# before a box that is dropped\n2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n"
              "# METADATA <id>5</id>\n# group\n6 0 0 0 0\n# member\n"
              "4 0 0 50 -1 0 12 0.0000 4 135 900 0 0 t\\001\n-6\n# trailing comment with no object\n";
        QCOMPARE(doc.read(text), 0);
        QCOMPARE(doc.context->drawing.comment, QStringLiteral("figure"));
        QCOMPARE(doc.objects().size(), size_t(2));
        QCOMPARE(doc.object(0)->comment, QStringLiteral("first line\n\n indented"));
        // The comment of a dropped object goes to the next one.
        auto* compound = static_cast<FigCompound*>(doc.object(1));
        QCOMPARE(compound->comment, QStringLiteral("before a box that is dropped\ngroup"));
        QCOMPARE(compound->members->front()->comment, QStringLiteral("member"));
    }

    void metadataOnlyInOwnFiles()
    {
        const QByteArray body = "# METADATA <id>5</id>\n2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n"
                                "6 0 0 0 0\n# METADATA <id>7</id>\n2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                "\t 0 0 600 600\n-6\n"
                                "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n";
        Document foreign;
        QCOMPARE(foreign.read(foreignHeader() + body), 0);
        QVERIFY(!figFileProgress.createdBySystem);
        QCOMPARE(idsOf(&foreign.objects()), QList<int>({ 1, 2, 3, 4 }));
        QCOMPARE(foreign.context->nextId, 4);
        QCOMPARE(foreign.context->nextObjectId(), 5);

        // The program's own file keeps 5 and 7; the others follow the highest.
        Document own;
        QCOMPARE(own.read(ownHeader() + body), 0);
        QVERIFY(figFileProgress.createdBySystem);
        QCOMPARE(idsOf(&own.objects()), QList<int>({ 5, 8, 7, 9 }));
        QCOMPARE(own.context->nextId, 9);
    }

    void duplicateIdentifiersRenumberAndDropLinks()
    {
        Document doc;
        const QByteArray text = ownHeader()
            + "# METADATA <id>5</id>\n1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 3000 3000 600 600 3000 3000 3600 3000\n"
              "# METADATA <id>5</id>\n# METADATA <link srcPointIdx=0 targetObjId=5 targetLeftPointIdx=-1/>\n"
              "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 3000 600 600\n";
        QCOMPARE(doc.read(text), 0);
        QCOMPARE(idsOf(&doc.objects()), QList<int>({ 1, 2 }));
        QCOMPARE(doc.context->nextId, 2);
        QCOMPARE(static_cast<FigLine*>(doc.object(1))->points->link, nullptr);
    }

    void links()
    {
        Document doc;
        QCOMPARE(doc.context->readFigFile(dataFile("own.fig"), &doc.context->drawing, false, 0, 0), 0);
        FigObjectList* list = &doc.objects();
        auto* box = static_cast<FigLine*>(findObjectById(list, 3));
        auto* line = static_cast<FigLine*>(findObjectById(list, 5));
        auto* spline = static_cast<FigSpline*>(findObjectById(list, 6));
        auto* target = static_cast<FigSpline*>(findObjectById(list, 9));
        QVERIFY(box && line && spline && target);
        QCOMPARE(doc.context->nextId, 10);

        const SmartLink* toBox = line->points->link;
        QVERIFY(toBox);
        QCOMPARE(toBox->targetObjId, 3);
        QCOMPARE(toBox->sourcePoint, line->points);
        QCOMPARE(toBox->targetLeftPointIdx, 1);
        QCOMPARE(toBox->targetLeftPoint, box->pointAt(1));
        QCOMPARE(toBox->targetRightPointIdx, 2);
        QCOMPARE(toBox->targetRightPoint, box->pointAt(2));
        QCOMPARE(line->pointAt(1)->link, nullptr);
        const SmartLink* toEllipse = line->pointAt(2)->link;
        QVERIFY(toEllipse);
        QCOMPARE(toEllipse->targetObjId, 4);
        QCOMPARE(toEllipse->targetLeftPoint, nullptr);
        QCOMPARE(toEllipse->targetLeftPointIdx, -1);
        QCOMPARE(toEllipse->targetRightPointIdx, -1);

        // A link to a spline as the program makes it (no segment) is kept.
        const SmartLink* toSpline = spline->points->link;
        QVERIFY(toSpline);
        QCOMPARE(toSpline->targetObjId, 9);
        QCOMPARE(toSpline->targetLeftPoint, nullptr);
        QCOMPARE(toSpline->targetLeftPointIdx, -1);
        // The closing segment of a box ends at point 0.
        const SmartLink* closing = spline->pointAt(1)->link;
        QVERIFY(closing);
        QCOMPARE(closing->targetLeftPointIdx, 3);
        QCOMPARE(closing->targetRightPointIdx, 0);
        QCOMPARE(closing->targetRightPoint, box->points);
    }

    void linkLines_data()
    {
        QTest::addColumn<QByteArray>("link");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("blank before />") << QByteArray("srcPointIdx=1 targetObjId=1 targetLeftPointIdx=2 />") << 1 << 2
                                         << 0;
        QTest::newRow("no blank") << QByteArray("srcPointIdx=1 targetObjId=1 targetLeftPointIdx=0/>") << 1 << 0 << 1;
        QTest::newRow("unknown target") << QByteArray("srcPointIdx=1 targetObjId=9 targetLeftPointIdx=0/>") << -1 << -1
                                        << -1;
        QTest::newRow("point beyond the chain")
            << QByteArray("srcPointIdx=2 targetObjId=1 targetLeftPointIdx=0/>") << -1 << -1 << -1;
        QTest::newRow("segment beyond the target")
            << QByteArray("srcPointIdx=1 targetObjId=1 targetLeftPointIdx=7/>") << -1 << -1 << -1;
        QTest::newRow("text target") << QByteArray("srcPointIdx=1 targetObjId=3 targetLeftPointIdx=-1/>") << -1 << -1
                                     << -1;
        QTest::newRow("itself") << QByteArray("srcPointIdx=1 targetObjId=2 targetLeftPointIdx=-1/>") << -1 << -1 << -1;
        QTest::newRow("number missing") << QByteArray("srcPointIdx=1 targetObjId=1/>") << -1 << -1 << -1;
    }

    void linkLines()
    {
        QFETCH(QByteArray, link);
        Document doc;
        const QByteArray text = ownHeader()
            + "# METADATA <id>1</id>\n2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 0 0 600 0 600 600 0 0\n"
              "# METADATA <id>2</id>\n# METADATA <link "
            + link
            + "\n2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 2400 600 300\n"
              "# METADATA <id>3</id>\n4 0 0 50 -1 0 12 0.0000 4 135 900 0 0 t\\001\n";
        QCOMPARE(doc.read(text), 0);
        const SmartLink* record = static_cast<FigLine*>(doc.object(1))->pointAt(1)->link;
        QFETCH(int, target);
        if (target == -1) {
            QCOMPARE(record, nullptr);
            return;
        }
        QVERIFY(record);
        QCOMPARE(record->targetObjId, target);
        QTEST(record->targetLeftPointIdx, "left");
        QTEST(record->targetRightPointIdx, "right");
    }

    void corrections()
    {
        Document doc;
        StatusRecorder status;
        const QString path = dataFile("corrections.fig");
        QVERIFY(doc.context->loadFile(path));
        const QStringList expected = {
            "Depth > Maximum allowed (999), setting to 999 in line 10.",
            "Invalid text font (40) at line 18, setting to DEFAULT.",
            "Invalid text font (-3) at line 19, setting to DEFAULT.",
            "Invalid text justification at line 20, setting to LEFT.",
            "Invalid text angle at line 21, setting to 0.",
            "Deleting zero-size box at line 24",
            "Deleting polygon containing fewer than 3 points at line 26",
            "Closed splines must have 3 or more points, removing spline at line 28",
            "Open splines must have 2 or more points, removing spline at line 31",
            "Incorrect object code at line 34.",
            "Color definitions must come before other objects (line 35).",
            "Invalid polyline at line 38, removing it.",
            "Shape factor out of range at line 41, clamping it.",
            // The huge count stops at the next object line, which is read.
            "Missing data in polyline at line 43, removing it.",
            "Unexpected end of file in polyline at line 46, removing it.",
            formatStatusMessage("Opened \"%s\" Figure contains %d objects", path.toUtf8().constData(), 13),
        };
        QCOMPARE(readerMessages(status.messages), expected);

        QCOMPARE(doc.objects().size(), size_t(13));
        QCOMPARE(doc.object(0)->depth, 999);
        QCOMPARE(doc.object(0)->fillStyle, 62);
        QCOMPARE(doc.object(1)->depth, 0);
        QCOMPARE(doc.object(1)->fillStyle, -1);
        QCOMPARE(doc.object(2)->fillStyle, -1); // a shade of black is no fill
        QCOMPARE(static_cast<FigText*>(doc.object(3))->fontSize, 12);
        QCOMPARE(static_cast<FigText*>(doc.object(4))->fontSize, 500);
        QCOMPARE(static_cast<FigText*>(doc.object(5))->font, 0);
        QCOMPARE(static_cast<FigText*>(doc.object(6))->font, 0);
        QCOMPARE(doc.object(7)->subType, 0);
        QCOMPARE(static_cast<FigText*>(doc.object(8))->angle, 0.0f);
        QCOMPARE(static_cast<FigEllipse*>(doc.object(9))->angle, float(-7.0 + 4 * M_PI));
        const float huge = static_cast<FigEllipse*>(doc.object(10))->angle;
        QVERIFY(huge >= 0 && huge < 2 * M_PI);
        QCOMPARE(factorsOf(static_cast<FigSpline*>(doc.object(11))), QList<double>({ 0.0, 1.0 }));
        QCOMPARE(static_cast<FigText*>(doc.object(12))->text, QStringLiteral("after a huge count"));
        // The colour defined after objects still counts.
        QCOMPARE(doc.context->drawing.userColors.value(8), QColor(0x12, 0x34, 0x56));
        QVERIFY(!doc.context->modified);
    }

    void angles_data()
    {
        QTest::addColumn<QByteArray>("angle");
        QTest::addColumn<double>("expected");
        QTest::newRow("in range") << QByteArray("1.5708") << 1.5708;
        QTest::newRow("negative") << QByteArray("-1.0000") << 2 * M_PI - 1;
        QTest::newRow("one turn more") << QByteArray("7.0000") << 7.0 - 2 * M_PI;
        QTest::newRow("many turns") << QByteArray("-62831.853") << std::fmod(-62831.853, 2 * M_PI) + 2 * M_PI;
        QTest::newRow("written as 2 pi") << QByteArray("6.28316") << 0.0;
        QTest::newRow("infinite") << QByteArray("inf") << 0.0;
        QTest::newRow("not a number") << QByteArray("nan") << 0.0;
    }

    void angles()
    {
        QFETCH(QByteArray, angle);
        QFETCH(double, expected);
        Document doc;
        StatusRecorder status;
        QCOMPARE(
            doc.read(foreignHeader() + "1 1 0 1 0 7 50 -1 -1 0.000 1 " + angle
                + " 3000 3000 600 300 3000 3000 3600 3000\n4 0 0 50 -1 0 12 " + angle + " 4 135 900 600 2400 t\\001\n"),
            0);
        QCOMPARE(doc.objects().size(), size_t(2));
        QCOMPARE(static_cast<FigEllipse*>(doc.object(0))->angle, float(expected));
        QCOMPARE(static_cast<FigText*>(doc.object(1))->angle, float(expected));
        const bool invalid = angle == "inf" || angle == "nan";
        QCOMPARE(status.messages.contains(QStringLiteral("Invalid ellipse angle at line 10, setting to 0.")), invalid);
        QCOMPARE(status.messages.contains(QStringLiteral("Invalid text angle at line 11, setting to 0.")), invalid);
    }

    void textStrings_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("Hello world\\001") << "Hello world";
        QTest::newRow("octal letter") << QByteArray("\\101B\\001") << "AB";
        QTest::newRow("doubled backslash") << QByteArray("a\\\\b\\001") << "a\\b";
        QTest::newRow("escaped other") << QByteArray("\\x\\001") << "x";
        QTest::newRow("control character inside") << QByteArray("a\\001b\\001")
                                                  << QString("a\x01"
                                                             "b");
        QTest::newRow("line feed") << QByteArray("one\\012two\\001") << "one\ntwo";
        QTest::newRow("backslash before 001 text") << QByteArray("c:\\\\001\\001") << "c:\\001";
        QTest::newRow("no terminator") << QByteArray("open end") << "open end";
        QTest::newRow("blank after terminator") << QByteArray("x\\001  ") << "x";
        QTest::newRow("digits near the end") << QByteArray("x\\12") << "x\\12";
        QTest::newRow("leading blanks kept") << QByteArray("  two\\001") << "  two";
        QTest::newRow("metadata marker in a text")
            << QByteArray("# METADATA <id>4</id>\\001") << "# METADATA <id>4</id>";
        QTest::newRow("empty") << QByteArray("\\001") << "";
    }

    void textStrings()
    {
        QFETCH(QByteArray, raw);
        Document doc;
        QCOMPARE(doc.read(foreignHeader() + "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 " + raw + "\n"), 0);
        QCOMPARE(doc.objects().size(), size_t(1));
        QTEST(static_cast<FigText*>(doc.object(0))->text, "text");
    }

    void textWithoutString()
    {
        Document doc;
        QCOMPARE(doc.read(foreignHeader() + "4 0 0 50 -1 0 12.6 0.0000 4 135 900 600 2400\n"), 0);
        auto* text = static_cast<FigText*>(doc.object(0));
        QVERIFY(text->text.isEmpty());
        QCOMPARE(text->fontSize, 13); // a fractional size is rounded
    }

    void unreadableObjects_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing field") << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0\n")
                                       << "Invalid polyline at line 10, removing it.";
        QTest::newRow("word for a number") << QByteArray("1 1 0 one 0 7 50 -1 -1 0.000 1 0 0 0 9 9 0 0 0 0\n")
                                           << "Invalid ellipse at line 10, removing it.";
        QTest::newRow("number too large for an int")
            << QByteArray("5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 0 0 0 0 0 0 9999999999 0\n")
            << "Invalid arc at line 10, removing it.";
        QTest::newRow("coordinate out of range")
            << QByteArray("4 0 0 50 -1 0 12 0.0000 4 135 900 2000000000 0 t\\001\n")
            << "Value out of range in text at line 10, removing it.";
        QTest::newRow("style value not a number")
            << QByteArray("3 0 0 1 0 7 50 -1 -1 nan 0 0 0 2\n\t 0 0 1 1\n\t 0 0\n")
            << "Invalid spline at line 10, removing it.";
        QTest::newRow("arrow line cut short") << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00\n")
                                              << "Missing data in polyline at line 11, removing it.";
        QTest::newRow("arrow value not a number")
            << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 x 120\n\t 0 0 1 1\n")
            << "Invalid polyline at line 11, removing it.";
        QTest::newRow("arrow width out of range")
            << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 0 2\n\t1 1 1.00 1e12 120\n\t 0 0 1 1\n")
            << "Value out of range in polyline at line 11, removing it.";
        QTest::newRow("point on a later line missing")
            << QByteArray("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 0 0 1 1\n\t 2 2\n")
            << "Missing data in polyline at line 12, removing it.";
        QTest::newRow("shape factor missing")
            << QByteArray("3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 0 0 1 1 2 2\n\t 0.0 1.0\n")
            << "Missing data in spline at line 12, removing it.";
        // Nothing indented yet: the next line is taken for the picture line
        // until the data runs out, and then read again as the text it is.
        QTest::newRow("picture line cut") << QByteArray("2 5 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n")
                                          << "Unexpected end of file in polyline at line 11, removing it.";
        QTest::newRow("bad colour") << QByteArray("0 32 #zz\n") << "Invalid color definition at line 10, ignoring it.";
        QTest::newRow("standard colour number")
            << QByteArray("0 7 #ffffff\n") << "Invalid color definition at line 10, ignoring it.";
        QTest::newRow("resolution zero") << QByteArray() << QString();
    }

    void unreadableObjects()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        Document doc;
        StatusRecorder status;
        const QByteArray text = QByteArray(QTest::currentDataTag()) == "resolution zero"
            ? QByteArray("#FIG 3.2\nPortrait\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n0 2\n")
            : foreignHeader() + body;
        // A text after the damaged object is still read.
        QCOMPARE(doc.read(text + "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 next\\001\n"), 0);
        QCOMPARE(doc.objects().size(), size_t(1));
        QCOMPARE(static_cast<FigText*>(doc.object(0))->text, QStringLiteral("next"));
        if (message.isEmpty())
            QVERIFY(status.messages.contains(QStringLiteral("Invalid resolution at line 9, using 1200.")));
        else
            QVERIFY2(status.messages.contains(message), qPrintable(status.messages.join(" | ")));
    }

    void wrongPointCountsCostOneObject()
    {
        Document doc;
        StatusRecorder status;
        // Four points announced, two given: the points stop at the next
        // object line, which is then read for what it is.
        const QByteArray text = foreignHeader()
            + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 0 0 600 600\n"
              "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 1200 1200\n"
              "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 -5\n\t 10 20\n";
        QCOMPARE(doc.read(text), 0);
        QCOMPARE(doc.objects().size(), size_t(2));
        QCOMPARE(pointsOf(static_cast<FigLine*>(doc.object(0))), QList<QPoint>({ { 0, 0 }, { 1200, 1200 } }));
        // A count below one still reads the first point.
        QCOMPARE(pointsOf(static_cast<FigLine*>(doc.object(1))), QList<QPoint>({ { 10, 20 } }));
        QVERIFY(status.messages.contains(QStringLiteral("Missing data in polyline at line 11, removing it.")));
    }

    // Continuation data may be spread over lines in any way, also one pair a
    // line without white space in front, in a file whose other objects
    // indent theirs; only a line with the shape of an object line ends an
    // object's data early.
    void dataLinesWithoutIndent_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("objects");
        QTest::addColumn<QString>("message");
        const QByteArray indented = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n";
        const QByteArray province = "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                    "9220 4450\n9300 4500\n9400 4450\n9300 4400\n9220 4450\n";
        QTest::newRow("polygon, one pair a line") << indented + province << 3 << QString();
        QTest::newRow("two polygons") << indented + province + province << 4 << QString();
        QTest::newRow("split pairs and odd lines") << indented
                + "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n9220\n4450 9300\n4500 9400 4450\n9300 4400 9220\n4450\n"
                                                   << 3 << QString();
        QTest::newRow("arrow, points and factors without indent") << indented
                + "3 0 0 1 0 7 50 -1 -1 0.000 0 1 0 3\n1 1 1.00 60.00 120.00\n9220 4450\n9300 4500\n9400 4450\n"
                  "0.000\n1.000\n0.000\n" << 3 << QString();
        QTest::newRow("count too large, next object read")
            << indented + "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 6\n9220 4450\n9300 4500\n9400 4450\n9220 4450\n"
            << 2 << "Missing data in polyline at line 16, removing it.";
        QTest::newRow("count too large before a comment")
            << indented + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n9220 4450\n9300 4500\n# the text\n"
            << 2 << "Missing data in polyline at line 14, removing it.";
    }
    void dataLinesWithoutIndent()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, objects);
        QFETCH(QString, message);
        Document doc;
        StatusRecorder status;
        QCOMPARE(doc.read(foreignHeader() + body + "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 after\\001\n"), 0);
        QCOMPARE(doc.objects().size(), size_t(objects));
        QCOMPARE(static_cast<FigText*>(doc.object(objects - 1))->text, QStringLiteral("after"));
        for (const QString& text : qAsConst(status.messages)) {
            QVERIFY2(!text.contains(QLatin1String("Incorrect object code")), qPrintable(text));
            if (message.isEmpty())
                QVERIFY2(!text.contains(QLatin1String("removing")), qPrintable(text));
        }
        if (!message.isEmpty())
            QVERIFY2(status.messages.contains(message), qPrintable(status.messages.join(" | ")));
        if (objects < 3)
            return;
        const QList<QPoint> first { { 9220, 4450 }, { 9300, 4500 }, { 9400, 4450 } };
        if (doc.object(1)->type == FigObject::Spline) {
            auto* spline = static_cast<FigSpline*>(doc.object(1));
            QCOMPARE(pointsOf(spline), first);
            QVERIFY(spline->forwArrow);
            QCOMPARE(factorsOf(spline), QList<double>({ 0.0, 1.0, 0.0 }));
        } else {
            auto* polygon = static_cast<FigLine*>(doc.object(1));
            QCOMPARE(pointsOf(polygon), first + QList<QPoint>({ { 9300, 4400 }, { 9220, 4450 } }));
        }
    }

    void arrows()
    {
        Document doc;
        const QByteArray text = foreignHeader()
            + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 2\n\t20 3 0.00 0.00 -5.00\n\t2 1 2.00 45.00 90.00\n"
              "\t 0 0 600 600\n"
              "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 1\n\t1 1 1.00 60.00 120.00\n\t1 1 1.00 60.00 120.00\n"
              "\t 0 0\n"
              "5 2 0 1 0 7 50 -1 -1 0.000 0 1 1 0 300.000 300.000 0 300 300 0 600 300\n\t1 1 1.00 60.00 120.00\n"
              "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 after the arcs\\001\n";
        QCOMPARE(doc.read(text), 0);
        QCOMPARE(doc.objects().size(), size_t(4));
        const FigArrow* forward = doc.object(0)->forwArrow;
        QVERIFY(forward);
        QCOMPARE(forward->type, 0); // 15 and above
        QCOMPARE(forward->style, 0);
        QCOMPARE(forward->thickness, 1.0f); // out of range: the current attributes
        QCOMPARE(forward->width, 60.0f);
        QCOMPARE(forward->height, 120.0f);
        const FigArrow* backward = doc.object(0)->backArrow;
        QVERIFY(backward);
        QCOMPARE(backward->type, 2);
        QCOMPARE(backward->width, 45.0f);
        // A one-point polyline and a pie wedge carry no arrows.
        QVERIFY(!doc.object(1)->forwArrow && !doc.object(1)->backArrow);
        QCOMPARE(doc.object(2)->subType, 1);
        QVERIFY(!doc.object(2)->forwArrow);
    }

    void version31()
    {
        Document doc;
        StatusRecorder status;
        QCOMPARE(doc.context->readFigFile(dataFile("fig31.fig"), &doc.context->drawing, false, 0, 0), 0);
        QCOMPARE(doc.objects().size(), size_t(6));
        auto* closed = static_cast<FigSpline*>(doc.object(1));
        QCOMPARE(pointsOf(closed), QList<QPoint>({ { 1800, 3000 }, { 3000, 3600 }, { 1800, 4200 }, { 600, 3600 } }));
        QCOMPARE(factorsOf(closed), QList<double>({ 1.0, 1.0, 1.0, 1.0 }));
        auto* interpolated = static_cast<FigSpline*>(doc.object(2));
        QCOMPARE(interpolated->pointCount(), 3);
        QCOMPARE(factorsOf(interpolated), QList<double>({ 0.0, -1.0, 0.0 }));
        auto* closedInterpolated = static_cast<FigSpline*>(doc.object(3));
        QCOMPARE(pointsOf(closedInterpolated), QList<QPoint>({ { 5400, 3000 }, { 6000, 4200 }, { 4200, 3600 } }));
        QCOMPARE(factorsOf(closedInterpolated), QList<double>({ -1.0, -1.0, -1.0 }));
        QCOMPARE(factorsOf(static_cast<FigSpline*>(doc.object(4))), QList<double>({ 0.0, 0.0 }));
        QCOMPARE(static_cast<FigText*>(doc.object(5))->text, QStringLiteral("Fig 3.1 text"));
    }

    void version31SplinesTooShort()
    {
        Document doc;
        StatusRecorder status;
        // A closed 3.1 spline repeats its first point: three points in the
        // file are two after reading.
        const QByteArray text = "#FIG 3.1\nPortrait\nCenter\nInches\n1200 2\n"
                                "3 1 0 1 -1 -1 0 0 -1 0.000 0 0 0 3\n\t 0 0 600 600 0 0\n"
                                "3 0 0 1 -1 -1 0 0 -1 0.000 0 0 0 1\n\t 0 0\n"
                                "3 3 0 1 -1 -1 0 0 -1 0.000 0 0 0 1\n\t 0 0\n\t 0 0 0 0\n";
        QCOMPARE(doc.read(text), 0);
        QVERIFY(doc.objects().empty());
        QCOMPARE(readerMessages(status.messages),
            QStringList({ "Closed splines must have 3 or more points, removing spline at line 6",
                "Open splines must have 2 or more points, removing spline at line 8",
                "Closed splines must have 3 or more points, removing spline at line 10" }));
    }

    void resolution2400()
    {
        Document doc;
        StatusRecorder status;
        QCOMPARE(doc.context->readFigFile(dataFile("res2400.fig"), &doc.context->drawing, false, 0, 0), 0);
        QVERIFY(status.messages.contains(
            QStringLiteral("Scaling figure by a factor of 0.500 for new 80 pixel per inch resolution.")));
        auto* line = static_cast<FigLine*>(doc.object(0));
        QCOMPARE(pointsOf(line), QList<QPoint>({ { 1215, 1215 }, { 2415, 3615 } }));
        QCOMPARE(line->forwArrow->width, 75.0f);
        QCOMPARE(line->forwArrow->height, 135.0f);
        QCOMPARE(line->forwArrow->thickness, 1.0f);
        auto* ellipse = static_cast<FigEllipse*>(doc.object(1));
        QCOMPARE(QPoint(ellipse->center.x, ellipse->center.y), QPoint(4815, 4815));
        QCOMPARE(QPoint(ellipse->radii.x, ellipse->radii.y), QPoint(1200, 600));
        QCOMPARE(QPoint(ellipse->end.x, ellipse->end.y), QPoint(6015, 4815));
        auto* text = static_cast<FigText*>(doc.object(2));
        QCOMPARE(QPoint(text->x, text->y), QPoint(1215, 6015));
        QCOMPARE(text->fontSize, 12);
        auto* arc = static_cast<FigArc*>(doc.object(3));
        QCOMPARE(arc->centerX, 3015.0f);
        QCOMPARE(QPoint(arc->points[1].x, arc->points[1].y), QPoint(3015, 2415));
    }

    void negativeCoordinates_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("clip");
        QTest::addColumn<int>("gridIndex");
        QTest::addColumn<QPoint>("shift");
        QTest::newRow("yes without grid") << int(QMessageBox::Yes) << false << 0 << QPoint(300, 0);
        QTest::newRow("yes with a snap step of 60") << int(QMessageBox::Yes) << false << 1 << QPoint(359, 0);
        QTest::newRow("no") << int(QMessageBox::No) << false << 0 << QPoint(0, 0);
        QTest::newRow("clip without asking") << int(QMessageBox::No) << true << 0 << QPoint(300, 0);
    }

    void negativeCoordinates()
    {
        QFETCH(int, answer);
        QFETCH(bool, clip);
        QFETCH(int, gridIndex);
        QFETCH(QPoint, shift);
        createBuiltinGrids();
        CFigContext context;
        context.gridIndex = gridIndex;
        context.magnetMode = 0;
        context.metric = false;
        FigObjectList list { new PointBoxLine(1, -300, 100, 600, 900), new PointBoxLine(2, 0, 50, 10, 60) };
        StatusRecorder status;
        MessageBoxRecorder boxes(static_cast<QMessageBox::StandardButton>(answer));
        context.shiftNegativeFigure(&list, clip);
        QCOMPARE(boxes.boxes.size(), clip ? 0 : 1);
        if (!clip) {
            const MessageBoxRequest& box = boxes.boxes.first();
            QCOMPARE(box.title, QStringLiteral("Request"));
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.text,
                QStringLiteral("The figure has objects, which have negative coordinates. Do you wish to shift it back "
                               "on the page?"));
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.defaultButton, QMessageBox::No);
        }
        auto* first = static_cast<FigLine*>(list.front());
        QCOMPARE(QPoint(first->points->x, first->points->y), QPoint(-300, 100) + shift);
        if (shift.isNull())
            QVERIFY(status.messages.isEmpty());
        else
            QCOMPARE(status.messages.last(),
                formatStatusMessage("Shifting entire figure %ld pixels right and %ld pixels down to keep on page.",
                    long(shift.x()), long(shift.y())));
        deleteAllObjects(&list);
        deleteGridDefs();
    }

    void nothingNegativeAsksNothing()
    {
        CFigContext context;
        FigObjectList list { new PointBoxLine(1, 0, 0, 600, 900) };
        MessageBoxRecorder boxes;
        context.shiftNegativeFigure(&list, false);
        QVERIFY(boxes.boxes.isEmpty());
        deleteAllObjects(&list);
    }

    void negativeFile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("clip");
        QTest::newRow("yes") << int(QMessageBox::Yes) << false;
        QTest::newRow("no") << int(QMessageBox::No) << false;
        QTest::newRow("clip") << int(QMessageBox::No) << true;
    }

    void negativeFile()
    {
        QFETCH(int, answer);
        QFETCH(bool, clip);
        Document doc;
        StatusRecorder status;
        MessageBoxRecorder boxes(static_cast<QMessageBox::StandardButton>(answer));
        QCOMPARE(doc.read(foreignHeader() + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t -300 600 600 900\n", clip), 0);
        QCOMPARE(boxes.boxes.size(), clip ? 0 : 1);
        int x0, y0, x1, y1;
        doc.object(0)->getBounds(doc.context.get(), x0, y0, x1, y1, true, true);
        if (answer == QMessageBox::No && !clip) {
            QCOMPARE(static_cast<FigLine*>(doc.object(0))->points->x, -300);
            return;
        }
        // The box, with the line's width, now begins at the page's edge.
        QCOMPARE(x0, 0);
        const int shift = static_cast<FigLine*>(doc.object(0))->points->x + 300;
        QVERIFY(shift > 300);
        QVERIFY(status.messages.contains(formatStatusMessage(
            "Shifting entire figure %ld pixels right and %ld pixels down to keep on page.", long(shift), 0L)));
    }

    void tooLargeToShift()
    {
        CFigContext context;
        FigObjectList list { new PointBoxLine(1, -300, 100, 99999990, 900) };
        StatusRecorder status;
        MessageBoxRecorder boxes(QMessageBox::Yes);
        context.shiftNegativeFigure(&list, false);
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(status.messages, QStringList({ "The figure is too large to be shifted back on the page." }));
        QCOMPARE(static_cast<FigLine*>(list.front())->points->x, -300);
        deleteAllObjects(&list);
    }

    void userColors()
    {
        Document doc;
        StatusRecorder status;
        const QByteArray text
            = foreignHeader() + "0 32 #0a1bff\n0 33 #FFFFFF\n0 32 #000080\n0 40 123\n0 65565 #010203\n";
        QCOMPARE(doc.read(text), 0);
        const FigDrawing& d = doc.context->drawing;
        QCOMPARE(d.userColors.keys(), QList<int>({ 0, 1, 8, 65533 }));
        QCOMPARE(d.userColors.value(0), QColor(0, 0, 0x80)); // redefined
        QCOMPARE(d.userColors.value(1), QColor(255, 255, 255));
        QCOMPARE(d.userColors.value(8), QColor(0, 0, 123));
        QCOMPARE(d.userShades.size(), 4);
        ShadeTable expected;
        buildColorShades(expected, 0, 0, 0x80);
        QCOMPARE(QByteArray::fromRawData(reinterpret_cast<const char*>(d.userShades.value(0)->shade), sizeof expected),
            QByteArray::fromRawData(reinterpret_cast<const char*>(expected.shade), sizeof expected));
        QVERIFY(status.messages.filter(QStringLiteral("Invalid color")).isEmpty());
    }

    void loadFileCountsAndClears()
    {
        Document doc;
        CFigContext& c = *doc.context;
        c.setModified();
        c.depthVisible[7] = false;
        c.drawing.objects.push_back(new FigText(99));
        StatusRecorder status;
        QVERIFY(c.loadFile(dataFile("foreign32.fig")));
        QVERIFY(!c.modified);
        QVERIFY(c.depthVisible[7]);
        QCOMPARE(c.minDepth, 40);
        QCOMPARE(c.maxDepth, 60);
        QCOMPARE(c.depthObjectCount[60], 1);
        QCOMPARE(c.depthObjectCount[40], 1);
        QCOMPARE(c.fileName, QDir::toNativeSeparators(dataFile("foreign32.fig")));
        QCOMPARE(status.messages.last(),
            formatStatusMessage(
                "Opened \"%s\" Figure contains %d objects", dataFile("foreign32.fig").toUtf8().constData(), 18));
        QCOMPARE(figFileProgress.objectCount, 18);
        QCOMPARE(countObjects(&c.drawing.objects), 18);
        QCOMPARE(layersRefreshHold, 0);
    }

    void lineEndsAndByteOrderMarks()
    {
        const QByteArray lines
            = foreignHeader("# caf\xc3\xa9\n") + "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 caf\xc3\xa9\\001\n";
        PreferencesGuard guard;
        preferences.fileEncoding = QStringLiteral("ISO 8859-1");
        // Carriage returns before the line feeds are not part of the lines.
        Document crlf;
        QByteArray withCr = lines;
        withCr.replace("\n", "\r\n");
        QCOMPARE(crlf.read(withCr), 0);
        QCOMPARE(static_cast<FigText*>(crlf.object(0))->text, QStringLiteral("caf\u00c3\u00a9"));
        QCOMPARE(crlf.context->drawing.comment, QStringLiteral("caf\u00c3\u00a9"));
        // A byte-order mark overrides the setting.
        Document bom;
        QCOMPARE(bom.read("\xef\xbb\xbf" + lines), 0);
        QCOMPARE(static_cast<FigText*>(bom.object(0))->text, QStringLiteral("caf\u00e9"));
        QCOMPARE(bom.context->drawing.comment, QStringLiteral("caf\u00e9"));
    }

    void numericLocaleRestored()
    {
        Document doc;
        QVERIFY(std::setlocale(LC_NUMERIC, "C.UTF-8"));
        const std::string before = std::setlocale(LC_NUMERIC, nullptr);
        QCOMPARE(doc.read(foreignHeader() + "1 1 0 1 0 7 50 -1 -1 0.000 1 0.5 0 0 9 9 0 0 0 0\n"), 0);
        QCOMPARE(savedNumericLocale, before);
        QCOMPARE(std::string(std::setlocale(LC_NUMERIC, nullptr)), before);
        std::setlocale(LC_NUMERIC, "C");
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("UTF-8 bytes, Latin-1 file") << "ISO 8859-1" << QByteArray("f\xc3\xa9 x.png") << "f\u00e9 x.png";
        QTest::newRow("Latin-1 bytes, Latin-1 file") << "ISO 8859-1" << QByteArray("f\xe9.png") << "f\u00e9.png";
        QTest::newRow("UTF-8 bytes, UTF-8 file") << "UTF-8" << QByteArray("\xe2\x82\xac.png") << "\u20ac.png";
        QTest::newRow("empty") << "ISO 8859-1" << QByteArray("<empty>") << "";
        QTest::newRow("surrounding blanks") << "ISO 8859-1" << QByteArray("  a b.png  ") << "a b.png";
    }

    void pictureNames()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, bytes);
        PreferencesGuard guard;
        preferences.fileEncoding = encoding;
        Document doc;
        const QByteArray text = foreignHeader() + "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t1 " + bytes
            + "\n\t 0 0 600 0 600 600 0 600 0 0\n";
        QCOMPARE(doc.read(text), 0);
        auto* picture = static_cast<FigLine*>(doc.object(0));
        QVERIFY(picture->picture);
        QCOMPARE(picture->picture->flipped, 1);
        QTEST(picture->picture->fileName, "name");
    }

    void pictureLoaded()
    {
        Document doc;
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(doc.path(QStringLiteral("pic.png"))));
        writeBytes(doc.path(),
            foreignHeader()
                + "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 pic.png\n"
                  "\t 0 0 600 0 600 600 0 600 0 0\n");
        StatusRecorder status;
        QVERIFY(doc.context->loadFile(doc.path()));
        auto* picture = static_cast<FigLine*>(doc.object(0))->picture;
        QVERIFY(picture->pixmap);
        QCOMPARE(picture->pixmapWidth, 4);
        QCOMPARE(picture->imageType, 5);
        QVERIFY(status.messages.contains(QStringLiteral("OK.")));
    }

    void metadataMarkerInsideComment()
    {
        Document doc;
        QCOMPARE(doc.read(ownHeader()
                     + "# see # METADATA below\n# METADATA <id>4</id>\n"
                       "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 t\\001\n"),
            0);
        QCOMPARE(doc.object(0)->comment, QStringLiteral("see # METADATA below"));
        QCOMPARE(doc.object(0)->id, 4);
    }

    void deepNesting()
    {
        Document doc;
        StatusRecorder status;
        QByteArray text = foreignHeader();
        for (int i = 0; i < 300; ++i)
            text += "6 0 0 0 0\n";
        text += "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 deep\\001\n";
        for (int i = 0; i < 300; ++i)
            text += "-6\n";
        text += "4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 after\\001\n";
        QCOMPARE(doc.read(text), 0);
        QCOMPARE(doc.objects().size(), size_t(2));
        QCOMPARE(countObjects(&doc.objects()), 2);
        QVERIFY(status.messages.contains(QStringLiteral("Compounds nested too deeply at line 210, ungrouping.")));
    }

    void unfinishedCompoundKeepsItsMembers()
    {
        Document doc;
        StatusRecorder status;
        QCOMPARE(doc.read(foreignHeader()
                     + "6 0 0 0 0\n4 0 0 50 -1 0 12 0.0000 4 135 900 600 2400 t\\001\n0 32 #ffffff\n"
                       "-6\n-6\n"),
            0);
        QCOMPARE(doc.objects().size(), size_t(1));
        QCOMPARE(static_cast<FigCompound*>(doc.object(0))->members->size(), size_t(1));
        QCOMPARE(readerMessages(status.messages),
            QStringList({ "Incorrect object code at line 12.", "Incorrect object code at line 14." }));
    }

    void reportingFailures()
    {
        StatusRecorder status;
        MessageBoxRecorder boxes;
        reportReadError(QStringLiteral("a.fig"), 0);
        reportReadError(QStringLiteral("a.fig"), -1);
        QVERIFY(status.messages.isEmpty());
        reportReadError(QStringLiteral("long.fig"), ENAMETOOLONG);
        QCOMPARE(status.messages.last(), QStringLiteral("File name \"long.fig\" is too long"));
        QVERIFY(boxes.boxes.isEmpty());
        reportReadError(QStringLiteral("b.fig"), EIO);
        const QString text
            = QStringLiteral("File \"b.fig\" is not accessible: %1.").arg(QString::fromLocal8Bit(strerror(EIO)));
        QCOMPARE(status.messages.last(), text);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().text, text);
        QVERIFY(boxes.boxes.first().title.isEmpty());
        QCOMPARE(boxes.boxes.first().buttons, QMessageBox::Ok);
    }
};

TAVREL_TEST_MAIN(TestFigReader)
#include "tst_figreader.moc"
