#include "dialogs/metricsdlg.h"

#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "render/griddef.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIcon>
#include <QSignalBlocker>
#include <QSignalMapper>

MetricsDlg::MetricsDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , mainFrm(qobject_cast<QTMainFrm*>(parent))
{
    setWindowTitle(tr("Page and Metrics Setup"));
    auto* form = new QFormLayout(this);

    gridBox = new QComboBox(this);
    gridBox->setObjectName(QStringLiteral("gridCombo"));
    gridMapper = new QSignalMapper(this);
    if (mainFrm)
        mainFrm->gridMenu.clear();
    for (int i = 0; i < gridDefs.size(); ++i) {
        const GridDef* def = gridDefs.at(i);
        gridBox->addItem(QIcon(def->icon), def->name);
        if (!mainFrm)
            continue;
        auto* action = new QAction(QIcon(def->icon), def->name, &mainFrm->gridButton);
        mainFrm->gridMenu.addAction(action);
        connect(action, &QAction::triggered, gridMapper, qOverload<>(&QSignalMapper::map));
        gridMapper->setMapping(action, i);
    }
    connect(gridMapper, &QSignalMapper::mappedInt, this, &MetricsDlg::onGridMode);
    form->addRow(tr("Grid"), gridBox);

    zoomBox = new QComboBox(this);
    zoomBox->setObjectName(QStringLiteral("zoomCombo"));
    zoomBox->setEditable(true);
    zoomBox->setInsertPolicy(QComboBox::NoInsert);
    for (const char* text : { QT_TRANSLATE_NOOP("MetricsDlgForm", "500%"), QT_TRANSLATE_NOOP("MetricsDlgForm", "200%"),
             QT_TRANSLATE_NOOP("MetricsDlgForm", "150%"), QT_TRANSLATE_NOOP("MetricsDlgForm", "100%"),
             QT_TRANSLATE_NOOP("MetricsDlgForm", "75%"), QT_TRANSLATE_NOOP("MetricsDlgForm", "50%"),
             QT_TRANSLATE_NOOP("MetricsDlgForm", "25%"), QT_TRANSLATE_NOOP("MetricsDlgForm", "10%"),
             QT_TRANSLATE_NOOP("MetricsDlgForm", "fit to page") })
        zoomBox->addItem(QCoreApplication::translate("MetricsDlgForm", text));
    zoomBox->setCurrentIndex(3);
    connect(zoomBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &MetricsDlg::onZoom);
    form->addRow(tr("Zoom"), zoomBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void MetricsDlg::setGridValues(CFigContext* ctx)
{
    if (!ctx)
        return;
    const QSignalBlocker blocker(gridBox);
    gridBox->setCurrentIndex(ctx->gridIndex);
}

void MetricsDlg::setPageValues(CFigContext* /*ctx*/)
{
    // The page, unit and view controls take the document's values here as
    // the dialog gains them.
}

void MetricsDlg::onGridMode(int grid)
{
    {
        const QSignalBlocker blocker(gridBox);
        gridBox->setCurrentIndex(grid);
    }
    if (mainFrm)
        mainFrm->setGrid(grid);
}

void MetricsDlg::onZoom(int /*index*/)
{
    // Zooming the active document arrives with the document window's view.
}

void MetricsDlg::onEditZoom()
{
    // Zooming the active document arrives with the document window's view.
}
