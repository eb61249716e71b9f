#include "library/librarydlg.h"

#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/figobject.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

LibraryDlg::LibraryDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Library"));
    auto* column = new QVBoxLayout(this);
    addClipButton = new QPushButton(tr("Add clip"), this);
    addClipButton->setObjectName(QStringLiteral("addClipButton"));
    addClipButton->setEnabled(false);
    column->addWidget(addClipButton);
    column->addStretch();
}

void LibraryDlg::setAddClipToLibraryButtonState()
{
    CFigContext* ctx = activeFigContext();
    if (!ctx)
        return;
    const FigObjectList* list = ctx->objects();
    addClipButton->setEnabled(
        std::any_of(list->begin(), list->end(), [](const FigObject* object) { return object->selected; }));
}
