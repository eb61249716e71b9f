#pragma once
// The program-wide logger: a minimum level and an ordered list of
// destinations. A record is collected by a short-lived Logger::Helper and
// handed to every destination, under one mutex, when the Helper goes away.

#include <QDebug>
#include <QSharedPointer>
#include <QString>

#include <memory>

namespace QsLogging {

enum Level : int {
    TraceLevel = 0,
    DebugLevel = 1,
    InfoLevel = 2,
    WarnLevel = 3,
    ErrorLevel = 4,
    FatalLevel = 5,
    OffLevel = 6,
};

class Destination;
using DestinationPtr = QSharedPointer<Destination>;
class LoggerImpl;

class Logger {
public:
    // The singleton, made on first use.
    static Logger& instance();
    // Deletes the singleton with its destinations (which closes a log file);
    // a later instance() starts an empty logger.
    static void destroyInstance();

    // The level of the record text's leading five characters; OffLevel and
    // the flag false when it begins with none of them.
    static Level levelFromLogMessage(const QString& logMessage, bool* conversionSucceeded = nullptr);

    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    void addDestination(DestinationPtr destination);
    // Takes the destination out of the list; it receives no record after this
    // returns. Owners of a destination's target (the log view's document)
    // call this before the target goes away.
    void removeDestination(const DestinationPtr& destination);

    void setLoggingLevel(Level newLevel);
    Level loggingLevel() const;

    // One record in the making; its destructor completes the record and hands
    // it to the logger.
    class Helper {
    public:
        explicit Helper(Level logLevel);
        Helper(const Helper& other);
        Helper& operator=(const Helper& other);
        ~Helper();

        QDebug& stream() { return qtDebug; }

    private:
        void writeToLog();

        Level level;
        QString buffer;
        QDebug qtDebug; // writes into buffer, so it is declared after it
    };

private:
    Logger();
    ~Logger();
    void write(const QString& message, Level level);
    void enqueueWrite(const QString& message, Level level);

    std::unique_ptr<LoggerImpl> d;
};

} // namespace QsLogging

// Shorthands for the callers' convention: a record below the logger's level
// is not made at all, so nothing streamed into it is evaluated.
#define QLOG_RECORD(lvl)                                                                                               \
    if (QsLogging::Logger::instance().loggingLevel() > (lvl)) {                                                        \
    } else                                                                                                             \
        QsLogging::Logger::Helper(lvl).stream()
#define QLOG_TRACE() QLOG_RECORD(QsLogging::TraceLevel)
#define QLOG_DEBUG() QLOG_RECORD(QsLogging::DebugLevel)
#define QLOG_INFO() QLOG_RECORD(QsLogging::InfoLevel)
#define QLOG_WARN() QLOG_RECORD(QsLogging::WarnLevel)
#define QLOG_ERROR() QLOG_RECORD(QsLogging::ErrorLevel)
#define QLOG_FATAL() QLOG_RECORD(QsLogging::FatalLevel)
