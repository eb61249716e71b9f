// The colour dialog in a running program, bound to the active document: each
// colour, shade, pattern and "unfilled" sets the document's value that new
// objects take and changes the current object as one undo step; the preview
// shows the choice; shade icons follow the fill colour; binding follows the
// document and does nothing without one.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "model/addaction.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "render/colors.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"

#include "ui_figcolordlg.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// A box in black on a white fill at full intensity.
const QByteArray boxLines = "2 2 0 1 0 7 50 -1 20 0.000 0 0 -1 0 0 5\n"
                            "\t 600 600 1800 600 1800 1800 600 1800 600 600\n";

enum Field { PenColorField = 4, FillColorField = 5, AreaFillField = 8 };

// The object line with one blank-separated field replaced.
QByteArray withField(const QByteArray& line, int field, const QByteArray& value)
{
    QList<QByteArray> fields = line.split(' ');
    fields[field] = value;
    return fields.join(' ');
}

QPushButton* button(FigColorDlg& dialog, const QString& name)
{
    return dialog.findChild<QPushButton*>(name);
}

int undoSteps(const CFigContext* context)
{
    return context->undoHistory.undoSteps.size();
}

// The object shown in the attribute tool bars and made the current one, as
// picking it does.
void makeCurrent(QTMainFrm& window, CFigContext* context, FigObject* object)
{
    window.showObjectAttributes(context, object);
    context->currentObject = object;
}

// A new object like `model` in the document's colours, added as one undo
// step as drawing it does.
void addNewObject(CFigContext* context, const FigObject* model)
{
    FigObject* object = context->cloneObject(model);
    object->penColor = context->penColor;
    object->fillColor = context->fillColor;
    object->fillStyle = context->fillStyle;
    auto* add = new AddAction(context->objects(), object);
    add->redo(context);
    context->undoHistory.pushAction(add);
}

QColor standardColor(int number)
{
    return QColor::fromRgb(static_cast<QRgb>(0xff000000u | standardShades[number].shade[fullShade]));
}

} // namespace

class TestFigColorDlg : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }

    void form()
    {
        editsession::run(QByteArray(), [](QTMainFrm& window, QTChildFrm&) {
            FigColorDlg& dialog = *window.colorDlg;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Colors"));
            QCOMPARE(dialog.minimumWidth(), 480);
            QCOMPARE(dialog.maximumWidth(), 480);
            QCOMPARE(dialog.minimumHeight(), 610);
            QCOMPARE(dialog.maximumHeight(), 620);
            // Everything fits: no row is squeezed out of sight.
            QVERIFY(dialog.layout()->minimumSize().height() <= dialog.maximumHeight());
            const struct {
                const char* stem;
                int count;
                int size;
                int icon;
            } groups[] = { { "pencol", 32, 24, 18 }, { "fillcol", 32, 24, 18 }, { "shade", 41, 24, 18 },
                { "pattern", 22, 40, 34 } };
            for (const auto& group : groups) {
                for (int i = 0; i < group.count; ++i) {
                    QPushButton* b = button(dialog, QString::fromLatin1(group.stem) + QString::number(i));
                    QVERIFY2(b, group.stem);
                    QCOMPARE(b->minimumSize(), QSize(group.size, group.size));
                    QCOMPARE(b->maximumSize(), QSize(group.size, group.size));
                    QCOMPARE(b->iconSize(), QSize(group.icon, group.icon));
                    QVERIFY(b->text().isEmpty());
                }
            }
            // The pen and fill buttons show the standard colours.
            for (int i : { 0, 4, 7, 31 }) {
                for (const char* stem : { "pencol", "fillcol" }) {
                    const QImage swatch = button(dialog, QString::fromLatin1(stem) + QString::number(i))
                                              ->icon()
                                              .pixmap(18, 18)
                                              .toImage();
                    QCOMPARE(swatch.pixelColor(9, 9), standardColor(i));
                }
            }
            QVERIFY(button(dialog, "unfilled")->icon().isNull());
            QCOMPARE(button(dialog, "penSample")->toolTip(),
                QStringLiteral("The current combination of foreground and background colors"));
            QCOMPARE(dialog.findChild<QLabel*>("lbCurrentPen")->text(), QStringLiteral("Current Pen:"));
            for (const char* name : { "userPenColor", "userFillColor" }) {
                auto* combo = dialog.findChild<QComboBox*>(name);
                QCOMPARE(combo->iconSize(), QSize(74, 16));
                QCOMPARE(combo->maximumWidth(), 60);
                QCOMPARE(combo->toolTip(), QStringLiteral("Select user defined color"));
            }
            QCOMPARE(button(dialog, "btDeleteUnusedUserFillColor")->text(), QStringLiteral("Delete unused"));
            QCOMPARE(button(dialog, "btAddUserPenColor")->toolTip(), QStringLiteral("Add a user defined color"));

            // Close only hides the dialog; the binding stays.
            window.attrsHandler->openColorDlgClicked(false);
            QVERIFY(dialog.isVisible());
            QTest::mouseClick(button(dialog, "btClose"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.context(), window.activeMdiChild()->figContext);
        });
    }

    // Each button on the current box: the document's value, the box's
    // written line, one undo step (none when nothing changes) and undo.
    void choiceOnCurrentObject_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("steps");
        QTest::newRow("first pattern") << "pattern0" << int(AreaFillField) << 41 << 1;
        QTest::newRow("last pattern") << "pattern21" << int(AreaFillField) << 62 << 1;
        QTest::newRow("darkest shade") << "shade0" << int(AreaFillField) << 0 << 1;
        QTest::newRow("lightest tint, no icon") << "shade40" << int(AreaFillField) << 40 << 1;
        QTest::newRow("unfilled") << "unfilled" << int(AreaFillField) << -1 << 1;
        QTest::newRow("the box's own shade") << "shade20" << int(AreaFillField) << 20 << 0;
        QTest::newRow("pen colour") << "pencol4" << int(PenColorField) << 4 << 1;
        QTest::newRow("fill colour") << "fillcol1" << int(FillColorField) << 1 << 1;
    }
    void choiceOnCurrentObject()
    {
        QFETCH(QString, name);
        QFETCH(int, field);
        QFETCH(int, value);
        QFETCH(int, steps);
        editsession::run(editsession::figText(boxLines), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            QCOMPARE(dialog.context(), context);
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            makeCurrent(window, context, context->drawing.objects.front());

            QTest::mouseClick(button(dialog, name), Qt::LeftButton);
            const int documentValue = field == AreaFillField ? context->fillStyle
                : field == PenColorField                     ? context->penColor
                                                             : context->fillColor;
            QCOMPARE(documentValue, value);
            QCOMPARE(undoSteps(context), steps);
            const QList<QByteArray> after = editsession::savedObjectLines(document);
            QCOMPARE(after.size(), before.size());
            QCOMPARE(after[0], withField(before[0], field, QByteArray::number(value)));
            QCOMPARE(after[1], before[1]);
            if (field == FillColorField) // a new fill colour keeps the area fill
                QCOMPARE(context->fillStyle, 20);

            document.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // Without a current object a choice only sets what the next object
    // takes: no undo step; a new box then carries the value.
    void choiceForNewObject_data() { choiceOnCurrentObject_data(); }
    void choiceForNewObject()
    {
        QFETCH(QString, name);
        QFETCH(int, field);
        QFETCH(int, value);
        editsession::run(editsession::figText(boxLines), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            // The box's colours are the document's, as after showing it.
            makeCurrent(window, context, context->drawing.objects.front());
            context->currentObject = nullptr;
            const QList<QByteArray> before = editsession::savedObjectLines(document);

            QTest::mouseClick(button(dialog, name), Qt::LeftButton);
            QCOMPARE(undoSteps(context), 0);
            QCOMPARE(editsession::savedObjectLines(document), before);

            addNewObject(context, context->drawing.objects.front());
            const QList<QByteArray> after = editsession::savedObjectLines(document);
            QCOMPARE(after.size(), 4);
            QCOMPARE(after[2], withField(before[0], field, QByteArray::number(value)));
        });
    }

    // Choosing the standard fill colour of an unfilled document keeps it
    // unfilled; a new pen colour repaints the pattern icons, not the shades.
    void fillColourKeepsUnfilled()
    {
        editsession::run(QByteArray(), [](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            QCOMPARE(context->fillStyle, -1);
            QTest::mouseClick(button(dialog, "fillcol2"), Qt::LeftButton);
            QCOMPARE(context->fillColor, 2);
            QCOMPARE(context->fillStyle, -1);

            const qint64 shade = button(dialog, "shade5")->icon().cacheKey();
            const qint64 pattern = button(dialog, "pattern5")->icon().cacheKey();
            QTest::mouseClick(button(dialog, "pencol1"), Qt::LeftButton);
            QCOMPARE(button(dialog, "shade5")->icon().cacheKey(), shade);
            QVERIFY(button(dialog, "pattern5")->icon().cacheKey() != pattern);
        });
    }

    // The preview after a sequence of buttons: inside the square (16, 16),
    // its outline (4, 4) and outside it (1, 1) and (33, 33). Every choice
    // announces the preview.
    void preview_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QColor>("inside");
        QTest::addColumn<QColor>("outline");
        QTest::addColumn<bool>("wholeIcon");
        QTest::newRow("unfilled") << QStringList { "fillcol1", "unfilled" } << QColor(Qt::white) << standardColor(0)
                                  << false;
        QTest::newRow("blue in full") << QStringList { "fillcol1", "shade20", "pencol2" } << standardColor(1)
                                      << standardColor(2) << false;
        QTest::newRow("pattern over blue") << QStringList { "fillcol1", "pattern0" } << QColor() << QColor() << true;
    }
    void preview()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QColor, inside);
        QFETCH(QColor, outline);
        QFETCH(bool, wholeIcon);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm&) {
            FigColorDlg& dialog = *window.colorDlg;
            QSignalSpy announced(&dialog, &FigColorDlg::colorChanged);
            for (const QString& name : buttons)
                QTest::mouseClick(button(dialog, name), Qt::LeftButton);
            QCOMPARE(announced.size(), buttons.size());
            const QImage shown = announced.last().at(0).value<QPixmap>().toImage();
            QCOMPARE(shown, dialog.preview().toImage());
            QCOMPARE(shown.size(), QSize(34, 34));
            if (wholeIcon) {
                // The pattern in black over the blue ground covers the icon.
                for (const QPoint& p : { QPoint(1, 1), QPoint(33, 33), QPoint(16, 16) })
                    QVERIFY(shown.pixelColor(p) != QColor(Qt::white));
            } else {
                QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::white));
                QCOMPARE(shown.pixelColor(33, 33), QColor(Qt::white));
                QCOMPARE(shown.pixelColor(4, 4), outline);
                QCOMPARE(shown.pixelColor(16, 16), inside);
            }
        });
    }

    // Black, white and the default colour have no tints: those buttons show
    // nothing and still choose their area fill.
    void tintIcons_data()
    {
        QTest::addColumn<int>("fillColor");
        QTest::addColumn<bool>("tints");
        QTest::newRow("default") << -1 << false;
        QTest::newRow("black") << 0 << false;
        QTest::newRow("white") << 7 << false;
        QTest::newRow("blue") << 1 << true;
        QTest::newRow("gold") << 31 << true;
    }
    void tintIcons()
    {
        QFETCH(int, fillColor);
        QFETCH(bool, tints);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            FigColorDlg& dialog = *window.colorDlg;
            context->fillColor = fillColor;
            dialog.onColors();
            const QColor full = fillColor < 0 ? standardColor(0) : standardColor(fillColor);
            QCOMPARE(button(dialog, "shade20")->icon().pixmap(18, 18).toImage().pixelColor(9, 9), full);
            QVERIFY(!button(dialog, "shade0")->icon().isNull());
            for (int k = 21; k <= 40; ++k)
                QCOMPARE(!button(dialog, QStringLiteral("shade%1").arg(k))->icon().isNull(), tints);
            QTest::mouseClick(button(dialog, "shade33"), Qt::LeftButton);
            QCOMPARE(context->fillStyle, 33);
        });
    }

    // Binding the bound document again repaints nothing; without a document
    // the user colour lists are empty and every button does nothing.
    void binding()
    {
        editsession::run(
            editsession::figText("0 32 #123456\n" + boxLines), [](QTMainFrm& window, QTChildFrm& document) {
                CFigContext* context = document.figContext;
                FigColorDlg& dialog = *window.colorDlg;
                QCOMPARE(dialog.form().userPenColor->count(), 1);
                QSignalSpy announced(&dialog, &FigColorDlg::colorChanged);
                dialog.setContext(context);
                QCOMPARE(announced.size(), 0);

                dialog.setContext(nullptr);
                QCOMPARE(dialog.form().userPenColor->count(), 0);
                QCOMPARE(dialog.form().userFillColor->count(), 0);
                context->currentObject = context->drawing.objects.front();
                for (const char* name : { "pencol3", "fillcol3", "shade3", "pattern3", "unfilled", "penSample" })
                    QTest::mouseClick(button(dialog, name), Qt::LeftButton);
                QCOMPARE(context->penColor, 0);
                QCOMPARE(context->fillColor, 7);
                QCOMPARE(context->fillStyle, -1);
                QCOMPARE(undoSteps(context), 0);
                QCOMPARE(announced.size(), 0);

                dialog.setContext(context);
                QCOMPARE(announced.size(), 1);
                QCOMPARE(dialog.form().userPenColor->count(), 1);
                QCOMPARE(dialog.form().userFillColor->count(), 1);
            });
    }

    // Closing the last document window leaves the dialog bound to none.
    void lastDocumentClosed()
    {
        editsession::run(editsession::figText("0 32 #123456\n"), [](QTMainFrm& window, QTChildFrm&) {
            FigColorDlg& dialog = *window.colorDlg;
            // The file's window and the one the program opened at start.
            while (!window.childFrames().isEmpty()) {
                window.closeActiveChild();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            QCOMPARE(dialog.context(), nullptr);
            QCOMPARE(dialog.form().userPenColor->count(), 0);
            QTest::mouseClick(button(dialog, "pencol3"), Qt::LeftButton);
        });
    }
};

TAVREL_TEST_MAIN(TestFigColorDlg)
#include "tst_figcolordlg.moc"
