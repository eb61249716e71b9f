#pragma once
// Answers every message box with a fixed button while it is alive and
// records the boxes that were asked for.

#include "app/messagebox.h"

#include <QList>

class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : answer(answer)
    {
        setMessageBoxHandler([this](const MessageBoxRequest& r) {
            boxes << r;
            return this->answer;
        });
    }
    ~MessageBoxRecorder() { setMessageBoxHandler(nullptr); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    QMessageBox::StandardButton answer;
    QList<MessageBoxRequest> boxes;
};
