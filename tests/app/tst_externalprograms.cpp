// The external program runner, its failure log, the PATH extension and the
// Ghostscript lookup, with stand-in shell scripts put first on PATH.

#include "app/appdir.h"
#include "app/externalprograms.h"
#include "support/logrecorder.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace {

void writeScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("#!/bin/sh\n" + body);
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

// One failure entry: the time stamp (checked against the clock) and the
// message, which may span several lines.
QString entryMessage(const QByteArray& log)
{
    static const QRegularExpression entry(QStringLiteral("^(\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d) (.*)\\n$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = entry.match(QString::fromUtf8(log));
    if (!match.hasMatch())
        return QStringLiteral("<no entry in: %1>").arg(QString::fromUtf8(log));
    const QDateTime stamp = QDateTime::fromString(match.captured(1), QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    if (!stamp.isValid() || qAbs(stamp.secsTo(QDateTime::currentDateTime())) > 120)
        return QStringLiteral("<bad time stamp: %1>").arg(match.captured(1));
    return match.captured(2);
}

} // namespace

class TestExternalPrograms : public QObject {
    Q_OBJECT

    QTemporaryDir bin; // the stand-in programs, first on PATH
    QByteArray originalPath;
    std::unique_ptr<QTemporaryDir> programDir;

    QString logPath() const { return appDir + QStringLiteral("/tavrel.log"); }
    // Where the log goes when the program directory cannot take it.
    QString dataLogPath() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/tavrel.log");
    }
    QString argsPath() const { return bin.filePath(QStringLiteral("args.txt")); }

private slots:
    void initTestCase()
    {
        QVERIFY(bin.isValid());
        originalPath = qgetenv("PATH");
        const QByteArray args = QFile::encodeName(argsPath());
        writeScript(bin.filePath("logargs"),
            ": > '" + args + "'\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + args + "'; done\n");
        writeScript(bin.filePath("failing"), "echo to stdout\necho to stderr >&2\nexit \"$1\"\n");
        writeScript(bin.filePath("crashing"), "echo before crash\nkill -KILL $$\n");
        writeScript(bin.filePath("sleeper"),
            "echo $$ > '" + QFile::encodeName(bin.filePath("sleeper.pid")) + "'\necho started\nexec sleep 30\n");
        writeScript(bin.filePath("reader"), "exec cat\n");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + originalPath);
    }

    void cleanupTestCase() { qputenv("PATH", originalPath); }

    void init()
    {
        programDir = std::make_unique<QTemporaryDir>();
        QVERIFY(programDir->isValid());
        appDir = programDir->path();
        QFile::remove(dataLogPath());
    }

    void cleanup()
    {
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + originalPath);
        appDir.clear();
        programDir.reset();
    }

    void commandLineReachesChildWithoutShell_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("plain") << "logargs -E* -o out.eps in.dvi" << QStringList({ "-E*", "-o", "out.eps", "in.dvi" });
        QTest::newRow("quoted part is one argument")
            << "logargs -L pdf \"/tmp/my drawing.fig\" x" << QStringList({ "-L", "pdf", "/tmp/my drawing.fig", "x" });
        QTest::newRow("shell characters stay literal")
            << "logargs $HOME ; a|b `id` > f" << QStringList({ "$HOME", ";", "a|b", "`id`", ">", "f" });
        QTest::newRow("no arguments") << "logargs" << QStringList();
    }
    void commandLineReachesChildWithoutShell()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, arguments);
        MessageBoxRecorder boxes;
        QVERIFY(runExternalCommandDefault(commandLine, true));
        const QString received = QString::fromUtf8(readFile(argsPath()));
        QCOMPARE(received, arguments.isEmpty() ? QString() : arguments.join('\n') + '\n');
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(!QFile::exists(logPath()));
    }

    void failureIsReported_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("finishTimeout");
        QTest::addColumn<bool>("showBox");
        QTest::addColumn<QString>("report");
        QTest::newRow("missing program") << "tavrel-no-such-program -x \"a b\"" << -1 << true
                                         << "tavrel-no-such-program -x \"a b\" failed with error code 0\n\n";
        QTest::newRow("missing program, no box")
            << "tavrel-no-such-program" << -1 << false << "tavrel-no-such-program failed with error code 0\n\n";
        QTest::newRow("exit code 1") << "failing 1" << -1 << true
                                     << "failing 1 failed with exit code 1\nto stdout\n\nto stderr\n";
        QTest::newRow("exit code 3, no box")
            << "failing 3" << 10000 << false << "failing 3 failed with exit code 3\nto stdout\n\nto stderr\n";
        QTest::newRow("crash") << "crashing" << -1 << true << "crashing failed with error code 1\nbefore crash\n\n";
        QTest::newRow("time-out") << "sleeper" << 500 << true << "sleeper failed!\n\nstarted\n\n";
    }
    void failureIsReported()
    {
        QFETCH(QString, commandLine);
        QFETCH(int, finishTimeout);
        QFETCH(bool, showBox);
        QFETCH(QString, report);
        MessageBoxRecorder boxes;
        QVERIFY(!runExternalCommand(commandLine, showBox, finishTimeout));
        QCOMPARE(entryMessage(readFile(logPath())), report);
        QCOMPARE(boxes.boxes.size(), showBox ? 1 : 0);
        if (showBox) {
            QCOMPARE(boxes.boxes[0].text, report);
            QCOMPARE(boxes.boxes[0].parent, nullptr);
            QCOMPARE(boxes.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
    }

    void timedOutChildIsKilled()
    {
        QFile::remove(bin.filePath("sleeper.pid"));
        QVERIFY(!runExternalCommand("sleeper", false, 500));
        const pid_t pid = readFile(bin.filePath("sleeper.pid")).trimmed().toInt();
        QVERIFY(pid > 0);
        // Killed and reaped: not even a zombie is left.
        errno = 0;
        QCOMPARE(::kill(pid, 0), -1);
        QCOMPARE(errno, ESRCH);
    }

    void standardInputIsClosed()
    {
        // Without a closed input the child would wait for input until the time-out.
        QVERIFY(runExternalCommand("reader", false, 5000));
        QVERIFY(!QFile::exists(logPath()));
    }

    void logEntriesAreAppended()
    {
        QFile file(logPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("INFO  2026-12-10T10:00:00.000 earlier record \n");
        file.close();
        appendToLogFile("first\nsecond line");
        appendToLogFile("third");
        const QList<QByteArray> parts = readFile(logPath()).split('\n');
        QCOMPARE(parts.size(), 5);
        QCOMPARE(parts[0], QByteArray("INFO  2026-12-10T10:00:00.000 earlier record "));
        QCOMPARE(entryMessage(parts[1] + '\n' + parts[2] + '\n'), QStringLiteral("first\nsecond line"));
        QCOMPARE(entryMessage(parts[3] + '\n'), QStringLiteral("third"));
        QCOMPARE(parts[4], QByteArray());
    }

    void logFallsBackToDataFolder_data()
    {
        QTest::addColumn<QString>("programDirState");
        QTest::newRow("program directory missing") << "missing";
        QTest::newRow("log name taken by a folder") << "taken";
        // Not "/tavrel.log" at the root of the file system.
        QTest::newRow("program directory not set") << "unset";
    }
    void logFallsBackToDataFolder()
    {
        QFETCH(QString, programDirState);
        if (programDirState == "missing")
            appDir = programDir->filePath("gone");
        else if (programDirState == "taken")
            QVERIFY(QDir().mkdir(logPath()));
        else
            appDir.clear();
        MessageBoxRecorder boxes;
        QVERIFY(!runExternalCommand("failing 2", false, -1));
        QCOMPARE(entryMessage(readFile(dataLogPath())),
            QStringLiteral("failing 2 failed with exit code 2\nto stdout\n\nto stderr\n"));
        QFile::remove(dataLogPath());
    }

    void logEntryLostWhenNoFileOpens()
    {
        appDir = programDir->filePath("gone");
        QVERIFY(QDir().mkpath(dataLogPath()));
        appendToLogFile("nowhere to go");
        QVERIFY(QFileInfo(dataLogPath()).isDir());
        QVERIFY(QDir().rmdir(dataLogPath()));
    }

    // A link planted at a log's name, leading to a file of the user's or to
    // a name not yet taken, is never written through; the shared temporary
    // folder is not used at all.
    void logDoesNotFollowALink_data()
    {
        QTest::addColumn<QString>("linkAt"); // "program", "data" or "temporary"
        QTest::addColumn<bool>("programDirMissing");
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<QString>("entryIn"); // "data", or empty: dropped
        QTest::newRow("program folder's log") << "program" << false << false << "data";
        QTest::newRow("program folder's log, dangling") << "program" << false << true << "data";
        QTest::newRow("data folder's log") << "data" << true << false << "";
        QTest::newRow("data folder's log, dangling") << "data" << true << true << "";
        QTest::newRow("former temporary name") << "temporary" << true << false << "data";
    }
    void logDoesNotFollowALink()
    {
        QFETCH(QString, linkAt);
        QFETCH(bool, programDirMissing);
        QFETCH(bool, dangling);
        QFETCH(QString, entryIn);
        const QString target = programDir->filePath("precious.txt");
        if (!dangling)
            writeFile(target, "precious\n");
        const QString link = linkAt == "program" ? logPath()
            : linkAt == "data"                   ? dataLogPath()
                                                 : QDir::tempPath() + QStringLiteral("/tavrel.log");
        QVERIFY(QDir().mkpath(QFileInfo(link).absolutePath()));
        QVERIFY(QFile::link(target, link));
        if (programDirMissing)
            appDir = programDir->filePath("gone");

        appendToLogFile("planted");
        QCOMPARE(readFile(target), dangling ? QByteArray() : QByteArray("precious\n"));
        QVERIFY(dangling ? !QFile::exists(target) : QFileInfo(target).isFile());
        QVERIFY(QFileInfo(link).isSymLink());
        if (entryIn == "data")
            QCOMPARE(entryMessage(readFile(dataLogPath())), QStringLiteral("planted"));
        QVERIFY(QFile::remove(link));
    }

    void extendPathKeepsBytes()
    {
        // An existing entry that is not valid UTF-8 must come back unchanged.
        const QByteArray before = QFile::encodeName(bin.path()) + ":/opt/\xff\xfe-raw:" + originalPath;
        qputenv("PATH", before);
        extendPath(QString());
        QCOMPARE(qgetenv("PATH"), before);

        const QString folder = programDir->filePath(QString::fromUtf8("Zeichnung-\xc3\xa4\xc3\xb6 bin"));
        QVERIFY(QDir().mkpath(folder));
        writeScript(folder + "/tavrel-extended-only", "exit 0\n");
        extendPath(folder);
        const QByteArray after = qgetenv("PATH");
        QCOMPARE(after, before + ':' + QFile::encodeName(folder));
        QCOMPARE(QFile::decodeName(after.mid(before.size() + 1)), folder);
        // Children started afterwards find programs in the added folder.
        QVERIFY(runExternalCommand("tavrel-extended-only", false, 5000));
    }

    void extendPathWithoutPath()
    {
        qunsetenv("PATH");
        extendPath("/opt/tools");
        QVERIFY(!qEnvironmentVariableIsSet("PATH"));
    }

    void findGhostscript_data()
    {
        QTest::addColumn<bool>("standIn");
        QTest::addColumn<bool>("relativeEntry");
        QTest::newRow("none on PATH") << false << false;
        QTest::newRow("stand-in on PATH") << true << false;
        QTest::newRow("stand-in in a relative PATH entry") << true << true;
    }
    void findGhostscript()
    {
        QFETCH(bool, standIn);
        QFETCH(bool, relativeEntry);
        const QString gsDir = programDir->filePath("gsbin");
        QVERIFY(QDir().mkpath(gsDir));
        if (standIn)
            writeScript(gsDir + "/gs", "exit 0\n");
        const QString savedCurrent = QDir::currentPath();
        if (relativeEntry)
            QVERIFY(QDir::setCurrent(programDir->path()));
        // Only the stand-in folder, so that an installed gs does not count.
        qputenv("PATH", relativeEntry ? QByteArray("gsbin") : QFile::encodeName(gsDir));

        LogRecorder log;
        const QString found = ::findGhostscript();
        QDir::setCurrent(savedCurrent);

        QStringList messages;
        for (const QString& record : qAsConst(log.records))
            messages << record.section(' ', 3); // after the level (two fields for "INFO ") and the time
        if (standIn) {
            const QString path = QFileInfo(gsDir + "/gs").absoluteFilePath();
            QCOMPARE(found, path);
            QCOMPARE(messages,
                QStringList({ QStringLiteral("GhostScript executable is located in \"%1/\" ")
                                  .arg(QFileInfo(gsDir).absoluteFilePath()),
                    QStringLiteral("GhostScript executable path is \"%1\" ").arg(path) }));
        } else {
            QCOMPARE(found, QStringLiteral("gs"));
            QCOMPARE(messages, QStringList({ QStringLiteral("did not find \"gs\" on PATH ") }));
        }
    }

    void fileNameOfPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("absolute") << "/home/u/pictures/photo.eps"
                                  << "photo.eps";
        QTest::newRow("bare name") << "photo.eps"
                                   << "photo.eps";
        QTest::newRow("ends in a separator") << "/home/u/pictures/" << QString();
        QTest::newRow("dot in a folder") << "/home/u.v/pic"
                                         << "pic";
    }
    void fileNameOfPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(::fileNameOfPath(path), name);
    }
};

TAVREL_TEST_MAIN(TestExternalPrograms)
#include "tst_externalprograms.moc"
