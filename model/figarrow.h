#pragma once
// One arrowhead of an arc, polyline or spline, as the Fig arrow line gives it.
// Owned by the object whose forwArrow or backArrow points at it.

struct FigArrow {
    int type = 0; // Fig arrow_type
    int style = 0; // Fig arrow_style: 0 hollow, 1 filled
    float thickness = 0.0f; // 1/80 inch
    float width = 0.0f; // Fig units
    float height = 0.0f; // Fig units
};
