#include "dialogs/preferencesdlg.h"

#include "app/preferences.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

PreferencesDlg::PreferencesDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Preferences"));
    auto* column = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PreferencesDlg::loadValues()
{
    // Each control takes its preference here as the dialog gains controls.
}

void PreferencesDlg::onOk()
{
    writeSettings();
    accept();
}
