#pragma once
// What the "tavrel" object of a script does, on the GUI thread (scripts
// reach it through ScriptProxy): drawing functions that add objects to one
// document, functions that set the current drawing attributes (through
// signals connected to the main window's attribute handler and fonts dialog,
// so the tool bars follow), and the script's coordinate system. One is made for every run and belongs to the
// run, not to the engine. Owns the compounds begun and not yet finished
// (their shells only: the members belong to the document's list).

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <vector>

class AttrsToolbarHandler;
class CFigContext;
class FigCompound;
class FontsDlg;
class FigObject;
class FigPoint;
struct FigArrow;

class TavrelScript : public QObject {
    Q_OBJECT
public:
    explicit TavrelScript(CFigContext* context);
    ~TavrelScript() override;

    TavrelScript(const TavrelScript&) = delete;
    TavrelScript& operator=(const TavrelScript&) = delete;

    // Connects the attribute signals to the handler and the font signals to
    // the fonts dialog (either may be null). A run connects the main
    // window's, or, without a main window, its own.
    void connectAttributes(AttrsToolbarHandler* handler, FontsDlg* fonts);

    // A script point ({x, y} in the script's unit, origin and direction) in
    // Fig units; the caller owns it. Null for an absent value.
    FigPoint* pointFromVariant(const QVariant& value) const;

    // The pen map under "pen" and the depth under "depth" of a drawing
    // function's parameters, when present.
    void applyPen(const QVariantMap& obj);
    void applyDepth(const QVariantMap& obj);
    // Both, as every drawing function but the picture's begins.
    void applyPenAndDepth(const QVariantMap& obj);
    // A colour value ({index} or {rgb: {r, g, b}}) as a colour number; an
    // "rgb" value adds a new user colour to the document. -1 when neither key
    // is present or the colour is invalid.
    int colorFromMap(const QVariantMap& map);
    // A new arrow record from an arrow map, the current arrow attributes
    // filling in what the map leaves out; the caller owns it.
    FigArrow* createArrow(const QVariantMap& map);
    // Gives the object the arrows of "backwardArrow" and "forwardArrow", when
    // present, and makes their kinds the current ones.
    void applyArrows(const QVariantMap& obj, FigObject* object);
    // The innermost open compound takes the object as a member.
    void addToOpenCompound(FigObject* object);
    // Puts a finished object into the document: comment, marker state, one
    // undo step of its own, membership of the open compound.
    void addObject(FigObject* object, const QVariantMap& obj);

    bool userColorAdded = false;
    CFigContext* context; // not owned
    std::vector<FigCompound*> openCompounds; // owned shells, innermost last
    int unit = 0; // 0 Fig units, 1 centimetres, 2 inches
    int centerX = 0; // Fig units
    int centerY = 0;
    int direction = 0; // 0 y down, 1 y up

signals:
    void colorsChanged(int penColor, int fillColor, int fillStyle);
    void depthChanged(int newValue);
    void lineWidthChanged(int newValue);
    void lineStyleChanged(int newValue);
    void styleValChanged(double newValue);
    void capStyleChanged(int newValue);
    void joinStyleChanged(int newValue);
    void arcTypeChanged(int newValue);
    void backArrowChanged(int newValue);
    void forwArrowChanged(int newValue);
    void arrowTypeChanged(int newValue);
    void boxTypeChanged(int newValue);
    void boxCornerRadiusChanged(int newValue);
    void numSidesChanged(int newValue);
    void ellipseAngleChanged(int newValue);
    void textAngleChanged(int newValue);
    void fontSizeChanged(int value);
    void textAlignChanged(int newValue);
    void textRigidChanged(bool newValue);
    void textSpecialChanged(bool newValue);
    void psFontChanged(int fontIdx);
    void latexFontChanged(int fontIdx);

public slots:
    void setBaseDPI(int baseDPI);
    void setUnit(const QString& strDirection);
    void setCenter(int x, int y);
    void setDirection(const QString& direction);
    void setColors(const QVariantMap& colors);
    void setPen(const QVariantMap& pen);
    void drawPoint(int x, int y);
    void drawPolyline(const QVariantMap& obj);
    void drawSpline(const QVariantMap& obj);
    void drawRectangle(const QVariantMap& obj);
    void drawPicture(const QVariantMap& obj);
    void drawRegularPolygon(const QVariantMap& obj);
    void drawCircle(const QVariantMap& obj);
    void drawEllipse(const QVariantMap& obj);
    void drawArc(const QVariantMap& obj);
    void drawText(const QVariantMap& obj);
    void beginCompound();
    void finishCompound();
    void rotate(const QVariantMap& obj);
    qlonglong test(qlonglong value);
    QVariantMap test2(QVariantMap obj);
    void test3(const QVariantMap& obj);
    void newFile();
    void save(const QString& name);
    void quit();

private:
    // A script length in the unit in force, in Fig units.
    int scaled(double value) const;
    // The points of a "points" list as a chain; null for an empty list or
    // when an element is no point.
    FigPoint* chainFromList(const QVariantList& list) const;
    // The shared start of the functions drawing through a "points" list:
    // nothing for an empty list; else pen and depth applied, and the chain
    // (null, after an ERROR record, when a point is missing or out of
    // range), the number of points and the "closed" flag.
    FigPoint* pointsChain(const QVariantMap& obj, const char* function, int& count, bool& closed);
};
