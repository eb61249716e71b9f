#include "dialogs/picturedlg.h"

#include "model/figline.h"
#include "model/picturedata.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

PictureDlg::PictureDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context, FigLine* picture)
    : QDialog(parent, flags)
    , figContext(context)
    , picture(picture)
{
    setWindowTitle(tr("Edit picture attributes"));
    auto* column = new QVBoxLayout(this);
    picFilename = new QLineEdit(this);
    picFilename->setObjectName(QStringLiteral("picFilename"));
    picFilename->setToolTip(tr("Path to the picture file"));
    column->addWidget(picFilename);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (picture && picture->picture)
        picFilename->setText(picture->picture->fileName);
}
