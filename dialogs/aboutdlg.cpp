#include "dialogs/aboutdlg.h"
#include "dialogs/formfit.h"

#include "app/externalprograms.h"
#include "app/version.h"

#include "ui_aboutdlg.h"

AboutDlg::AboutDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::AboutDlg>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::close);
    ui->version->setText(tr("Tavrel, Version %1\n%2\nby Quillbrook").arg(versionString(true), releaseDate));
    // Looked up anew each time: the box shows what is installed now, not the
    // location setting.
    ui->ghostscriptLocation->setText(tr("GhostScript binary found in:\n") + findGhostscript());
    formfit::fitToContents(this);
}

AboutDlg::~AboutDlg() = default;
