#include "model/figarrow.h"
#include "model/picturedata.h"
#include "modelfixtures.h"
#include "support/testenv.h"

#include <QPixmap>

using namespace fixtures;

namespace {

// Objects whose destruction is logged, to check who deletes what and when.
QStringList destructionLog;

class LoggedObject : public FigObject {
public:
    explicit LoggedObject(int objectId)
    {
        type = 99;
        id = objectId;
    }
    ~LoggedObject() override { destructionLog << QString::number(id); }
};

FigArrow* makeArrow(int arrowType, float width)
{
    auto* arrow = new FigArrow;
    arrow->type = arrowType;
    arrow->style = 1;
    arrow->thickness = 1.5f;
    arrow->width = width;
    arrow->height = width * 2;
    return arrow;
}

void setCommon(FigObject* o)
{
    o->selected = true;
    o->markerState = 2;
    o->skipRedraw = true;
    o->formerSubType = 4;
    o->lineStyle = 1;
    o->lineWidth = 3;
    o->penColor = 33;
    o->fillColor = 5;
    o->fillStyle = 20;
    o->depth = 50;
    o->penStyle = 7;
    o->styleVal = 4.5f;
    o->comment = QStringLiteral("a comment");
}

void compareCommon(const FigObject* copy, const FigObject* source)
{
    QCOMPARE(copy->selected, source->selected);
    QCOMPARE(copy->markerState, source->markerState);
    QCOMPARE(copy->skipRedraw, source->skipRedraw);
    QCOMPARE(copy->formerSubType, source->formerSubType);
    QCOMPARE(copy->type, source->type);
    QCOMPARE(copy->id, source->id);
    QCOMPARE(copy->subType, source->subType);
    QCOMPARE(copy->lineStyle, source->lineStyle);
    QCOMPARE(copy->lineWidth, source->lineWidth);
    QCOMPARE(copy->penColor, source->penColor);
    QCOMPARE(copy->fillColor, source->fillColor);
    QCOMPARE(copy->fillStyle, source->fillStyle);
    QCOMPARE(copy->depth, source->depth);
    QCOMPARE(copy->penStyle, source->penStyle);
    QCOMPARE(copy->styleVal, source->styleVal);
    QCOMPARE(copy->comment, source->comment);
}

void compareArrows(const FigObject* copy, const FigObject* source)
{
    for (auto [c, s] :
        { std::pair(copy->forwArrow, source->forwArrow), std::pair(copy->backArrow, source->backArrow) }) {
        QCOMPARE(c == nullptr, s == nullptr);
        if (!s)
            continue;
        QVERIFY(c != s);
        QCOMPARE(c->type, s->type);
        QCOMPARE(c->style, s->style);
        QCOMPARE(c->thickness, s->thickness);
        QCOMPARE(c->width, s->width);
        QCOMPARE(c->height, s->height);
    }
}

QPixmap* makePixmap(int w, int h)
{
    auto* pixmap = new QPixmap(w, h);
    pixmap->fill(Qt::red);
    return pixmap;
}

} // namespace

class TestFigObjects : public QObject {
    Q_OBJECT
private slots:
    void defaults()
    {
        FigLine line(-1);
        QCOMPARE(line.type, 2);
        QCOMPARE(line.id, -1);
        QCOMPARE(line.formerSubType, -1);
        QCOMPARE(line.fillColor, -1);
        QCOMPARE(line.fillStyle, -1);
        QCOMPARE(line.penStyle, -1);
        QCOMPARE(line.radius, -1);
        QVERIFY(!line.points && !line.picture && !line.forwArrow && !line.backArrow);
        QCOMPARE(FigArc(7).type, 5);
        QCOMPARE(FigEllipse(7).type, 1);
        QCOMPARE(FigSpline(7).type, 3);
        QCOMPARE(FigText(7).type, 4);
        FigCompound compound(7);
        QCOMPARE(compound.type, 6);
        QCOMPARE(compound.id, 7);
        QVERIFY(compound.members && compound.members->empty());
        SmartLink link;
        QCOMPARE(link.targetObjId, -1);
        QCOMPARE(link.targetLeftPointIdx, -1);
        QCOMPARE(link.targetRightPointIdx, -1);
        QVERIFY(!link.pinned);

        FigObject base;
        QCOMPARE(base.clone(), nullptr);
        int b[4] = { 1, 2, 3, 4 };
        base.getBounds(nullptr, b[0], b[1], b[2], b[3], true, true);
        QCOMPARE(QList<int>({ b[0], b[1], b[2], b[3] }), QList<int>({ 0, 0, 0, 0 }));
    }

    void copyAttributesLeavesArrowsAlone()
    {
        FigLine source(12);
        setCommon(&source);
        source.forwArrow = makeArrow(2, 60);
        FigSpline target(3);
        target.copyAttributes(source);
        compareCommon(&target, &source);
        QVERIFY(!target.forwArrow);
    }

    void lineCloneIsDeepAndKeepsId()
    {
        auto* target = makeLine(40, { { 0, 0 }, { 100, 0 }, { 100, 100 } });
        std::unique_ptr<FigLine> source(makeLine(12, { { 1, 2 }, { 3, 4 }, { 5, 6 } }));
        setCommon(source.get());
        source->capStyle = 1;
        source->joinStyle = 2;
        source->radius = 8;
        source->forwArrow = makeArrow(2, 60);
        source->backArrow = makeArrow(1, 30);
        source->points->next->markerState = 3;
        SmartLink* link = linkPoint(source->points, 40, target, 1, 2);
        link->pinned = true;

        std::unique_ptr<FigLine> copy(static_cast<FigLine*>(source->clone()));
        QVERIFY(copy);
        compareCommon(copy.get(), source.get());
        QCOMPARE(copy->capStyle, 1);
        QCOMPARE(copy->joinStyle, 2);
        QCOMPARE(copy->radius, 8);
        compareArrows(copy.get(), source.get());
        QCOMPARE(copy->pointCount(), 3);
        for (int i = 0; i < 3; ++i) {
            const FigPoint* c = copy->pointAt(i);
            const FigPoint* s = source->pointAt(i);
            QVERIFY(c != s);
            QCOMPARE(c->x, s->x);
            QCOMPARE(c->y, s->y);
            QCOMPARE(c->markerState, s->markerState);
        }
        const SmartLink* copied = copy->points->link;
        QVERIFY(copied && copied != link);
        QCOMPARE(copied->sourcePoint, copy->points);
        QCOMPARE(copied->targetObjId, 40);
        QCOMPARE(copied->targetLeftPoint, target->pointAt(1));
        QCOMPARE(copied->targetRightPoint, target->pointAt(2));
        QCOMPARE(copied->targetLeftPointIdx, 1);
        QCOMPARE(copied->targetRightPointIdx, 2);
        QVERIFY(!copied->pinned);
        QVERIFY(link->pinned);
        QVERIFY(!copy->pointAt(1)->link);

        // Destroying the copy leaves every record of the source intact.
        copy.reset();
        QCOMPARE(source->points->link, link);
        QCOMPARE(link->sourcePoint, source->points);
        QCOMPARE(source->forwArrow->width, 60.0f);
        QCOMPARE(source->pointAt(2)->y, 6);
        delete target;
    }

    void pictureClone_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::newRow("image not loaded") << false;
        QTest::newRow("image loaded") << true;
    }
    void pictureClone()
    {
        QFETCH(bool, loaded);
        std::unique_ptr<FigLine> source(makeLine(5, { { 0, 0 }, { 10, 0 }, { 10, 10 }, { 0, 10 }, { 0, 0 } }, 5));
        source->picture = new PictureData;
        PictureData& p = *source->picture;
        p.fileName = QStringLiteral("pics/photo.png");
        p.imageType = 3;
        p.flipped = 1;
        p.rotation = 90;
        p.boxWidth = 40;
        p.boxHeight = 30;
        p.pixmapFlipped = 1;
        if (loaded) {
            p.pixmap = makePixmap(4, 3);
            p.pixmapWidth = 4;
            p.pixmapHeight = 3;
        }

        std::unique_ptr<FigLine> copy(static_cast<FigLine*>(source->clone()));
        QVERIFY(copy && copy->picture && copy->picture != source->picture);
        const PictureData& c = *copy->picture;
        QCOMPARE(c.fileName, p.fileName);
        QCOMPARE(c.imageType, 3);
        QCOMPARE(c.flipped, 1);
        QCOMPARE(c.rotation, 90);
        QCOMPARE(c.boxWidth, 40);
        QCOMPARE(c.boxHeight, 30);
        QCOMPARE(c.pixmapFlipped, 1);
        QCOMPARE(c.pixmapWidth, loaded ? 4 : 0);
        QCOMPARE(c.pixmapHeight, loaded ? 3 : 0);
        QCOMPARE(c.pixmap != nullptr, loaded);
        if (!loaded)
            return;
        QVERIFY(c.pixmap != p.pixmap);
        QCOMPARE(c.pixmap->size(), QSize(4, 3));

        // Each side deletes its own image.
        copy.reset();
        QCOMPARE(source->picture->pixmap->toImage().pixelColor(1, 1), QColor(Qt::red));
        copy.reset(static_cast<FigLine*>(source->clone()));
        source.reset();
        QCOMPARE(copy->picture->pixmap->toImage().pixelColor(1, 1), QColor(Qt::red));
    }

    void splineClone()
    {
        std::unique_ptr<FigSpline> source(makeSpline(9, { { 0, 0 }, { 50, 80 }, { 100, 0 } }, 4));
        setCommon(source.get());
        source->capStyle = 2;
        source->backArrow = makeArrow(3, 45);
        linkPoint(source->pointAt(2), 77);
        std::unique_ptr<FigSpline> copy(static_cast<FigSpline*>(source->clone()));
        QVERIFY(copy);
        compareCommon(copy.get(), source.get());
        compareArrows(copy.get(), source.get());
        QCOMPARE(copy->capStyle, 2);
        QCOMPARE(copy->pointCount(), 3);
        QVERIFY(copy->pointAt(2)->link && copy->pointAt(2)->link != source->pointAt(2)->link);
        QCOMPARE(copy->pointAt(2)->link->targetObjId, 77);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(copy->shapeFactorAt(i) != source->shapeFactorAt(i));
            QCOMPARE(copy->shapeFactorAt(i)->value, source->shapeFactorAt(i)->value);
        }
        QVERIFY(!copy->shapeFactorAt(3));
        QVERIFY(!copy->shapeFactorAt(-1));

        // A spline without shape factors is copied without them.
        std::unique_ptr<FigSpline> bare(new FigSpline(3));
        std::unique_ptr<FigObject> bareCopy(bare->clone());
        QVERIFY(bareCopy);
        QVERIFY(!static_cast<FigSpline*>(bareCopy.get())->shapeFactors);
        QVERIFY(!static_cast<FigSpline*>(bareCopy.get())->points);
    }

    void arcAndEllipseClone()
    {
        FigArc arc(4);
        setCommon(&arc);
        arc.subType = 1;
        arc.capStyle = 1;
        arc.direction = 1;
        arc.centerX = 10.5f;
        arc.centerY = -3.25f;
        for (int i = 0; i < 3; ++i) {
            arc.points[i].x = i * 10;
            arc.points[i].y = i * 20;
            arc.points[i].markerState = i;
        }
        arc.forwArrow = makeArrow(1, 20);
        std::unique_ptr<FigArc> arcCopy(static_cast<FigArc*>(arc.clone()));
        QVERIFY(arcCopy);
        compareCommon(arcCopy.get(), &arc);
        compareArrows(arcCopy.get(), &arc);
        QCOMPARE(arcCopy->capStyle, 1);
        QCOMPARE(arcCopy->direction, 1);
        QCOMPARE(arcCopy->centerX, 10.5f);
        QCOMPARE(arcCopy->centerY, -3.25f);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(arcCopy->points[i].x, i * 10);
            QCOMPARE(arcCopy->points[i].y, i * 20);
            QCOMPARE(arcCopy->points[i].markerState, i);
        }

        FigEllipse ellipse(6);
        setCommon(&ellipse);
        ellipse.subType = 3;
        ellipse.angle = 0.5f;
        ellipse.direction = 1;
        ellipse.center.x = 100;
        ellipse.radii.x = 40;
        ellipse.radii.y = 30;
        ellipse.start.y = -7;
        ellipse.end.x = 9;
        ellipse.end.markerState = 1;
        std::unique_ptr<FigEllipse> ellipseCopy(static_cast<FigEllipse*>(ellipse.clone()));
        QVERIFY(ellipseCopy);
        compareCommon(ellipseCopy.get(), &ellipse);
        QCOMPARE(ellipseCopy->angle, 0.5f);
        QCOMPARE(ellipseCopy->direction, 1);
        QCOMPARE(ellipseCopy->center.x, 100);
        QCOMPARE(ellipseCopy->radii.x, 40);
        QCOMPARE(ellipseCopy->radii.y, 30);
        QCOMPARE(ellipseCopy->start.y, -7);
        QCOMPARE(ellipseCopy->end.x, 9);
        QCOMPARE(ellipseCopy->end.markerState, 1);
        QVERIFY(!ellipseCopy->forwArrow && !ellipseCopy->backArrow);
    }

    void textClone()
    {
        std::unique_ptr<FigText> source(makeText(21, QStringLiteral("x^2")));
        setCommon(source.get());
        source->subType = 2;
        source->font = 3;
        source->fontSize = 14;
        source->color = 35;
        source->angle = 1.25f;
        source->fontFlags = 6;
        source->length = 300;
        source->ascent = 120;
        source->descent = 3;
        source->x = 500;
        source->y = 600;
        source->width = 310;
        source->pixelHeight = 17;
        source->metricsZoom = 1.5f;
        source->latexFailed = true;
        source->latexPixmaps[0].insert(80, makePixmap(5, 5));
        source->latexPixmaps[2].insert(96, makePixmap(6, 2));
        std::unique_ptr<FigText> copy(static_cast<FigText*>(source->clone()));
        QVERIFY(copy);
        QCOMPARE(copy->id, 21);
        QCOMPARE(copy->selected, true);
        QCOMPARE(copy->markerState, 2);
        QCOMPARE(copy->skipRedraw, true);
        QCOMPARE(copy->subType, 2);
        QCOMPARE(copy->depth, 50);
        QCOMPARE(copy->penStyle, 7);
        QCOMPARE(copy->comment, source->comment);
        QCOMPARE(copy->text, QStringLiteral("x^2"));
        QCOMPARE(copy->font, 3);
        QCOMPARE(copy->fontSize, 14);
        QCOMPARE(copy->color, 35);
        QCOMPARE(copy->angle, 1.25f);
        QCOMPARE(copy->fontFlags, 6);
        QCOMPARE(copy->length, 300);
        QCOMPARE(copy->ascent, 120);
        QCOMPARE(copy->descent, 3);
        QCOMPARE(copy->x, 500);
        QCOMPARE(copy->y, 600);
        QCOMPARE(copy->width, 310);
        QCOMPARE(copy->pixelHeight, 17);
        QCOMPARE(copy->metricsZoom, 1.5f);
        QCOMPARE(copy->latexFailed, true);
        QCOMPARE(copy->latexPixmaps[0].keys(), QList<int>({ 80 }));
        QVERIFY(copy->latexPixmaps[1].isEmpty());
        QCOMPARE(copy->latexPixmaps[2].keys(), QList<int>({ 96 }));
        QVERIFY(copy->latexPixmaps[0].value(80) != source->latexPixmaps[0].value(80));
        QCOMPARE(copy->latexPixmaps[2].value(96)->size(), QSize(6, 2));

        copy->clearLatexPixmaps();
        for (const auto& table : copy->latexPixmaps)
            QVERIFY(table.isEmpty());
        QCOMPARE(source->latexPixmaps[0].value(80)->size(), QSize(5, 5));
    }

    void compoundCloneCopiesEveryLevel()
    {
        // C(A, D(E, F), B)
        auto* a = makeLine(2, { { 0, 0 }, { 5, 5 } });
        auto* d = makeCompound(3, { makeText(4), makeSpline(5, { { 1, 1 }, { 2, 2 } }) });
        auto* b = makeText(6);
        std::unique_ptr<FigCompound> c(makeCompound(1, { a, d, b }));
        c->comment = QStringLiteral("group");
        c->selected = true;
        c->markerState = 1;
        c->upperLeft.x = -10;
        c->upperLeft.y = -20;
        c->lowerRight.x = 30;
        c->lowerRight.y = 40;
        c->lowerRight.markerState = 2;

        std::unique_ptr<FigCompound> copy(static_cast<FigCompound*>(c->clone()));
        QVERIFY(copy);
        QCOMPARE(copy->id, 1);
        QCOMPARE(copy->comment, QStringLiteral("group"));
        QCOMPARE(copy->selected, true);
        QCOMPARE(copy->markerState, 1);
        QCOMPARE(copy->upperLeft.x, -10);
        QCOMPARE(copy->upperLeft.y, -20);
        QCOMPARE(copy->lowerRight.x, 30);
        QCOMPARE(copy->lowerRight.y, 40);
        QCOMPARE(copy->lowerRight.markerState, 2);
        QVERIFY(copy->members != c->members);
        QCOMPARE(idsInOrder(copy->members), QList<int>({ 2, 3, 4, 5, 6 }));
        QCOMPARE(copy->members->size(), size_t(3));
        auto* innerCopy = static_cast<FigCompound*>(*std::next(copy->members->begin()));
        QVERIFY(innerCopy != d);
        QCOMPARE(innerCopy->type, 6);
        QVERIFY(innerCopy->members->front() != d->members->front());

        // The source goes first this time: the copy stands on its own.
        c.reset();
        QCOMPARE(idsInOrder(copy->members), QList<int>({ 2, 3, 4, 5, 6 }));
        QCOMPARE(static_cast<FigLine*>(copy->members->front())->pointAt(1)->x, 5);
    }

    void pointAndShapeFactorLists()
    {
        FigPoint* chain = makeChain({ { 1, 1 }, { 2, 2 }, { 3, 3 } });
        chain->next->markerState = 3;
        linkPoint(chain->next->next, 9);
        FigPoint* plain = chain->cloneList(false);
        QVERIFY(plain && plain != chain);
        int n = 0;
        for (FigPoint *p = plain, *s = chain; p || s; p = p->next, s = s->next, ++n) {
            QVERIFY(p && s);
            QCOMPARE(p->x, s->x);
            QCOMPARE(p->markerState, s->markerState);
            QVERIFY(!p->link);
        }
        QCOMPARE(n, 3);
        freePointList(plain);
        freePointList(chain);

        ShapeFactorNode first;
        first.value = 0.25;
        first.next = new ShapeFactorNode;
        first.next->value = -1.0;
        ShapeFactorNode* copy = first.cloneList();
        QVERIFY(copy && copy->next && !copy->next->next);
        QCOMPARE(copy->value, 0.25);
        QCOMPARE(copy->next->value, -1.0);
        freeShapeFactorList(copy);
        freeShapeFactorList(first.next);
    }

    void pathHelpers()
    {
        std::unique_ptr<FigLine> line(makeLine(1, { { 0, 0 }, { 10, 0 }, { 10, 10 } }));
        FigPoint* p0 = line->pointAt(0);
        FigPoint* p2 = line->pointAt(2);
        QCOMPARE(line->pointCount(), 3);
        QCOMPARE(line->pointAt(-1), nullptr);
        QCOMPARE(line->pointAt(3), nullptr);
        QCOMPARE(line->indexOf(p2), 2);
        FigPoint stranger;
        QCOMPARE(line->indexOf(&stranger), -1);
        QCOMPARE(line->predecessor(p2), line->pointAt(1));
        QCOMPARE(line->predecessor(p0), nullptr);
        QCOMPARE(line->predecessor(&stranger), nullptr);
        FigLine empty(2);
        QCOMPARE(empty.pointCount(), 0);
        QCOMPARE(empty.pointAt(0), nullptr);
        QCOMPARE(empty.upperLeftCorner(), nullptr);
        QCOMPARE(empty.boxWidth(), 0);
    }

    void boxCorners_data()
    {
        QTest::addColumn<QList<QPoint>>("chain");
        QTest::addColumn<QList<int>>("corners"); // indices: upper-left, upper-right, lower-left, lower-right
        const QList<QPoint> fromUpperLeft { { 0, 0 }, { 100, 0 }, { 100, 50 }, { 0, 50 }, { 0, 0 } };
        QTest::newRow("first point is the upper-left corner") << fromUpperLeft << QList<int>({ 0, 1, 3, 2 });
        const QList<QPoint> fromLowerRight { { 100, 50 }, { 0, 50 }, { 0, 0 }, { 100, 0 }, { 100, 50 } };
        QTest::newRow("drawn from the lower-right corner") << fromLowerRight << QList<int>({ 2, 3, 1, 0 });
        // Two points at the same place that is not the first: the later one wins.
        const QList<QPoint> repeated { { 50, 50 }, { 0, 0 }, { 0, 0 }, { 80, 90 } };
        QTest::newRow("equal points, the last wins") << repeated << QList<int>({ 2, 0, 0, 3 });
        const QList<QPoint> onePoint { { 7, 7 } };
        QTest::newRow("one point") << onePoint << QList<int>({ 0, 0, 0, 0 });
    }
    void boxCorners()
    {
        QFETCH(QList<QPoint>, chain);
        QFETCH(QList<int>, corners);
        FigLine line(1);
        FigPoint** tail = &line.points;
        for (const QPoint& p : chain) {
            *tail = new FigPoint(p.x(), p.y());
            tail = &(*tail)->next;
        }
        QCOMPARE(line.indexOf(line.upperLeftCorner()), corners[0]);
        QCOMPARE(line.indexOf(line.upperRightCorner()), corners[1]);
        QCOMPARE(line.indexOf(line.lowerLeftCorner()), corners[2]);
        QCOMPARE(line.indexOf(line.lowerRightCorner()), corners[3]);
    }

    void boxMeasures()
    {
        std::unique_ptr<FigLine> box(makeLine(1, { { 101, 51 }, { -4, 51 }, { -4, -2 }, { 101, -2 }, { 101, 51 } }, 2));
        QCOMPARE(box->boxWidth(), 105);
        QCOMPARE(box->boxHeight(), 53);
        QCOMPARE(box->centerX(), -4 + 105 / 2);
        QCOMPARE(box->centerY(), -2 + 53 / 2);
    }

    void destructionOrder()
    {
        destructionLog.clear();
        {
            std::unique_ptr<FigCompound> outer(makeCompound(1,
                { new LoggedObject(2), makeCompound(3, { new LoggedObject(4), new LoggedObject(5) }),
                    new LoggedObject(6) }));
        }
        QCOMPARE(destructionLog, QStringList({ "2", "4", "5", "6" }));

        destructionLog.clear();
        {
            FigDrawing drawing;
            drawing.objects = { new LoggedObject(7), new LoggedObject(8) };
        }
        QCOMPARE(destructionLog, QStringList({ "7", "8" }));
    }
};

TAVREL_TEST_MAIN(TestFigObjects)
#include "tst_figobjects.moc"
