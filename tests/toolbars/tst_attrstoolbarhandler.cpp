// The attribute handler on a real main window and document: each change is
// stored, announced to the pages and applied to the current object as one
// undo step that undo takes back; a change that alters nothing leaves no
// step; showing any object of any drawing changes nothing, even when the
// widgets that follow the values round or clamp them.
#include "app/mainwindowtestfolder.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/objectcommentdlg.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figtext.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "support/writtendrawing.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

using writtendrawing::writtenDrawing;

namespace {

const QByteArray header = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

const QByteArray arrowLine = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 1 1 2\n"
                             "\t1 1 1.00 60.00 120.00\n\t0 0 1.00 60.00 120.00\n\t 1200 1200 2400 1800\n";
const QByteArray plainLine = "2 1 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 1800\n";
const QByteArray box
    = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 1800 1200 1800 1800 1200 1800 1200 1200\n";
const QByteArray text = "4 0 0 50 -1 0 12 0.0000 4 135 900 1800 1800 words\\001\n";

bool showActive(QTMainFrm& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

void collect(const FigObjectList* list, QList<FigObject*>& out)
{
    for (FigObject* object : *list) {
        out << object;
        if (object->type == FigObject::Compound)
            collect(static_cast<FigCompound*>(object)->members, out);
    }
}

// The object lines of a written file (after the resolution line).
QList<QByteArray> objectLines(const QByteArray& file)
{
    QList<QByteArray> result;
    bool inBody = false;
    for (const QByteArray& line : file.split('\n')) {
        if (inBody && !line.startsWith('#') && !line.isEmpty())
            result << line;
        if (line.startsWith("1200 "))
            inBody = true;
    }
    return result;
}

// Widgets following the handler as the attribute pages do, both ways, with
// ranges and precisions narrower than the values a drawing may hold.
struct FollowingWidgets {
    explicit FollowingWidgets(AttrsToolbarHandler* handler)
    {
        lineWidth.setRange(0, 10);
        depth.setRange(0, 999);
        radius.setRange(0, 100);
        angle.setRange(0, 180);
        styleVal.setDecimals(2);
        styleVal.setRange(0.0, 10.0);
        arrow.addItems({ "none", "0", "1" });
        fontSize.setEditable(true);
        using H = AttrsToolbarHandler;
        QObject::connect(&lineWidth, qOverload<int>(&QSpinBox::valueChanged), handler, &H::onLineWidth);
        QObject::connect(handler, &H::lineWidthChanged, &lineWidth, &QSpinBox::setValue);
        QObject::connect(&depth, qOverload<int>(&QSpinBox::valueChanged), handler, &H::onDepth);
        QObject::connect(handler, &H::depthChanged, &depth, &QSpinBox::setValue);
        QObject::connect(&radius, qOverload<int>(&QSpinBox::valueChanged), handler, &H::onBoxCornerRadius);
        QObject::connect(handler, &H::boxCornerRadiusChanged, &radius, &QSpinBox::setValue);
        QObject::connect(&angle, qOverload<int>(&QSpinBox::valueChanged), handler, &H::onEllipseAngle);
        QObject::connect(handler, &H::ellipseAngleChanged, &angle, &QSpinBox::setValue);
        QObject::connect(&styleVal, qOverload<double>(&QDoubleSpinBox::valueChanged), handler, &H::onStyleVal);
        QObject::connect(handler, &H::styleValChanged, &styleVal, &QDoubleSpinBox::setValue);
        QObject::connect(&arrow, qOverload<int>(&QComboBox::currentIndexChanged), handler, &H::onForwArrow);
        QObject::connect(handler, &H::forwArrowChanged, &arrow, &QComboBox::setCurrentIndex);
        QObject::connect(&fontSize, &QComboBox::editTextChanged, handler, qOverload<const QString&>(&H::onFontSize));
        QObject::connect(handler, &H::fontSizeChanged, &fontSize, &QComboBox::setEditText);
    }
    QSpinBox lineWidth;
    QSpinBox depth;
    QSpinBox radius;
    QSpinBox angle;
    QDoubleSpinBox styleVal;
    QComboBox arrow;
    QComboBox fontSize;
};

} // namespace

class TestAttrsToolbarHandler : public QObject {
    Q_OBJECT

    MainWindowTestFolder folder;
    // Drawings reaching left of the page stay where they are.
    MessageBoxRecorder boxes { QMessageBox::No };

    // Opens the drawing in the window and makes its first object the shown,
    // current one; the window's document.
    CFigContext* open(QTMainFrm& window, const QByteArray& body, int objectIndex = 0)
    {
        const QString file = folder.path(QStringLiteral("drawing%1.fig").arg(++opened));
        writeFile(file, header + body);
        window.openFile(file);
        QTChildFrm* child = window.activeMdiChild();
        if (!child || child->curFile != QFileInfo(file).canonicalFilePath())
            return nullptr;
        CFigContext* context = child->figContext;
        QList<FigObject*> all;
        collect(&context->drawing.objects, all);
        if (objectIndex >= 0 && objectIndex < all.size()) {
            context->currentObject = all[objectIndex];
            window.showObjectAttributes(context, context->currentObject);
        }
        return context;
    }

    int opened = 0;

private slots:
    void initTestCase() { folder.initOnce(); }
    void cleanupTestCase() { folder.finishOnce(); }
    void init()
    {
        currentAttrs = DrawingAttributes();
        QVERIFY(folder.reset());
    }
    void cleanup() { folder.restore(); }

    void widthChangeIsOneUndoStep()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, arrowLine);
        QVERIFY(context);
        FollowingWidgets pageA(window.attrsHandler);
        FollowingWidgets pageB(window.attrsHandler);
        const QByteArray before = writtenDrawing(*context);
        QVERIFY(!context->modified);

        pageA.lineWidth.setValue(3);
        QCOMPARE(currentAttrs.lineWidth, 3);
        QCOMPARE(pageB.lineWidth.value(), 3);
        QCOMPARE(context->undoHistory.undoSteps.size(), 1);
        QVERIFY(context->modified);
        QCOMPARE(objectLines(writtenDrawing(*context)),
            QList<QByteArray>({ "2 1 0 3 0 7 50 -1 -1 0.000 0 0 -1 1 1 2", "\t1 1 3.00 180.00 360.00",
                "\t0 0 3.00 180.00 360.00", "\t 1200 1200 2400 1800" }));

        window.undo();
        QCOMPARE(writtenDrawing(*context), before);
        QCOMPARE(context->undoHistory.redoSteps.size(), 1);
    }

    void changesThatAlterNothing()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, arrowLine);
        QVERIFY(context);
        AttrsToolbarHandler* handler = window.attrsHandler;
        QSignalSpy depths(handler, &AttrsToolbarHandler::depthChanged);

        // The values the object has, and values no page can tell apart.
        handler->onDepth(50);
        handler->onLineWidth(1);
        handler->onStyleVal(currentAttrs.styleVal + 0.001);
        handler->onForwArrow(currentAttrs.forwArrow + 1);
        handler->onEllipseAngle(0);
        QCOMPARE(depths.size(), 0);

        // The pen colour is the object's: choosing it again changes nothing.
        handler->onColors(context->penColor, context->fillColor, context->fillStyle);
        // A text size: no text is current, so nothing receives it.
        handler->onFontSize(QStringLiteral("20"));
        QCOMPARE(currentAttrs.fontSize, 20);

        QVERIFY(context->undoHistory.undoSteps.isEmpty());
        QVERIFY(!context->modified);

        // Without a current object a change is stored and shown only.
        context->currentObject = nullptr;
        handler->onDepth(30);
        QCOMPARE(currentAttrs.depth, 30);
        QCOMPARE(depths.size(), 1);
        QVERIFY(context->undoHistory.undoSteps.isEmpty());
        QVERIFY(!context->modified);
    }

    void forwardArrowOnASelectedLine()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, plainLine);
        QVERIFY(context);
        const QByteArray before = writtenDrawing(*context);
        QSignalSpy arrows(window.attrsHandler, &AttrsToolbarHandler::forwArrowChanged);

        // Kind 4: Fig type 2, style 1; relative sizes from the width 2.
        window.attrsHandler->onForwArrow(5);
        QCOMPARE(arrows.size(), 1);
        QCOMPARE(arrows.first().first().toInt(), 5);
        QVERIFY(currentAttrs.forwArrowOn);
        QCOMPARE(currentAttrs.forwArrow, 4);
        QCOMPARE(context->undoHistory.undoSteps.size(), 1);
        QCOMPARE(objectLines(writtenDrawing(*context)),
            QList<QByteArray>(
                { "2 1 0 2 0 7 50 -1 -1 0.000 0 0 -1 1 0 2", "\t2 1 2.00 120.00 240.00", "\t 1200 1200 2400 1800" }));
        window.undo();
        QCOMPARE(writtenDrawing(*context), before);
    }

    void backArrowOffTakesTheArrowAway()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, arrowLine);
        QVERIFY(context);
        QVERIFY(currentAttrs.backArrowOn);
        const int kind = currentAttrs.backArrow;
        const QByteArray before = writtenDrawing(*context);

        window.attrsHandler->onBackArrow(0);
        QCOMPARE(context->undoHistory.undoSteps.size(), 1);
        QVERIFY(!context->currentObject->backArrow);
        QVERIFY(context->currentObject->forwArrow);
        QVERIFY(!currentAttrs.backArrowOn);
        QCOMPARE(currentAttrs.backArrow, kind);
        QSignalSpy arrows(window.attrsHandler, &AttrsToolbarHandler::backArrowChanged);
        window.attrsHandler->refreshToolbars();
        QCOMPARE(arrows.size(), 1);
        QCOMPARE(arrows.first().first().toInt(), 0);

        // Once more: the switch is off already.
        window.attrsHandler->onBackArrow(0);
        QCOMPARE(context->undoHistory.undoSteps.size(), 1);

        window.undo();
        QCOMPARE(writtenDrawing(*context), before);
    }

    void backArrowOffOnAnObjectWithoutArrows_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("box") << box;
        QTest::newRow("line without arrows") << plainLine;
        QTest::newRow("text") << text;
    }
    void backArrowOffOnAnObjectWithoutArrows()
    {
        QFETCH(QByteArray, body);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, body);
        QVERIFY(context);
        currentAttrs.backArrowOn = true;
        window.attrsHandler->onBackArrow(0);
        QVERIFY(!currentAttrs.backArrowOn);
        QVERIFY(context->undoHistory.undoSteps.isEmpty());
        QVERIFY(!context->modified);
    }

    // A compound holding compounds: one step, and one undo gives every
    // member its own depth, width and colour back.
    void compoundsOfCompounds()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window,
            "6 1200 1200 4200 4200\n"
            "2 1 0 2 1 7 40 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 1800 1800\n"
            "6 1800 1800 4200 4200\n"
            "2 1 0 3 2 7 30 -1 -1 0.000 0 0 -1 0 0 2\n\t 1800 1800 2400 2400\n"
            "6 2400 2400 4200 4200\n"
            "2 1 0 4 3 7 20 -1 -1 0.000 0 0 -1 0 0 2\n\t 2400 2400 3000 3000\n"
            "4 0 5 10 -1 0 12 0.0000 4 135 900 3000 3000 deep\\001\n"
            "-6\n-6\n-6\n");
        QVERIFY(context);
        QCOMPARE(context->currentObject->type, int(FigObject::Compound));
        const QByteArray before = writtenDrawing(*context);

        window.attrsHandler->onDepth(70);
        QCOMPARE(context->undoHistory.undoSteps.size(), 1);
        QList<FigObject*> all;
        collect(&context->drawing.objects, all);
        for (FigObject* object : all) {
            if (object->type != FigObject::Compound)
                QCOMPARE(object->depth, 70);
        }
        window.undo();
        QCOMPARE(writtenDrawing(*context), before);
    }

    void withoutADocument()
    {
        mainWindow = nullptr;
        AttrsToolbarHandler handler(nullptr);
        QSignalSpy widths(&handler, &AttrsToolbarHandler::lineWidthChanged);
        QSignalSpy colours(&handler, &AttrsToolbarHandler::colorsChanged);
        handler.onLineWidth(3);
        QCOMPARE(widths.size(), 1);
        QCOMPARE(currentAttrs.lineWidth, 3);
        QCOMPARE(currentAttrs.arrowThickness, 3.0f);
        QCOMPARE(currentAttrs.arrowWidth, 180.0f);
        QCOMPARE(currentAttrs.arrowHeight, 360.0f);
        QCOMPARE(currentAttrs.arrowWidthRel, 60.0f);
        handler.onColors(3, 4, 5);
        QCOMPARE(colours.size(), 0);
        handler.onBackArrow(3);
        QCOMPARE(currentAttrs.backArrow, 2);
        handler.openCommentDlgClicked(false);
        handler.openColorDlgClicked(false);
    }

    void documentColours_data()
    {
        QTest::addColumn<int>("pen");
        QTest::addColumn<int>("fill");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("expected"); // pen fill area afterwards
        QTest::addColumn<bool>("announced");
        QTest::newRow("an unknown user colour") << 40 << 7 << -1 << "3 7 -1" << true;
        QTest::newRow("a user colour of the document") << 32 << 1 << 62 << "32 1 62" << true;
        QTest::newRow("area fill out of range") << 2 << 2 << 63 << "2 2 20" << true;
        QTest::newRow("negative colour") << -1 << 5 << -1 << "3 5 -1" << true;
        QTest::newRow("the document's own values") << 3 << 4 << 20 << "3 4 20" << false;
    }
    void documentColours()
    {
        QFETCH(int, pen);
        QFETCH(int, fill);
        QFETCH(int, area);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, QByteArray("0 32 #123456\n") + plainLine, -1);
        QVERIFY(context);
        context->penColor = 3;
        context->fillColor = 4;
        context->fillStyle = 20;
        QSignalSpy colours(window.attrsHandler, &AttrsToolbarHandler::colorsChanged);
        const QByteArray before = writtenDrawing(*context);
        window.attrsHandler->onColors(pen, fill, area);
        QTEST(QStringLiteral("%1 %2 %3").arg(context->penColor).arg(context->fillColor).arg(context->fillStyle),
            "expected");
        QTEST(colours.size() == 1, "announced");
        // The objects take the new colours when they are drawn, not now.
        QCOMPARE(writtenDrawing(*context), before);
        QVERIFY(context->undoHistory.undoSteps.isEmpty());
    }

    void refreshShowsEveryValueInOrder()
    {
        AttrsToolbarHandler handler(nullptr);
        QStringList seen;
        using H = AttrsToolbarHandler;
        auto record = [&](const char* name) {
            return [&seen, name](const QVariant& v) { seen << QStringLiteral("%1=%2").arg(name, v.toString()); };
        };
        connect(&handler, &H::depthChanged, this, [f = record("depth")](int v) { f(v); });
        connect(&handler, &H::lineWidthChanged, this, [f = record("lineWidth")](int v) { f(v); });
        connect(&handler, &H::lineStyleChanged, this, [f = record("lineStyle")](int v) { f(v); });
        connect(&handler, &H::styleValChanged, this, [f = record("styleVal")](double v) { f(v); });
        connect(&handler, &H::capStyleChanged, this, [f = record("capStyle")](int v) { f(v); });
        connect(&handler, &H::joinStyleChanged, this, [f = record("joinStyle")](int v) { f(v); });
        connect(&handler, &H::arcTypeChanged, this, [f = record("arcType")](int v) { f(v); });
        connect(&handler, &H::backArrowChanged, this, [f = record("backArrow")](int v) { f(v); });
        connect(&handler, &H::forwArrowChanged, this, [f = record("forwArrow")](int v) { f(v); });
        connect(&handler, &H::arrowTypeChanged, this, [f = record("arrowType")](int v) { f(v); });
        connect(&handler, &H::boxTypeChanged, this, [f = record("boxType")](int v) { f(v); });
        connect(&handler, &H::boxCornerRadiusChanged, this, [f = record("radius")](int v) { f(v); });
        connect(&handler, &H::numSidesChanged, this, [f = record("numSides")](int v) { f(v); });
        connect(&handler, &H::ellipseAngleChanged, this, [f = record("ellipseAngle")](int v) { f(v); });
        connect(&handler, &H::textAngleChanged, this, [f = record("textAngle")](int v) { f(v); });
        connect(&handler, &H::textRigidChanged, this, [f = record("rigid")](bool v) { f(v); });
        connect(&handler, &H::textSpecialChanged, this, [f = record("special")](bool v) { f(v); });
        connect(&handler, &H::fontSizeChanged, this, [f = record("fontSize")](const QString& v) { f(v); });
        connect(&handler, &H::textAlignChanged, this, [f = record("textAlign")](int v) { f(v); });
        connect(&handler, &H::psFontChanged, this, [f = record("psFont")](int v) { f(v); });
        connect(&handler, &H::latexFontChanged, this, [f = record("latexFont")](int v) { f(v); });
        connect(&handler, &H::colorsChanged, this, [&seen] { seen << QStringLiteral("colors"); });

        currentAttrs.forwArrowOn = true;
        currentAttrs.forwArrow = 3;
        currentAttrs.backArrow = 5;
        currentAttrs.boxType = 4;
        currentAttrs.ellipseAngle = 0.79f;
        currentAttrs.textAngle = -0.5f;
        currentAttrs.textFlags = 2;
        currentAttrs.latexFont = 3;
        currentAttrs.styleVal = 2.5f;
        handler.refreshToolbars();
        QCOMPARE(seen,
            QStringList({ "depth=50", "lineWidth=1", "lineStyle=0", "styleVal=2.5", "capStyle=0", "joinStyle=0",
                "arcType=0", "backArrow=0", "forwArrow=4", "arrowType=0", "boxType=1", "radius=7", "numSides=6",
                "ellipseAngle=45", "textAngle=-29", "rigid=false", "special=true", "fontSize=12", "textAlign=0",
                "latexFont=3", "colors" }));
    }

    void valuesAsThePagesShowThem()
    {
        mainWindow = nullptr;
        AttrsToolbarHandler handler(nullptr);
        QSignalSpy boxTypes(&handler, &AttrsToolbarHandler::boxTypeChanged);
        handler.onBoxType(0);
        QCOMPARE(boxTypes.size(), 0);
        handler.onBoxType(1);
        QCOMPARE(currentAttrs.boxType, 4);
        handler.onBoxType(2);
        QCOMPARE(boxTypes.size(), 1);

        // Angles in whole degrees: an angle taken from an object stays.
        handler.onEllipseAngle(45);
        QCOMPARE(currentAttrs.ellipseAngle, 0.785398f);
        currentAttrs.ellipseAngle = 0.79f;
        handler.onEllipseAngle(45);
        QCOMPARE(currentAttrs.ellipseAngle, 0.79f);
        handler.onTextAngle(-90);
        QCOMPARE(AttrsToolbarHandler::wholeDegrees(currentAttrs.textAngle), -90);

        // A font size that is no number counts as 0.
        QSignalSpy sizes(&handler, &AttrsToolbarHandler::fontSizeChanged);
        handler.onFontSize(QStringLiteral("12"));
        QCOMPARE(sizes.size(), 0);
        handler.onFontSize(QStringLiteral("abc"));
        QCOMPARE(currentAttrs.fontSize, 0);
        QCOMPARE(sizes.last().first().toString(), QStringLiteral("abc"));
        handler.onFontSize(14);
        QCOMPARE(sizes.last().first().toString(), QStringLiteral("14"));

        // Rigid and special are bits of the flags; the font kind stays.
        handler.onTextRigid(true);
        handler.onTextSpecial(true);
        QCOMPARE(currentAttrs.textFlags, 7);
        handler.onTextRigid(false);
        QCOMPARE(currentAttrs.textFlags, 6);

        // Stored only, shown nowhere.
        QSignalSpy anything(&handler, &AttrsToolbarHandler::depthChanged);
        handler.onRotnAngle(45);
        handler.onNumCopies(3);
        handler.onTangormLength(2.5);
        QCOMPARE(currentAttrs.rotnAngle, 45);
        QCOMPARE(currentAttrs.numCopies, 3);
        QCOMPARE(currentAttrs.tangormLength, 2.5f);
        QCOMPARE(anything.size(), 0);
    }

    void fontSizeOfAText()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, text);
        QVERIFY(context);
        window.attrsHandler->onFontSize(QStringLiteral("12"));
        QVERIFY(context->undoHistory.undoSteps.isEmpty());
        window.attrsHandler->onFontSize(QStringLiteral("18"));
        QCOMPARE(context->undoHistory.undoSteps.size(), 1);
        QCOMPARE(static_cast<FigText*>(context->currentObject)->fontSize, 18);
    }

    void commentDialog()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = open(window, plainLine, -1);
        QVERIFY(context);
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            shown = window.commentDlg.isVisible();
            window.commentDlg.reject();
        });
        window.attrsHandler->openCommentDlgClicked(false);
        QVERIFY(!shown);
        QCoreApplication::processEvents();

        // With a current object: the dialog runs for it; a typed text
        // becomes its comment, and no undo step is made.
        context->currentObject = context->drawing.objects.front();
        QSignalSpy comments(&window.commentDlg, &ObjectCommentDlg::commentChanged);
        QTimer::singleShot(0, this, [&] {
            shown = window.commentDlg.isVisible();
            auto* editor = window.commentDlg.findChild<QPlainTextEdit*>(QStringLiteral("objectComment"));
            QVERIFY(editor);
            editor->setPlainText(QStringLiteral("a"));
            window.commentDlg.accept();
        });
        window.attrsHandler->openCommentDlgClicked(false);
        QVERIFY(shown);
        QCOMPARE(context->currentObject->comment, QStringLiteral("a"));
        QCOMPARE(comments.size(), 1);
        QCOMPARE(comments.at(0).first().toBool(), true);
        QVERIFY(context->undoHistory.undoSteps.isEmpty());
    }

    // Every object of every drawing of the tests, shown in turn while
    // widgets that round and clamp follow the values: saving afterwards
    // writes the same bytes, and no undo step exists.
    void showingChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        const QDir data(QStringLiteral(TAVREL_TEST_DATA));
        const QStringList files = data.entryList({ "*.fig" }, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files)
            QTest::newRow(qPrintable(name)) << data.filePath(name);
    }
    void showingChangesNothing()
    {
        QFETCH(QString, file);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        const QString copy = folder.path(QFileInfo(file).fileName());
        QVERIFY(QFile::copy(file, copy));
        window.openFile(copy);
        QTChildFrm* child = window.activeMdiChild();
        QVERIFY(child && child->curFile == QFileInfo(copy).canonicalFilePath());
        CFigContext* context = child->figContext;
        FollowingWidgets page(window.attrsHandler);
        window.attrsHandler->refreshToolbars();
        const QString first = folder.path(QStringLiteral("first.fig"));
        QVERIFY(context->saveFile(first));

        QList<FigObject*> all;
        collect(&context->drawing.objects, all);
        QVERIFY(!all.isEmpty());
        for (FigObject* object : all) {
            context->currentObject = object;
            window.showObjectAttributes(context, object);
        }
        QVERIFY(context->undoHistory.undoSteps.isEmpty());
        const QString second = folder.path(QStringLiteral("second.fig"));
        QVERIFY(context->saveFile(second));
        QCOMPARE(readFile(second), readFile(first));
    }
};

TAVREL_TEST_MAIN(TestAttrsToolbarHandler)
#include "tst_attrstoolbarhandler.moc"
