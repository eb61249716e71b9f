#include "dialogs/objectcommentdlg.h"

ObjectCommentDlg::ObjectCommentDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Object comment"));
}
