#pragma once
// The current drawing attributes: the one program-wide record that every new
// object takes its depth, line, arrow, box, arc, ellipse and text values
// from, shared by all documents. Pen colour, fill colour and area fill are
// not here: each document has its own. Not kept in the settings: every run
// starts from the values below.

// The largest line width and style value (dash length or dot gap per line
// width) offered for new objects, by the pages and by scripts. An object read
// from a file may hold more; it is shown and kept as it is.
constexpr int offeredLineWidthMax = 100;
constexpr double offeredStyleValMax = 99.99;

struct DrawingAttributes {
    int depth = 50; // 0 to 999, lower is drawn on top
    int lineWidth = 1; // 1/80 inch
    int lineStyle = 0; // 0 solid, 1 dashed, 2 dotted, 3 dash-dotted, 4 dash-double-dotted, 5 dash-triple-dotted
    // Dash length or dot gap independent of the line width: a new object's
    // style value is styleVal * (lineWidth + 1) / 2.
    float styleVal = 4.0f;
    int capStyle = 0; // 0 butt, 1 round, 2 projecting
    int joinStyle = 0; // 0 miter, 1 round, 2 bevel
    int arcType = 0; // 0 open, 1 pie wedge
    // Arrow kinds 0 to 28: kind k > 0 is Fig type (k + 1) / 2, style (k + 1) % 2.
    bool backArrowOn = false;
    int backArrow = 0;
    bool forwArrowOn = false;
    int forwArrow = 0;
    int arrowType = 0; // the kind that the arrow mode adds
    int boxType = 2; // polyline sub-type of new boxes: 2 box, 4 rounded box
    int boxCornerRadius = 7; // 1/80 inch
    int numSides = 6; // of regular polygons
    float ellipseAngle = 0.0f; // radians
    float textAngle = 0.0f; // radians
    int fontSize = 12; // points
    int textAlign = 0; // 0 left, 1 centre, 2 right
    int textFlags = 4; // bit 0 rigid, bit 1 special, bit 2 PostScript font (clear: LaTeX font)
    int psFont = 0; // 0 to 34, used while textFlags bit 2 is set
    int latexFont = 0; // 0 to 5, used while textFlags bit 2 is clear
    int rotnAngle = 90; // degrees, of the rotate modes
    int numCopies = 1; // rotated copies made by copy-and-rotate
    float tangormLength = 1.0f; // tangent and normal lines: centimetres in a metric document, else inches
    // True: arrows take the absolute sizes; false: the relative factors
    // times the line width.
    bool arrowSizeMode = false;
    float arrowThickness = 1.0f; // 1/80 inch
    float arrowWidth = 60.0f; // Fig units
    float arrowHeight = 120.0f; // Fig units
    float arrowThicknessRel = 1.0f;
    float arrowWidthRel = 60.0f;
    float arrowHeightRel = 120.0f;
};

extern DrawingAttributes currentAttrs;
