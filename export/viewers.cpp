#include "export/viewers.h"

#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"

#include <QProcess>

namespace {

bool openWithViewer(const QString& viewerCommand, const QString& path)
{
    QString command = viewerCommand;
    command.replace(QStringLiteral("FILENAME"), path);
    QStringList arguments = QProcess::splitCommand(command);
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (!program.isEmpty() && QProcess::startDetached(program, arguments))
        return true;
    const QString message = QStringLiteral("%1 failed!").arg(command);
    appendToLogFile(message);
    MessageBoxRequest request;
    request.text = message;
    request.buttons = QMessageBox::Ok;
    request.defaultButton = QMessageBox::Ok;
    showMessageBox(request);
    return false;
}

} // namespace

bool openWithPdfViewer(const QString& path)
{
    return openWithViewer(preferences.pdfViewerCommand, path);
}

bool openWithPsViewer(const QString& path)
{
    return openWithViewer(preferences.psViewerCommand, path);
}
