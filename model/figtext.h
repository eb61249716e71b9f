#pragma once
// A text (object code 4): a string at an anchor point with its font, size,
// colour and angle; `subType` holds the justification. Its screen metrics and
// LaTeX images come from FigTextHandling.

#include "model/figobject.h"
#include "model/figtexthandling.h"

#include <QString>

class FigText : public FigObject, public FigTextHandling {
public:
    explicit FigText(int objectId);
    FigObject* clone() const override;
    void draw(CFigContext* context) override;
    // The box of the justified, rotated text at the document's zoom: the
    // typeset LaTeX image's width when one is cached, else the screen font's;
    // down to the font's descent with withTextDescent.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    // Mirrors the anchor only: angle and justification stay.
    void flip(int cx, int cy, int axis);
    // Turns the anchor and the angle; an angle within 0.01 of 0 becomes 0.
    void rotate(int cx, int cy, int degrees);

    int font = 0; // PostScript font 0..34 when bit 2 of fontFlags is set, else LaTeX font 0..5
    int fontSize = 0;
    int color = 0; // the text's colour (not penColor)
    float angle = 0.0f; // radians, counter-clockwise on screen
    int fontFlags = 0; // bit 0 rigid, bit 1 special, bit 2 PostScript
    int length = 0; // Fig units
    int ascent = 0; // Fig units
    int descent = 0; // screen pixels
    int x = 0;
    int y = 0;
    QString text;
};
