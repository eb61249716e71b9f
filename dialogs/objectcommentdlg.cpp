#include "dialogs/objectcommentdlg.h"

#include "model/figobject.h"

#include "ui_objectcommentdlg.h"

ObjectCommentDlg::ObjectCommentDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::ObjectCommentDlgForm>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &ObjectCommentDlg::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ObjectCommentDlg::~ObjectCommentDlg() = default;

void ObjectCommentDlg::setObject(FigObject* object)
{
    ui->objectComment->clear();
    if (!object)
        return;
    commentedObject = object;
    ui->objectComment->setPlainText(object->comment);
}

void ObjectCommentDlg::accept()
{
    if (!commentedObject)
        return;
    const QString text = ui->objectComment->toPlainText();
    if (text.isEmpty()) {
        emit commentChanged(false);
        return;
    }
    commentedObject->comment = text;
    emit commentChanged(true);
    QDialog::accept();
}
