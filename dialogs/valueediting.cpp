#include "dialogs/valueediting.h"

#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "model/actionitem.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/movelinepointaction.h"
#include "model/movesplinepointaction.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "model/units.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVariant>

#include <cmath>
#include <cstdint>

namespace valueediting {

namespace {

// The dynamic property in which a field keeps the value it was last given.
const char* const shownProperty = "tavrelShownValue";

bool edited(const QDoubleSpinBox* field)
{
    const QVariant shown = field->property(shownProperty);
    return !shown.isValid() || shown.toDouble() != field->value();
}

// The typed value of a changed field in Fig units; false when out of range.
bool typedFigValue(const CFigContext* context, const QDoubleSpinBox* field, bool horizontal, double& figValue)
{
    const int converted = context->toFigUnits(field->value(), horizontal);
    if (!withinFigRange(converted))
        return false;
    figValue = converted;
    return true;
}

FigPath* pathOf(FigObject* object)
{
    if (!object)
        return nullptr;
    if (object->type == FigObject::Polyline)
        return static_cast<FigLine*>(object);
    if (object->type == FigObject::Spline)
        return static_cast<FigSpline*>(object);
    return nullptr;
}

} // namespace

void fillUnitCombo(QComboBox* combo)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems({ QStringLiteral("Metric (cm)"), QStringLiteral("Imperial (in)"), QStringLiteral("Display (dpi)"),
        QStringLiteral("FIG (1200 dpi)") });
    combo->setCurrentIndex(preferences.valuesUnit);
}

bool withinFigRange(double figValue)
{
    return std::isfinite(figValue) && std::fabs(figValue) <= maxFigCoordinate;
}

// ---- Number fields ----

void showNumber(QDoubleSpinBox* field, double value)
{
    const QSignalBlocker blocker(field);
    field->setValue(value);
    keepShown(field);
}

void showFigValue(const CFigContext* context, QDoubleSpinBox* field, int figValue)
{
    showNumber(field, context->fromFigUnits(figValue, preferences.valuesUnit, 4));
}

void showFigValueF(const CFigContext* context, QDoubleSpinBox* field, double figValue)
{
    showNumber(field, context->fromFigUnitsF(figValue, preferences.valuesUnit, 4));
}

void keepShown(QDoubleSpinBox* field)
{
    field->setProperty(shownProperty, field->value());
}

void restoreShown(QDoubleSpinBox* field)
{
    const QVariant shown = field->property(shownProperty);
    if (!shown.isValid())
        return;
    const QSignalBlocker blocker(field);
    field->setValue(shown.toDouble());
}

bool readPair(const CFigContext* context, QDoubleSpinBox* xField, QDoubleSpinBox* yField, double objectX,
    double objectY, double& x, double& y)
{
    double nx = objectX;
    double ny = objectY;
    bool accepted = true;
    if (edited(xField) && !typedFigValue(context, xField, true, nx)) {
        restoreShown(xField);
        accepted = false;
    }
    if (edited(yField) && !typedFigValue(context, yField, false, ny)) {
        restoreShown(yField);
        accepted = false;
    }
    if (!accepted)
        return false;
    x = nx;
    y = ny;
    return true;
}

void keepPair(QDoubleSpinBox* xField, QDoubleSpinBox* yField)
{
    keepShown(xField);
    keepShown(yField);
}

void restorePair(QDoubleSpinBox* xField, QDoubleSpinBox* yField)
{
    restoreShown(xField);
    restoreShown(yField);
}

// ---- Undo steps ----

bool applyStep(CFigContext* context, FigObject* object, const QList<ActionItem*>& actions)
{
    // The lines that follow the object are redrawn with it, so that none is
    // left behind where it was.
    FigObjectList area;
    area.push_back(object);
    for (ActionItem* action : actions) {
        for (FigObject* linked : *action->linkedObjects())
            area.push_back(linked);
    }
    QTChildFrm* view = context->view;
    if (view)
        view->redrawObjectList(&area, true);

    QList<ActionItem*> done;
    bool refused = false;
    for (ActionItem* action : actions) {
        if (!action->redo(context)) {
            refused = true;
            break;
        }
        done.append(action);
    }
    if (refused) {
        for (auto it = done.crbegin(); it != done.crend(); ++it)
            (*it)->undo(context);
        for (ActionItem* action : actions) {
            action->releaseUndone();
            delete action;
        }
    }
    if (view)
        view->redrawObjectList(&area, false);
    if (refused)
        return false;

    if (actions.size() == 1)
        context->undoHistory.pushAction(actions.first());
    else
        context->undoHistory.pushActionList(new ActionStep(actions));
    context->setModified();
    return true;
}

bool moveStaysInRange(CFigContext* context, FigObject* object, double dx, double dy)
{
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    object->getBounds(context, xmin, ymin, xmax, ymax, false, false);
    return withinFigRange(xmin + dx) && withinFigRange(xmax + dx) && withinFigRange(ymin + dy)
        && withinFigRange(ymax + dy);
}

bool moveObject(CFigContext* context, FigObject* object, int dx, int dy, bool carryLinked)
{
    if (!moveStaysInRange(context, object, dx, dy))
        return false;
    FigObjectList linked;
    if (carryLinked)
        collectSmartLinkedObjects(&context->drawing.objects, object, linked);
    return applyStep(context, object, { new TranslateAction(context->objects(), object, dx, dy, linked) });
}

// ---- Point tables ----

void objectCentre(CFigContext* context, FigObject* object, int& cx, int& cy)
{
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    object->getBounds(context, xmin, ymin, xmax, ymax, true, true);
    cx = static_cast<int>(xmin + (static_cast<std::int64_t>(xmax) - xmin) / 2);
    cy = static_cast<int>(ymin + (static_cast<std::int64_t>(ymax) - ymin) / 2);
}

QString cellText(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'g');
}

void fillPointCells(const CFigContext* context, QTableWidget* table, const FigPoint* chain, int rows)
{
    const QSignalBlocker blocker(table);
    const int unit = preferences.valuesUnit;
    const FigPoint* p = chain;
    for (int row = 0; row < rows && p; ++row, p = p->next) {
        table->setItem(row, 0, new QTableWidgetItem(cellText(context->fromFigUnits(p->x, unit, 4))));
        table->setItem(row, 1, new QTableWidgetItem(cellText(context->fromFigUnits(p->y, unit, 4))));
    }
}

bool editPointCell(CFigContext* context, FigObject* object, QTableWidget* table, int row, int column)
{
    QTableWidgetItem* item = table->item(row, column);
    FigPath* path = pathOf(object);
    if (!item || !path || (column != 0 && column != 1))
        return false;
    FigPoint* point = path->pointAt(row);
    if (!point)
        return false;
    const int current = column == 0 ? point->x : point->y;

    bool isNumber = false;
    const double typed = item->text().toDouble(&isNumber);
    const bool accepted = isNumber && std::isfinite(typed) && withinFigRange(context->toFigUnits(typed, column == 0));
    if (!accepted) {
        const QSignalBlocker blocker(table);
        item->setText(cellText(context->fromFigUnits(current, preferences.valuesUnit, 4)));
        return false;
    }
    const int value = context->toFigUnits(typed, column == 0);
    if (value == current)
        return false;
    const int dx = column == 0 ? value - current : 0;
    const int dy = column == 1 ? value - current : 0;
    ActionItem* action = nullptr;
    if (object->type == FigObject::Polyline)
        action = new MoveLinePointAction(context->objects(), object, point, dx, dy);
    else
        action = new MoveSplinePointAction(context->objects(), object, point, dx, dy);
    return applyStep(context, object, { action });
}

void activatePointRow(CFigContext* context, FigObject* object, int currentRow, int previousRow)
{
    FigPath* path = pathOf(object);
    if (!path)
        return;
    QTChildFrm* view = context->view;
    if (FigPoint* previous = path->pointAt(previousRow)) {
        previous->markerState = 0;
        if (view)
            view->drawObjectMarkers(object);
    }
    if (FigPoint* current = path->pointAt(currentRow)) {
        if (view)
            view->drawMarkerAt(current->x, current->y);
    }
}

bool moveToTypedCentre(CFigContext* context, FigObject* object, QDoubleSpinBox* xField, QDoubleSpinBox* yField)
{
    int cx = 0;
    int cy = 0;
    objectCentre(context, object, cx, cy);
    double nx = 0;
    double ny = 0;
    if (!readPair(context, xField, yField, cx, cy, nx, ny))
        return false;
    const int dx = static_cast<int>(nx) - cx;
    const int dy = static_cast<int>(ny) - cy;
    if (dx == 0 && dy == 0) {
        keepPair(xField, yField);
        return false;
    }
    if (!moveObject(context, object, dx, dy, true)) {
        restorePair(xField, yField);
        return false;
    }
    return true;
}

} // namespace valueediting
