#pragma once
// Every modal question and message box of the program goes through
// showMessageBox, so that tests and the benchmark program can answer them
// without a window by installing a handler.

#include <QMessageBox>
#include <QString>

#include <functional>

struct MessageBoxRequest {
    QWidget* parent = nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using MessageBoxHandler = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;

// Shows the box modally (or asks the installed handler) and returns the button chosen.
QMessageBox::StandardButton showMessageBox(const MessageBoxRequest& request);

// Installs a handler that answers every box instead of the user; an empty
// handler restores the real boxes.
void setMessageBoxHandler(MessageBoxHandler handler);
