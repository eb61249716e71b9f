#include "dialogs/customgriddlg.h"
#include "dialogs/formfit.h"

#include "app/messagebox.h"

#include "ui_customgriddlg.h"

CustomGridDlg::CustomGridDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::CustomGridDlg>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &CustomGridDlg::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &CustomGridDlg::reject);
    formfit::fitToContents(this);
}

CustomGridDlg::~CustomGridDlg() = default;

QString CustomGridDlg::gridName() const
{
    return ui->lineEdit->text();
}

void CustomGridDlg::accept()
{
    // Blanks make a name; only the empty text does not.
    if (ui->lineEdit->text().isEmpty()) {
        MessageBoxRequest request;
        request.parent = this;
        request.icon = QMessageBox::Warning;
        request.title = tr("Name required!");
        request.text = tr("Please enter a name for the new grid");
        request.buttons = QMessageBox::Ok;
        showMessageBox(request);
        return;
    }
    QDialog::accept();
}
