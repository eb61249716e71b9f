#include "toolbars/picattrstoolbar.h"

#include "app/qtchildfrm.h"
#include "dialogs/boxvaluesdlg.h"
#include "dialogs/picturedlg.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "toolbars/attrspageform.h"

#include <QPushButton>

namespace {

constexpr int pictureSubType = 5;

} // namespace

PicAttrsToolbar::PicAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "PicAttrsForm", 485)
{
    QPushButton* editPicture = form->addButton("editPicture", "Edit...", nullptr);
    connect(editPicture, &QPushButton::clicked, this, &PicAttrsToolbar::onEditPicture);
    form->addDepthRows();
    form->openPointsDlg = form->addButton("openPointsDlg", "Points...", "Edit coordinates and dimensions");
    form->addCommentButton();
    form->finish();

    bindValues(handler);
    connectFrame(handler);
    connect(form->openPointsDlg, &QPushButton::clicked, this, &PicAttrsToolbar::onOpenPointsDlg);
}

PicAttrsToolbar::~PicAttrsToolbar() = default;

void PicAttrsToolbar::onEditPicture()
{
    CFigContext* context = attrspage::documentWithCurrentObject();
    if (!context)
        return;
    FigObject* object = context->currentObject;
    if (object->type != FigObject::Polyline || object->subType != pictureSubType)
        return;
    PictureDlg dialog(context->view, {}, context, static_cast<FigLine*>(object));
    dialog.setModal(true);
    dialog.show();
    dialog.exec();
}

void PicAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    // A picture's position and size are those of its box.
    attrspage::runValueDialog<BoxValuesDlg>(mainWindow);
}
