#pragma once
// The widgets of an attribute page, built in code: one narrow column of
// labelled value widgets with the blocks that several pages share (depth,
// line block, join style, arrow group, colour and comment buttons), so that
// each block exists once. The widgets are children of the page and die with
// it; the form only keeps pointers to them (null for what a page lacks).
// Also the behaviour every page shares: the two-way binding of a widget to
// the attribute handler, the comment and colour icons, the style value
// label, the Escape key and the value dialogs opened from a page.

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <initializer_list>

class AttrsToolbarHandler;
class CFigContext;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLayout;
class QObject;
class QPixmap;
class QPushButton;
class QSpinBox;
class QTMainFrm;
class QVBoxLayout;
class QWidget;

// The largest corner radius a Fig file may hold (the reader refuses larger
// ones), so that an object read from a file is shown as it is.
constexpr int maxFigLength = 1000000;
// The most corners of a regular polygon: more make no visible difference and
// only cost memory.
constexpr int maxNumSides = 10000;
// The sizes a text may have: a file's larger sizes are read as the largest.
constexpr int minFontSize = 1;
constexpr int maxFontSize = 500;
// The longest tangent and normal the tangent page offers.
constexpr double maxTangormLength = 99.99;
// The most copies one right click of the rotate mode makes.
constexpr int maxNumCopies = 10000;

// The combo fillers: icon-only entries whose index is the value.
// With withNone, entry 0 is no arrow and entry k arrow kind k - 1; without
// it entry i is kind i.
void fillBackArrowCombo(QComboBox* combo, bool withNone);
void fillForwArrowCombo(QComboBox* combo, bool withNone);
// The six Fig line styles, entry index = line style.
void fillLineStyleCombo(QComboBox* combo);

class AttrsPageForm {
public:
    // Sets up `page` as the form named `formName` (its object name and the
    // context of its texts) with the given start size and one column;
    // `spacing` and `margin` -1 keep the style's own.
    AttrsPageForm(QWidget* page, const char* formName, int height, int spacing = 2, int margin = 0);

    QString text(const char* source) const { return QCoreApplication::translate(formName, source); }

    // Single rows, added to the column (or to `layout` when given).
    QLabel* addLabel(const char* name, const char* caption, bool wordWrap = false, QLayout* layout = nullptr);
    QSpinBox* addSpinBox(const char* name, const char* tip, int minimum, int maximum, int value);
    QDoubleSpinBox* addDoubleSpinBox(const char* name, const char* tip, double maximum, double value);
    // A combo box with the given texts at positions 0, 1, 2...
    QComboBox* addComboBox(const char* name, const char* tip, std::initializer_list<const char*> entries = {},
        QLayout* layout = nullptr);
    QPushButton* addButton(const char* name, const char* caption, const char* tip, QLayout* layout = nullptr);

    // The shared blocks.
    void addDepthRows();
    // Depth, width, line style, style value and, withCap, the cap style.
    void addLineBlock(bool withCap = true);
    void addJoinStyleRows();
    // "Arrows": backward and forward arrow combos with the none entry and
    // the size button.
    void addArrowGroup();
    // "Colors": the pen colour button and the comment button.
    void addColorsGroup(const char* groupName);
    QPushButton* addCommentButton(QLayout* layout = nullptr);
    // The spacer that takes the remaining height.
    void finish();

    // Connects every widget the form has to the handler, both ways, in the
    // column's order; combo boxes were filled when they were made, so that
    // filling them never reaches the handler. The line style's change
    // signal goes to the combo first, then to `onLineStyle` (the page's
    // label slot), when given.
    void bind(AttrsToolbarHandler* handler, const std::function<void(int)>& onLineStyle = {});

    QWidget* page;
    const char* formName;
    QVBoxLayout* column;

    QSpinBox* depth = nullptr;
    QSpinBox* lineWidth = nullptr;
    QComboBox* lineStyle = nullptr;
    QLabel* lbStyleVal = nullptr;
    QDoubleSpinBox* styleVal = nullptr;
    QComboBox* capStyle = nullptr;
    QComboBox* joinStyle = nullptr;
    QComboBox* arcType = nullptr;
    QComboBox* backArrow = nullptr;
    QComboBox* forwArrow = nullptr;
    QPushButton* openArrowAttrs = nullptr;
    QComboBox* boxType = nullptr;
    QSpinBox* boxCornerRadius = nullptr;
    QSpinBox* ellipseAngle = nullptr;
    QSpinBox* numSides = nullptr;
    QComboBox* arrowType = nullptr;
    QPushButton* openPointsDlg = nullptr;
    QPushButton* selectPenColor = nullptr;
    QPushButton* openCommentDlg = nullptr;
};

namespace attrspage {

// The style value label's text for a line style: empty for solid, "dash
// len." for dashed, "dot gap" for dotted; other styles keep the text.
void showStyleValLabel(const AttrsPageForm& form, int lineStyle);
// The comment button's icon for an object with or without a comment.
void showCommentIcon(QPushButton* button, bool hasComment);
void showPenColor(QPushButton* button, const QPixmap& pixmap);

// The comment button and pen colour button to the handler.
void connectFrameButtons(const AttrsPageForm& form, AttrsToolbarHandler* handler);
// The three comment signals (the main window's, its comment dialog's and its
// tool panel's, in this order) to `tip`; nothing without a main window.
void connectCommentSignals(QTMainFrm* mainWindow, QObject* page, std::function<void(bool)> tip);
// The colour dialog's pen preview to `show`; nothing without a main window.
void connectColorPreview(QTMainFrm* mainWindow, QObject* page, std::function<void(const QPixmap&)> show);

// Escape makes the active document drop its selection and current object.
void passEscape(QTMainFrm* mainWindow, const QKeyEvent* event);

// The active document when it has a current object, else null.
CFigContext* documentWithCurrentObject();
QWidget* asWidget(QTMainFrm* mainWindow);

// Runs a value dialog of the active document's current object modally,
// parented to the main window, and destroys it; nothing without a current
// object. The dialog makes its own undo steps.
template <class Dialog> void runValueDialog(QTMainFrm* mainWindow)
{
    CFigContext* context = documentWithCurrentObject();
    if (!context)
        return;
    Dialog dialog(asWidget(mainWindow), {}, context);
    dialog.setModal(true);
    dialog.show();
    dialog.exec();
}

// Runs the arrow size dialog on the active document; nothing without one.
void runArrowSizeDialog(QTMainFrm* mainWindow);

} // namespace attrspage

