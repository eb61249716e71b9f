// The user colours of the colour dialog in a running program: a colour added
// between two others takes the free number and is written in order, a new
// object drawn in it carries its number; editing changes its colour line;
// deleting refuses a colour that anything of the document could still use
// (the drawing, undo and redo, the copied objects) with the dialog's box, so
// no object is left with a number that has no colour line; every change of
// the colours marks the document modified.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "model/addaction.h"
#include "model/deleteaction.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "render/colors.h"
#include "support/colordialogrecorder.h"
#include "support/editsession.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include "ui_figcolordlg.h"

#include <QComboBox>
#include <QPushButton>

namespace {

QByteArray boxIn(int penColor, int fillColor = 7, int areaFill = -1)
{
    return QByteArray("2 2 0 1 ") + QByteArray::number(penColor) + ' ' + QByteArray::number(fillColor) + " 50 -1 "
        + QByteArray::number(areaFill) + " 0.000 0 0 -1 0 0 5\n\t 600 600 1800 600 1800 1800 600 1800 600 600\n";
}

const QByteArray red = "0 32 #ff0000\n";
const QByteArray green = "0 33 #00ff00\n";
const QByteArray blue = "0 34 #0000ff\n";
const QByteArray gray = "0 35 #808080\n";

QPushButton* button(FigColorDlg& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

QList<int> keys(const QComboBox* combo)
{
    QList<int> result;
    for (int i = 0; i < combo->count(); ++i)
        result << combo->itemData(i).toInt();
    return result;
}

// The colour lines of a saved drawing.
QList<QByteArray> colorLines(const QList<QByteArray>& lines)
{
    QList<QByteArray> result;
    for (const QByteArray& line : lines) {
        if (line.startsWith("0 "))
            result << line;
    }
    return result;
}

QList<QByteArray> chomped(const QList<QByteArray>& lines)
{
    QList<QByteArray> result;
    for (QByteArray line : lines) {
        line.chop(1);
        result << line;
    }
    return result;
}

// A new object like `model` in the document's colours, added as one undo
// step as drawing it does.
FigObject* addNewObject(CFigContext* context, const FigObject* model)
{
    FigObject* object = context->cloneObject(model);
    object->penColor = context->penColor;
    object->fillColor = context->fillColor;
    object->fillStyle = context->fillStyle;
    auto* add = new AddAction(context->objects(), object);
    add->redo(context);
    context->undoHistory.pushAction(add);
    return object;
}

void deleteObject(CFigContext* context, FigObject* object)
{
    auto* action = new DeleteAction(context->objects(), object);
    action->redo(context);
    context->undoHistory.pushAction(action);
}

// What else of the document holds colour 33 besides the fixture's objects.
enum Preparation { Nothing, UndoneNewObject, DeletedObject, ChangedAway, Copied };

void prepare(Preparation preparation, QTMainFrm& window, QTChildFrm& document)
{
    CFigContext* context = document.figContext;
    FigColorDlg& dialog = *window.colorDlg;
    FigObject* first = context->drawing.objects.front();
    switch (preparation) {
    case Nothing:
        break;
    case UndoneNewObject:
        // Drawn in colour 33, then undone: only the redo side holds it.
        emit dialog.form().userPenColor->activated(1);
        addNewObject(context, first);
        document.undo();
        break;
    case DeletedObject:
        deleteObject(context, first);
        break;
    case ChangedAway:
        window.showObjectAttributes(context, first);
        context->currentObject = first;
        QTest::mouseClick(button(dialog, "pencol0"), Qt::LeftButton);
        context->currentObject = nullptr;
        break;
    case Copied:
        // Copied, then deleted by a step that is no longer kept.
        first->selected = true;
        document.copy();
        deleteObject(context, first);
        context->undoHistory.clearUndo();
        break;
    }
}

} // namespace

class TestUserColors : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }

    // Colours 32 and 34: the new one takes 33, its entry lands between
    // theirs in both lists, the colour lines are written in order and a new
    // object drawn in it carries 33.
    void addBetween()
    {
        ColorDialogRecorder picker({ QColor(0, 255, 0) });
        editsession::run(editsession::figText(red + blue + boxIn(32)), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            QComboBox* pens = dialog.form().userPenColor;
            QComboBox* fills = dialog.form().userFillColor;
            QCOMPARE(keys(pens), QList<int>({ 0, 2 }));
            fills->setCurrentIndex(1);
            context->penColor = 34;

            QTest::mouseClick(button(dialog, "btAddUserPenColor"), Qt::LeftButton);
            QCOMPARE(picker.requests.size(), 1);
            QCOMPARE(picker.requests[0].initial, QColor(0, 0, 255)); // the pen colour
            QVERIFY(picker.requests[0].title.isEmpty());
            QCOMPARE(keys(pens), QList<int>({ 0, 1, 2 }));
            QCOMPARE(keys(fills), QList<int>({ 0, 1, 2 }));
            QCOMPARE(pens->currentIndex(), 1); // the new colour
            QCOMPARE(fills->itemData(fills->currentIndex()).toInt(), 2); // unchanged
            QCOMPARE(pens->itemIcon(1).pixmap(74, 16).toImage().pixelColor(5, 5), QColor(0, 255, 0));
            QVERIFY(context->modified);
            QCOMPARE(context->penColor, 34); // not chosen yet
            QCOMPARE(context->undoHistory.undoSteps.size(), 0);

            emit pens->activated(1);
            QCOMPARE(context->penColor, 33);
            addNewObject(context, context->drawing.objects.front());
            const QList<QByteArray> lines = editsession::savedObjectLines(document);
            QCOMPARE(colorLines(lines), chomped({ red, green, blue }));
            QCOMPARE(lines.size(), 3 + 2 + 2);
            QCOMPARE(lines[5].split(' ').at(4), QByteArray("33"));
        });
    }

    // A user fill colour on an unfilled document fills in full; a cancelled
    // picker adds nothing.
    void chooseFillAndCancel()
    {
        ColorDialogRecorder picker({ QColor() });
        editsession::run(editsession::figText(red + boxIn(0)), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            QTest::mouseClick(button(dialog, "btAddUserFillColor"), Qt::LeftButton);
            QCOMPARE(picker.requests.size(), 1);
            QCOMPARE(dialog.form().userFillColor->count(), 1);
            QVERIFY(!context->modified);

            QCOMPARE(context->fillStyle, -1);
            emit dialog.form().userFillColor->activated(0);
            QCOMPARE(context->fillColor, 32);
            QCOMPARE(context->fillStyle, 20);
            QCOMPARE(dialog.form().shade20->icon().pixmap(18, 18).toImage().pixelColor(9, 9), QColor(255, 0, 0));
        });
    }

    // Deleting colour 33 while something could still carry it shows the box
    // and keeps the colour; "Delete unused" keeps it too. Undoing or redoing
    // afterwards leaves no object without its colour line.
    void deleteInUse_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<int>("preparation");
        QTest::newRow("pen colour") << boxIn(33) << int(Nothing);
        QTest::newRow("fill colour of an unfilled box") << boxIn(0, 33, -1) << int(Nothing);
        QTest::newRow("text colour") << QByteArray("4 0 33 50 -1 0 12 0.0000 4 135 900 1800 1800 words\\001\n")
                                     << int(Nothing);
        QTest::newRow("member of a nested compound")
            << "6 600 600 1800 1800\n6 600 600 1800 1800\n" + boxIn(33) + "-6\n-6\n" + boxIn(0) << int(Nothing);
        QTest::newRow("only an undone object") << boxIn(0) << int(UndoneNewObject);
        QTest::newRow("only a deleted object") << boxIn(33) << int(DeletedObject);
        QTest::newRow("only before a colour change") << boxIn(33) << int(ChangedAway);
        QTest::newRow("only a copied object") << boxIn(33) + boxIn(0) << int(Copied);
    }
    void deleteInUse()
    {
        QFETCH(QByteArray, objects);
        QFETCH(int, preparation);
        MessageBoxRecorder boxes;
        editsession::run(editsession::figText(red + green + objects), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            prepare(Preparation(preparation), window, document);
            context->clearModified();

            dialog.form().userPenColor->setCurrentIndex(1);
            QTest::mouseClick(button(dialog, "btDeleteUserPenColor"), Qt::LeftButton);
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].text, QStringLiteral("That color is in use by an object in the figure"));
            QCOMPARE(boxes.boxes[0].parent, &dialog);
            QVERIFY(context->hasUserColor(33));
            QCOMPARE(keys(dialog.form().userPenColor), QList<int>({ 0, 1 }));
            QVERIFY(!context->modified);

            QTest::mouseClick(button(dialog, "btDeleteUnusedUserPenColor"), Qt::LeftButton);
            QCOMPARE(boxes.boxes.size(), 1);
            QVERIFY(context->hasUserColor(33));
            QVERIFY(!context->hasUserColor(32));
            QCOMPARE(keys(dialog.form().userFillColor), QList<int>({ 1 }));

            // Whatever undo and redo bring back has its colour line.
            for (int i = 0; i < 2; ++i) {
                document.undo();
                QCOMPARE(colorLines(editsession::savedObjectLines(document)), chomped({ green }));
            }
            for (int i = 0; i < 2; ++i) {
                document.redo();
                QCOMPARE(colorLines(editsession::savedObjectLines(document)), chomped({ green }));
            }
        });
    }

    // A colour nothing uses goes; the pen and fill colours become black and
    // white, both lists show their first entry, the file loses its line.
    void deleteUnused()
    {
        MessageBoxRecorder boxes;
        editsession::run(
            editsession::figText(red + green + blue + boxIn(32, 34, 20)), [&](QTMainFrm& window, QTChildFrm& document) {
                CFigContext* context = document.figContext;
                FigColorDlg& dialog = *window.colorDlg;
                context->penColor = 33;
                context->fillColor = 34;
                context->fillStyle = 30;
                dialog.form().userPenColor->setCurrentIndex(2);
                dialog.form().userFillColor->setCurrentIndex(1);

                QTest::mouseClick(button(dialog, "btDeleteUserFillColor"), Qt::LeftButton);
                QCOMPARE(boxes.boxes.size(), 0);
                QVERIFY(!context->hasUserColor(33));
                QCOMPARE(context->penColor, 0);
                QCOMPARE(context->fillColor, 7);
                QCOMPARE(context->fillStyle, 30);
                QVERIFY(context->modified);
                QCOMPARE(keys(dialog.form().userPenColor), QList<int>({ 0, 2 }));
                QCOMPARE(dialog.form().userPenColor->currentIndex(), 0);
                QCOMPARE(dialog.form().userFillColor->currentIndex(), 0);
                QCOMPARE(context->undoHistory.undoSteps.size(), 0);
                QCOMPARE(colorLines(editsession::savedObjectLines(document)), chomped({ red, blue }));
            });
    }

    // "Delete unused": three unused colours go, the used one stays; with
    // none unused the pen and fill colours are still reset, and nothing in
    // the file changed.
    void deleteAllUnused()
    {
        MessageBoxRecorder boxes;
        editsession::run(editsession::figText(red + green + blue + gray + boxIn(0, 34, -1)),
            [&](QTMainFrm& window, QTChildFrm& document) {
                CFigContext* context = document.figContext;
                FigColorDlg& dialog = *window.colorDlg;
                QTest::mouseClick(button(dialog, "btDeleteUnusedUserPenColor"), Qt::LeftButton);
                QCOMPARE(boxes.boxes.size(), 0);
                QCOMPARE(context->drawing.userColors.keys(), QList<int>({ 2 }));
                QCOMPARE(keys(dialog.form().userPenColor), QList<int>({ 2 }));
                QVERIFY(context->modified);

                context->clearModified();
                context->penColor = 34;
                context->fillColor = 34;
                QTest::mouseClick(button(dialog, "btDeleteUnusedUserFillColor"), Qt::LeftButton);
                QCOMPARE(context->drawing.userColors.keys(), QList<int>({ 2 }));
                QCOMPARE(context->penColor, 0);
                QCOMPARE(context->fillColor, 7);
                QVERIFY(!context->modified);
            });
    }

    // "Edit" changes the colour of the entry its own list shows: its colour
    // line and shades change, objects keep their numbers, the document is
    // modified; a cancelled picker changes nothing.
    void edit_data()
    {
        QTest::addColumn<QByteArray>("editButton");
        QTest::addColumn<int>("penEntry");
        QTest::addColumn<int>("fillEntry");
        QTest::addColumn<QColor>("answer");
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::newRow("pen side") << QByteArray("btEditUserPenColor") << 1 << 0 << QColor(0, 0, 255)
                                  << chomped({ red, "0 33 #0000ff\n" });
        QTest::newRow("fill side") << QByteArray("btEditUserFillColor") << 1 << 0 << QColor(0, 0, 255)
                                   << chomped({ "0 32 #0000ff\n", green });
        QTest::newRow("cancelled") << QByteArray("btEditUserPenColor") << 1 << 0 << QColor() << chomped({ red, green });
    }
    void edit()
    {
        QFETCH(QByteArray, editButton);
        QFETCH(int, penEntry);
        QFETCH(int, fillEntry);
        QFETCH(QColor, answer);
        QFETCH(QList<QByteArray>, expected);
        ColorDialogRecorder picker({ answer });
        editsession::run(
            editsession::figText(red + green + boxIn(32, 33, 20)), [&](QTMainFrm& window, QTChildFrm& document) {
                CFigContext* context = document.figContext;
                FigColorDlg& dialog = *window.colorDlg;
                dialog.form().userPenColor->setCurrentIndex(penEntry);
                dialog.form().userFillColor->setCurrentIndex(fillEntry);
                const QByteArray box = editsession::savedObjectLines(document).at(2);

                context->clearModified();
                QTest::mouseClick(button(dialog, editButton.constData()), Qt::LeftButton);
                QCOMPARE(context->modified, answer.isValid());
                QCOMPARE(picker.requests.size(), 1);
                const int key = editButton.contains("Pen") ? penEntry : fillEntry;
                QCOMPARE(picker.requests[0].initial, key == 0 ? QColor(255, 0, 0) : QColor(0, 255, 0));
                const QList<QByteArray> lines = editsession::savedObjectLines(document);
                QCOMPARE(colorLines(lines), expected);
                QCOMPARE(lines.at(2), box);
                QCOMPARE(dialog.form().userPenColor->currentIndex(), penEntry);
                QCOMPARE(dialog.form().userFillColor->currentIndex(), fillEntry);
                QCOMPARE(context->undoHistory.undoSteps.size(), 0);
                if (answer.isValid()) {
                    QCOMPARE(context->drawing.userShades.value(key)->shade[fullShade], 0x0000ff);
                    QCOMPARE(getPenColor(context->drawing.userShades, key + 32, DrawNormal), answer);
                }
            });
    }
};

TAVREL_TEST_MAIN(TestUserColors)
#include "tst_usercolors.moc"
