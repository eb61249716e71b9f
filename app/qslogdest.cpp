#include "app/qslogdest.h"

#include "app/regularfile.h"

#include <QMetaObject>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace QsLogging {

namespace {

// Failures of the logging itself have nowhere else to go; no line end, so
// each message runs on into whatever is written next.
void reportToStandardError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

const char* const fileCodec = "UTF-8";

} // namespace

Destination::~Destination() = default;

RotationStrategy::~RotationStrategy() = default;

void SizeRotationStrategy::startFile(const QString& name, qint64 size)
{
    fileName = name;
    currentSizeInBytes = size;
}

void SizeRotationStrategy::countMessage(const QString& message)
{
    currentSizeInBytes += message.toUtf8().size();
}

bool SizeRotationStrategy::needsRotation() const
{
    return currentSizeInBytes > maxSizeInBytes;
}

void SizeRotationStrategy::setMaxSizeBytes(qint64 size)
{
    maxSizeInBytes = size;
}

void SizeRotationStrategy::setMaxOldLogCount(int count)
{
    backupsCount = std::min(count, int(MaxBackupCount));
}

void SizeRotationStrategy::rotate()
{
    if (backupsCount == 0) {
        if (!QFile::remove(fileName))
            reportToStandardError(QStringLiteral("QsLog: backup delete failed ") + fileName);
        return;
    }

    const QString logNamePattern = fileName + QStringLiteral(".%1");
    // The highest existing old log that moves up one place; the one in the
    // last kept place is overwritten by its predecessor, so it is dropped.
    int lastExistingBackupIndex = 0;
    for (int i = 1; i <= backupsCount; ++i) {
        if (!QFile::exists(logNamePattern.arg(i)))
            break;
        lastExistingBackupIndex = std::min(i, backupsCount - 1);
    }

    for (int i = lastExistingBackupIndex; i >= 1; --i) {
        const QString oldName = logNamePattern.arg(i);
        const QString newName = logNamePattern.arg(i + 1);
        QFile::remove(newName);
        if (!QFile::rename(oldName, newName))
            reportToStandardError(
                QStringLiteral("QsLog: could not rename backup ") + oldName + QStringLiteral(" to ") + newName);
    }

    const QString newestBackup = logNamePattern.arg(1);
    if (QFile::exists(newestBackup))
        QFile::remove(newestBackup);
    if (!QFile::rename(fileName, newestBackup))
        reportToStandardError(
            QStringLiteral("QsLog: could not rename log ") + fileName + QStringLiteral(" to ") + newestBackup);
}

FileDestination::FileDestination(const QString& path, RotationStrategyPtr rotationStrategy)
    : filePath(path)
    , rotation(std::move(rotationStrategy))
{
    if (!openFile())
        reportToStandardError(QStringLiteral("QsLog: could not open log file ") + filePath);
    outputStream.setDevice(&file);
    outputStream.setCodec(fileCodec);
    rotation->startFile(filePath, file.size());
}

bool FileDestination::openFile()
{
    // A link planted at the log's name would have the records (or the
    // truncation) land in another file.
    return openRegularFile(
        file, filePath, QIODevice::WriteOnly | QIODevice::Text | rotation->openModeFlag(), LinkHandling::Refuse);
}

void FileDestination::write(const QString& message, Level)
{
    rotation->countMessage(message);
    if (rotation->needsRotation()) {
        outputStream.setDevice(nullptr);
        file.close();
        rotation->rotate();
        if (!openFile())
            reportToStandardError(QStringLiteral("QsLog: could not reopen log file ") + filePath);
        rotation->startFile(filePath, file.size());
        // Attaching a device resets the stream's codec to the locale's; the
        // new file must stay UTF-8 like the one before it.
        outputStream.setDevice(&file);
        outputStream.setCodec(fileCodec);
    }

    // A file that could not be opened loses the record (other destinations
    // still get it).
    if (!file.isOpen())
        return;
    outputStream << message << '\n';
    outputStream.flush();
}

bool FileDestination::isValid()
{
    return file.isOpen();
}

void DebugOutputDestination::write(const QString& message, Level)
{
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
}

FunctorDestination::FunctorDestination(LogFunction f)
    : logFunction(f)
{
}

FunctorDestination::FunctorDestination(QObject* receiver, const char* member)
{
    // The receiver names its member as a signature, so this is one of the few
    // string-based connections.
    connect(this, SIGNAL(logMessageReady(QString, int)), receiver, member, Qt::QueuedConnection);
}

void FunctorDestination::write(const QString& message, Level level)
{
    if (logFunction)
        logFunction(message, level);
    if (level > TraceLevel)
        emit logMessageReady(message, level);
}

TextDocumentOutputDestination::TextDocumentOutputDestination(QTextDocument* document, bool isHtml)
    : textDocument(document)
    , html(isHtml)
{
}

TextDocumentOutputDestination::~TextDocumentOutputDestination() = default;

namespace {

// Appends a record as a line (or an HTML block) of its own at the end.
void appendRecord(QTextDocument* document, const QString& message, bool html)
{
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    if (html) {
        if (!end.atStart())
            end.insertBlock();
        end.insertHtml(message);
    } else {
        if (!end.atStart())
            end.insertText(QStringLiteral("\n"));
        end.insertText(message);
    }
}

} // namespace

void TextDocumentOutputDestination::write(const QString& message, Level)
{
    // The document belongs to the log view; once it is gone there is nowhere
    // to write.
    if (!textDocument)
        return;
    // A document may only be changed on its own thread: a record made on
    // another one (a running script's) is appended there, a moment later.
    if (QThread::currentThread() != textDocument->thread()) {
        QPointer<QTextDocument> document = textDocument;
        const bool asHtml = html;
        QMetaObject::invokeMethod(
            textDocument.data(),
            [document, message, asHtml] {
                if (document)
                    appendRecord(document.data(), message, asHtml);
            },
            Qt::QueuedConnection);
        return;
    }
    appendRecord(textDocument.data(), message, html);
}

DestinationPtr DestinationFactory::MakeFileDestination(const QString& filePath, LogRotationOption rotation,
    const MaxSizeBytes& sizeInBytesToRotateAfter, const MaxOldLogCount& oldLogsToKeep)
{
    if (rotation == EnableLogRotation) {
        auto logRotation = QSharedPointer<SizeRotationStrategy>::create();
        logRotation->setMaxSizeBytes(sizeInBytesToRotateAfter.size);
        logRotation->setMaxOldLogCount(oldLogsToKeep.count);
        return DestinationPtr(new FileDestination(filePath, logRotation));
    }
    return DestinationPtr(new FileDestination(filePath, RotationStrategyPtr(new NullRotationStrategy)));
}

DestinationPtr DestinationFactory::MakeDebugOutputDestination()
{
    return DestinationPtr(new DebugOutputDestination);
}

DestinationPtr DestinationFactory::MakeFunctorDestination(LogFunction f)
{
    return DestinationPtr(new FunctorDestination(f));
}

DestinationPtr DestinationFactory::MakeFunctorDestination(QObject* receiver, const char* member)
{
    return DestinationPtr(new FunctorDestination(receiver, member));
}

DestinationPtr DestinationFactory::MakeTextDocumentDestination(QTextDocument* document, bool isHtml)
{
    return DestinationPtr(new TextDocumentOutputDestination(document, isHtml));
}

} // namespace QsLogging
