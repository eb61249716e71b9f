#include "app/colordialog.h"

#include <QColorDialog>

namespace {
ColorDialogHandler handler;
}

QColor askColor(const ColorDialogRequest& request)
{
    if (handler)
        return handler(request);
    return QColorDialog::getColor(request.initial, request.parent, request.title);
}

void setColorDialogHandler(ColorDialogHandler h)
{
    handler = std::move(h);
}
