#include "app/messagebox.h"

namespace {
MessageBoxHandler handler;
}

QMessageBox::StandardButton showMessageBox(const MessageBoxRequest& request)
{
    if (handler)
        return handler(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setMessageBoxHandler(MessageBoxHandler h)
{
    handler = std::move(h);
}
