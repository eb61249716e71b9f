#include "app/qtchildfrm.h"

QTChildFrm::QTChildFrm(QWidget* parent)
    : QWidget(parent)
{
}
