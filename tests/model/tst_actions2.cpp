// The transform, point, shape-factor and arrow actions: each one done, undone
// and done again leaves the drawing as the first execution did and as it was
// before; the releases free exactly what each state owns (the sanitizer build
// reports leaks and double frees).

#include "edit/editstate.h"
#include "model/changearrowaction.h"
#include "model/changeshapefactoraction.h"
#include "model/depths.h"
#include "model/figarrow.h"
#include "model/flipaction.h"
#include "model/movearcpointaction.h"
#include "model/moveellipsepointaction.h"
#include "model/movelinepointaction.h"
#include "model/movesplinepointaction.h"
#include "model/picturedata.h"
#include "model/rotateaction.h"
#include "model/scaleaction.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "modelfixtures.h"
#include "support/drawingdump.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

using namespace fixtures;
using writtendrawing::writtenAndDumped;

namespace {

// The upper half of the circle of radius 1000 about (2000, 2000).
FigArc* halfCircleArc(int id)
{
    return makeArc(id, { 1000, 2000 }, { 2000, 1000 }, { 3000, 2000 }, 2000.0f, 2000.0f);
}

QString snapshot(CFigContext& context)
{
    return writtenAndDumped(context);
}

// A drawing in a window-less document. The objects belong to the drawing.
struct Doc {
    Doc()
    {
        context.dpiX = 80.0f;
        context.dpiY = 80.0f;
        context.zoom = 1.0f;
    }
    template <typename T> T* add(T* object)
    {
        context.drawing.objects.push_back(object);
        settle(object);
        return object;
    }
    void settle(FigObject* object) { fixtures::settle(context, object); }
    FigObjectList* list() { return &context.drawing.objects; }
    QString dump() { return snapshot(context); }
    CFigContext context;
};

// Which release ends the action's life.
enum class End { Done, Undone };

// redo, undo, redo, compared with the drawing before and after the first
// execution; then the action is brought into the state `end` asks for,
// released and deleted. Returns the drawing after the first execution.
// `afterFirstRedo` may look at the action once it has run.
QString cycle(Doc& doc, ActionItem* action, End end = End::Done,
    const std::function<void(ActionItem*)>& afterFirstRedo = {}, bool expectChange = true)
{
    std::unique_ptr<ActionItem> owner(action);
    const QString before = doc.dump();
    [&] { QVERIFY2(before.startsWith(QStringLiteral("#FIG 3.2")), qPrintable(before)); }();
    [&] { QVERIFY(action->redo(&doc.context)); }();
    if (afterFirstRedo)
        afterFirstRedo(action);
    const QString after = doc.dump();
    if (expectChange)
        [&] { QVERIFY2(after != before, qPrintable(after)); }();
    action->undo(&doc.context);
    [&] { QVERIFY2(doc.dump() == before, qPrintable(doc.dump() + QStringLiteral("differs from\n") + before)); }();
    action->redo(&doc.context);
    [&] { QVERIFY2(doc.dump() == after, qPrintable(doc.dump() + QStringLiteral("differs from\n") + after)); }();
    if (end == End::Undone) {
        action->undo(&doc.context);
        action->releaseUndone();
    } else {
        action->releaseDone();
    }
    return after;
}

} // namespace

class TestActions2 : public QObject {
    Q_OBJECT

private slots:
    void init() { movingPoint = nullptr; }

    void flipAndRotate_data();
    void flipAndRotate();
    void flipKeepsOwnLinksOutWhileDone_data();
    void flipKeepsOwnLinksOutWhileDone();
    void flipMovesLinkedPoints();
    void rotateOffQuarterUndoesExactly();
    void flipPicture();

    void scale_data();
    void scale();
    void scaleRefusesTinyFactors_data();
    void scaleRefusesTinyFactors();
    void scaleCarriesFollowersAndPins();

    void translateOne();
    void translateGroupPinsLinksOutside();
    void translateKeepsFirstPins_data();
    void translateKeepsFirstPins();

    void moveArcPoint();
    void moveArcPointWithoutCircle();
    void moveEllipsePoint_data();
    void moveEllipsePoint();
    void moveLinePoint_data();
    void moveLinePoint();
    void moveLinePointLinksOnFirstRedo_data();
    void moveLinePointLinksOnFirstRedo();
    void moveLinePointExchangesOldLink_data();
    void moveLinePointExchangesOldLink();
    void moveLinePointOutsideDragMakesNoLink();

    void changeShapeFactor();
    void changeShapeFactorAfterPointDeleted();

    void changeArrow_data();
    void changeArrow();
};

// ---- Mirroring and turning ----

void TestActions2::flipAndRotate_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("flip");
    QTest::addColumn<int>("value"); // axis or angle

    const struct {
        const char* name;
        int kind;
    } kinds[] = {
        { "ellipse", FigObject::Ellipse },
        { "polyline", FigObject::Polyline },
        { "spline", FigObject::Spline },
        { "text", FigObject::Text },
        { "arc", FigObject::Arc },
        { "compound", FigObject::Compound },
    };
    for (const auto& k : kinds) {
        QTest::addRow("flip %s about y", k.name) << k.kind << true << 1;
        QTest::addRow("flip %s about x", k.name) << k.kind << true << 2;
        QTest::addRow("turn %s by 90", k.name) << k.kind << false << 90;
        QTest::addRow("turn %s by -90", k.name) << k.kind << false << -90;
        QTest::addRow("turn %s by 180", k.name) << k.kind << false << 180;
    }
}

void TestActions2::flipAndRotate()
{
    QFETCH(int, kind);
    QFETCH(bool, flip);
    QFETCH(int, value);

    Doc doc;
    FigObject* subject = nullptr;
    switch (kind) {
    case FigObject::Ellipse:
        subject = makeEllipse(1, { 1000, 1500 }, { 400, 200 });
        break;
    case FigObject::Polyline:
        subject = makeLine(1, { { 100, 100 }, { 900, 300 }, { 700, 1200 } });
        break;
    case FigObject::Spline:
        subject = makeSpline(1, { { 100, 100 }, { 900, 300 }, { 700, 1200 } });
        break;
    case FigObject::Text:
        subject = makePlacedText(1, 300, 400);
        break;
    case FigObject::Arc:
        subject = halfCircleArc(1);
        break;
    default: {
        auto* compound = makeCompound(1,
            { makeLine(2, { { 100, 100 }, { 600, 100 } }), makeEllipse(3, { 800, 800 }, { 100, 100 }, 3),
                makePlacedText(4, 50, 900) });
        compound->upperLeft.x = 0;
        compound->upperLeft.y = 0;
        compound->lowerRight.x = 900;
        compound->lowerRight.y = 900;
        subject = compound;
        break;
    }
    }
    doc.add(subject);
    doc.add(makeLine(9, { { 5000, 5000 }, { 5100, 5100 } })); // a bystander

    ActionItem* action = flip ? static_cast<ActionItem*>(new FlipAction(doc.list(), subject, 1000, 700, value))
                              : new RotateAction(doc.list(), subject, 1000, 700, value);
    QVERIFY(!action->redoRemovesObject());
    QVERIFY(!action->undoRemovesObject());
    cycle(doc, action, End::Done);
}

void TestActions2::flipKeepsOwnLinksOutWhileDone_data()
{
    QTest::addColumn<bool>("flip");
    QTest::addColumn<bool>("inCompound");
    QTest::addColumn<bool>("spline");
    QTest::addColumn<bool>("releaseUndone");

    QTest::newRow("flip polyline, done released") << true << false << false << false;
    QTest::newRow("flip spline, undone released") << true << false << true << true;
    QTest::newRow("flip compound, done released") << true << true << false << false;
    QTest::newRow("turn polyline, done released") << false << false << false << false;
    QTest::newRow("turn compound, undone released") << false << true << true << true;
}

void TestActions2::flipKeepsOwnLinksOutWhileDone()
{
    QFETCH(bool, flip);
    QFETCH(bool, inCompound);
    QFETCH(bool, spline);
    QFETCH(bool, releaseUndone);

    Doc doc;
    FigLine* target = doc.add(makeBox(1, 0, 0, 1000, 1000));
    FigPath* path = nullptr;
    FigObject* line = nullptr;
    if (spline) {
        FigSpline* s = makeSpline(2, { { 2000, 500 }, { 1500, 400 }, { 1000, 500 } });
        path = s;
        line = s;
    } else {
        FigLine* l = makeLine(2, { { 2000, 500 }, { 1500, 400 }, { 1000, 500 } });
        path = l;
        line = l;
    }
    SmartLink* record = linkPoint(lastPoint(path->points), 1, target, 1, 2);
    FigObject* subject = inCompound ? makeCompound(3, { line }) : line;
    doc.add(subject);
    if (inCompound)
        fitCorners(doc.context, static_cast<FigCompound*>(subject));

    std::unique_ptr<ActionItem> action(flip
            ? static_cast<ActionItem*>(new FlipAction(doc.list(), subject, 1500, 450, 1))
            : new RotateAction(doc.list(), subject, 1500, 450, 90));
    const QList<SmartLink*>& saved = flip ? static_cast<FlipAction*>(action.get())->savedLinks
                                          : static_cast<RotateAction*>(action.get())->savedLinks;

    const QString before = doc.dump();
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(lastPoint(path->points)->link, nullptr);
    QCOMPARE(saved, QList<SmartLink*> { record });
    action->undo(&doc.context);
    QCOMPARE(lastPoint(path->points)->link, record);
    QCOMPARE(doc.dump(), before);
    // The list still names the attached record; the next redo collects afresh.
    QCOMPARE(saved.size(), 1);
    action->redo(&doc.context);
    QCOMPARE(saved, QList<SmartLink*> { record });
    if (releaseUndone) {
        action->undo(&doc.context);
        action->releaseUndone(); // the record is the point's again
        QCOMPARE(lastPoint(path->points)->link, record);
    } else {
        action->releaseDone(); // frees the detached record
        QVERIFY(saved.isEmpty());
    }
}

void TestActions2::flipMovesLinkedPoints()
{
    Doc doc;
    FigLine* polygon = doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigLine* follower = doc.add(makeLine(2, { { 3000, 500 }, { 1000, 500 } }));
    linkPoint(lastPoint(follower->points), 1, polygon, 1, 2);

    // Mirrored onto itself: the side the end is linked to goes to the left.
    auto* action = new FlipAction(doc.list(), polygon, 500, 0, 2);
    QCOMPARE(*action->linkedObjects(), FigObjectList { follower });
    cycle(doc, action, End::Undone, [&](ActionItem*) {
        const FigPoint* end = lastPoint(follower->points);
        QVERIFY(end->x < 100);
        QCOMPARE(end->link->targetObjId, 1);
    });
}

void TestActions2::rotateOffQuarterUndoesExactly()
{
    Doc doc;
    // Turning these back by -30 degrees would leave points a unit off.
    doc.add(makeLine(1, { { 137, 911 }, { 1033, 77 }, { 2531, 1709 } }));
    FigEllipse* ellipse = makeEllipse(2, { 1500, 1300 }, { 300, 170 });
    ellipse->angle = 0.3f;
    FigCompound* compound = doc.add(makeCompound(3, { ellipse, makeBox(4, 2000, 2000, 2600, 2300) }));
    fitCorners(doc.context, compound);
    cycle(doc, new RotateAction(doc.list(), doc.list()->front(), 1000, 1000, 30));

    // The box inside the compound becomes a polygon; undo gives back the
    // box, redo the polygon again.
    auto* box = static_cast<FigLine*>(compound->members->back());
    const QString before = doc.dump();
    std::unique_ptr<RotateAction> action(new RotateAction(doc.list(), compound, 1000, 1000, 30));
    QVERIFY(action->redo(&doc.context));
    const QString after = doc.dump();
    QCOMPARE(box->subType, 3);
    QCOMPARE(box->radius, 0);
    action->undo(&doc.context);
    QCOMPARE(box->subType, 2);
    QCOMPARE(doc.dump(), before);
    action->redo(&doc.context);
    QCOMPARE(box->subType, 3);
    QCOMPARE(doc.dump(), after);

    // A box turned on its own follows the same rule as one inside a
    // compound; an arc-box is not turned off the quarter turns.
    FigLine* single = doc.add(makeBox(5, 3000, 3000, 3600, 3300));
    FigLine* rounded = doc.add(makeBox(6, 4000, 3000, 4600, 3300, 4));
    rounded->radius = 5;
    const QString beforeSingle = doc.dump();
    std::unique_ptr<RotateAction> turnBox(new RotateAction(doc.list(), single, 3000, 3000, 45));
    std::unique_ptr<RotateAction> turnRounded(new RotateAction(doc.list(), rounded, 4000, 3000, 45));
    QVERIFY(turnBox->redo(&doc.context));
    QVERIFY(turnRounded->redo(&doc.context));
    QCOMPARE(single->subType, 3);
    QCOMPARE(rounded->subType, 4);
    QCOMPARE(rounded->points->next->x, 4600);
    turnRounded->undo(&doc.context);
    turnBox->undo(&doc.context);
    QCOMPARE(single->subType, 2);
    QCOMPARE(doc.dump(), beforeSingle);
    turnBox->releaseDone();
    turnRounded->releaseDone();
    action->releaseDone();
}

void TestActions2::flipPicture()
{
    Doc doc;
    FigLine* picture = doc.add(makeBox(1, 100, 100, 900, 500, 5));
    picture->picture = new PictureData;
    picture->picture->fileName = QStringLiteral("photo.png");
    cycle(doc, new FlipAction(doc.list(), picture, 500, 300, 2), End::Done,
        [&](ActionItem*) { QCOMPARE(picture->picture->flipped, 1); });
    QCOMPARE(picture->picture->flipped, 1);
}

// ---- Scaling ----

void TestActions2::scale_data()
{
    QTest::addColumn<float>("sx");
    QTest::addColumn<float>("sy");

    QTest::newRow("half") << 0.5f << 0.5f;
    QTest::newRow("double") << 2.0f << 2.0f;
    // 0.3 and back by 1/0.3 would not land on the odd coordinates again.
    QTest::newRow("uneven") << 0.3f << 1.7f;
    QTest::newRow("mirroring") << -1.0f << 0.001f;
}

void TestActions2::scale()
{
    QFETCH(float, sx);
    QFETCH(float, sy);

    Doc doc;
    FigLine* arcBox = makeBox(1, 101, 203, 1007, 809, 4);
    FigEllipse* circle = makeEllipse(2, { 3001, 2003 }, { 301, 301 }, 3);
    FigText* text = makePlacedText(3, 777, 555);
    text->fontFlags = 0;
    FigArc* arc = halfCircleArc(4);
    FigSpline* spline = makeSpline(5, { { 11, 13 }, { 1717, 1919 }, { 2323, 29 } });
    FigCompound* compound = makeCompound(6, { makeLine(7, { { 333, 3333 }, { 999, 3999 } }) });
    compound->upperLeft.x = 333;
    compound->upperLeft.y = 3333;
    compound->lowerRight.x = 999;
    compound->lowerRight.y = 3999;
    FigObjectList subjects { arcBox, circle, text, arc, spline, compound };
    for (FigObject* o : subjects)
        doc.add(o);
    doc.add(makeLine(9, { { 5000, 5000 }, { 5100, 5100 } })); // not scaled

    auto* action = new ScaleAction(doc.list(), subjects, FigObjectList(), sx, sy, 1000, 1000);
    QCOMPARE(action->objects, subjects);
    QCOMPARE(action->object, nullptr);
    cycle(doc, action, End::Done);
}

void TestActions2::scaleRefusesTinyFactors_data()
{
    QTest::addColumn<float>("sx");
    QTest::addColumn<float>("sy");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("zero x") << 0.0f << 1.0f << false;
    QTest::newRow("zero y") << 1.0f << 0.0f << false;
    QTest::newRow("just below the limit") << 0.0009f << 2.0f << false;
    QTest::newRow("tiny negative") << -0.0005f << 1.0f << false;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 1.0f << false;
    QTest::newRow("at the limit") << 0.001f << 1.0f << true;
    QTest::newRow("negative at the limit") << 1.0f << -0.001f << true;
}

void TestActions2::scaleRefusesTinyFactors()
{
    QFETCH(float, sx);
    QFETCH(float, sy);
    QFETCH(bool, accepted);

    Doc doc;
    FigLine* line = doc.add(makeLine(1, { { 100, 100 }, { 5000, 3000 } }));
    const QString before = doc.dump();
    std::unique_ptr<ScaleAction> action(new ScaleAction(doc.list(), { line }, {}, sx, sy, 0, 0));
    QCOMPARE(action->redo(&doc.context), accepted);
    QCOMPARE(doc.dump() != before, accepted);
    QCOMPARE(action->undo(&doc.context), accepted);
    QCOMPARE(doc.dump(), before);
    action->releaseUndone();
}

void TestActions2::scaleCarriesFollowersAndPins()
{
    Doc doc;
    FigLine* scaled = doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigLine* fixed = doc.add(makeBox(2, 5000, 0, 6000, 1000, 3));
    // Linked to the scaled polygon: its end follows.
    FigLine* follower = doc.add(makeLine(3, { { 3000, 500 }, { 1000, 500 } }));
    linkPoint(lastPoint(follower->points), 1, scaled, 1, 2);
    // A compound scaled with a member linked to a polygon left in place: the
    // member's end is pinned and stays.
    FigLine* member = makeLine(5, { { 300, 300 }, { 5000, 300 } });
    linkPoint(lastPoint(member->points), 2, fixed, 3, 4);
    FigCompound* compound = doc.add(makeCompound(4, { member }));

    FigObjectList linked;
    const FigObjectList subjects { scaled, compound };
    collectLinkedObjectsOfList(doc.list(), &subjects, linked);
    QCOMPARE(linked, FigObjectList { follower });

    std::unique_ptr<ScaleAction> action(new ScaleAction(doc.list(), subjects, linked, 2.0f, 2.0f, 0, 0));
    QCOMPARE(action->followers, linked);
    QCOMPARE(*action->linkedObjects(), linked);
    const QString before = doc.dump();
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(QPoint(lastPoint(follower->points)->x, lastPoint(follower->points)->y), QPoint(2000, 1000));
    QCOMPARE(QPoint(follower->points->x, follower->points->y), QPoint(3000, 500));
    QCOMPARE(QPoint(member->points->x, member->points->y), QPoint(600, 600));
    QCOMPARE(QPoint(lastPoint(member->points)->x, lastPoint(member->points)->y), QPoint(5000, 300));
    action->undo(&doc.context);
    QCOMPARE(doc.dump(), before);
    action->releaseUndone();
}

// ---- Moving ----

void TestActions2::translateOne()
{
    Doc doc;
    FigLine* polygon = doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    // The follower sits in a compound: the compound is redrawn too.
    FigLine* follower = makeLine(3, { { 3000, 500 }, { 1000, 500 } });
    linkPoint(lastPoint(follower->points), 1, polygon, 1, 2);
    FigCompound* holder = doc.add(makeCompound(2, { follower }));
    fitCorners(doc.context, holder);

    FigObjectList linked;
    collectSmartLinkedObjects(doc.list(), polygon, linked);
    auto* action = new TranslateAction(doc.list(), polygon, 250, -40, linked);
    QCOMPARE(action->object, polygon);
    QVERIFY(action->objects.empty());
    cycle(doc, action, End::Undone, [&](ActionItem* done) {
        // The compound holding the follower is redrawn with it.
        QCOMPARE(*done->linkedObjects(), (FigObjectList { follower, holder }));
        const FigPoint* end = lastPoint(follower->points);
        QCOMPARE(QPoint(end->x, end->y), QPoint(1250, 460));
        QCOMPARE(end->link->targetObjId, 1);
        // The compound's box follows its moved member.
        QCOMPARE(QPoint(holder->upperLeft.x, holder->upperLeft.y), QPoint(1250, 460));
        QCOMPARE(QPoint(holder->lowerRight.x, holder->lowerRight.y), QPoint(3000, 500));
    });
}

void TestActions2::translateGroupPinsLinksOutside()
{
    Doc doc;
    FigLine* inside = doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigLine* outside = doc.add(makeBox(2, 5000, 0, 6000, 1000, 3));
    FigLine* line = doc.add(makeLine(3, { { 1000, 500 }, { 5000, 500 } }));
    linkPoint(line->points, 1, inside, 1, 2);
    linkPoint(lastPoint(line->points), 2, outside, 3, 4);
    FigCompound* compound = doc.add(makeCompound(4, { makePlacedText(5, 10, 20) }));

    const FigObjectList group { inside, line, compound };
    auto* action = new TranslateAction(doc.list(), group, 100, 100);
    QCOMPARE(action->object, nullptr);
    cycle(doc, action, End::Done, [&](ActionItem*) {
        // The end linked into the group moves with it; the one linked outside
        // stays.
        QCOMPARE(QPoint(line->points->x, line->points->y), QPoint(1100, 600));
        QCOMPARE(QPoint(lastPoint(line->points)->x, lastPoint(line->points)->y), QPoint(5000, 500));
        auto* text = static_cast<FigText*>(compound->members->front());
        QCOMPARE(QPoint(text->x, text->y), QPoint(110, 120));
    });
}

void TestActions2::translateKeepsFirstPins_data()
{
    QTest::addColumn<bool>("selectedAtFirst");
    QTest::addColumn<bool>("recordRenewed");

    QTest::newRow("target unselected at the first redo, selected later") << false << false;
    QTest::newRow("target selected at the first redo, unselected later") << true << false;
    // Undoing and redoing other steps can give the point a new record with
    // the same link: the pin belongs to the point.
    QTest::newRow("unselected at first, record renewed") << false << true;
    QTest::newRow("selected at first, record renewed") << true << true;
}

void TestActions2::translateKeepsFirstPins()
{
    QFETCH(bool, selectedAtFirst);
    QFETCH(bool, recordRenewed);

    Doc doc;
    FigLine* target = doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigLine* line = doc.add(makeLine(2, { { 3000, 500 }, { 1000, 500 } }));
    linkPoint(lastPoint(line->points), 1, target, 1, 2);
    line->selected = true;
    target->selected = selectedAtFirst;

    const QString before = doc.dump();
    std::unique_ptr<TranslateAction> action(new TranslateAction(doc.list(), line, 0, 300));
    QVERIFY(action->redo(&doc.context));
    const QString after = doc.dump();
    const QPoint end(lastPoint(line->points)->x, lastPoint(line->points)->y);
    QCOMPARE(end, selectedAtFirst ? QPoint(1000, 800) : QPoint(1000, 500));

    // The selection changes between the steps: the pins of the first redo hold.
    target->selected = !selectedAtFirst;
    action->undo(&doc.context);
    QCOMPARE(doc.dump(), before);
    if (recordRenewed) {
        FigPoint* linked = lastPoint(line->points);
        auto* renewed = new SmartLink(*linked->link);
        delete linked->link;
        linked->link = renewed;
    }
    target->selected = selectedAtFirst;
    action->redo(&doc.context);
    target->selected = !selectedAtFirst;
    action->undo(&doc.context);
    action->redo(&doc.context);
    QCOMPARE(doc.dump(), after);
    action->releaseDone();
}

// ---- Point moves ----

void TestActions2::moveArcPoint()
{
    Doc doc;
    FigArc* arc = doc.add(halfCircleArc(1));
    for (int index = 0; index < 3; ++index) {
        auto* action = new MoveArcPointAction(doc.list(), arc, index, 37, -211);
        cycle(doc, action, index == 1 ? End::Undone : End::Done);
    }
}

void TestActions2::moveArcPointWithoutCircle()
{
    Doc doc;
    FigArc* arc = doc.add(halfCircleArc(1));
    const QString before = doc.dump();
    // The middle point onto the first: no circle passes through the three.
    std::unique_ptr<MoveArcPointAction> action(new MoveArcPointAction(doc.list(), arc, 1, -1000, 1000));
    QVERIFY(!action->redo(&doc.context));
    QCOMPARE(doc.dump(), before);
    action->releaseDone();
}

void TestActions2::moveEllipsePoint_data()
{
    QTest::addColumn<int>("subType");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("move");

    for (int subType = 1; subType <= 4; ++subType) {
        for (int index : { -1, 0, 1 }) {
            QTest::addRow("sub-type %d, point %d", subType, index) << subType << index << QPoint(37, 53);
        }
    }
    // The radius passes through zero: dragging back by the same offset would
    // give a radius of 350, not 200.
    QTest::newRow("ellipse radius through zero") << 1 << 1 << QPoint(-350, 20);
    QTest::newRow("by diameter across the centre") << 2 << 0 << QPoint(1000, 700);
}

void TestActions2::moveEllipsePoint()
{
    QFETCH(int, subType);
    QFETCH(int, index);
    QFETCH(QPoint, move);

    Doc doc;
    const QPoint radii = subType >= 3 ? QPoint(200, 200) : QPoint(200, 120);
    FigEllipse* ellipse = doc.add(makeEllipse(1, { 1000, 1000 }, radii, subType));
    // A line linked to the ellipse's outline follows it.
    FigLine* follower = doc.add(makeLine(2, { { 2000, 1000 }, { 1200, 1000 } }));
    linkPoint(lastPoint(follower->points), 1);

    auto* action = new MoveEllipsePointAction(doc.list(), ellipse, index, move.x(), move.y());
    QCOMPARE(*action->linkedObjects(), FigObjectList { follower });
    cycle(doc, action, index == 0 ? End::Undone : End::Done);
}

void TestActions2::moveLinePoint_data()
{
    QTest::addColumn<int>("kind"); // 0 open polyline, 1 polygon, 2 box, 3 arc-box, 4 spline
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("move");

    QTest::newRow("open polyline, middle point") << 0 << 1 << QPoint(33, -71);
    QTest::newRow("polygon, first point with its closing copy") << 1 << 0 << QPoint(-50, -60);
    QTest::newRow("box corner") << 2 << 2 << QPoint(120, 90);
    // The corner lands on the opposite side: the reverse drag would take
    // that side along.
    QTest::newRow("box corner onto the opposite side") << 2 << 1 << QPoint(-1000, 0);
    QTest::newRow("arc-box corner") << 3 << 0 << QPoint(-10, -20);
    QTest::newRow("spline point") << 4 << 2 << QPoint(400, 500);
}

void TestActions2::moveLinePoint()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QPoint, move);

    Doc doc;
    FigObject* subject = nullptr;
    FigPoint* point = nullptr;
    if (kind == 4) {
        FigSpline* spline = doc.add(makeSpline(1, { { 0, 0 }, { 500, 500 }, { 1000, 0 } }));
        subject = spline;
        point = spline->pointAt(index);
    } else {
        FigLine* line = kind == 0 ? makeLine(1, { { 0, 0 }, { 500, 500 }, { 1000, 0 } })
                                  : makeBox(1, 0, 0, 1000, 1000,
                                      kind == 1       ? 3
                                          : kind == 2 ? 2
                                                      : 4);
        doc.add(line);
        subject = line;
        point = line->pointAt(index);
        // A line linked to the segments of the moved point follows.
        if (kind != 0) {
            FigLine* follower = doc.add(makeLine(2, { { 3000, 500 }, { 1000, 500 } }));
            linkPoint(lastPoint(follower->points), 1, line, 1, 2);
        }
    }
    ActionItem* action = kind == 4
        ? static_cast<ActionItem*>(new MoveSplinePointAction(doc.list(), subject, point, move.x(), move.y()))
        : new MoveLinePointAction(doc.list(), subject, point, move.x(), move.y());
    cycle(doc, action, index == 1 ? End::Undone : End::Done);
}

void TestActions2::moveLinePointLinksOnFirstRedo_data()
{
    QTest::addColumn<bool>("spline");
    QTest::addColumn<bool>("releaseUndone");

    QTest::newRow("polyline, done released") << false << false;
    QTest::newRow("polyline, undone released") << false << true;
    QTest::newRow("spline, done released") << true << false;
    QTest::newRow("spline, undone released") << true << true;
}

void TestActions2::moveLinePointLinksOnFirstRedo()
{
    QFETCH(bool, spline);
    QFETCH(bool, releaseUndone);

    Doc doc;
    doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigObject* line = spline ? static_cast<FigObject*>(makeSpline(2, { { 3000, 500 }, { 2000, 400 } }))
                             : makeLine(2, { { 3000, 500 }, { 2000, 400 } });
    doc.add(line);
    FigPoint* end
        = spline ? lastPoint(static_cast<FigSpline*>(line)->points) : lastPoint(static_cast<FigLine*>(line)->points);

    // Dropped one unit beside the polygon's right side: the first execution
    // links the end and puts it onto the side.
    movingPoint = end;
    std::unique_ptr<MoveLinePointAction> action(spline ? new MoveSplinePointAction(doc.list(), line, end, -999, 100)
                                                       : new MoveLinePointAction(doc.list(), line, end, -999, 100));
    const QString before = doc.dump();
    QVERIFY(action->redo(&doc.context));
    movingPoint = nullptr;
    QVERIFY(end->link);
    QCOMPARE(end->link->targetObjId, 1);
    QCOMPARE(QPoint(end->x, end->y), QPoint(1000, 500));
    QVERIFY(!action->linkOnRedo);
    SmartLink* made = end->link;
    const QString after = doc.dump();

    action->undo(&doc.context);
    QCOMPARE(doc.dump(), before);
    QCOMPARE(end->link, nullptr);
    QCOMPARE(action->savedLinks, QList<SmartLink*> { made });

    // Redo brings back the same record, and the point where the first
    // execution put it.
    action->redo(&doc.context);
    QCOMPARE(end->link, made);
    QVERIFY(action->savedLinks.isEmpty());
    QCOMPARE(doc.dump(), after);
    if (releaseUndone) {
        action->undo(&doc.context);
        action->releaseUndone(); // frees the record made by the first execution
    } else {
        action->releaseDone();
    }
}

void TestActions2::moveLinePointExchangesOldLink_data()
{
    QTest::addColumn<bool>("releaseUndone");
    QTest::newRow("done released") << false;
    QTest::newRow("undone released") << true;
}

void TestActions2::moveLinePointExchangesOldLink()
{
    QFETCH(bool, releaseUndone);

    Doc doc;
    FigLine* target = doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigLine* line = doc.add(makeLine(2, { { 3000, 500 }, { 1000, 500 } }));
    FigPoint* end = lastPoint(line->points);
    SmartLink* old = linkPoint(end, 1, target, 1, 2);

    // Dragged away from the polygon: the old link comes off while done.
    movingPoint = end;
    std::unique_ptr<MoveLinePointAction> action(new MoveLinePointAction(doc.list(), line, end, 800, 0));
    QVERIFY(action->redo(&doc.context));
    movingPoint = nullptr;
    QCOMPARE(end->link, nullptr);
    QCOMPARE(action->savedLinks, QList<SmartLink*> { old });
    action->undo(&doc.context);
    QCOMPARE(end->link, old);
    QVERIFY(action->savedLinks.isEmpty());
    action->redo(&doc.context);
    QCOMPARE(end->link, nullptr);
    if (releaseUndone) {
        action->undo(&doc.context);
        action->releaseUndone(); // nothing held: the old record is the point's
        QCOMPARE(end->link, old);
    } else {
        action->releaseDone(); // frees the old record
    }
}

void TestActions2::moveLinePointOutsideDragMakesNoLink()
{
    Doc doc;
    doc.add(makeBox(1, 0, 0, 1000, 1000, 3));
    FigLine* line = doc.add(makeLine(2, { { 3000, 500 }, { 2000, 400 }, { 2500, 2500 } }));
    FigPoint* end = lastPoint(line->points);

    // Not while a point is dragged (a dialog): no link, and the attempt stays
    // open.
    auto* action = new MoveLinePointAction(doc.list(), line, end, -1499, -2000);
    cycle(doc, action, End::Done);
    QCOMPARE(end->link, nullptr);

    // A middle point never takes a link, even while the end is dragged.
    FigPoint* middle = line->pointAt(1);
    movingPoint = end;
    std::unique_ptr<MoveLinePointAction> second(new MoveLinePointAction(doc.list(), line, middle, -999, 100));
    QVERIFY(second->redo(&doc.context));
    QCOMPARE(middle->link, nullptr);
    QVERIFY(second->linkOnRedo);
    second->releaseDone();
}

// ---- Shape factors ----

void TestActions2::changeShapeFactor()
{
    Doc doc;
    FigSpline* spline = doc.add(makeSpline(1, { { 0, 0 }, { 500, 500 }, { 1000, 0 }, { 1500, 500 } }));
    auto* action = new ChangeShapeFactorAction(doc.list(), spline, 2, 0.75);
    QCOMPARE(action->oldValue, 0.0);
    QCOMPARE(action->pointIndex, 2);
    cycle(doc, action, End::Done);
    QCOMPARE(spline->shapeFactorAt(1)->value, -0.5);
    QCOMPARE(spline->shapeFactorAt(2)->value, 0.75);
    QCOMPARE(spline->shapeFactorAt(3)->value, 0.5);
}

void TestActions2::changeShapeFactorAfterPointDeleted()
{
    Doc doc;
    FigSpline* spline = doc.add(makeSpline(1, { { 0, 0 }, { 500, 500 }, { 1000, 0 }, { 1500, 500 } }));
    std::unique_ptr<ChangeShapeFactorAction> action(new ChangeShapeFactorAction(doc.list(), spline, 3, 0.25));
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(spline->shapeFactorAt(3)->value, 0.25);

    // The last point goes (its node is freed); the action finds no node and
    // touches nothing.
    FigPoint* last = spline->pointAt(3);
    spline->removePoint(spline->pointAt(2), last);
    delete last;
    const QString without = doc.dump();
    QVERIFY(!action->undo(&doc.context));
    QVERIFY(!action->redo(&doc.context));
    QCOMPARE(doc.dump(), without);
    action->releaseDone();
}

// ---- Arrows ----

void TestActions2::changeArrow_data()
{
    QTest::addColumn<int>("kind"); // 0 open polyline, 1 box, 2 polygon, 3 arc-box, 4 one point, 5 open spline,
                                   // 6 closed spline, 7 arc, 8 ellipse, 9 text
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("hadArrow");
    QTest::addColumn<bool>("newArrow");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("releaseUndone");

    QTest::newRow("polyline gets a forward arrow") << 0 << 1 << false << true << true << false;
    QTest::newRow("polyline exchanges its backward arrow") << 0 << 0 << true << true << true << true;
    QTest::newRow("polyline loses its forward arrow") << 0 << 1 << true << false << true << false;
    QTest::newRow("polyline loses its arrow, undone") << 0 << 1 << true << false << true << true;
    QTest::newRow("open spline") << 5 << 1 << true << true << true << false;
    QTest::newRow("arc") << 7 << 0 << false << true << true << true;
    QTest::newRow("box refuses, done") << 1 << 1 << false << true << false << false;
    QTest::newRow("box refuses, undone") << 1 << 1 << false << true << false << true;
    QTest::newRow("polygon refuses") << 2 << 0 << false << true << false << false;
    QTest::newRow("arc-box refuses") << 3 << 1 << false << true << false << false;
    QTest::newRow("one-point polyline refuses") << 4 << 1 << false << true << false << false;
    QTest::newRow("closed spline refuses") << 6 << 1 << false << true << false << true;
    QTest::newRow("ellipse ignores") << 8 << 1 << false << true << false << false;
    QTest::newRow("text ignores") << 9 << 0 << false << true << false << true;
}

void TestActions2::changeArrow()
{
    QFETCH(int, kind);
    QFETCH(int, end);
    QFETCH(bool, hadArrow);
    QFETCH(bool, newArrow);
    QFETCH(bool, accepted);
    QFETCH(bool, releaseUndone);

    Doc doc;
    FigObject* subject = nullptr;
    switch (kind) {
    case 0:
        subject = makeLine(1, { { 0, 0 }, { 500, 500 } });
        break;
    case 1:
    case 2:
    case 3:
        subject = makeBox(1, 0, 0, 500, 500, kind + 1);
        break;
    case 4:
        subject = makeLine(1, { { 100, 100 } });
        break;
    case 5:
        subject = makeSpline(1, { { 0, 0 }, { 500, 500 }, { 900, 0 } }, 0);
        break;
    case 6:
        subject = makeSpline(1, { { 0, 0 }, { 500, 500 }, { 900, 0 } }, 1);
        break;
    case 7:
        subject = halfCircleArc(1);
        break;
    case 8:
        subject = makeEllipse(1, { 500, 500 }, { 100, 50 });
        break;
    default:
        subject = makePlacedText(1, 10, 10);
        break;
    }
    doc.add(subject);
    FigArrow*& slot = end ? subject->forwArrow : subject->backArrow;
    FigArrow* previous = hadArrow ? makeArrow(1) : nullptr;
    slot = previous;
    FigArrow* arrow = newArrow ? makeArrow(2) : nullptr;

    std::unique_ptr<ChangeArrowAction> action(new ChangeArrowAction(doc.list(), subject, end, arrow));
    const QString before = doc.dump();
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(slot, accepted ? arrow : previous);
    QCOMPARE(action->oldArrow, accepted ? previous : nullptr);
    const QString after = doc.dump();
    QCOMPARE(after != before, accepted && (hadArrow || newArrow));
    action->undo(&doc.context);
    QCOMPARE(slot, previous);
    QCOMPARE(doc.dump(), before);
    action->redo(&doc.context);
    QCOMPARE(doc.dump(), after);
    // Whatever the object does not hold in the final state belongs to the
    // action and is freed by the release; a leak or a double free fails the
    // sanitizer build.
    if (releaseUndone) {
        action->undo(&doc.context);
        action->releaseUndone();
    } else {
        action->releaseDone();
    }
}

TAVREL_TEST_MAIN(TestActions2)
#include "tst_actions2.moc"
