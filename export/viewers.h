#pragma once
// Opening an exported file in the viewer the preferences name: the command
// line of "pdf viewer path" or "ps viewer path" with every "FILENAME"
// replaced by the file, started detached (nothing waits for it).

#include <QString>

// False when the viewer could not be started; the failure is then in the
// log file and was shown in a message box.
bool openWithPdfViewer(const QString& path);
bool openWithPsViewer(const QString& path);
