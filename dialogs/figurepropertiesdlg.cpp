#include "dialogs/figurepropertiesdlg.h"
#include "dialogs/formfit.h"

#include "model/figdrawing.h"
#include "model/objectlist.h"

#include "ui_figurepropertiesdlg.h"

FigurePropertiesDlg::FigurePropertiesDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::FigurePropertiesDlg>())
{
    ui->setupUi(this);
    // OK first closes the dialog, then stores the comment; both before the
    // modal run returns.
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &FigurePropertiesDlg::onOk);
    formfit::fitToContents(this);
}

FigurePropertiesDlg::~FigurePropertiesDlg() = default;

void FigurePropertiesDlg::setFigure(FigDrawing* drawing)
{
    ui->objectComment->clear();
    figure = drawing;
    if (!figure)
        return;
    ui->lbNumObjects->setText(QString::number(countObjects(&figure->objects)));
    if (!figure->comment.isEmpty())
        ui->objectComment->setPlainText(figure->comment);
}

void FigurePropertiesDlg::onOk()
{
    if (!figure)
        return;
    // The whole text, line breaks included; empty removes the comment.
    const QString text = ui->objectComment->toPlainText();
    figure->comment = text;
    emit commentChanged(!text.isEmpty());
}
