#pragma once
// Which attributes the update tool copies onto a picked object: one flag per
// attribute, shared by all documents, every flag set at each start and not
// kept in the settings. The first 19 flags are declared in the order of the
// numbered attribute kinds of an attribute change (depth is kind 0, textAngle
// kind 18); the font kind of a text (kind 19) goes with `font`.

struct UpdateMask {
    bool depth = true;
    bool lineWidth = true;
    bool lineStyle = true;
    bool styleVal = true;
    bool penColor = true;
    bool fillColor = true;
    bool fillStyle = true;
    bool capStyle = true;
    bool joinStyle = true;
    bool boxType = true;
    bool boxCornerRadius = true;
    bool arcType = true;
    bool ellipseAngle = true;
    bool font = true;
    bool textAlign = true;
    bool textRigid = true;
    bool textSpecial = true;
    bool fontSize = true;
    bool textAngle = true;
    bool arrows = true;
};

extern UpdateMask updateMask;
