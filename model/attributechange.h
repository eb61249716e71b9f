#pragma once
// One attribute change of a ChangeAttributeAction: which attribute, its value
// before and after. Owned by its action. Applying and reverting it are
// CFigContext members (model/attributechange.cpp).

#include <QList>

class FigObject;

// The attribute kinds, numbered in the order of the flags of UpdateMask.
namespace AttributeKind {
enum Kind : int {
    Depth = 0, // all but compounds; per-depth counts move along
    LineWidth = 1, // all but texts and compounds; styleVal rescaled
    LineStyle = 2,
    StyleVal = 3, // float: the base value, stored as (lineWidth + 1) * value * 0.5
    PenColor = 4, // a text's colour for texts
    FillColor = 5,
    FillStyle = 6,
    CapStyle = 7, // arcs, polylines, splines
    JoinStyle = 8, // polylines
    BoxType = 9, // polylines: sub-type
    BoxCornerRadius = 10, // boxes and arc-boxes only
    ArcType = 11, // arcs: sub-type
    EllipseAngle = 12, // float, radians
    Font = 13, // texts; metrics recomputed
    TextAlign = 14, // texts: sub-type
    TextRigid = 15, // texts: the whole flags value
    TextSpecial = 16, // texts: the whole flags value
    FontSize = 17, // texts; metrics recomputed
    TextAngle = 18, // float, radians
    FontKind = 19, // bool: bit 2 of the text's flags (PostScript font)
};
} // namespace AttributeKind

struct AttributeChange {
    // What one leaf object of a compound held before the change was applied
    // to the compound: members may differ from one another, and the record's
    // single old value would make them all alike on undo.
    struct MemberValue {
        FigObject* object = nullptr; // not owned
        int intValue = 0;
        float floatValue = 0.0f;
    };

    int kind = AttributeKind::Depth;
    int oldInt = 0;
    int newInt = 0;
    float oldFloat = 0.0f;
    float newFloat = 0.0f;
    bool oldBool = false;
    bool newBool = false;
    // Filled by every application to a compound, in tree order.
    QList<MemberValue> memberValues;
};

// Whether a change of this kind leaves a text's typeset LaTeX image as it is
// (alignment, rigid flag, angle), so that the image caches may stay.
bool keepsLatexImage(int kind);
