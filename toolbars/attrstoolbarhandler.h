#pragma once
// Keeps the attribute pages and the current drawing attributes in step and
// applies each change to the active document's current object as one undo
// step. The pages connect their widgets' value signals to the slots and the
// change signals back to the widgets' setters. The main window makes exactly
// one, before its attribute pages, and deletes it; the handler keeps the
// main window pointer and owns nothing. A value outside its table (depth 0 to
// 999, at least 3 sides, arc type 0 or 1, the style, alignment and arrow
// lists) is refused with a warning in the log, whoever sends it.

#include <QObject>
#include <QString>

class CFigContext;
class QTMainFrm;

class AttrsToolbarHandler : public QObject {
    Q_OBJECT
public:
    explicit AttrsToolbarHandler(QTMainFrm* mainFrm);

    // Makes every attribute page show the current attributes and the active
    // document's colours. Whatever a page reports back while it follows
    // (a widget that rounds or clamps the value) is not taken.
    void refreshToolbars();

    // The angle in whole degrees as the pages show it, halves away from zero.
    static int wholeDegrees(float radians);

    QTMainFrm* mainFrm; // not owned
    // The document whose colours and current object a window-less handler
    // (one made for a script run without a main window) works on; null: the
    // main window's active document.
    CFigContext* document = nullptr; // not owned

signals:
    void depthChanged(int newValue);
    void lineWidthChanged(int newValue);
    void lineStyleChanged(int newValue);
    void styleValChanged(double newValue);
    void capStyleChanged(int newValue);
    void joinStyleChanged(int newValue);
    void arcTypeChanged(int newValue);
    // Arrow combo index: 0 no arrow, else the arrow kind + 1.
    void backArrowChanged(int newValue);
    void forwArrowChanged(int newValue);
    void arrowTypeChanged(int newValue);
    // Combo index: 0 box, 1 rounded box.
    void boxTypeChanged(int newValue);
    void boxCornerRadiusChanged(int newValue);
    void numSidesChanged(int newValue);
    // Whole degrees.
    void ellipseAngleChanged(int newValue);
    void textAngleChanged(int newValue);
    void fontSizeChanged(const QString& value);
    void textAlignChanged(int newValue);
    void textRigidChanged(bool newValue);
    void textSpecialChanged(bool newValue);
    void psFontChanged(int fontIdx);
    void latexFontChanged(int fontIdx);
    // The pen colour, fill colour or area fill of the active document changed.
    void colorsChanged();

public slots:
    // The active document's pen colour, fill colour and area fill: a colour
    // number that is neither standard nor one of the document's user colours
    // and an area fill outside -1 to 62 are ignored. Without an active
    // document nothing happens.
    void onColors(int pencolor, int fillcolor, int fillstyle);
    void onDepth(int value);
    // Also sets the absolute arrow sizes to follow the width.
    void onLineWidth(int width);
    void onLineStyle(int index);
    // Compared as the pages show it, with two decimals.
    void onStyleVal(double value);
    void onCapStyle(int index);
    void onJoinStyle(int index);
    void onArcType(int index);
    // Arrow combo index; 0 also takes the arrow off that end of the current
    // object.
    void onBackArrow(int index);
    void onForwArrow(int index);
    void onBoxType(int index);
    void onBoxCornerRadius(int index);
    void onNumSides(int value);
    // Whole degrees.
    void onEllipseAngle(int value);
    void onTextAngle(int value);
    // A text that is no decimal integer counts as 0.
    void onFontSize(const QString& value);
    void onFontSize(int value);
    void onTextAlign(int index);
    void onTextRigid(bool checked);
    void onTextSpecial(bool checked);
    void onArrowType(int index);
    // Stored only: the tools that read them take them at their next use.
    void onRotnAngle(int value);
    void onNumCopies(int value);
    void onTangormLength(double value);
    // Runs the object comment dialog for the current object, if any.
    void openCommentDlgClicked(bool checked);
    // Shows and raises the main window's colour dialog.
    void openColorDlgClicked(bool checked);

private:
    // Whether a slot call is the pages following a value just announced.
    bool following() const { return announcing > 0; }
    // Applies the current attributes to the active document's current
    // object, when there is one.
    void applyToCurrentObject();
    // The arrow switch and kind of one end (0 backward, 1 forward).
    void setArrowEnd(int end, int index);

    // The bound document, else the active one.
    CFigContext* targetDocument() const;

    int announcing = 0; // depth of the signals being emitted
};
