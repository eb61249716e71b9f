#include "dialogs/textenterdlg.h"
#include "dialogs/formfit.h"

#include "ui_textenterdlg.h"

TextEnterDlg::TextEnterDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::TextEnterDlgForm>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
}

TextEnterDlg::~TextEnterDlg() = default;

void TextEnterDlg::setText(const QString& text)
{
    ui->lineEdit->setText(text);
}

QString TextEnterDlg::text() const
{
    return ui->lineEdit->text();
}
