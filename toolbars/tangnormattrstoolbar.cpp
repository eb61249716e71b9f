#include "toolbars/tangnormattrstoolbar.h"

#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "toolbars/attrspageform.h"
#include "toolbars/attrstoolbarhandler.h"

#include <QDoubleSpinBox>
#include <QLabel>

TangnormAttrsToolbar::TangnormAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "TangnormAttrsForm", 485))
{
    form->addLabel("lbLength", "Length");
    auto* length = form->addDoubleSpinBox("tangnormLength", nullptr, maxTangormLength, 1.0);
    form->finish();

    const CFigContext* context = activeFigContext();
    onUnit(context && !context->metric ? 1 : 0);
    if (handler)
        connect(length, qOverload<double>(&QDoubleSpinBox::valueChanged), handler,
            &AttrsToolbarHandler::onTangormLength);
}

TangnormAttrsToolbar::~TangnormAttrsToolbar() = default;

void TangnormAttrsToolbar::onUnit(int index)
{
    auto* label = findChild<QLabel*>(QStringLiteral("lbLength"));
    label->setText(form->text("Length (%1)").arg(index == 0 ? QStringLiteral("cm") : QStringLiteral("in")));
}
