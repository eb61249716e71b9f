#pragma once
// Every colour the program asks the user for goes through askColor, so that
// tests can answer the colour dialog without a window by installing a
// handler (as with showMessageBox and askFileName).

#include <QColor>
#include <QString>

#include <functional>

class QWidget;

struct ColorDialogRequest {
    QColor initial;
    QWidget* parent = nullptr;
    QString title; // empty: the dialog's own title
};

using ColorDialogHandler = std::function<QColor(const ColorDialogRequest&)>;

// Runs QColorDialog::getColor (or asks the installed handler) and returns the
// chosen colour; an invalid colour when the dialog was cancelled.
QColor askColor(const ColorDialogRequest& request);

// Installs a handler that answers every colour dialog instead of the user;
// an empty handler restores the real dialog.
void setColorDialogHandler(ColorDialogHandler handler);
