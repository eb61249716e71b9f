#include "dialogs/aboutdlg.h"

#include "app/preferences.h"
#include "app/version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

AboutDlg::AboutDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("About Tavrel"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(tr("Tavrel %1").arg(versionString(true)), this));
    column->addWidget(new QLabel(tr("Release date: %1").arg(releaseDate), this));
    column->addWidget(new QLabel(tr("Ghostscript: %1").arg(preferences.ghostscriptLocation), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}
