#include "toolbars/arrowattrstoolbar.h"

#include "toolbars/attrspageform.h"

#include <QComboBox>
#include <QPushButton>

ArrowAttrsToolbar::ArrowAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "ArrowAttrsForm", 365))
{
    form->arrowType = form->addComboBox("arrowType", "Arrow type");
    form->arrowType->setIconSize(QSize(28, 16));
    // The arrow mode always adds an arrow: no entry for none.
    fillBackArrowCombo(form->arrowType, false);
    form->openArrowAttrs = form->addButton("openArrowAttrs", "Size...", "Arrow dimensions");
    form->finish();

    form->bind(handler);
    connect(form->openArrowAttrs, &QPushButton::clicked, this, &ArrowAttrsToolbar::onOpenArrowDlg);
}

ArrowAttrsToolbar::~ArrowAttrsToolbar() = default;

void ArrowAttrsToolbar::onOpenArrowDlg(bool /*checked*/)
{
    attrspage::runArrowSizeDialog(mainWindow);
}
