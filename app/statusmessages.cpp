#include "app/statusmessages.h"

#include <QPointer>
#include <QStatusBar>

#include <cstdarg>

QString statusText;

namespace {

QPointer<QStatusBar> statusBar;
StatusMessageRecorder recorder;

void show()
{
    if (recorder)
        recorder(statusText);
    if (statusBar)
        statusBar->showMessage(statusText, 0);
}

} // namespace

void showStatusMessage(const char* text)
{
    statusText = QString::fromUtf8(text);
    show();
}

void showFormattedStatusMessage(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    statusText = QString::vasprintf(format, args);
    va_end(args);
    show();
}

QString formatStatusMessage(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    return text;
}

void attachStatusBar(QStatusBar* bar)
{
    statusBar = bar;
}

void setStatusMessageRecorder(StatusMessageRecorder r)
{
    recorder = std::move(r);
}
