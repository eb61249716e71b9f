#include "toolbars/coordstoolbar.h"

#include "app/qtmainfrm.h"
#include "edit/coordinatetexts.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "ui_coordsform.h"

#include <QLabel>
#include <QLayout>

#include <cmath>
#include <cstdint>

namespace {

// The widest texts the labels show in everyday use (positions and measures
// up to two digits before the point), for which the panel keeps room from
// the start so that it does not grow while the pointer moves.
const char* const roomyTexts[] = { "X=-99.99 cm", "X=9999 pt", "right=99.99 cm", "d1=99.99 cm" };

} // namespace

CoordsToolbar::CoordsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , ui(std::make_unique<Ui::CoordsForm>())
{
    ui->setupUi(this);
    layoutWidget = ui->layoutWidget;
    coords[0] = ui->coords1;
    coords[1] = ui->coords2;
    coords[2] = ui->coords3;
    coords[3] = ui->coords4;
    coords[4] = ui->coords5;
    coords[5] = ui->coords6;
    // The frame is a label, whose own size hint knows nothing of the labels
    // it holds: their layout gives the frame its least size.
    layoutWidget->layout()->setSizeConstraint(QLayout::SetMinimumSize);
    int roomy = 0;
    for (const char* text : roomyTexts)
        roomy = qMax(roomy, coords[0]->fontMetrics().horizontalAdvance(QLatin1String(text)));
    for (QLabel* label : coords)
        label->setMinimumWidth(roomy);
}

void CoordsToolbar::showWhole()
{
    int widest = 0;
    for (const QLabel* label : coords)
        widest = qMax(widest, label->sizeHint().width());
    if (widest <= coords[0]->minimumWidth())
        return;
    // A longer text widens the panel for good: it never narrows again, so
    // that it does not jump while the pointer moves.
    for (QLabel* label : coords)
        label->setMinimumWidth(widest);
}

CoordsToolbar::~CoordsToolbar() = default;

void CoordsToolbar::showCoords(CFigContext* fgc, int x, int y)
{
    QString texts[6];
    // The measures a mode does not write keep what the labels show.
    texts[4] = coords[4]->text();
    texts[5] = coords[5]->text();
    if (fgc)
        fgc->formatCoordinateTexts(x, y, &texts[0], &texts[1], &texts[2], &texts[3], &texts[4], &texts[5]);
    else
        texts[4] = texts[5] = QString();
    for (int i = 0; i < 6; ++i)
        coords[i]->setText(texts[i]);
    showWhole();
}

void CoordsToolbar::showEllipseMeasures(bool metric, const FigEllipse* ellipse)
{
    if (!ellipse)
        return;
    const auto dx = float(std::int64_t(ellipse->start.x) - ellipse->end.x);
    const auto dy = float(std::int64_t(ellipse->start.y) - ellipse->end.y);
    const double length = std::sqrt(dx * dx + dy * dy);
    QString first;
    QString second;
    switch (ellipse->subType) {
    case 3: // circle by radius
        first = formatLength("r=%5.2f %s", length, metric);
        second = formatLength("d=%5.2f %s", 2.0 * length, metric);
        break;
    case 1: // ellipse by radii, shown as a circle by diameter
    case 4: // circle by diameter
        first = formatLength("r=%5.2f %s", length * 0.5, metric);
        second = formatLength("d=%5.2f %s", length, metric);
        break;
    case 2: // ellipse by diameters
        first = formatLength("d1=%5.2f %s", std::fabs(double(dx)), metric);
        second = formatLength("d2=%5.2f %s", std::fabs(double(dy)), metric);
        break;
    default:
        break;
    }
    coords[4]->setText(first);
    coords[5]->setText(second);
    showWhole();
}

void CFigContext::showEllipseMeasures(const FigEllipse* ellipse)
{
    if (mainWindow && mainWindow->coordsToolbar)
        mainWindow->coordsToolbar->showEllipseMeasures(metric, ellipse);
}
