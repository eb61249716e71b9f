#pragma once
// Where log records go: a size-rotated file, the standard error stream, a
// callback or Qt signal, and a text document (the main window's log view).
// DestinationFactory makes them; the logger holds them by shared pointer.

#include "app/qslog.h"

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QTextStream>

#include <memory>

class QTextDocument;

namespace QsLogging {

class Destination {
public:
    virtual ~Destination();
    virtual void write(const QString& message, Level level) = 0;
    virtual bool isValid() = 0;
};

// 1 enables size rotation of a log file; any other value disables it.
enum LogRotationOption {
    DisableLogRotation = 0,
    EnableLogRotation = 1,
};

struct MaxSizeBytes {
    MaxSizeBytes() = default;
    explicit MaxSizeBytes(qint64 size_)
        : size(size_)
    {
    }
    qint64 size = 0;
};

struct MaxOldLogCount {
    MaxOldLogCount() = default;
    explicit MaxOldLogCount(int count_)
        : count(count_)
    {
    }
    int count = 0;
};

// Decides when a log file is full and shifts the old logs aside.
class RotationStrategy {
public:
    virtual ~RotationStrategy();
    // The log file by its name and its size on opening (the file itself is
    // opened from a handle and has no name).
    virtual void startFile(const QString& fileName, qint64 size) = 0;
    virtual void countMessage(const QString& message) = 0;
    virtual bool needsRotation() const = 0;
    virtual void rotate() = 0;
    virtual QIODevice::OpenMode openModeFlag() const = 0;
};

// No rotation: the file is emptied when it is opened.
class NullRotationStrategy : public RotationStrategy {
public:
    void startFile(const QString&, qint64) override { }
    void countMessage(const QString&) override { }
    bool needsRotation() const override { return false; }
    void rotate() override { }
    QIODevice::OpenMode openModeFlag() const override { return QIODevice::Truncate; }
};

// Rotation once the counted size passes the maximum: the log L becomes L.1,
// L.k becomes L.(k+1), and the oldest beyond the kept count is dropped.
class SizeRotationStrategy : public RotationStrategy {
public:
    static const int MaxBackupCount = 10;

    void startFile(const QString& fileName, qint64 size) override;
    void countMessage(const QString& message) override;
    bool needsRotation() const override;
    void rotate() override;
    QIODevice::OpenMode openModeFlag() const override { return QIODevice::Append; }

    void setMaxSizeBytes(qint64 size);
    void setMaxOldLogCount(int count);

private:
    QString fileName;
    qint64 currentSizeInBytes = 0;
    qint64 maxSizeInBytes = 0;
    int backupsCount = 0;
};

using RotationStrategyPtr = QSharedPointer<RotationStrategy>;

// A log file in UTF-8, one record a line, flushed after every record.
class FileDestination : public Destination {
public:
    FileDestination(const QString& filePath, RotationStrategyPtr rotationStrategy);
    void write(const QString& message, Level level) override;
    bool isValid() override;

private:
    // Opens the file without following a link at its name.
    bool openFile();

    QString filePath;
    QFile file;
    QTextStream outputStream;
    RotationStrategyPtr rotation;
};

// Each record and a line feed on the standard error stream (the debugger
// output of the Windows build).
class DebugOutputDestination : public Destination {
public:
    void write(const QString& message, Level level) override;
    bool isValid() override { return true; }
};

using LogFunction = void (*)(const QString& message, Level level);

// Hands records to a function and, above trace, to the logMessageReady signal.
class FunctorDestination : public QObject, public Destination {
    Q_OBJECT
public:
    explicit FunctorDestination(LogFunction f);
    FunctorDestination(QObject* receiver, const char* member);
    void write(const QString& message, Level level) override;
    bool isValid() override { return true; }

signals:
    void logMessageReady(const QString& message, int level);

private:
    LogFunction logFunction = nullptr;
};

// Appends records to a text document it does not own, one record a line
// (or one block each in HTML mode), on the document's own thread.
class TextDocumentOutputDestination : public Destination {
public:
    TextDocumentOutputDestination(QTextDocument* document, bool isHtml);
    ~TextDocumentOutputDestination() override;
    void write(const QString& message, Level level) override;
    bool isValid() override { return true; }

private:
    QPointer<QTextDocument> textDocument; // not owned
    bool html;
};

class DestinationFactory {
public:
    static DestinationPtr MakeFileDestination(const QString& filePath, LogRotationOption rotation = DisableLogRotation,
        const MaxSizeBytes& sizeInBytesToRotateAfter = MaxSizeBytes(),
        const MaxOldLogCount& oldLogsToKeep = MaxOldLogCount());
    static DestinationPtr MakeDebugOutputDestination();
    static DestinationPtr MakeFunctorDestination(LogFunction f);
    // logMessageReady(QString,int) reaches the receiver's member (a SLOT()
    // or SIGNAL() signature) through a queued connection.
    static DestinationPtr MakeFunctorDestination(QObject* receiver, const char* member);
    static DestinationPtr MakeTextDocumentDestination(QTextDocument* document, bool isHtml);
};

} // namespace QsLogging
