#include "dialogs/ellipsevaluesdlg.h"

#include "model/figcontext.h"
#include "model/figobject.h"

EllipseValuesDlg::EllipseValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , figContext(context)
{
    setWindowTitle(tr("Ellipse values"));
    if (context && context->currentObject && context->currentObject->type == FigObject::Ellipse)
        object = context->currentObject;
}
