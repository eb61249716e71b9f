#include "app/qtchildfrm.h"

#include "model/figcontext.h"

QTChildFrm::QTChildFrm(QTMainFrm* mainFrm)
    : QScrollArea(nullptr)
    , mainFrm(mainFrm)
{
    setAttribute(Qt::WA_DeleteOnClose);
    figContext = new CFigContext(this);
}

QTChildFrm::~QTChildFrm()
{
    delete figContext;
}

void QTChildFrm::drawObjectsAtDepth(int /*depth*/)
{
}

void QTChildFrm::redisplayCanvas()
{
}

QSize QTChildFrm::sizeHint() const
{
    return QSize(600, 800);
}
