#include "dialogs/textcoordsdlg.h"

#include "model/figcontext.h"
#include "model/figobject.h"

TextCoordsDlg::TextCoordsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , figContext(context)
{
    setWindowTitle(tr("Coordinates"));
    if (context && context->currentObject && context->currentObject->type == FigObject::Text)
        object = context->currentObject;
}
