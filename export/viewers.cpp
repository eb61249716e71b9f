#include "export/viewers.h"

#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"

#include <QFileInfo>
#include <QProcess>

namespace {

bool openWithViewer(const QString& viewerCommand, const QString& file)
{
    // Never a name that a viewer could take for an option.
    const QString path = QFileInfo(file).absoluteFilePath();
    // The setting is split first and the file put into the arguments then,
    // so that whatever the file's name holds stays one argument.
    QStringList arguments = QProcess::splitCommand(viewerCommand);
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("FILENAME"), path);
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (!program.isEmpty() && QProcess::startDetached(program, arguments))
        return true;
    const QString message
        = QStringLiteral("%1 failed!").arg(QString(viewerCommand).replace(QStringLiteral("FILENAME"), path));
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
