// What a user reads in every dialog and attribute page, shown at the size it
// opens with: each label, check box, button, group title and combo box entry
// shown whole, each number field wide enough for the widest value its range
// and decimals allow, no two visible widgets on top of each other and none
// reaching out of its parent. The needs come from the fonts' own metrics and
// the style's measures, never from pixel numbers.
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
#include "model/figline.h"
#include "support/formneed.h"
#include "support/layoutcheck.h"
#include "support/mainwindowdocuments.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/updatemask.h"
#include "ui_fontsdlg.h"

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
#include <QTextDocument>

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

using layoutcheck::layoutFaults;
using layoutcheck::report;

} // namespace

class TestLayoutFit : public QObject {
    Q_OBJECT

    // Drawings reaching left of the page stay where they are.
    MessageBoxRecorder boxes { QMessageBox::No };
    std::unique_ptr<MainWindowDocuments> documents;
    CFigContext* context = nullptr;

    QTMainFrm& window() { return documents->window(); }

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
        // A window as large as the screen the program is made for.
        window().resize(1600, 1160);
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
};

// On the display the test is started with (a virtual frame buffer of the
// size the program is made for) when there is one, else off screen.
TAVREL_TEST_MAIN_ON_DISPLAY(TestLayoutFit)
#include "tst_layoutfit.moc"
