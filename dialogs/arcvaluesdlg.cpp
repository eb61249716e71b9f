#include "dialogs/arcvaluesdlg.h"

#include "model/figcontext.h"
#include "model/figobject.h"

ArcValuesDlg::ArcValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , figContext(context)
{
    setWindowTitle(tr("Arc points"));
    if (context && context->currentObject && context->currentObject->type == FigObject::Arc)
        object = context->currentObject;
}
