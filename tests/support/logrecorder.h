#pragma once
// Records every log record while it is alive (an extra destination of the
// program's logger), and gives them back as their level and text. One
// recorder at a time.

#include "app/qslog.h"
#include "app/qslogdest.h"

#include <QStringList>

class LogRecorder {
public:
    LogRecorder()
        : destination(QsLogging::DestinationFactory::MakeFunctorDestination(&record))
    {
        active() = this;
        QsLogging::Logger::instance().addDestination(destination);
    }
    ~LogRecorder()
    {
        QsLogging::Logger::instance().removeDestination(destination);
        active() = nullptr;
    }
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;

    // The records of the levels given ("ERROR", "WARN"...), each as its level
    // and its text without the time stamp.
    QStringList of(const QStringList& levels) const
    {
        QStringList out;
        for (const QString& record : records) {
            // The level padded to five characters, a blank, the time stamp, a blank.
            const QString level = record.left(5).trimmed();
            const int text = record.indexOf(QLatin1Char(' '), 6) + 1;
            if (levels.contains(level))
                out << level + QLatin1Char(' ') + record.mid(text).trimmed();
        }
        return out;
    }

    QStringList records;

private:
    static LogRecorder*& active()
    {
        static LogRecorder* recorder = nullptr;
        return recorder;
    }
    static void record(const QString& message, QsLogging::Level)
    {
        if (active())
            active()->records << message;
    }

    QsLogging::DestinationPtr destination;
};
