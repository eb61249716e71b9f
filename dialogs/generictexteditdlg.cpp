#include "dialogs/generictexteditdlg.h"
#include "dialogs/formfit.h"

#include "ui_generictexteditdlg.h"

GenericTextEditDlg::GenericTextEditDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::GenericTextEditDlg>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &GenericTextEditDlg::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &GenericTextEditDlg::reject);
    formfit::fitToContents(this);
}

GenericTextEditDlg::~GenericTextEditDlg() = default;

void GenericTextEditDlg::setText(const QString& text)
{
    ui->text->setPlainText(text);
}

QString GenericTextEditDlg::text() const
{
    return ui->text->toPlainText();
}

void GenericTextEditDlg::accept()
{
    QDialog::accept();
}
