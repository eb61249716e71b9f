#include "figfiletest.h"
#include "model/figcompound.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QRandomGenerator>

using namespace figtest;

namespace {

const char* const fixtureNames[] = { "foreign32.fig", "fig31.fig", "own.fig", "corrections.fig", "res2400.fig" };

// Reads a file into a fresh document and saves it; the saved bytes, empty
// when reading failed.
QByteArray readAndSave(const QString& path, int* result = nullptr)
{
    Document doc;
    const int r = doc.context->readFigFile(path, &doc.context->drawing, false, 0, 0);
    if (result)
        *result = r;
    if (r != 0)
        return QByteArray();
    return doc.save();
}

QByteArray readAndSaveText(const QByteArray& text, int* result = nullptr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.fig"));
    writeBytes(path, text);
    return readAndSave(path, result);
}

// Compound corners come from the members' bounds, which depend on the
// measured texts too.
QByteArray maskCompoundCorners(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    for (QByteArray& line : lines) {
        if (line.startsWith("6 "))
            line = "6 corners";
    }
    return lines.join('\n');
}

// Damages one copy of the text at a few places chosen by the generator.
QByteArray mutate(const QByteArray& text, QRandomGenerator& random)
{
    static const QList<QByteArray> replacements = { "2147483647", "-2147483648", "99999999999", "nan", "inf", "-1", "0",
        "1e308", "#", "\\", "\t", "\n", "6", "-6", "# METADATA <id>1</id>\n",
        "# METADATA <link srcPointIdx=0 targetObjId=1 targetLeftPointIdx=0/>\n", "\\001", "" };
    QByteArray out = text;
    const int changes = 1 + random.bounded(4);
    for (int c = 0; c < changes && !out.isEmpty(); ++c) {
        const int at = random.bounded(out.size());
        switch (random.bounded(5)) {
        case 0: // a random byte
            out[at] = char(random.bounded(256));
            break;
        case 1: // a byte removed
            out.remove(at, 1);
            break;
        case 2: { // a token replaced
            int end = at;
            while (end < out.size() && out.at(end) != ' ' && out.at(end) != '\n')
                ++end;
            out.replace(at, end - at, replacements.at(random.bounded(replacements.size())));
            break;
        }
        case 3: // a line repeated
        {
            const int start = out.lastIndexOf('\n', at) + 1;
            const int end = out.indexOf('\n', at);
            if (end > start)
                out.insert(start, out.mid(start, end - start + 1));
            break;
        }
        default: // cut short
            out.truncate(at);
            break;
        }
    }
    return out;
}

// Reads damaged text; whatever is read must save, read and save again to
// the same file.
void readDamaged(const QByteArray& text)
{
    int result = 0;
    const QByteArray first = readAndSaveText(text, &result);
    if (result != 0)
        return;
    QVERIFY(!first.isEmpty());
    const QByteArray second = readAndSaveText(first, &result);
    QCOMPARE(result, 0);
    QCOMPARE(maskTextMetrics(second), maskTextMetrics(first));
}

} // namespace

class TestFigRoundTrip : public QObject {
    Q_OBJECT
    // Questions a test does not answer itself are answered No, never shown.
    std::unique_ptr<MessageBoxRecorder> defaultAnswers;

private slots:
    void init() { defaultAnswers = std::make_unique<MessageBoxRecorder>(QMessageBox::No); }
    void cleanup() { defaultAnswers.reset(); }

    void initTestCase()
    {
        // Pictures of the fixtures are looked up, never previewed through Ghostscript.
        preferences.generateEpsPreview = false;
    }

    void savedFilesReadBackTheSame_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : fixtureNames)
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void savedFilesReadBackTheSame()
    {
        QFETCH(QString, name);
        StatusRecorder status;
        MessageBoxRecorder boxes(QMessageBox::No);
        int result = -1;
        const QByteArray first = readAndSave(dataFile(name), &result);
        QCOMPARE(result, 0);
        QVERIFY(first.startsWith("#FIG 3.2\n# Created by Tavrel version "));
        QByteArray previous = first;
        for (int round = 0; round < 3; ++round) {
            const QByteArray next = readAndSaveText(previous, &result);
            QCOMPARE(result, 0);
            QCOMPARE(linesOf(maskTextMetrics(next)), linesOf(maskTextMetrics(first)));
            previous = next;
        }
    }

    void ownFileComesBackAsItWas()
    {
        // What the program wrote, it writes again line for line.
        QByteArray original = readBytes(dataFile("own.fig"));
        original.replace(
            "# Created by Tavrel version 4.62", "# Created by Tavrel version " + versionString(true).toUtf8());
        const QByteArray saved = readAndSave(dataFile("own.fig"));
        QCOMPARE(linesOf(maskCompoundCorners(maskTextMetrics(saved))),
            linesOf(maskCompoundCorners(maskTextMetrics(original))));
    }

    void identifiersAndLinksSurvive()
    {
        Document first;
        QCOMPARE(first.context->readFigFile(dataFile("own.fig"), &first.context->drawing, false, 0, 0), 0);
        Document second;
        QCOMPARE(second.read(first.save()), 0);
        QCOMPARE(second.context->nextId, first.context->nextId);
        int count = 0;
        auto compare = [&](const FigObjectList* a, const FigObjectList* b, auto& self) -> void {
            QCOMPARE(a->size(), b->size());
            for (auto ia = a->begin(), ib = b->begin(); ia != a->end(); ++ia, ++ib) {
                QCOMPARE((*ia)->id, (*ib)->id);
                if ((*ia)->type == FigObject::Compound)
                    self(static_cast<FigCompound*>(*ia)->members, static_cast<FigCompound*>(*ib)->members, self);
                if ((*ia)->type != FigObject::Polyline && (*ia)->type != FigObject::Spline)
                    continue;
                const FigPath* pa = (*ia)->type == FigObject::Polyline
                    ? static_cast<const FigPath*>(static_cast<FigLine*>(*ia))
                    : static_cast<FigSpline*>(*ia);
                const FigPath* pb = (*ib)->type == FigObject::Polyline
                    ? static_cast<const FigPath*>(static_cast<FigLine*>(*ib))
                    : static_cast<FigSpline*>(*ib);
                for (const FigPoint *p = pa->points, *q = pb->points; p && q; p = p->next, q = q->next) {
                    QCOMPARE(bool(p->link), bool(q->link));
                    if (!p->link)
                        continue;
                    ++count;
                    QCOMPARE(q->link->targetObjId, p->link->targetObjId);
                    QCOMPARE(q->link->targetLeftPointIdx, p->link->targetLeftPointIdx);
                    QCOMPARE(q->link->targetRightPointIdx, p->link->targetRightPointIdx);
                }
            }
        };
        compare(&first.objects(), &second.objects(), compare);
        QCOMPARE(count, 4);
    }

    void textsAndCommentsSurvive()
    {
        Document doc;
        auto* text = new FigText(1);
        text->text = QString::fromLatin1("line one\nline two\t\\ end \\001 # METADATA\x01");
        text->fontSize = 12;
        text->fontFlags = 4;
        text->length = 100;
        text->metricsZoom = 1.0f;
        text->comment = QStringLiteral("first\n\n  third # with a hash\nMETADATA <id>9</id>");
        doc.objects().push_back(text);
        doc.context->drawing.comment = QStringLiteral("\nfigure\n");
        QByteArray file = doc.save();
        for (int round = 0; round < 3; ++round) {
            Document again;
            QCOMPARE(again.read(file), 0);
            QCOMPARE(again.objects().size(), size_t(1));
            QCOMPARE(static_cast<FigText*>(again.object(0))->text, text->text);
            QCOMPARE(again.object(0)->comment, text->comment);
            QCOMPARE(again.object(0)->id, 1);
            QCOMPARE(again.context->drawing.comment, doc.context->drawing.comment);
            file = again.save();
        }
    }

    void pictureNamesSurvive_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::newRow("ISO 8859-1") << "ISO 8859-1";
        QTest::newRow("UTF-8") << "UTF-8";
    }

    void pictureNamesSurvive()
    {
        QFETCH(QString, encoding);
        PreferencesGuard guard;
        preferences.fileEncoding = encoding;
        const QString name = QStringLiteral("Bilder/\u00dcbersicht \u20ac \u65e5\u672c.png");
        Document doc;
        auto* picture = new FigLine(1);
        picture->subType = 5;
        picture->picture = new PictureData;
        picture->picture->fileName = name;
        picture->points = new FigPoint(0, 0);
        FigPoint* p = picture->points;
        for (const QPoint& q : { QPoint(600, 0), QPoint(600, 600), QPoint(0, 600), QPoint(0, 0) })
            p = p->next = new FigPoint(q.x(), q.y());
        doc.objects().push_back(picture);
        QByteArray file = doc.save();
        for (int round = 0; round < 3; ++round) {
            Document again;
            QCOMPARE(again.read(file), 0);
            QCOMPARE(static_cast<FigLine*>(again.object(0))->picture->fileName, name);
            const QByteArray next = again.save();
            QCOMPARE(next, file);
            file = next;
        }
    }

    // Damaged files never crash the reader, and what it reads saves to a
    // file that reads back the same.
    void damagedFiles_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : fixtureNames)
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void damagedFiles()
    {
        QFETCH(QString, name);
        const QByteArray original = readBytes(dataFile(name));
        QVERIFY(!original.isEmpty());
        StatusRecorder status;
        MessageBoxRecorder boxes(QMessageBox::Yes);
        // Cut short after every line and inside every line.
        for (int at = 0; at <= original.size(); at += 11) {
            readDamaged(original.left(at));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("cut at %1").arg(at)));
        }
        QRandomGenerator random(20240611);
        for (int i = 0; i < 200; ++i) {
            const QByteArray damaged = mutate(original, random);
            readDamaged(damaged);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("mutation %1:\n%2").arg(i).arg(QString::fromLatin1(damaged))));
        }
    }

    void extremeFields_data()
    {
        QTest::addColumn<QByteArray>("body");
        const QByteArray huge = "2147483647";
        const QByteArray low = "-2147483648";
        QTest::newRow("huge point count") << "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 " + huge + "\n\t 0 0 1 1\n";
        QTest::newRow("negative point count") << QByteArray("2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 -7\n\t 0 0\n");
        QTest::newRow("huge spline count") << "3 5 0 1 0 7 50 -1 -1 0.000 0 0 0 " + huge + "\n\t 0 0 1 1 2 2\n";
        QTest::newRow("every field at the top") << "2 " + huge + " " + huge + " " + huge + " " + huge + " " + huge + " "
                + huge + " " + huge + " " + huge + " 1e38 " + huge + " " + huge + " " + huge + " 1 1 2\n\t" + huge + " "
                + huge + " 1e38 1e7 1e7\n\t" + huge + " " + huge
                + " 1e38 1e7 1e7\n\t 99999999 99999999 -99999999 -99999999\n";
        QTest::newRow("every field at the bottom") << "2 " + low + " " + low + " " + low + " " + low + " " + low + " "
                + low + " " + low + " " + low + " -1e38 " + low + " " + low + " " + low + " 1 0 2\n\t" + low + " " + low
                + " -1e38 -1e7 -1e7\n" + "\t -99999999 -99999999 99999999 99999999\n";
        QTest::newRow("arc sub-types") << "5 " + huge + " 0 1 0 7 50 -1 -1 0.000 0 0 0 0 0 0 0 0 1 1 2 0\n5 " + low
                + " 0 1 0 7 50 -1 -1 0.000 0 0 0 0 0 0 0 0 1 1 2 0\n";
        QTest::newRow("text fields") << "4 " + huge + " " + huge + " " + huge + " " + huge + " " + huge
                + " 1e300 1e300 " + huge + " " + huge + " " + huge + " 99999999 -99999999 x\\001\n4 " + low + " " + low
                + " " + low + " " + low + " " + low + " -1e300 -1e300 " + low + " " + low + " " + low + " 0 0 y\\001\n";
        QTest::newRow("ellipse radii") << QByteArray("1 1 0 1 0 7 50 -1 -1 0.000 1 0 0 0 99999999 -99999999 0 0 0 0\n");
        QTest::newRow("colour numbers") << "0 " + huge + " #ffffff\n0 " + low + " #ffffff\n0 32 #" + huge + huge + "\n";
        QTest::newRow("identifiers") << QByteArray(
            "# METADATA <id>2147483647</id>\n# METADATA <link srcPointIdx=-2147483648 "
            "targetObjId=2147483647 targetLeftPointIdx=2147483647 />\n"
            "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 1 1\n");
        QTest::newRow("far-off negative figure")
            << QByteArray("2 1 0 1 2000000 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t -99999999 -99999999 99999999 99999999\n");
        QTest::newRow("many compound ends") << QByteArray("-6\n-6\n6 0 0 0 0\n-6\n-6\n");
    }

    void extremeFields()
    {
        QFETCH(QByteArray, body);
        StatusRecorder status;
        MessageBoxRecorder boxes(QMessageBox::Yes);
        readDamaged(foreignHeader() + body);
        readDamaged(ownHeader() + body);
        readDamaged("#FIG 3.2\nPortrait\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1 2\n" + body);
        readDamaged("#FIG 3.1\nPortrait\nCenter\nInches\n1200 2\n" + body);
    }

    void binaryGarbage()
    {
        StatusRecorder status;
        MessageBoxRecorder boxes(QMessageBox::Yes);
        QRandomGenerator random(7);
        for (int i = 0; i < 50; ++i) {
            QByteArray bytes(1 + random.bounded(2000), '\0');
            for (char& c : bytes)
                c = char(random.bounded(256));
            readDamaged(bytes);
            readDamaged(foreignHeader() + bytes);
        }
    }
};

TAVREL_TEST_MAIN(TestFigRoundTrip)
#include "tst_figroundtrip.moc"
