#include "dialogs/fontsdlg.h"

FontsDlg::FontsDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Fonts"));
}
