#include "export/exportdlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

ExportDlg::ExportDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Export"));
    auto* layout = new QVBoxLayout(this);
    // The output formats are placed above the buttons as they are added.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ExportDlg::setContext(CFigContext* ctx)
{
    figContext = ctx;
}

void ExportDlg::setFileName(const QString& path)
{
    figFileName = path;
}

bool ExportDlg::exportAgain()
{
    // No output format has run yet, so there is nothing to repeat.
    return exported;
}
