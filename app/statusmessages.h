#pragma once
// One-line messages for the main window's status bar. The last message is
// kept in `statusText`; it is shown without a time-out once the main window
// has attached its status bar, and only stored before that.

#include <QString>

#include <functional>

class QStatusBar;

extern QString statusText;

void showStatusMessage(const char* text);
void showFormattedStatusMessage(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// printf-style formatting (%s takes a UTF-8 C string) without showing anything.
QString formatStatusMessage(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The main window hands over its status bar once it exists; null detaches it.
void attachStatusBar(QStatusBar* bar);

// Test seam: sees every message written through the functions above.
using StatusMessageRecorder = std::function<void(const QString&)>;
void setStatusMessageRecorder(StatusMessageRecorder recorder);
