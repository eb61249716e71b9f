#pragma once
// Answers every colour dialog with the next of a list of colours (an invalid
// colour, or none left, is a cancelled dialog) while it is alive, and records
// the dialogs that were asked for.

#include "app/colordialog.h"

#include <QList>

class ColorDialogRecorder {
public:
    explicit ColorDialogRecorder(const QList<QColor>& answers = {})
        : answers(answers)
    {
        setColorDialogHandler([this](const ColorDialogRequest& r) {
            requests << r;
            return this->answers.isEmpty() ? QColor() : this->answers.takeFirst();
        });
    }
    ~ColorDialogRecorder() { setColorDialogHandler(nullptr); }
    ColorDialogRecorder(const ColorDialogRecorder&) = delete;
    ColorDialogRecorder& operator=(const ColorDialogRecorder&) = delete;

    QList<QColor> answers;
    QList<ColorDialogRequest> requests;
};
