#include "dialogs/splinepointsdlg.h"

#include "model/figcontext.h"
#include "model/figobject.h"

SplinePointsDlg::SplinePointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , figContext(context)
{
    setWindowTitle(tr("Path points"));
    if (context && context->currentObject && context->currentObject->type == FigObject::Spline)
        object = context->currentObject;
}
