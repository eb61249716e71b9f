#include "model/figtext.h"

#include <QPixmap>

#include <memory>
#include <new>

FigText::FigText(int objectId)
{
    type = Text;
    id = objectId;
}

FigObject* FigText::clone() const
{
    try {
        auto copy = std::make_unique<FigText>(id);
        copy->skipRedraw = skipRedraw;
        copy->subType = subType;
        copy->lineStyle = lineStyle;
        copy->lineWidth = lineWidth;
        copy->penColor = penColor;
        copy->fillColor = fillColor;
        copy->fillStyle = fillStyle;
        copy->depth = depth;
        copy->penStyle = penStyle;
        copy->styleVal = styleVal;
        copy->comment = comment;
        copy->font = font;
        copy->fontSize = fontSize;
        copy->color = color;
        copy->angle = angle;
        copy->fontFlags = fontFlags;
        copy->length = length;
        copy->ascent = ascent;
        copy->descent = descent;
        copy->x = x;
        copy->y = y;
        copy->width = width;
        copy->pixelHeight = pixelHeight;
        copy->metricsZoom = metricsZoom;
        copy->latexFailed = latexFailed;
        copy->text = text;
        for (int style = 0; style < 3; ++style) {
            for (auto it = latexPixmaps[style].cbegin(); it != latexPixmaps[style].cend(); ++it) {
                auto image = it.value() ? std::make_unique<QPixmap>(*it.value()) : nullptr;
                copy->latexPixmaps[style].insert(it.key(), image.get());
                image.release();
            }
        }
        copy->selected = selected;
        copy->markerState = markerState;
        return copy.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
