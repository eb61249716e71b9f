#include "app/qslog.h"

#include "app/qslogdest.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

namespace QsLogging {

namespace {

// Indexed by level; every text is five characters so records line up.
const char* const levelTexts[] = { "TRACE", "DEBUG", "INFO ", "WARN ", "ERROR", "FATAL" };

QString levelText(Level level)
{
    if (level < TraceLevel || level > FatalLevel)
        return QStringLiteral("INFO ");
    return QString::fromLatin1(levelTexts[level]);
}

Logger* sInstance = nullptr; // owning; deleted by destroyInstance()

} // namespace

class LoggerImpl {
public:
    QMutex logMutex;
    Level level = InfoLevel;
    QList<DestinationPtr> destinationList;
};

Logger::Logger()
    : d(std::make_unique<LoggerImpl>())
{
}

Logger::~Logger() = default;

Logger& Logger::instance()
{
    if (!sInstance)
        sInstance = new Logger;
    return *sInstance;
}

void Logger::destroyInstance()
{
    delete sInstance;
    sInstance = nullptr;
}

Level Logger::levelFromLogMessage(const QString& logMessage, bool* conversionSucceeded)
{
    if (conversionSucceeded)
        *conversionSucceeded = true;
    for (int level = TraceLevel; level <= FatalLevel; ++level) {
        if (logMessage.startsWith(QLatin1String(levelTexts[level])))
            return static_cast<Level>(level);
    }
    if (conversionSucceeded)
        *conversionSucceeded = false;
    return OffLevel;
}

void Logger::addDestination(DestinationPtr destination)
{
    d->destinationList.append(std::move(destination));
}

void Logger::removeDestination(const DestinationPtr& destination)
{
    // Under the lock, so a record being handed out meanwhile finishes first.
    QMutexLocker lock(&d->logMutex);
    d->destinationList.removeAll(destination);
}

void Logger::setLoggingLevel(Level newLevel)
{
    d->level = newLevel;
}

Level Logger::loggingLevel() const
{
    return d->level;
}

void Logger::enqueueWrite(const QString& message, Level level)
{
    write(message, level);
}

void Logger::write(const QString& message, Level level)
{
    QMutexLocker lock(&d->logMutex);
    for (const DestinationPtr& destination : qAsConst(d->destinationList))
        destination->write(message, level);
}

// Texts go into a record as they are: a path or a message with quotes in it
// reads in the log as it was written, not in the debug stream's quoted and
// escaped form. Items are still separated by a blank.
Logger::Helper::Helper(Level logLevel)
    : level(logLevel)
    , qtDebug(&buffer)
{
    qtDebug.noquote();
}

// A copy streams into its own buffer: sharing the original's stream would
// leave it writing into a buffer that dies with the original.
Logger::Helper::Helper(const Helper& other)
    : level(other.level)
    , buffer(other.buffer)
    , qtDebug(&buffer)
{
    qtDebug.noquote();
    qtDebug.setAutoInsertSpaces(other.qtDebug.autoInsertSpaces());
}

Logger::Helper& Logger::Helper::operator=(const Helper& other)
{
    if (this != &other) {
        level = other.level;
        buffer = other.buffer;
        qtDebug = QDebug(&buffer);
        qtDebug.noquote();
        qtDebug.setAutoInsertSpaces(other.qtDebug.autoInsertSpaces());
    }
    return *this;
}

Logger::Helper::~Helper()
{
    writeToLog();
}

void Logger::Helper::writeToLog()
{
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss.zzz"));
    // One arg() call: a "%1" inside the message is not substituted again.
    const QString record = QStringLiteral("%1 %2 %3").arg(levelText(level), time, buffer);
    Logger::instance().enqueueWrite(record, level);
}

} // namespace QsLogging
