#include "app/qtchildfrm.h"

QTChildFrm::QTChildFrm(QWidget* parent)
    : QWidget(parent)
{
}

void QTChildFrm::drawObjectsAtDepth(int /*depth*/)
{
}

void QTChildFrm::redisplayCanvas()
{
}
