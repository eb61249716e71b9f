#include "app/externalprograms.h"

#include "app/appdir.h"
#include "app/messagebox.h"
#include "app/platform.h"
#include "app/qslog.h"
#include "app/regularfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>

namespace {

const char logFileName[] = "tavrel.log";

void reportFailure(const QString& report, bool showBox)
{
    appendToLogFile(report);
    if (!showBox)
        return;
    MessageBoxRequest request;
    request.text = report;
    request.buttons = QMessageBox::Ok;
    request.defaultButton = QMessageBox::Ok;
    showMessageBox(request);
}

QString childOutput(QProcess& process)
{
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    return out + QLatin1Char('\n') + err;
}

// Starts the program with the arguments and waits for it; the reports name
// it as `shown`.
bool runProcess(const QString& program, const QStringList& arguments, const QString& shown, bool showBox,
    int finishTimeout, const QString& workingDirectory, QString* failureReport,
    const QProcessEnvironment* environment = nullptr)
{
    auto fail = [failureReport, showBox](const QString& report) {
        if (failureReport)
            *failureReport = report;
        reportFailure(report, showBox);
    };
    // Any negative value would make Qt wait for ever; only -1 is documented,
    // the others are treated alike.
    if (finishTimeout < 0)
        finishTimeout = externalCommandDefaultTimeout;

    QProcess process;
    // A child that reads its standard input (a TeX error prompt) sees its end
    // at once instead of waiting until the time-out.
    process.setStandardInputFile(QProcess::nullDevice());
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    if (environment)
        process.setProcessEnvironment(*environment);
    process.start(program, arguments, QIODevice::ReadWrite);

    if (!process.waitForStarted(externalCommandDefaultTimeout)) {
        const QString report = QStringLiteral("%1 failed with error code %2").arg(shown).arg(int(process.error()))
            + QLatin1Char('\n') + childOutput(process);
        fail(report);
        return false;
    }

    // waitForFinished also gives false when the child ended by an error it
    // reported meanwhile; only a child that is still running has timed out.
    if (!process.waitForFinished(finishTimeout) && process.state() != QProcess::NotRunning) {
        const QString report = QStringLiteral("%1 failed!").arg(shown) + QStringLiteral("\n\n") + childOutput(process);
        process.kill();
        process.waitForFinished(externalCommandDefaultTimeout);
        fail(report);
        return false;
    }

    // A crash or a non-zero exit code means the child did not do its work;
    // callers must not go on with missing or partial output files.
    if (process.exitStatus() == QProcess::CrashExit) {
        const QString report = QStringLiteral("%1 failed with error code %2").arg(shown).arg(int(QProcess::Crashed))
            + QLatin1Char('\n') + childOutput(process);
        fail(report);
        return false;
    }
    if (process.exitCode() != 0) {
        const QString report = QStringLiteral("%1 failed with exit code %2").arg(shown).arg(process.exitCode())
            + QLatin1Char('\n') + childOutput(process);
        fail(report);
        return false;
    }
    return true;
}

} // namespace

bool runExternalCommand(const QString& commandLine, bool showBox, int finishTimeout, const QString& workingDirectory,
    QString* failureReport)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    return runProcess(program, arguments, commandLine, showBox, finishTimeout, workingDirectory, failureReport);
}

bool runExternalProgram(const QString& program, const QStringList& arguments, bool showBox, int finishTimeout,
    const QString& workingDirectory, QString* failureReport)
{
    return runProcess(program, arguments, displayedCommandLine(program, arguments), showBox, finishTimeout,
        workingDirectory, failureReport);
}

bool runExternalProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
    bool showBox, int finishTimeout, const QString& workingDirectory, QString* failureReport)
{
    return runProcess(program, arguments, displayedCommandLine(program, arguments), showBox, finishTimeout,
        workingDirectory, failureReport, &environment);
}

QString displayedCommandLine(const QString& program, const QStringList& arguments)
{
    QStringList parts;
    for (const QString& part : QStringList(program) + arguments) {
        const bool plain = !part.isEmpty()
            && std::none_of(part.begin(), part.end(), [](QChar c) { return c.isSpace() || c == QLatin1Char('"'); });
        parts << (plain ? part
                        : QLatin1Char('"') + QString(part).replace(QLatin1Char('"'), QStringLiteral("\"\""))
                    + QLatin1Char('"'));
    }
    return parts.join(QLatin1Char(' '));
}

bool runExternalCommandDefault(const QString& commandLine, bool showBox, const QString& workingDirectory)
{
    return runExternalCommand(commandLine, showBox, -1, workingDirectory);
}

void appendToLogFile(const QString& message)
{
    // Typesetting runs programs on several threads at once: one entry at a
    // time.
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    // Binary append: line ends are single line feeds, like the logger's records.
    // Before the program directory is known (tests, tools) the name would
    // be one at the root of the file system. An installed program's folder
    // is read-only: the entry then goes to the user's own data folder (a
    // shared temporary folder would let others plant a link at the name).
    // A link at the name is never followed.
    QFile file;
    if (appDir.isEmpty()
        || !openRegularFile(file, appDir + QDir::separator() + QLatin1String(logFileName),
            QIODevice::WriteOnly | QIODevice::Append, LinkHandling::Refuse)) {
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder)
            || !openRegularFile(file, dataFolder + QDir::separator() + QLatin1String(logFileName),
                QIODevice::WriteOnly | QIODevice::Append, LinkHandling::Refuse))
            return;
    }
    QTextStream stream(&file);
    stream << QDateTime::currentDateTime().toString(QStringLiteral("MM/dd/yyyy HH:mm:ss")) << QLatin1Char(' ')
           << message << QLatin1Char('\n');
    stream.flush();
    file.close();
}

void extendPath(const QString& folder)
{
    if (folder.isEmpty())
        return;
    if (!qEnvironmentVariableIsSet("PATH"))
        return;
    // Bytes in, bytes out: folders in PATH that are not valid in any codec
    // survive unchanged.
    QByteArray path = qgetenv("PATH");
    path += platform::pathListSeparator;
    path += QFile::encodeName(folder);
    qputenv("PATH", path);
}

QString findGhostscript()
{
    const QString program = platform::ghostscriptProgramName();
    const QString found = platform::findProgramOnPath(program);
    if (found.isEmpty()) {
        QLOG_INFO() << QStringLiteral("did not find \"%1\" on PATH").arg(program).toUtf8().constData();
        return program;
    }
    QString folder = QFileInfo(found).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QLOG_INFO() << QStringLiteral("GhostScript executable is located in \"%1\"").arg(folder);
    QLOG_INFO() << QStringLiteral("GhostScript executable path is \"%1\"").arg(found);
    return found;
}

QString fileNameOfPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return QFileInfo(path).fileName();
}
