// What a user reads in every dialog and attribute page, shown at the size it
// opens with: each label, check box, button, group title and combo box entry
// shown whole, each number field wide enough for the widest value its range
// and decimals allow, no two visible widgets on top of each other and none
// reaching out of its parent. The needs come from the fonts' own metrics and
// the style's measures, never from pixel numbers.
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/aboutdlg.h"
#include "dialogs/arcvaluesdlg.h"
#include "dialogs/arrowattrsdlg.h"
#include "dialogs/boxvaluesdlg.h"
#include "dialogs/customgriddlg.h"
#include "dialogs/ellipsevaluesdlg.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/figurepropertiesdlg.h"
#include "dialogs/fontsdlg.h"
#include "dialogs/generictexteditdlg.h"
#include "dialogs/metricsdlg.h"
#include "dialogs/objectcommentdlg.h"
#include "dialogs/picturedlg.h"
#include "dialogs/pointsdlg.h"
#include "dialogs/preferencesdlg.h"
#include "dialogs/splinepointsdlg.h"
#include "dialogs/textcoordsdlg.h"
#include "dialogs/textenterdlg.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "script/scriptstopdialog.h"
#include "support/formneed.h"
#include "support/layoutcheck.h"
#include "support/mainwindowdocuments.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/updatemask.h"
#include "ui_fontsdlg.h"
#include "ui_preferencesdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// One object of each kind that a value dialog edits, in this order.
enum { BoxObject, PolylineObject, SplineObject, EllipseObject, ArcObject, TextObject, PictureObject };

const QByteArray drawing = "#FIG 3.2\nLandscape\nCenter\nMetric\nA4\n100.00\nSingle\n-2\n1200 2\n"
                           "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                           "\t 1200 1200 2400 1200 2400 2400 1200 2400 1200 1200\n"
                           "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n\t 1200 3000 2400 3600 3000 3000\n"
                           "3 0 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 1200 4200 1800 5400 2400 4200\n"
                           "\t 0.000 1.000 0.000\n"
                           "1 1 0 1 0 7 50 -1 -1 0.000 1 0.0000 4800 1800 600 300 4800 1800 5400 2100\n"
                           "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 4800.000 4200.000 4200 4200 4800 3600 5400 4200\n"
                           "4 0 0 50 -1 0 12 0.0000 4 135 900 6600 1800 words\\001\n"
                           "2 5 0 1 0 -1 50 -1 -1 0.000 0 0 -1 0 0 5\n\t0 none.png\n"
                           "\t 6600 3000 7800 3000 7800 4200 6600 4200 6600 3000\n";

using layoutcheck::describe;
using layoutcheck::isComposite;
using layoutcheck::layoutFaults;
using layoutcheck::report;

// Whether a user can see the widget whole in the window: scrolled into
// view where a scrolled area holds it, inside every parent's visible part
// and under none of the window's other panels (tool bars, docks, the
// drawing area). Empty when so, else what hides it.
QString hiddenPart(QWidget* window, QWidget* w)
{
    for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(up);
        if (!area || !area->widget())
            continue;
        // Scrolled as a user would, until its whole frame shows.
        const QRect inArea(w->mapTo(area->widget(), QPoint(0, 0)), w->size());
        const QSize view = area->viewport()->size();
        for (auto [bar, from, to, length] :
            { std::tuple(area->verticalScrollBar(), inArea.top(), inArea.bottom(), view.height()),
                std::tuple(area->horizontalScrollBar(), inArea.left(), inArea.right(), view.width()) }) {
            if (to >= bar->value() + length)
                bar->setValue(to - length + 1);
            if (from < bar->value())
                bar->setValue(from);
        }
        QApplication::processEvents();
    }
    const QRect shown(w->mapTo(window, QPoint(0, 0)), w->size());
    QWidget* panel = w;
    for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget()) {
        const QRect visible(up->mapTo(window, QPoint(0, 0)), up->size());
        if (!visible.contains(shown))
            return QStringLiteral("%1 is cut by %2").arg(describe(w), describe(up));
        panel = up;
    }
    for (QObject* object : window->children()) {
        auto* other = qobject_cast<QWidget*>(object);
        if (!other || other == panel || other->isWindow() || !other->isVisible())
            continue;
        if (other->geometry().intersects(shown))
            return QStringLiteral("%1 is under %2").arg(describe(w), describe(other));
    }
    return QString();
}

// The visible widgets of `top` that a user reads or works, for hiddenPart.
QStringList hiddenParts(QWidget* window, QWidget* top)
{
    QStringList faults;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || w->layout() || qobject_cast<QScrollBar*>(w))
            continue;
        // The inner parts of a field or list belong to it.
        bool inner = false;
        for (QWidget* up = w->parentWidget(); up && up != top; up = up->parentWidget())
            inner = inner || isComposite(up);
        if (inner)
            continue;
        const QString hidden = hiddenPart(window, w);
        if (!hidden.isEmpty())
            faults << hidden;
    }
    return faults;
}

// The width a line edit needs to show the whole text: frame, margins,
// text and the cursor, as the style measures a line edit.
int lineEditNeed(const QLineEdit* edit, const QString& text)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QFontMetrics fm = edit->fontMetrics();
    const QMargins margins = edit->textMargins() + edit->contentsMargins();
    const int contents = fm.horizontalAdvance(text) + 2 * 2 + 1 + margins.left() + margins.right();
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, fm.height()), edit).width();
}

} // namespace

class TestLayoutFit : public QObject {
    Q_OBJECT

    // Drawings reaching left of the page stay where they are.
    MessageBoxRecorder boxes { QMessageBox::No };
    std::unique_ptr<MainWindowDocuments> documents;
    CFigContext* context = nullptr;

    QTMainFrm& window() { return documents->window(); }
    // The size the main window opens with.
    QSize firstSize;
    const QSize largeSize { 1600, 1160 };

    FigObject* makeCurrent(int index)
    {
        auto it = context->drawing.objects.begin();
        std::advance(it, index);
        context->currentObject = *it;
        return *it;
    }

    // Shows the dialog at the size it opens with and checks it. It opens at
    // its form's size, or larger only as far as its contents need.
    void checkDialog(QDialog& dialog, const QSize& formSize)
    {
        dialog.show();
        QApplication::processEvents();
        const QSize need = formNeed(dialog);
        const QSize opened = dialog.size();
        const QStringList faults = layoutFaults(&dialog);
        dialog.hide();
        QVERIFY2(faults.isEmpty(), report(faults).constData());
        if (opened != formSize)
            qInfo("%s opens at %dx%d for its form's %dx%d", dialog.metaObject()->className(), opened.width(),
                opened.height(), formSize.width(), formSize.height());
        QCOMPARE(opened, formSize.expandedTo(need));
    }

private slots:
    void initTestCase()
    {
        currentAttrs = DrawingAttributes();
        updateMask = UpdateMask();
        documents = std::make_unique<MainWindowDocuments>();
        firstSize = window().size();
        QCOMPARE(firstSize, QSize(650, 700));
        // A window as large as the screen the program is made for.
        window().resize(largeSize);
        QTChildFrm* child = documents->open(drawing, QStringLiteral("kinds.fig"));
        QVERIFY(child);
        context = child->figContext;
        QCOMPARE(int(context->drawing.objects.size()), PictureObject + 1);
    }

    void cleanupTestCase() { documents.reset(); }

    void attributePages()
    {
        QStackedWidget* stack = window().attrsStack;
        QStringList faults;
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            QApplication::processEvents();
            QWidget* page = stack->widget(i);
            QVERIFY(page->isVisible());
            const QStringList pageFaults = layoutFaults(page);
            for (const QString& fault : pageFaults)
                faults << QStringLiteral("page %1: %2").arg(i).arg(fault);
            // The stack is as wide as the page needs.
            if (page->layout() && page->minimumSizeHint().width() > page->width())
                faults << QStringLiteral("page %1 needs %2 wide, has %3")
                              .arg(i)
                              .arg(page->minimumSizeHint().width())
                              .arg(page->width());
        }
        stack->setCurrentIndex(0);
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // The dialogs that need no object, at their opening size.
    void plainDialogs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("formSize");
        const std::pair<const char*, QSize> rows[] = { { "about", { 393, 320 } }, { "custom grid", { 356, 120 } },
            { "figure properties", { 367, 369 } }, { "text editor", { 440, 320 } }, { "text entry", { 406, 105 } },
            { "object comment", { 397, 298 } }, { "fonts", { 539, 403 } }, { "colours", { 480, 620 } },
            { "grid and metrics", { 480, 550 } }, { "preferences", { 561, 620 } } };
        for (const auto& row : rows)
            QTest::newRow(row.first) << QString::fromLatin1(row.first) << row.second;
    }

    void plainDialogs()
    {
        QFETCH(QString, name);
        QFETCH(QSize, formSize);
        const std::map<QString, std::function<QDialog*()>> owned = {
            { "object comment", [this] { return static_cast<QDialog*>(&window().commentDlg); } },
            { "fonts", [this] { return static_cast<QDialog*>(window().fontsDlg); } },
            { "colours", [this] { return static_cast<QDialog*>(window().colorDlg); } },
            { "grid and metrics", [this] { return static_cast<QDialog*>(window().metricsDlg); } },
            { "preferences", [this] { return static_cast<QDialog*>(window().preferencesDlg); } },
        };
        std::unique_ptr<QDialog> made;
        if (name == "about")
            made = std::make_unique<AboutDlg>();
        else if (name == "custom grid")
            made = std::make_unique<CustomGridDlg>();
        else if (name == "figure properties")
            made = std::make_unique<FigurePropertiesDlg>();
        else if (name == "text editor")
            made = std::make_unique<GenericTextEditDlg>();
        else if (name == "text entry")
            made = std::make_unique<TextEnterDlg>();
        QDialog* dialog = made ? made.get() : owned.at(name)();
        checkDialog(*dialog, formSize);
    }

    // The six LaTeX font buttons stand as the first six PostScript ones do.
    void fontsLatexButtons()
    {
        FontsDlg& dialog = *window().fontsDlg;
        Ui::FontsDlgForm& form = dialog.form();
        dialog.show();
        const auto buttons = [](QWidget* page) {
            QList<QPushButton*> found = page->findChildren<QPushButton*>();
            std::sort(found.begin(), found.end(),
                [](QPushButton* a, QPushButton* b) { return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x(); });
            return found;
        };
        form.fontsTabWidget->setCurrentIndex(0);
        QApplication::processEvents();
        const QList<QPushButton*> ps = buttons(form.psFonts);
        form.fontsTabWidget->setCurrentIndex(1);
        QApplication::processEvents();
        const QList<QPushButton*> latex = buttons(form.latexFonts);
        form.fontsTabWidget->setCurrentIndex(0);
        dialog.hide();
        QCOMPARE(ps.size(), 35);
        QCOMPARE(latex.size(), 6);
        for (int j = 0; j < 6; ++j) {
            QCOMPARE(latex[j]->size(), ps[j]->size());
            // The same steps from the first button, across and down.
            QCOMPARE(latex[j]->pos() - latex[0]->pos(), ps[j]->pos() - ps[0]->pos());
        }
    }

    // The dialogs of the current object, in each unit of the value dialogs.
    void objectDialogs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("object");
        QTest::addColumn<QSize>("formSize");
        QTest::newRow("box values") << "box values" << int(BoxObject) << QSize(280, 400);
        QTest::newRow("picture box values") << "box values" << int(PictureObject) << QSize(280, 400);
        QTest::newRow("path points") << "points" << int(PolylineObject) << QSize(259, 420);
        QTest::newRow("spline points") << "spline points" << int(SplineObject) << QSize(320, 420);
        QTest::newRow("ellipse values") << "ellipse values" << int(EllipseObject) << QSize(400, 240);
        QTest::newRow("arc values") << "arc values" << int(ArcObject) << QSize(260, 280);
        QTest::newRow("text coordinates") << "text coordinates" << int(TextObject) << QSize(260, 200);
        QTest::newRow("arrow size") << "arrow size" << int(PolylineObject) << QSize(274, 193);
        QTest::newRow("picture") << "picture" << int(PictureObject) << QSize(496, 203);
    }

    void objectDialogs()
    {
        QFETCH(QString, name);
        QFETCH(int, object);
        QFETCH(QSize, formSize);
        FigObject* current = makeCurrent(object);
        std::unique_ptr<QDialog> dialog;
        if (name == "box values")
            dialog = std::make_unique<BoxValuesDlg>(nullptr, Qt::WindowFlags(), context);
        else if (name == "points")
            dialog = std::make_unique<PointsDlg>(nullptr, Qt::WindowFlags(), context);
        else if (name == "spline points")
            dialog = std::make_unique<SplinePointsDlg>(nullptr, Qt::WindowFlags(), context);
        else if (name == "ellipse values")
            dialog = std::make_unique<EllipseValuesDlg>(nullptr, Qt::WindowFlags(), context);
        else if (name == "arc values")
            dialog = std::make_unique<ArcValuesDlg>(nullptr, Qt::WindowFlags(), context);
        else if (name == "text coordinates")
            dialog = std::make_unique<TextCoordsDlg>(nullptr, Qt::WindowFlags(), context);
        else if (name == "arrow size")
            dialog = std::make_unique<ArrowAttrsDlg>(nullptr, Qt::WindowFlags(), context);
        else
            dialog = std::make_unique<PictureDlg>(nullptr, Qt::WindowFlags(), context, static_cast<FigLine*>(current));
        auto* unit = dialog->findChild<QComboBox*>(QStringLiteral("cbUnit"));
        if (!unit) {
            checkDialog(*dialog, formSize);
            return;
        }
        // The fields' decimals follow the unit.
        const int start = unit->currentIndex();
        for (int i = 0; i < unit->count(); ++i) {
            unit->setCurrentIndex(i);
            checkDialog(*dialog, formSize);
        }
        unit->setCurrentIndex(start);
    }

    // The main window as it first opens, with each attribute page: every
    // widget of the page and of the layers panel whole and reachable.
    void mainWindowAtFirstSize_data()
    {
        QTest::addColumn<int>("page");
        for (int page = 0; page < QTMainFrm::attrsPageCount; ++page)
            QTest::addRow("%d %s", page, window().attrsStack->widget(page)->metaObject()->className()) << page;
    }

    void mainWindowAtFirstSize()
    {
        QFETCH(int, page);
        window().resize(firstSize);
        window().attrsStack->setCurrentIndex(page);
        QApplication::processEvents();
        QWidget* shown = window().attrsStack->widget(page);
        QStringList faults = layoutFaults(shown);
        faults << hiddenParts(&window(), shown);
        QWidget* layers = window().findChild<QToolBar*>(QStringLiteral("layersToolbar"));
        faults << layoutFaults(layers) << hiddenParts(&window(), layers);
        window().attrsStack->setCurrentIndex(0);
        window().resize(largeSize);
        QApplication::processEvents();
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // In a window with room for them the pages show whole, without a
    // scroll bar, each as wide as the widest page.
    void attributePagesUnscrolledWhenRoomy()
    {
        QStackedWidget* stack = window().attrsStack;
        auto* area = qobject_cast<QScrollArea*>(stack->parentWidget()->parentWidget());
        QVERIFY(area);
        QStringList faults;
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            QApplication::processEvents();
            if (area->verticalScrollBar()->isVisible())
                faults << QStringLiteral("page %1 scrolls in a %2 high area").arg(i).arg(area->height());
            if (area->viewport()->width() != stack->width() || stack->width() < stack->widget(i)->sizeHint().width())
                faults << QStringLiteral("page %1 is %2 wide in a %3 wide area")
                              .arg(i)
                              .arg(stack->width())
                              .arg(area->viewport()->width());
        }
        stack->setCurrentIndex(0);
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // The main tool bar's zoom box shows each of its entries whole, "zoom to
    // fit" and "100%" at the larger font too.
    void zoomBoxEntries()
    {
        QStringList faults;
        layoutcheck::checkText(window().zoomCombo, faults);
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // The pages' boxes of words (not of pictures) all in the pages' font and
    // of one height.
    void attributeBoxesAlike()
    {
        QStringList faults;
        QComboBox* first = nullptr;
        for (QComboBox* combo : window().attrsStack->findChildren<QComboBox*>()) {
            if (combo->isEditable() || combo->count() == 0 || combo->itemText(0).isEmpty())
                continue;
            if (!first)
                first = combo;
            if (combo->font() != window().attrsStack->font()
                || combo->sizeHint().height() != first->sizeHint().height())
                faults << QStringLiteral("%1 %2pt, %3 high, not as %4 %5pt, %6 high")
                              .arg(combo->objectName())
                              .arg(combo->font().pointSizeF())
                              .arg(combo->sizeHint().height())
                              .arg(first->objectName())
                              .arg(first->font().pointSizeF())
                              .arg(first->sizeHint().height());
        }
        QVERIFY(first);
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // The coordinate read-out under the tool buttons at the first size:
    // its six lines whole, for positions and measures of every size.
    void coordinateReadout_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("inches near the origin") << false << 1200 << 2400;
        QTest::newRow("centimetres far left and up") << true << -47000 << -47000;
        QTest::newRow("inches far right and down") << false << 1199999 << 1199999;
        QTest::newRow("centimetres farther than ever drawn") << true << 99999999 << -99999999;
    }

    void coordinateReadout()
    {
        QFETCH(bool, metric);
        QFETCH(int, x);
        QFETCH(int, y);
        window().resize(firstSize);
        const bool wasMetric = context->metric;
        context->metric = metric;
        CoordsToolbar* readout = window().coordsToolbar;
        readout->showCoords(context, x, y);
        // Measures beside the position: a dragged ellipse's diameters.
        FigEllipse ellipse(0);
        ellipse.subType = 2;
        ellipse.start.x = 0;
        ellipse.start.y = 0;
        ellipse.end.x = x;
        ellipse.end.y = y;
        readout->showEllipseMeasures(metric, &ellipse);
        // A panel growing lays out its tool bar, which lays out the window.
        for (int step = 0; step < 3; ++step)
            QApplication::processEvents();
        QStringList faults;
        for (QLabel* label : readout->coords) {
            if (label->text().isEmpty())
                faults << QStringLiteral("%1 shows nothing").arg(label->objectName());
        }
        QWidget* bar = window().findChild<QToolBar*>(QStringLiteral("coordsToolbar"));
        faults << layoutFaults(bar) << hiddenParts(&window(), bar);
        // Each line its own row of text, none squeezed.
        for (QLabel* label : readout->coords) {
            if (label->height() < label->fontMetrics().height())
                faults << QStringLiteral("%1 is %2 high for a line of %3")
                              .arg(describe(label))
                              .arg(label->height())
                              .arg(label->fontMetrics().height());
        }
        context->metric = wasMetric;
        readout->showCoords(nullptr, 0, 0);
        window().resize(largeSize);
        QApplication::processEvents();
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // The window shown while a script runs: its message on one line.
    void scriptWindow_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("console") << "console";
        QTest::newRow("script file") << "/home/someone/Scripts/grid.js";
    }

    void scriptWindow()
    {
        QFETCH(QString, script);
        ScriptStopDialog dialog(&window(), script);
        dialog.show();
        QApplication::processEvents();
        const QStringList faults = layoutFaults(&dialog);
        auto* message = dialog.findChild<QLabel*>();
        QVERIFY(message);
        QVERIFY2(message->text().contains(script), qPrintable(message->text()));
        QVERIFY2(message->heightForWidth(message->width()) < 2 * message->fontMetrics().lineSpacing(),
            qPrintable(describe(message)));
        dialog.finish();
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    // The LaTeX and dvips command fields show the program's own commands
    // whole, and the start of a longer one.
    void preferencesCommandFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("LaTeX") << "texCommand";
        QTest::newRow("dvips") << "dvipsCommand";
    }

    void preferencesCommandFields()
    {
        QFETCH(QString, field);
        PreferencesDlg& dialog = *window().preferencesDlg;
        auto* edit = dialog.findChild<QLineEdit*>(field);
        QVERIFY(edit);
        const Preferences stored = preferences;
        dialog.findChild<QTabWidget*>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
        dialog.show();
        QApplication::processEvents();
        const QString own = field == "texCommand" ? preferences.latexCommandDefault : preferences.dvipsCommandDefault;
        QCOMPARE(edit->text(), own);
        const int need = lineEditNeed(edit, own);
        QVERIFY2(edit->width() >= need, qPrintable(QStringLiteral("%1 needs %2").arg(describe(edit)).arg(need)));

        const QString longer = QStringLiteral("/opt/a/long/folder/of/tools/bin/") + own + own;
        preferences.latexCommand = longer;
        preferences.dvipsCommand = longer;
        dialog.loadValues();
        QCOMPARE(edit->text(), longer);
        // Its start, the program, is what the field shows.
        QCOMPARE(edit->cursorPosition(), 0);
        preferences = stored;
        dialog.loadValues();
        dialog.findChild<QTabWidget*>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
        dialog.hide();
    }
};

// On the display the test is started with (a virtual frame buffer of the
// size the program is made for) when there is one, else off screen.
TAVREL_TEST_MAIN_ON_DISPLAY(TestLayoutFit)
#include "tst_layoutfit.moc"
