#pragma once
// Answers every file dialog with the next of a list of names (an empty name,
// or none left, is a cancelled dialog) while it is alive, and records the
// dialogs that were asked for.

#include "app/filedialog.h"

#include <QList>
#include <QStringList>

class FileDialogRecorder {
public:
    explicit FileDialogRecorder(const QStringList& answers = {})
        : answers(answers)
    {
        setFileDialogHandler([this](const FileDialogRequest& r) {
            requests << r;
            return this->answers.isEmpty() ? QString() : this->answers.takeFirst();
        });
    }
    ~FileDialogRecorder() { setFileDialogHandler(nullptr); }
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    QStringList answers;
    QList<FileDialogRequest> requests;
};
