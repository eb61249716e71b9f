#include "app/filedialog.h"

#include <QFileDialog>

namespace {
FileDialogHandler handler;
}

QString askFileName(const FileDialogRequest& request)
{
    if (handler)
        return handler(request);
    if (request.kind == FileDialogRequest::Directory)
        return QFileDialog::getExistingDirectory(
            request.parent, request.caption, request.directory, QFileDialog::ShowDirsOnly);
    if (request.kind == FileDialogRequest::Save)
        return QFileDialog::getSaveFileName(request.parent, request.caption, request.directory, request.filter);
    return QFileDialog::getOpenFileName(request.parent, request.caption, request.directory, request.filter);
}

void setFileDialogHandler(FileDialogHandler h)
{
    handler = std::move(h);
}
