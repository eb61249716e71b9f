// The logger and its destinations: record format, level filter, the rotated
// UTF-8 log file, the log view's document, removal of a destination.
#include "app/qslog.h"
#include "app/qslogdest.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextCodec>
#include <QTextDocument>

#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace QsLogging;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QList<QByteArray> lines(const QByteArray& bytes)
{
    QList<QByteArray> result = bytes.split('\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

// The text after the level and the time stamp.
QByteArray messageOf(const QByteArray& record)
{
    return record.mid(5 + 1 + 23 + 1);
}

// Redirects the process's standard error into a file while alive.
class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        target.open();
        saved = ::dup(2);
        ::dup2(target.handle(), 2);
    }
    ~StderrCapture() { restore(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    QByteArray take()
    {
        restore();
        target.seek(0);
        return target.readAll();
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        saved = -1;
    }
    QTemporaryFile target;
    int saved = -1;
};

QStringList functionRecords;
void recordFunction(const QString& message, Level level)
{
    functionRecords << QString::number(level) + QLatin1Char('|') + message;
}

} // namespace

class QueuedReceiver : public QObject {
    Q_OBJECT
public:
    QStringList received;
public slots:
    void take(const QString& message, int level) { received << QString::number(level) + QLatin1Char('|') + message; }
};

class TestLogging : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // A fresh folder per test, so no old log of an earlier test remains.
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        logPath = dir->filePath("tavrel.log");
    }

    void cleanup()
    {
        Logger::destroyInstance();
        QTextCodec::setCodecForLocale(nullptr);
    }

    void recordPerLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("trace") << int(TraceLevel) << QByteArray("TRACE");
        QTest::newRow("debug") << int(DebugLevel) << QByteArray("DEBUG");
        QTest::newRow("info") << int(InfoLevel) << QByteArray("INFO ");
        QTest::newRow("warn") << int(WarnLevel) << QByteArray("WARN ");
        QTest::newRow("error") << int(ErrorLevel) << QByteArray("ERROR");
        QTest::newRow("fatal") << int(FatalLevel) << QByteArray("FATAL");
        QTest::newRow("unlisted value") << 9 << QByteArray("INFO ");
    }
    void recordPerLevel()
    {
        QFETCH(int, level);
        QFETCH(QByteArray, text);
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(logPath));

        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        // A plain C string unchanged, a QString quoted and escaped, a blank
        // after every item.
        Logger::Helper(static_cast<Level>(level)).stream() << "loading" << QStringLiteral("C:\\dir \"x\"") << 42;
        const QDateTime after = QDateTime::currentDateTime().addMSecs(1);
        Logger::destroyInstance();

        const QByteArray bytes = readAll(logPath);
        static const QRegularExpression record(
            QStringLiteral("^([A-Z ]{5}) (\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d) (.*)\n\\z"));
        const QRegularExpressionMatch match = record.match(QString::fromUtf8(bytes));
        QVERIFY2(match.hasMatch(), bytes.constData());
        QCOMPARE(match.captured(1).toLatin1(), text);
        // Texts as they are, without quotes or escapes added.
        QCOMPARE(match.captured(3).toUtf8(), QByteArray("loading C:\\dir \"x\" 42 "));
        const QDateTime stamp = QDateTime::fromString(match.captured(2), "yyyy-MM-ddThh:mm:ss.zzz");
        QVERIFY(stamp.isValid());
        QVERIFY2(stamp >= before && stamp <= after, qPrintable(match.captured(2)));
    }

    void percentInMessageIsKept()
    {
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(logPath));
        Logger::Helper(InfoLevel).stream() << "100%1 done %2";
        Logger::destroyInstance();
        QCOMPARE(messageOf(readAll(logPath)), QByteArray("100%1 done %2 \n"));
    }

    void recordsBelowTheLevelAreDropped()
    {
        QCOMPARE(Logger::instance().loggingLevel(), InfoLevel);
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(logPath));
        int evaluated = 0;
        auto part = [&evaluated](const char* text) {
            ++evaluated;
            return text;
        };
        QLOG_TRACE() << part("trace");
        QLOG_DEBUG() << part("debug");
        QLOG_INFO() << part("info");
        QLOG_WARN() << part("warn");
        QLOG_ERROR() << part("error");
        QLOG_FATAL() << part("fatal");
        // A record below the level is not even made.
        QCOMPARE(evaluated, 4);
        Logger::destroyInstance();

        const QList<QByteArray> records = lines(readAll(logPath));
        QCOMPARE(records.size(), 4);
        QVERIFY(records[0].startsWith("INFO  ") && records[0].endsWith(" info "));
        QVERIFY(records[1].startsWith("WARN  ") && records[1].endsWith(" warn "));
        QVERIFY(records[2].startsWith("ERROR ") && records[2].endsWith(" error "));
        QVERIFY(records[3].startsWith("FATAL ") && records[3].endsWith(" fatal "));
    }

    void recordWithoutDestinations()
    {
        QLOG_INFO() << "goes nowhere";
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(logPath));
        QLOG_INFO() << "kept";
        Logger::destroyInstance();
        const QList<QByteArray> records = lines(readAll(logPath));
        QCOMPARE(records.size(), 1);
        QCOMPARE(messageOf(records[0]), QByteArray("kept "));
    }

    void levelFromLogMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("ok");
        QTest::newRow("trace") << "TRACE 2024" << int(TraceLevel) << true;
        QTest::newRow("info with blank") << "INFO x" << int(InfoLevel) << true;
        QTest::newRow("warn") << "WARN  x" << int(WarnLevel) << true;
        QTest::newRow("fatal") << "FATAL" << int(FatalLevel) << true;
        QTest::newRow("info without blank") << "INFO" << int(OffLevel) << false;
        QTest::newRow("lower case") << "error x" << int(OffLevel) << false;
        QTest::newRow("empty") << "" << int(OffLevel) << false;
    }
    void levelFromLogMessage()
    {
        QFETCH(QString, text);
        QFETCH(int, level);
        QFETCH(bool, ok);
        bool converted = !ok;
        QCOMPARE(int(Logger::levelFromLogMessage(text, &converted)), level);
        QCOMPARE(converted, ok);
        QCOMPARE(int(Logger::levelFromLogMessage(text)), level);
    }

    void fileWithoutRotationIsEmptied()
    {
        writeFile(logPath, "earlier run\n");
        const DestinationPtr file = DestinationFactory::MakeFileDestination(logPath);
        QVERIFY(file->isValid());
        QCOMPARE(readAll(logPath), QByteArray());
    }

    void fileWithRotationAppendsAndCountsExistingSize()
    {
        const QByteArray earlier(90, 'e');
        writeFile(logPath, earlier);
        Logger::instance().addDestination(
            DestinationFactory::MakeFileDestination(logPath, EnableLogRotation, MaxSizeBytes(100), MaxOldLogCount(2)));
        // 90 existing bytes plus this record pass 100: the earlier content
        // becomes the old log and the record opens the new file.
        QLOG_INFO() << "passes";
        Logger::destroyInstance();
        QCOMPARE(readAll(logPath + ".1"), earlier);
        const QList<QByteArray> records = lines(readAll(logPath));
        QCOMPARE(records.size(), 1);
        QCOMPARE(messageOf(records[0]), QByteArray("passes "));
    }

    void rotationAtThresholdStaysUtf8()
    {
        // The locale's codec differs from the file's, so a stream that falls
        // back to it after the rotation shows in the bytes.
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        const qint64 maximum = 500000;
        const QByteArray recordMessage = "abc "; // record: 5 + 1 + 23 + 1 + 4 counted bytes
        const qint64 counted = 34;
        const QByteArray prefill(int(maximum - counted), 'p');
        writeFile(logPath, prefill);
        writeFile(logPath + ".1", "newest old\n");
        writeFile(logPath + ".2", "oldest old\n");
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(
            logPath, EnableLogRotation, MaxSizeBytes(maximum), MaxOldLogCount(2)));

        QLOG_INFO() << "abc"; // exactly at the maximum: no rotation yet
        QCOMPARE(readAll(logPath + ".1"), QByteArray("newest old\n"));
        QLOG_INFO() << "xyz"; // passes it
        QLOG_INFO() << "Zeichnung-\xc3\xa4\xc3\xb6.fig";
        Logger::destroyInstance();

        const QByteArray firstOld = readAll(logPath + ".1");
        QVERIFY(firstOld.startsWith(prefill));
        QCOMPARE(messageOf(firstOld.mid(prefill.size())), recordMessage + '\n');
        QCOMPARE(readAll(logPath + ".2"), QByteArray("newest old\n"));
        QVERIFY(!QFile::exists(logPath + ".3"));

        const QList<QByteArray> records = lines(readAll(logPath));
        QCOMPARE(records.size(), 2);
        QCOMPARE(messageOf(records[0]), QByteArray("xyz "));
        QCOMPARE(messageOf(records[1]), QByteArray("Zeichnung-\xc3\xa4\xc3\xb6.fig "));
    }

    void rotationKeepsOldLogs_data()
    {
        QTest::addColumn<int>("oldLogs");
        QTest::addColumn<int>("rotations");
        QTest::addColumn<int>("kept");
        QTest::newRow("none kept") << 0 << 2 << 0;
        QTest::newRow("one kept") << 1 << 3 << 1;
        QTest::newRow("two kept, three rotations") << 2 << 3 << 2;
        QTest::newRow("three kept, two rotations") << 3 << 2 << 2;
        QTest::newRow("25 cut to 10") << 25 << 11 << 10;
    }
    void rotationKeepsOldLogs()
    {
        QFETCH(int, oldLogs);
        QFETCH(int, rotations);
        QFETCH(int, kept);
        // Each record counts 37 bytes ("rec NN " as message); the maximum
        // holds two, so rotations come at records 3, 6, 9, ... and the record
        // that opens a file is not counted in it.
        const int counted = 37;
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(
            logPath, EnableLogRotation, MaxSizeBytes(2 * counted), MaxOldLogCount(oldLogs)));
        const int records = 3 * rotations + 2;
        for (int i = 1; i <= records; ++i)
            QLOG_INFO() << qPrintable(QString::asprintf("rec %02d", i));
        Logger::destroyInstance();

        auto firstMessage = [](const QString& path) { return messageOf(lines(readAll(path)).value(0)); };
        auto recordName = [](int number) { return QString::asprintf("rec %02d ", number).toLatin1(); };
        QCOMPARE(firstMessage(logPath), recordName(3 * rotations));
        QCOMPARE(lines(readAll(logPath)).size(), 3);
        for (int k = 1; k <= kept; ++k) {
            const int firstRecord = std::max(1, 3 * (rotations - k));
            QCOMPARE(firstMessage(logPath + QString(".%1").arg(k)), recordName(firstRecord));
        }
        QVERIFY(!QFile::exists(logPath + QString(".%1").arg(kept + 1)));
    }

    void textDocumentReceivesTheFileRecords()
    {
        QTextDocument document;
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(logPath));
        Logger::instance().addDestination(DestinationFactory::MakeTextDocumentDestination(&document, false));
        QLOG_INFO() << "opened file " << QStringLiteral("/tmp/a b.fig");
        QLOG_WARN() << "second";
        QLOG_ERROR() << "third";
        Logger::destroyInstance();

        const QByteArray file = readAll(logPath);
        QCOMPARE(lines(file).size(), 3);
        // One record a line, no line feed before the first.
        QCOMPARE(document.toPlainText().toUtf8() + '\n', file);
        QCOMPARE(document.blockCount(), 3);
    }

    void textDocumentInHtml()
    {
        QTextDocument document;
        Logger::instance().addDestination(DestinationFactory::MakeTextDocumentDestination(&document, true));
        QLOG_INFO() << "<b>first</b>";
        QLOG_INFO() << "<i>second</i>";
        QCOMPARE(document.blockCount(), 2);
        QVERIFY(document.toPlainText().endsWith("second "));
        QVERIFY(!document.toPlainText().contains("<i>"));
        QVERIFY(document.toHtml().contains("font-weight:600"));
    }

    void removedDestinationGetsNoMoreRecords()
    {
        auto document = std::make_unique<QTextDocument>();
        const DestinationPtr view = DestinationFactory::MakeTextDocumentDestination(document.get(), false);
        Logger::instance().addDestination(DestinationFactory::MakeFileDestination(logPath));
        Logger::instance().addDestination(view);
        QLOG_INFO() << "both";
        Logger::instance().removeDestination(view);
        QLOG_INFO() << "file only";
        QCOMPARE(document->blockCount(), 1);
        QVERIFY(document->toPlainText().endsWith(" both "));
        // The view's document may go now; the logger no longer touches it.
        document.reset();
        QLOG_INFO() << "after the view";
        Logger::instance().removeDestination(view); // a second removal does nothing
        Logger::destroyInstance();
        const QList<QByteArray> records = lines(readAll(logPath));
        QCOMPARE(records.size(), 3);
        QCOMPARE(messageOf(records[2]), QByteArray("after the view "));
    }

    void destroyInstanceClosesTheFile()
    {
        const DestinationPtr file = DestinationFactory::MakeFileDestination(logPath);
        Logger::instance().addDestination(file);
        QLOG_INFO() << "one";
        Logger::destroyInstance();
        QVERIFY(file->isValid()); // still held here, so still open
        QLOG_INFO() << "to the new, empty logger";
        QCOMPARE(lines(readAll(logPath)).size(), 1);
    }

    void unopenableFileLosesOnlyItsRecords()
    {
        const QString path = dir->filePath("missing/tavrel.log");
        QTextDocument document;
        StderrCapture capture;
        const DestinationPtr file = DestinationFactory::MakeFileDestination(path);
        Logger::instance().addDestination(file);
        Logger::instance().addDestination(DestinationFactory::MakeTextDocumentDestination(&document, false));
        QLOG_INFO() << "still shown";
        QCOMPARE(capture.take(), ("QsLog: could not open log file " + path).toLocal8Bit());
        QVERIFY(!file->isValid());
        QVERIFY(document.toPlainText().endsWith(" still shown "));
    }

    // A link planted at the log's name would have the records, or the
    // emptying of the file, land in whatever file it leads to.
    void fileDestinationDoesNotFollowALink_data()
    {
        QTest::addColumn<bool>("rotation"); // appends; without it the file is emptied
        QTest::addColumn<bool>("dangling"); // the link leads to a name not yet taken
        QTest::newRow("emptied at creation") << false << false;
        QTest::newRow("appended") << true << false;
        QTest::newRow("dangling link") << true << true;
    }
    void fileDestinationDoesNotFollowALink()
    {
        QFETCH(bool, rotation);
        QFETCH(bool, dangling);
        const QString target = dir->filePath("precious.txt");
        if (!dangling)
            writeFile(target, "precious\n");
        QVERIFY(QFile::link(target, logPath));
        StderrCapture capture;
        const DestinationPtr file = rotation
            ? DestinationFactory::MakeFileDestination(logPath, EnableLogRotation, MaxSizeBytes(100), MaxOldLogCount(2))
            : DestinationFactory::MakeFileDestination(logPath);
        Logger::instance().addDestination(file);
        QLOG_INFO() << "not through the link";
        QCOMPARE(capture.take(), ("QsLog: could not open log file " + logPath).toLocal8Bit());
        QVERIFY(!file->isValid());
        QCOMPARE(readAll(target), dangling ? QByteArray("<missing>") : QByteArray("precious\n"));
        QVERIFY(QFileInfo(logPath).isSymLink());
    }

    void copiedHelperStreamsIntoItsOwnBuffer()
    {
        functionRecords.clear();
        Logger::instance().addDestination(DestinationFactory::MakeFunctorDestination(&recordFunction));
        {
            auto original = std::make_unique<Logger::Helper>(WarnLevel);
            original->stream() << "first";
            Logger::Helper copy(*original);
            original.reset();
            // Long enough to make the buffer grow.
            copy.stream() << "second" << QByteArray(1000, 'x').constData();
            // The copy writes texts unquoted as well, also once assigned to.
            copy.stream() << QStringLiteral("/a \"b\"");
            Logger::Helper assigned(ErrorLevel);
            assigned = copy;
            assigned.stream() << QStringLiteral("/c");
        }
        QCOMPARE(functionRecords.size(), 3);
        QVERIFY(functionRecords[0].startsWith("3|WARN  ") && functionRecords[0].endsWith(" first "));
        QVERIFY(functionRecords[1].endsWith(" first second " + QString(1000, 'x') + " /a \"b\" /c "));
        QVERIFY(functionRecords[2].endsWith(" first second " + QString(1000, 'x') + " /a \"b\" "));
    }

    void functorDestinations()
    {
        functionRecords.clear();
        QueuedReceiver receiver;
        Logger::instance().setLoggingLevel(TraceLevel);
        Logger::instance().addDestination(DestinationFactory::MakeFunctorDestination(&recordFunction));
        Logger::instance().addDestination(
            DestinationFactory::MakeFunctorDestination(&receiver, SLOT(take(QString, int))));
        QLOG_TRACE() << "t";
        QLOG_ERROR() << "e";
        QCOMPARE(functionRecords.size(), 2);
        QVERIFY(functionRecords[0].startsWith("0|TRACE "));
        // Queued: nothing arrives before the event loop runs; trace never.
        QVERIFY(receiver.received.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(receiver.received.size(), 1);
        QCOMPARE(receiver.received[0], functionRecords[1]);
    }

    void debugOutputGoesToStandardError()
    {
        Logger::instance().addDestination(DestinationFactory::MakeDebugOutputDestination());
        StderrCapture capture;
        Logger::Helper(InfoLevel).stream() << "to stderr";
        const QByteArray output = capture.take();
        QVERIFY2(output.startsWith("INFO  ") && output.endsWith(" to stderr \n"), output.constData());
        QCOMPARE(lines(output).size(), 1);
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString logPath;
};

TAVREL_TEST_MAIN(TestLogging)
#include "tst_logging.moc"
