#include "dialogs/figurepropertiesdlg.h"

#include "model/figdrawing.h"
#include "model/objectlist.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

FigurePropertiesDlg::FigurePropertiesDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Figure properties"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    lbNumObjects = new QLabel(QStringLiteral("TextLabel"), this);
    form->addRow(tr("Number of objects in the figure:"), lbNumObjects);
    layout->addLayout(form);
    auto* group = new QGroupBox(tr("Enter comment"), this);
    auto* groupLayout = new QVBoxLayout(group);
    commentEdit = new QPlainTextEdit(group);
    groupLayout->addWidget(commentEdit);
    layout->addWidget(group, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &FigurePropertiesDlg::onOk);
}

void FigurePropertiesDlg::setFigure(FigDrawing* drawing)
{
    commentEdit->clear();
    figure = drawing;
    if (!figure)
        return;
    lbNumObjects->setText(QString::number(countObjects(&figure->objects)));
    if (!figure->comment.isEmpty())
        commentEdit->setPlainText(figure->comment);
}

void FigurePropertiesDlg::onOk()
{
    if (!figure)
        return;
    const QString text = commentEdit->toPlainText();
    if (!text.isEmpty())
        figure->comment = text;
    emit commentChanged(!text.isEmpty());
}
