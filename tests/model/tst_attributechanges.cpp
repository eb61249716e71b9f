// Attribute changes: every kind on every kind of object changes exactly the
// field it names (or nothing), undo restores the drawing, redo repeats the
// first execution; compounds pass the change to all members and undo gives
// each member back its own value.

#include "model/attributechange.h"
#include "model/changeattributeaction.h"
#include "modelfixtures.h"
#include "support/drawingdump.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"

#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include <memory>

using namespace fixtures;
using writtendrawing::writtenAndDumped;

namespace {

// Every field an attribute change may write, by name.
QMap<QString, QString> fields(const FigObject* o)
{
    QMap<QString, QString> f;
    f[QStringLiteral("depth")] = QString::number(o->depth);
    f[QStringLiteral("lw")] = QString::number(o->lineWidth);
    f[QStringLiteral("ls")] = QString::number(o->lineStyle);
    f[QStringLiteral("sv")] = QString::number(double(o->styleVal), 'f', 4);
    f[QStringLiteral("pen")] = QString::number(o->penColor);
    f[QStringLiteral("fill")] = QString::number(o->fillColor);
    f[QStringLiteral("area")] = QString::number(o->fillStyle);
    f[QStringLiteral("sub")] = QString::number(o->subType);
    switch (o->type) {
    case FigObject::Polyline: {
        const auto* l = static_cast<const FigLine*>(o);
        f[QStringLiteral("cap")] = QString::number(l->capStyle);
        f[QStringLiteral("join")] = QString::number(l->joinStyle);
        f[QStringLiteral("radius")] = QString::number(l->radius);
        break;
    }
    case FigObject::Spline:
        f[QStringLiteral("cap")] = QString::number(static_cast<const FigSpline*>(o)->capStyle);
        break;
    case FigObject::Arc:
        f[QStringLiteral("cap")] = QString::number(static_cast<const FigArc*>(o)->capStyle);
        break;
    case FigObject::Ellipse:
        f[QStringLiteral("angle")] = QString::number(double(static_cast<const FigEllipse*>(o)->angle), 'f', 4);
        break;
    case FigObject::Text: {
        const auto* t = static_cast<const FigText*>(o);
        f[QStringLiteral("color")] = QString::number(t->color);
        f[QStringLiteral("font")] = QString::number(t->font);
        f[QStringLiteral("flags")] = QString::number(t->fontFlags);
        f[QStringLiteral("size")] = QString::number(t->fontSize);
        f[QStringLiteral("angle")] = QString::number(double(t->angle), 'f', 4);
        break;
    }
    default:
        break;
    }
    return f;
}

QStringList changedFields(const QMap<QString, QString>& before, const QMap<QString, QString>& after)
{
    QStringList names;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (after.value(it.key()) != it.value())
            names << it.key();
    }
    return names;
}

// The objects of the table, each with attribute values that every change
// below alters where it applies.
enum ObjectKind { Ellipse, Polyline, Box, ArcBox, Spline, Text, Arc };

FigObject* makeObject(int kind)
{
    FigObject* o = nullptr;
    switch (kind) {
    case Ellipse: {
        auto* e = new FigEllipse(1);
        e->subType = 1;
        e->radii.x = 100;
        e->radii.y = 50;
        o = e;
        break;
    }
    case Polyline:
        o = makeLine(1, { { 0, 0 }, { 100, 100 } }, 1);
        break;
    case Box:
        o = makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }, 2);
        break;
    case ArcBox: {
        FigLine* l = makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }, 4);
        l->radius = 5;
        o = l;
        break;
    }
    case Spline:
        o = makeSpline(1, { { 0, 0 }, { 100, 100 }, { 200, 0 } });
        break;
    case Text: {
        FigText* t = makeText(1);
        t->fontSize = 12;
        t->fontFlags = 4;
        o = t;
        break;
    }
    default: {
        auto* a = new FigArc(1);
        a->subType = 1;
        o = a;
        break;
    }
    }
    o->depth = 50;
    o->lineWidth = 1;
    o->lineStyle = 1;
    o->styleVal = 4.0f;
    o->fillColor = 7;
    return o;
}

// The change of each kind used by the tests: the old value read from the
// object as the builders do, the new one different from every value that
// makeObject gives.
AttributeChange* changeFor(int kind, const FigObject* o)
{
    using namespace AttributeKind;
    auto* c = new AttributeChange;
    c->kind = kind;
    const bool text = o->type == FigObject::Text;
    const auto* t = text ? static_cast<const FigText*>(o) : nullptr;
    int cap = 0;
    if (o->type == FigObject::Polyline)
        cap = static_cast<const FigLine*>(o)->capStyle;
    else if (o->type == FigObject::Spline)
        cap = static_cast<const FigSpline*>(o)->capStyle;
    else if (o->type == FigObject::Arc)
        cap = static_cast<const FigArc*>(o)->capStyle;
    switch (kind) {
    case Depth:
        c->oldInt = o->depth;
        c->newInt = 40;
        break;
    case LineWidth:
        c->oldInt = o->lineWidth;
        c->newInt = 3;
        break;
    case LineStyle:
        c->oldInt = o->lineStyle;
        c->newInt = 2;
        break;
    case StyleVal:
        c->oldFloat = 2.0f * o->styleVal / float(o->lineWidth + 1);
        c->newFloat = 6.0f;
        break;
    case PenColor:
        c->oldInt = text ? t->color : o->penColor;
        c->newInt = 4;
        break;
    case FillColor:
        c->oldInt = o->fillColor;
        c->newInt = 5;
        break;
    case FillStyle:
        c->oldInt = o->fillStyle;
        c->newInt = 20;
        break;
    case CapStyle:
        c->oldInt = cap;
        c->newInt = 2;
        break;
    case JoinStyle:
        c->oldInt = o->type == FigObject::Polyline ? static_cast<const FigLine*>(o)->joinStyle : 0;
        c->newInt = 1;
        break;
    case BoxType:
    case ArcType:
    case TextAlign:
        c->oldInt = o->subType;
        c->newInt = kind == BoxType ? 4 : kind == ArcType ? 2 : 1;
        break;
    case BoxCornerRadius:
        c->oldInt = o->type == FigObject::Polyline ? static_cast<const FigLine*>(o)->radius : 0;
        c->newInt = 10;
        break;
    case EllipseAngle:
        c->oldFloat = o->type == FigObject::Ellipse ? static_cast<const FigEllipse*>(o)->angle : 0.0f;
        c->newFloat = 0.5f;
        break;
    case Font:
        c->oldInt = text ? t->font : 0;
        c->newInt = 3;
        break;
    case TextRigid:
    case TextSpecial:
        c->oldInt = text ? t->fontFlags : 0;
        c->newInt = kind == TextRigid ? (c->oldInt ^ 1) : (c->oldInt ^ 2);
        break;
    case FontSize:
        c->oldInt = text ? t->fontSize : 0;
        c->newInt = 20;
        break;
    case TextAngle:
        c->oldFloat = text ? t->angle : 0.0f;
        c->newFloat = 0.25f;
        break;
    default:
        c->oldBool = text && (t->fontFlags & 4);
        c->newBool = !c->oldBool;
        break;
    }
    return c;
}

AttributeChange* makeChange(int kind, int oldInt, int newInt, float oldFloat = 0, float newFloat = 0,
    bool oldBool = false, bool newBool = false)
{
    auto* c = new AttributeChange;
    c->kind = kind;
    c->oldInt = oldInt;
    c->newInt = newInt;
    c->oldFloat = oldFloat;
    c->newFloat = newFloat;
    c->oldBool = oldBool;
    c->newBool = newBool;
    return c;
}

// A drawing in a window-less document, the objects counted per depth.
struct Doc {
    Doc()
    {
        context.dpiX = 80.0f;
        context.dpiY = 80.0f;
        context.zoom = 1.0f;
    }
    // Texts get their metrics, as the reader gives them.
    FigObject* add(FigObject* object)
    {
        measure(object);
        context.addObject(&context.drawing.objects, object);
        return object;
    }
    void measure(FigObject* object)
    {
        if (object->type == FigObject::Text)
            context.computeTextMetrics(static_cast<FigText*>(object), context.zoom);
        else if (object->type == FigObject::Compound)
            for (FigObject* member : *static_cast<FigCompound*>(object)->members)
                measure(member);
    }
    QString dump() { return writtenAndDumped(context); }
    CFigContext context;
};

void putLatexImage(FigText* text)
{
    text->latexPixmaps[0].insert(1, new QPixmap(4, 4));
}

} // namespace

class TestAttributeChanges : public QObject {
    Q_OBJECT

private slots:
    void kindsOnObjects_data();
    void kindsOnObjects();
    void lineWidthKeepsStyleRatio_data();
    void lineWidthKeepsStyleRatio();
    void depthMovesCounts();
    void compoundMembers_data();
    void compoundMembers();
    void fontKindBit();
    void latexImages_data();
    void latexImages();
    void metricsFollowSizeAndFont_data();
    void metricsFollowSizeAndFont();
    void releases_data();
    void releases();
};

void TestAttributeChanges::kindsOnObjects_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("object");
    QTest::addColumn<QStringList>("changed");

    const char* kindNames[20] = { "depth", "line width", "line style", "style value", "pen colour", "fill colour",
        "area fill", "cap", "join", "box type", "corner radius", "arc type", "ellipse angle", "font", "alignment",
        "rigid", "special", "font size", "text angle", "font kind" };
    const char* objectNames[7] = { "ellipse", "polyline", "box", "arc-box", "spline", "text", "arc" };
    // Fields changed, per kind and per object (same order as objectNames).
    const char* table[20][7] = {
        { "depth", "depth", "depth", "depth", "depth", "depth", "depth" },
        { "lw sv", "lw sv", "lw sv", "lw sv", "lw sv", "", "lw sv" },
        { "ls", "ls", "ls", "ls", "ls", "", "ls" },
        // (1 + 1) * 6 * 0.5 = 6 in place of 4.
        { "sv", "sv", "sv", "sv", "sv", "", "sv" },
        { "pen", "pen", "pen", "pen", "pen", "color", "pen" },
        { "fill", "fill", "fill", "fill", "fill", "", "fill" },
        { "area", "area", "area", "area", "area", "", "area" },
        { "", "cap", "cap", "cap", "cap", "", "cap" },
        { "", "join", "join", "join", "", "", "" },
        // The arc-box has sub-type 4 already.
        { "", "sub", "sub", "", "", "", "" },
        // Only boxes and arc-boxes have a corner radius.
        { "", "", "radius", "radius", "", "", "" },
        { "", "", "", "", "", "", "sub" },
        { "angle", "", "", "", "", "", "" },
        { "", "", "", "", "", "font", "" },
        { "", "", "", "", "", "sub", "" },
        { "", "", "", "", "", "flags", "" },
        { "", "", "", "", "", "flags", "" },
        { "", "", "", "", "", "size", "" },
        { "", "", "", "", "", "angle", "" },
        { "", "", "", "", "", "flags", "" },
    };
    for (int kind = 0; kind < 20; ++kind) {
        for (int object = 0; object < 7; ++object) {
            QStringList changed = QString::fromLatin1(table[kind][object]).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            changed.sort();
            QTest::addRow("%s on %s", kindNames[kind], objectNames[object]) << kind << object << changed;
        }
    }
}

void TestAttributeChanges::kindsOnObjects()
{
    QFETCH(int, kind);
    QFETCH(int, object);
    QFETCH(QStringList, changed);

    Doc doc;
    FigObject* subject = doc.add(makeObject(object));
    const QString before = doc.dump();
    QVERIFY2(before.startsWith(QStringLiteral("#FIG 3.2")), qPrintable(before));
    const auto fieldsBefore = fields(subject);

    std::unique_ptr<ChangeAttributeAction> action(
        new ChangeAttributeAction(&doc.context.drawing.objects, subject, changeFor(kind, subject)));
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(changedFields(fieldsBefore, fields(subject)), changed);
    const QString after = doc.dump();
    QVERIFY(action->undo(&doc.context));
    QCOMPARE(doc.dump(), before);
    QCOMPARE(fields(subject), fieldsBefore);
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(doc.dump(), after);
    action->releaseDone();
}

void TestAttributeChanges::lineWidthKeepsStyleRatio_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<float>("styleVal");
    QTest::addColumn<float>("expected");

    // (3 + 1) / (1 + 1): the dash length doubles.
    QTest::newRow("dashed 1 to 3") << 1 << 3 << 4.0f << 8.0f;
    QTest::newRow("dotted 3 to 1") << 3 << 1 << 8.0f << 4.0f;
    QTest::newRow("0 to 4") << 0 << 4 << 1.5f << 7.5f;
    QTest::newRow("solid stays 0") << 2 << 7 << 0.0f << 0.0f;
}

void TestAttributeChanges::lineWidthKeepsStyleRatio()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(float, styleVal);
    QFETCH(float, expected);

    Doc doc;
    FigObject* line = doc.add(makeLine(1, { { 0, 0 }, { 100, 0 } }));
    line->lineStyle = 1;
    line->lineWidth = from;
    line->styleVal = styleVal;
    std::unique_ptr<ChangeAttributeAction> action(
        new ChangeAttributeAction(&doc.context.drawing.objects, line, makeChange(AttributeKind::LineWidth, from, to)));
    action->redo(&doc.context);
    QCOMPARE(line->lineWidth, to);
    QCOMPARE(line->styleVal, expected);
    action->undo(&doc.context);
    QCOMPARE(line->lineWidth, from);
    QCOMPARE(line->styleVal, styleVal);

    // The style value kind takes the base value for the current width.
    std::unique_ptr<ChangeAttributeAction> style(new ChangeAttributeAction(
        &doc.context.drawing.objects, line, makeChange(AttributeKind::StyleVal, 0, 0, 2.0f, 3.0f)));
    style->redo(&doc.context);
    QCOMPARE(line->styleVal, float(from + 1) * 3.0f * 0.5f);
    style->undo(&doc.context);
    QCOMPARE(line->styleVal, float(from + 1) * 2.0f * 0.5f);
    action->releaseUndone();
    style->releaseUndone();
}

void TestAttributeChanges::depthMovesCounts()
{
    Doc doc;
    FigObject* text = makeText(1);
    text->depth = 50;
    FigObject* member = makeLine(3, { { 0, 0 }, { 10, 10 } });
    member->depth = 60;
    FigCompound* compound = makeCompound(2, { member });
    // Counted at their depths by adding them to the drawing.
    doc.add(text);
    doc.add(compound);
    int* counts = doc.context.depthObjectCount;
    QCOMPARE(counts[50], 1);
    QCOMPARE(counts[60], 1);

    std::unique_ptr<ChangeAttributeAction> onText(
        new ChangeAttributeAction(&doc.context.drawing.objects, text, makeChange(AttributeKind::Depth, 50, 70)));
    std::unique_ptr<ChangeAttributeAction> onMember(
        new ChangeAttributeAction(&doc.context.drawing.objects, member, makeChange(AttributeKind::Depth, 60, 80)));
    onText->redo(&doc.context);
    onMember->redo(&doc.context);
    QCOMPARE(counts[50], 0);
    QCOMPARE(counts[60], 0);
    QCOMPARE(counts[70], 1);
    QCOMPARE(counts[80], 1);
    QCOMPARE(doc.context.maxDepth, 80);
    onMember->undo(&doc.context);
    onText->undo(&doc.context);
    QCOMPARE(counts[50], 1);
    QCOMPARE(counts[60], 1);
    QCOMPARE(counts[70], 0);
    QCOMPARE(counts[80], 0);
    QCOMPARE(doc.context.maxDepth, 60);
    onText->releaseUndone();
    onMember->releaseUndone();
}

void TestAttributeChanges::compoundMembers_data()
{
    QTest::addColumn<int>("kind");

    for (int kind = 0; kind < 20; ++kind)
        QTest::addRow("kind %d", kind) << kind;
}

void TestAttributeChanges::compoundMembers()
{
    QFETCH(int, kind);

    // Members that differ from one another in every attribute, one of each
    // kind, and a nested compound.
    Doc doc;
    FigObjectList leaves;
    QList<int> leafKinds;
    FigCompound* nested = makeCompound(20, {});
    FigCompound* compound = makeCompound(10, { nested });
    for (int object = Ellipse; object <= Arc; ++object) {
        FigObject* leaf = makeObject(object);
        leaf->id = 11 + object;
        leaf->depth = 30 + object;
        leaf->penColor = 10 + object;
        leaf->lineWidth = 10 + object;
        leaf->styleVal = 1.0f + object;
        if (leaf->type == FigObject::Text) {
            static_cast<FigText*>(leaf)->color = 9;
            static_cast<FigText*>(leaf)->fontSize = 9;
        }
        (object % 2 ? compound->members : nested->members)->push_back(leaf);
        leaves.push_back(leaf);
        leafKinds.push_back(object);
    }
    doc.add(compound);
    const QString before = doc.dump();
    QList<QMap<QString, QString>> fieldsBefore;
    for (const FigObject* leaf : leaves)
        fieldsBefore << fields(leaf);

    std::unique_ptr<ChangeAttributeAction> action(
        new ChangeAttributeAction(&doc.context.drawing.objects, compound, changeFor(kind, compound)));
    QVERIFY(action->redo(&doc.context));
    const QString after = doc.dump();

    // Each member changed as it would on its own.
    int i = 0;
    for (FigObject* leaf : leaves) {
        const auto leafBefore = fieldsBefore[i++];
        FigObject* alone = makeObject(leafKinds[i - 1]);
        const auto aloneBefore = fields(alone);
        CFigContext scratch;
        scratch.addObject(&scratch.drawing.objects, alone);
        std::unique_ptr<ChangeAttributeAction> single(
            new ChangeAttributeAction(&scratch.drawing.objects, alone, changeFor(kind, compound)));
        single->redo(&scratch);
        QCOMPARE(
            changedFields(leafBefore, fields(leaf)).isEmpty(), changedFields(aloneBefore, fields(alone)).isEmpty());
        single->releaseDone();
    }

    // Undo gives every member its own value back, not the record's old one.
    QVERIFY(action->undo(&doc.context));
    QCOMPARE(doc.dump(), before);
    i = 0;
    for (const FigObject* leaf : leaves)
        QCOMPARE(fields(leaf), fieldsBefore[i++]);
    for (int object = Ellipse; object <= Arc; ++object)
        QCOMPARE(doc.context.depthObjectCount[30 + object], 1);
    QVERIFY(action->redo(&doc.context));
    QCOMPARE(doc.dump(), after);
    action->releaseDone();
}

void TestAttributeChanges::fontKindBit()
{
    Doc doc;
    auto* text = static_cast<FigText*>(doc.add(makeText(1)));
    text->fontFlags = 1 | 2 | 4;
    std::unique_ptr<ChangeAttributeAction> clear(new ChangeAttributeAction(
        &doc.context.drawing.objects, text, makeChange(AttributeKind::FontKind, 0, 0, 0, 0, true, false)));
    clear->redo(&doc.context);
    QCOMPARE(text->fontFlags, 3);
    clear->undo(&doc.context);
    QCOMPARE(text->fontFlags, 7);
    clear->releaseUndone();

    text->fontFlags = 2;
    std::unique_ptr<ChangeAttributeAction> set(new ChangeAttributeAction(
        &doc.context.drawing.objects, text, makeChange(AttributeKind::FontKind, 0, 0, 0, 0, false, true)));
    set->redo(&doc.context);
    QCOMPARE(text->fontFlags, 6);
    set->undo(&doc.context);
    QCOMPARE(text->fontFlags, 2);
    set->releaseUndone();
}

void TestAttributeChanges::latexImages_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("inCompound");
    QTest::addColumn<bool>("kept");

    for (bool inCompound : { false, true }) {
        const char* where = inCompound ? "member" : "text";
        QTest::addRow("%s alignment", where) << int(AttributeKind::TextAlign) << inCompound << true;
        QTest::addRow("%s rigid", where) << int(AttributeKind::TextRigid) << inCompound << true;
        QTest::addRow("%s angle", where) << int(AttributeKind::TextAngle) << inCompound << true;
        QTest::addRow("%s font size", where) << int(AttributeKind::FontSize) << inCompound << false;
        QTest::addRow("%s font", where) << int(AttributeKind::Font) << inCompound << false;
        QTest::addRow("%s special", where) << int(AttributeKind::TextSpecial) << inCompound << false;
        QTest::addRow("%s colour", where) << int(AttributeKind::PenColor) << inCompound << false;
    }
}

void TestAttributeChanges::latexImages()
{
    QFETCH(int, kind);
    QFETCH(bool, inCompound);
    QFETCH(bool, kept);

    Doc doc;
    auto* text = static_cast<FigText*>(makeObject(Text));
    FigObject* subject = inCompound ? static_cast<FigObject*>(makeCompound(5, { text })) : text;
    doc.add(subject);
    putLatexImage(text);
    std::unique_ptr<ChangeAttributeAction> action(
        new ChangeAttributeAction(&doc.context.drawing.objects, subject, changeFor(kind, text)));
    action->redo(&doc.context);
    QCOMPARE(text->latexPixmaps[0].isEmpty(), !kept);
    if (text->latexPixmaps[0].isEmpty())
        putLatexImage(text);
    action->undo(&doc.context);
    QCOMPARE(text->latexPixmaps[0].isEmpty(), !kept);
    action->releaseUndone();
}

void TestAttributeChanges::metricsFollowSizeAndFont_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("inCompound");

    QTest::newRow("font size") << int(AttributeKind::FontSize) << false;
    QTest::newRow("font size of a member") << int(AttributeKind::FontSize) << true;
    QTest::newRow("font of a member") << int(AttributeKind::Font) << true;
}

void TestAttributeChanges::metricsFollowSizeAndFont()
{
    QFETCH(int, kind);
    QFETCH(bool, inCompound);

    Doc doc;
    doc.context.zoom = 2.0f;
    auto* text = static_cast<FigText*>(makeObject(Text));
    text->text = QStringLiteral("Metrics follow");
    FigObject* subject = inCompound ? static_cast<FigObject*>(makeCompound(5, { text })) : text;
    doc.add(subject);
    doc.context.computeTextMetrics(text, doc.context.zoom);
    const int width = text->width;
    const int pixelHeight = text->pixelHeight;
    text->metricsZoom = 0.0f;

    std::unique_ptr<ChangeAttributeAction> action(
        new ChangeAttributeAction(&doc.context.drawing.objects, subject, changeFor(kind, text)));
    action->redo(&doc.context);
    QCOMPARE(text->metricsZoom, 2.0f);
    // Faces differ by machine; a larger size is larger everywhere.
    if (kind == AttributeKind::FontSize) {
        QVERIFY(text->width > width);
        QVERIFY(text->pixelHeight > pixelHeight);
    }
    text->metricsZoom = 0.0f;
    action->undo(&doc.context);
    QCOMPARE(text->metricsZoom, 2.0f);
    QCOMPARE(text->width, width);
    QCOMPARE(text->pixelHeight, pixelHeight);
    action->releaseUndone();
}

void TestAttributeChanges::releases_data()
{
    QTest::addColumn<bool>("undone");
    QTest::newRow("done") << false;
    QTest::newRow("undone") << true;
}

void TestAttributeChanges::releases()
{
    QFETCH(bool, undone);

    // Either release frees the record; a leak or a double free fails the
    // sanitizer build. A kind of object the changes do not know stays as it is.
    Doc doc;
    FigObject* odd = doc.add(new BoxObject(1, 0, 0, 10, 10));
    FigCompound* compound = makeCompound(2, { makeLine(3, { { 0, 0 }, { 1, 1 } }) });
    doc.add(compound);
    const QString before = doc.dump();
    for (FigObject* subject : { odd, static_cast<FigObject*>(compound) }) {
        std::unique_ptr<ChangeAttributeAction> action(new ChangeAttributeAction(
            &doc.context.drawing.objects, subject, makeChange(AttributeKind::PenColor, 0, 3)));
        QVERIFY(!action->redoRemovesObject());
        QVERIFY(!action->undoRemovesObject());
        QVERIFY(action->redo(&doc.context));
        if (undone) {
            QVERIFY(action->undo(&doc.context));
            QCOMPARE(doc.dump(), before);
            action->releaseUndone();
        } else {
            action->releaseDone();
        }
        QCOMPARE(action->change, nullptr);
    }
}

TAVREL_TEST_MAIN(TestAttributeChanges)
#include "tst_attributechanges.moc"
