#pragma once
// The arrow kinds of the attribute pages and the taking of an object's arrows
// into the current drawing attributes. An arrow kind k > 0 is Fig arrow type
// (k + 1) / 2 with style (k + 1) % 2; kind 0 is type 0, style 0.

class FigObject;
struct FigArrow;

int arrowTypeOfKind(int kind);
int arrowStyleOfKind(int kind);
// The kind of an arrow record: 0 for type 0, else 2 * type + style - 1.
int arrowKindOf(const FigArrow* arrow);

// The forward arrow switch and kind, then (for an object of non-zero line
// width) the absolute arrow sizes and their factors of the line width from
// the forward and then the backward arrow, so that the backward one wins.
void takeArrowAttributes(const FigObject* object);
