// The main window's controls that the form cannot hold: the tool panels, the
// attribute page stack, the constraint, zoom, grid and snap controls.
#include "app/qtmainfrm.h"

#include "app/attrspagearea.h"
#include "app/preferences.h"
#include "dialogs/formfit.h"
#include "dialogs/metricsdlg.h"
#include "toolbars/arcattrstoolbar.h"
#include "toolbars/arrowattrstoolbar.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/boxattrstoolbar.h"
#include "toolbars/closedsplineattrstoolbar.h"
#include "toolbars/compoundattrstoolbar.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/ellipseattrstoolbar.h"
#include "toolbars/emptyattrstoolbar.h"
#include "toolbars/layerstoolbar.h"
#include "toolbars/opensplineattrstoolbar.h"
#include "toolbars/picattrstoolbar.h"
#include "toolbars/polygonattrstoolbar.h"
#include "toolbars/polylineattrstoolbar.h"
#include "toolbars/regpolyattrstoolbar.h"
#include "toolbars/rotateattrstoolbar.h"
#include "toolbars/shapestoolbar.h"
#include "toolbars/tangnormattrstoolbar.h"
#include "toolbars/textattrstoolbar.h"
#include "toolbars/updateattrstoolbar.h"
#include "ui_qtmainfrm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QStackedWidget>

namespace {

constexpr int snapGridBit = 1;
constexpr int snapVertexBit = 2;

struct ConstraintEntry {
    const char* text;
    const char* icon;
    void (QTMainFrm::*slot)(bool);
};

const ConstraintEntry constraintEntries[6] = {
    { "unconstraint", ":/constraints/images/constraints/unconstraint.png", &QTMainFrm::setUnconstraint },
    { "mounthattan", ":/constraints/images/constraints/mounthattan.png", &QTMainFrm::setMounthattan },
    { "manhattan", ":/constraints/images/constraints/manhattan.png", &QTMainFrm::setManhattan },
    { "mountain", ":/constraints/images/constraints/mountain.png", &QTMainFrm::setMountain },
    { "latex arrow", ":/constraints/images/constraints/latexarrow.png", &QTMainFrm::setLatexarrow },
    { "latex line", ":/constraints/images/constraints/latexline.png", &QTMainFrm::setLatexline },
};

// The zoom entries share their texts (and translations) with the metrics
// dialog's box, whose last entry reads "fit to page" instead.
const char* const zoomEntries[9] = {
    QT_TRANSLATE_NOOP("MetricsDlgForm", "500%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "200%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "150%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "100%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "75%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "50%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "25%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "10%"),
    QT_TRANSLATE_NOOP("MetricsDlgForm", "zoom to fit"),
};

} // namespace

void QTMainFrm::createToolBars()
{
    attrsHandler = new AttrsToolbarHandler(this);

    shapesToolbar = new ShapesToolbar(nullptr, {});
    ui.shapesToolbar->addWidget(shapesToolbar->layoutWidget);
    coordsToolbar = new CoordsToolbar(this);
    ui.coordsToolbar->addWidget(coordsToolbar->layoutWidget);
    // The read-out is as wide as its texts need, the form's width or more.
    ui.coordsToolbar->setMaximumWidth(QWIDGETSIZE_MAX);

    // Page order is stack order: the page number is the stack index.
    emptyAttrsToolbar = new EmptyAttrsToolbar(this);
    arcAttrsToolbar = new ArcAttrsToolbar(attrsHandler, this);
    arrowAttrsToolbar = new ArrowAttrsToolbar(attrsHandler, this);
    boxAttrsToolbar = new BoxAttrsToolbar(attrsHandler, this);
    compoundAttrsToolbar = new CompoundAttrsToolbar(attrsHandler, this);
    ellipseAttrsToolbar = new EllipseAttrsToolbar(attrsHandler, this);
    emptyAttrsToolbar2 = new EmptyAttrsToolbar(this);
    polygonAttrsToolbar = new PolygonAttrsToolbar(attrsHandler, this);
    polylineAttrsToolbar = new PolylineAttrsToolbar(attrsHandler, this);
    picAttrsToolbar = new PicAttrsToolbar(attrsHandler, this);
    regpolyAttrsToolbar = new RegpolyAttrsToolbar(attrsHandler, this);
    closedSplineAttrsToolbar = new ClosedSplineAttrsToolbar(attrsHandler, this);
    openSplineAttrsToolbar = new OpenSplineAttrsToolbar(attrsHandler, this);
    textAttrsToolbar = new TextAttrsToolbar(attrsHandler, this);
    rotateAttrsToolbar = new RotateAttrsToolbar(attrsHandler, nullptr);
    tangnormAttrsToolbar = new TangnormAttrsToolbar(attrsHandler, nullptr);
    updateAttrsToolbar = new UpdateAttrsToolbar(this);

    ui.attrsToolbar->setMinimumHeight(340);
    attrsStack = new QStackedWidget(nullptr);
    for (QWidget* page : std::initializer_list<QWidget*> { emptyAttrsToolbar, arcAttrsToolbar, arrowAttrsToolbar,
             boxAttrsToolbar, compoundAttrsToolbar, ellipseAttrsToolbar, emptyAttrsToolbar2, polygonAttrsToolbar,
             polylineAttrsToolbar, picAttrsToolbar, regpolyAttrsToolbar, closedSplineAttrsToolbar,
             openSplineAttrsToolbar, textAttrsToolbar, rotateAttrsToolbar, tangnormAttrsToolbar, updateAttrsToolbar }) {
        // Fields and combo boxes as wide as their widest entry, so that the
        // widest page's need below counts them whole.
        formfit::widenFields(page);
        attrsStack->addWidget(page);
    }
    // One width for every page, the widest page's, and a page taller than
    // the tool bar scrolls (see AttrsPageArea).
    auto* pageArea = new AttrsPageArea(attrsStack);
    ui.attrsToolbar->addWidget(pageArea);
    // The form's height limit holds only where the tallest page fits it.
    ui.attrsToolbar->setMaximumHeight(qMax(ui.attrsToolbar->maximumHeight(), ui.attrsToolbar->sizeHint().height()));
    attrsStack->setCurrentIndex(0);

    for (int i = 0; i < 6; ++i) {
        const ConstraintEntry& entry = constraintEntries[i];
        constraintActions[i]
            = new QAction(QIcon(QString::fromLatin1(entry.icon)), QString::fromLatin1(entry.text), &constraintButton);
        constraintMenu.addAction(constraintActions[i]);
        connect(constraintActions[i], &QAction::triggered, this, entry.slot);
    }

    zoomCombo = new QComboBox(nullptr);
    zoomCombo->setObjectName(QStringLiteral("zoom"));
    zoomCombo->setMaximumWidth(80);
    zoomCombo->setEditable(true);
    zoomCombo->setInsertPolicy(QComboBox::NoInsert);
    zoomCombo->clear();
    for (const char* text : zoomEntries)
        zoomCombo->addItem(QCoreApplication::translate("MetricsDlgForm", text));
    zoomCombo->setCurrentIndex(3);
    // 80 pixels hold "100%" but not "zoom to fit", nor any entry at a larger
    // font: the box widens to its longest entry where that needs more.
    const int zoomNeed = formfit::comboNeed(zoomCombo);
    zoomCombo->setMinimumWidth(zoomNeed);
    zoomCombo->setMaximumWidth(std::max(80, zoomNeed));
    ui.mainToolbar->insertWidget(ui.actionOpenPageSetup, zoomCombo);

    // The two boxes follow each other by index; choosing the index a box
    // already shows emits nothing, so the pair does not loop.
    QComboBox* dialogZoom = metricsDlg->zoomCombo();
    connect(zoomCombo, qOverload<int>(&QComboBox::currentIndexChanged), dialogZoom, &QComboBox::setCurrentIndex);
    connect(dialogZoom, qOverload<int>(&QComboBox::currentIndexChanged), zoomCombo, &QComboBox::setCurrentIndex);
    connect(zoomCombo->lineEdit(), &QLineEdit::editingFinished, this, &QTMainFrm::onEditZoom);

    constraintButton.setMenu(&constraintMenu);
    constraintButton.setPopupMode(QToolButton::InstantPopup);
    constraintButton.setToolTip(tr("Constraint mode for line angles"));
    ui.mainToolbar->addWidget(&constraintButton);
    constraintButton.setIcon(QIcon(QStringLiteral(":/constraints/images/constraints/unconstraint.png")));

    gridButton.setMenu(&gridMenu);
    gridButton.setPopupMode(QToolButton::InstantPopup);
    gridButton.setToolTip(tr("Select grid size"));
    ui.mainToolbar->addWidget(&gridButton);
    gridButton.setIcon(QIcon(QStringLiteral(":/grid/images/grid/grid_none.png")));

    snapGridAction
        = new QAction(QIcon(QStringLiteral(":/snap/images/snap/snap_grid.png")), tr("Snap to grid"), &snapButton);
    snapGridAction->setCheckable(true);
    snapMenu.addAction(snapGridAction);
    snapVertexAction
        = new QAction(QIcon(QStringLiteral(":/snap/images/snap/snap_vertex.png")), tr("Snap to vertex"), &snapButton);
    snapVertexAction->setCheckable(true);
    snapMenu.addAction(snapVertexAction);

    snapButton.setMenu(&snapMenu);
    snapButton.setPopupMode(QToolButton::InstantPopup);
    snapButton.setIcon(QIcon(QStringLiteral(":/grid/images/grid/magnet.png")));
    snapButton.setCheckable(true);
    snapButton.setToolTip(tr("Set snap mode"));
    ui.mainToolbar->addWidget(&snapButton);

    if (preferences.snapMode & snapGridBit) {
        snapButton.setChecked(true);
        snapGridAction->setChecked(true);
    }
    if (preferences.snapMode & snapVertexBit) {
        snapButton.setChecked(true);
        snapVertexAction->setChecked(true);
    }
    connect(snapGridAction, &QAction::triggered, this, &QTMainFrm::setSnapModeMagnet);
    connect(snapVertexAction, &QAction::triggered, this, &QTMainFrm::setSnapModeVertex);

    layersToolbar = new LayersToolbar(this);
    formfit::widenFields(layersToolbar->layoutWidget);
    ui.layersToolbar->addWidget(layersToolbar->layoutWidget);

    ui.consoleDock->hide();
}
