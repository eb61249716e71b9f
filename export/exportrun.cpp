#include "export/exportrun.h"

#include "app/appdir.h"
#include "app/externalprograms.h"
#include "app/platform.h"
#include "app/privatefolder.h"
#include "export/exportoptions.h"
#include "export/picturenames.h"
#include "model/figcontext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

// The run's own files begin with this; no user's name is taken for one.
const char ownPrefix[] = "tavrel-";
const char pictureLink[] = "tavrel-pictures";
const char drawingFallback[] = "tavrel-drawing.fig";
const char outputFallback[] = "tavrel-export";

QString childOutput(QProcess& process)
{
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    return out + QLatin1Char('\n') + err;
}

bool readWhole(const QString& path, QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        return false;
    }
    file.close();
    return true;
}

// Copies the file into the save file as it is; false on any read or write
// error, and when not every byte reached the disk.
bool copyInto(const QString& source, QSaveFile& target, QString& error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty()) {
            error = in.errorString();
            return false;
        }
        if (target.write(chunk) != chunk.size()) {
            error = target.errorString();
            return false;
        }
    }
    if (!target.flush() || target.error() != QFileDevice::NoError) {
        error = target.errorString();
        return false;
    }
    return true;
}

} // namespace

ExportRun::ExportRun(CFigContext* context, const QString& figPath)
    : context(context)
    , figPath(figPath)
{
}

ExportRun::~ExportRun() = default;

QString ExportRun::folder() const
{
    return dir ? dir->path() : QString();
}

bool ExportRun::isPlainName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._+-]{0,119}$"));
    return plain.match(name).hasMatch() && !name.startsWith(QLatin1String(ownPrefix), Qt::CaseInsensitive);
}

bool ExportRun::nameTaken(const QString& name) const
{
    if (name.compare(drawingName, Qt::CaseInsensitive) == 0)
        return true;
    for (const Output& output : outputs) {
        if (name.compare(output.name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool ExportRun::prepare()
{
    dir = makePrivateFolder(QStringLiteral("tavrel-export-"));
    if (!dir) {
        ExportOptions::reportFailure(
            QStringLiteral("Couldn't make a private folder for the export in %1").arg(privateFolderBase()));
        return false;
    }
    const QFileInfo source(figPath);
    drawingName = isPlainName(source.fileName()) ? source.fileName() : QString::fromLatin1(drawingFallback);
    const QString copy = dir->filePath(drawingName);

    QByteArray text;
    QString error;
    if (!figPath.isEmpty() && source.isFile()) {
        if (!readWhole(figPath, text, error)) {
            ExportOptions::reportFailure(QStringLiteral("Couldn't read file %1, %2").arg(figPath, error));
            return false;
        }
    } else if (context) {
        // Never saved, or its file is gone: what the window shows.
        text = context->figText();
    } else {
        ExportOptions::reportFailure(QStringLiteral("Couldn't write file %1").arg(copy));
        return false;
    }

    // fig2dev finds pictures with relative names beside the Fig file it
    // reads: the copy reaches them through a link to the drawing's folder.
    int linked = 0;
    text = prefixRelativePictureNames(text, QByteArray(pictureLink) + '/', &linked);
    const QString drawingFolder = figPath.isEmpty() ? QDir::currentPath() : source.absolutePath();
    if (linked > 0 && !QFile::link(drawingFolder, dir->filePath(QLatin1String(pictureLink)))) {
        ExportOptions::reportFailure(QStringLiteral("Couldn't link the pictures' folder %1").arg(drawingFolder));
        return false;
    }
    if (!writeWhole(copy, text, error)) {
        ExportOptions::reportFailure(QStringLiteral("Couldn't write file %1, %2").arg(copy, error));
        return false;
    }
    return true;
}

QString ExportRun::addOutput(const QString& target, const QString& name)
{
    const QFileInfo info(target);
    // fig2dev refuses to write a Fig file; no route of the export does.
    if (info.suffix().compare(QLatin1String("fig"), Qt::CaseInsensitive) == 0) {
        ExportOptions::reportFailure(QStringLiteral("Outfile is a .fig file, aborting"));
        return QString();
    }
    const QFileInfo drawingFile(figPath);
    if (!figPath.isEmpty() && drawingFile.exists() && info.exists()
        && drawingFile.canonicalFilePath() == info.canonicalFilePath()) {
        ExportOptions::reportFailure(
            QStringLiteral("%1 is the drawing being exported: it is not overwritten.").arg(target));
        return QString();
    }

    QString chosen = name;
    if (chosen.isEmpty()) {
        chosen = info.fileName();
        if (!isPlainName(chosen) || nameTaken(chosen)) {
            const QString suffix = info.suffix();
            const QString dotSuffix = isPlainName(suffix) ? QLatin1Char('.') + suffix : QString();
            chosen = QLatin1String(outputFallback) + dotSuffix;
            for (int n = 2; nameTaken(chosen); ++n)
                chosen = QLatin1String(outputFallback) + QString::number(n) + dotSuffix;
        }
    }
    outputs.push_back({ chosen, target });
    return chosen;
}

bool ExportRun::madeFile(const QString& name, const QString& command)
{
    const QFileInfo made(dir->filePath(name));
    if (made.isFile() && made.size() > 0)
        return true;
    const QString problem = made.exists() ? QStringLiteral("The output file %1 is empty.").arg(name)
                                          : QStringLiteral("No output file %1 was written.").arg(name);
    ExportOptions::reportFailure(QStringLiteral("%1 failed\n\n%2").arg(command, problem));
    return false;
}

bool ExportRun::runFig2dev(const QStringList& options, const QString& outputName)
{
    const QStringList arguments = options + QStringList { drawingName, outputName };
    return runFig2devProgram(arguments, folder())
        && madeFile(outputName, displayedCommandLine(platform::fig2devProgramName(), arguments));
}

bool ExportRun::runProgram(const QString& program, const QStringList& arguments, const QString& makes, int timeout)
{
    QString report;
    // The runner logs the failure; the box is the export's.
    if (!runExternalProgram(program, arguments, false, timeout, folder(), &report)) {
        ExportOptions::showFailureBox(report);
        return false;
    }
    return madeFile(makes, displayedCommandLine(program, arguments));
}

bool ExportRun::finish()
{
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (const Output& output : outputs) {
        if (!madeFile(output.name, output.target))
            return false;
        // Beside the target, so that the rename below cannot cross file
        // systems; an uncommitted file is removed with its object.
        auto file = std::make_unique<QSaveFile>(output.target);
        QString error;
        bool copied = file->open(QIODevice::WriteOnly);
        if (!copied)
            error = file->errorString();
        else
            copied = copyInto(dir->filePath(output.name), *file, error);
        if (!copied) {
            ExportOptions::reportFailure(QStringLiteral("Couldn't write file %1, %2").arg(output.target, error));
            return false;
        }
        files.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i]->commit()) {
            ExportOptions::reportFailure(
                QStringLiteral("Couldn't write file %1, %2").arg(outputs[i].target, files[i]->errorString()));
            return false;
        }
    }
    return true;
}

bool runFig2devProgram(const QStringList& arguments, const QString& workingFolder)
{
    const QString program = platform::fig2devProgramName();
    const QString commandLine = displayedCommandLine(program, arguments);
    QProcess process;
    // A child that reads its standard input sees its end at once.
    process.setStandardInputFile(QProcess::nullDevice());
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    QString started;
    // The program folder's fig2dev first. Its path is handed over as the
    // program itself, so blanks in the folder's name do no harm.
    if (!appDir.isEmpty()) {
        process.start(QDir(appDir).filePath(program), arguments, QIODevice::ReadWrite);
        if (process.waitForStarted(ExportOptions::startTimeout))
            started = QDir::toNativeSeparators(appDir) + QDir::separator() + commandLine;
    }
    if (started.isEmpty()) {
        process.start(program, arguments, QIODevice::ReadWrite);
        if (process.waitForStarted(ExportOptions::startTimeout))
            started = commandLine;
    }
    if (started.isEmpty()) {
        ExportOptions::reportFailure(
            QStringLiteral("%1 failed with error code %2").arg(commandLine).arg(int(process.error()))
            + QLatin1Char('\n') + childOutput(process));
        return false;
    }

    // waitForFinished also gives false when the child ended meanwhile; only a
    // child that still runs has timed out.
    if (!process.waitForFinished(ExportOptions::finishTimeout) && process.state() != QProcess::NotRunning) {
        const QString message
            = QStringLiteral("%1 failed").arg(started) + QStringLiteral("\n\n") + childOutput(process);
        process.kill();
        process.waitForFinished(ExportOptions::startTimeout);
        ExportOptions::reportFailure(message);
        return false;
    }
    // A crash or an error exit means fig2dev did not do its work, whatever
    // it may have left in the output file.
    if (process.exitStatus() == QProcess::CrashExit) {
        ExportOptions::reportFailure(
            QStringLiteral("%1 failed with error code %2").arg(started).arg(int(QProcess::Crashed)) + QLatin1Char('\n')
            + childOutput(process));
        return false;
    }
    if (process.exitCode() != 0) {
        ExportOptions::reportFailure(QStringLiteral("%1 failed with exit code %2").arg(started).arg(process.exitCode())
            + QLatin1Char('\n') + childOutput(process));
        return false;
    }
    return true;
}

QStringList optionArguments(const QString& options)
{
    return QProcess::splitCommand(options);
}

QString quotedOption(const QString& value)
{
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"\"")) + QLatin1Char('"');
}
