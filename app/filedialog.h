#pragma once
// Every file name the program asks the user for goes through askFileName, so
// that tests can answer the open and save dialogs without a window by
// installing a handler (as with showMessageBox).

#include <QString>

#include <functional>

class QWidget;

struct FileDialogRequest {
    enum Kind { Open, Save, Directory };
    Kind kind = Open;
    QWidget* parent = nullptr;
    QString caption;
    QString directory; // folder, or proposed name with its folder
    QString filter; // empty: none; not used for a folder
};

using FileDialogHandler = std::function<QString(const FileDialogRequest&)>;

// Runs QFileDialog::getOpenFileName, getSaveFileName or getExistingDirectory
// (folders only) (or asks the installed handler) and returns the chosen name;
// empty when the dialog was cancelled.
QString askFileName(const FileDialogRequest& request);

// Installs a handler that answers every file dialog instead of the user; an
// empty handler restores the real dialogs.
void setFileDialogHandler(FileDialogHandler handler);
