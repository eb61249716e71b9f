#pragma once
// Records every status message while it is alive (a test seam of the
// status-message functions).

#include "app/statusmessages.h"

#include <QStringList>

class StatusRecorder {
public:
    StatusRecorder()
    {
        setStatusMessageRecorder([this](const QString& text) { messages << text; });
    }
    ~StatusRecorder() { setStatusMessageRecorder(nullptr); }
    StatusRecorder(const StatusRecorder&) = delete;
    StatusRecorder& operator=(const StatusRecorder&) = delete;

    QStringList messages;
};
