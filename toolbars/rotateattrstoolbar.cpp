#include "toolbars/rotateattrstoolbar.h"

#include "toolbars/attrspageform.h"
#include "toolbars/attrstoolbarhandler.h"

#include <QSpinBox>

RotateAttrsToolbar::RotateAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "RotateAttrsForm", 485))
{
    form->addLabel("lbRotnAngle", "Degree");
    QSpinBox* rotnAngle = form->addSpinBox("rotnAngle", "Rotate object by angle (0..360)", 0, 360, 90);
    form->addLabel("lbNumCopies", "Copies");
    QSpinBox* numCopies = form->addSpinBox("numCopies", "Number of copies on right click", 1, maxNumCopies, 1);
    form->finish();

    // One way only: nothing else writes these two values.
    if (handler) {
        connect(rotnAngle, qOverload<int>(&QSpinBox::valueChanged), handler, &AttrsToolbarHandler::onRotnAngle);
        connect(numCopies, qOverload<int>(&QSpinBox::valueChanged), handler, &AttrsToolbarHandler::onNumCopies);
    }
}

RotateAttrsToolbar::~RotateAttrsToolbar() = default;
