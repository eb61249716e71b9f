#include "dialogs/objectcommentdlg.h"
#include "dialogs/formfit.h"

#include "model/figobject.h"

#include "ui_objectcommentdlg.h"

ObjectCommentDlg::ObjectCommentDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::ObjectCommentDlgForm>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &ObjectCommentDlg::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &ObjectCommentDlg::reject);
    formfit::fitToContents(this);
}

ObjectCommentDlg::~ObjectCommentDlg() = default;

void ObjectCommentDlg::setObject(FigObject* newObject)
{
    ui->objectComment->clear();
    if (!newObject)
        return;
    object = newObject;
    ui->objectComment->setPlainText(object->comment);
}

void ObjectCommentDlg::accept()
{
    if (!object)
        return;
    // An emptied editor takes the comment away: keeping the old one would
    // leave the user no way to remove it.
    object->comment = ui->objectComment->toPlainText();
    emit commentChanged(!object->comment.isEmpty());
    QDialog::accept();
}
