#include "dialogs/boxvaluesdlg.h"

#include "model/figcontext.h"
#include "model/figobject.h"

BoxValuesDlg::BoxValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , figContext(context)
{
    setWindowTitle(tr("Box points"));
    if (context && context->currentObject && context->currentObject->type == FigObject::Polyline)
        object = context->currentObject;
}
