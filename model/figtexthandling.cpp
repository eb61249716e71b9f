#include "model/figtexthandling.h"

#include <QPixmap>

FigTextHandling::~FigTextHandling()
{
    clearLatexPixmaps();
}

void FigTextHandling::clearLatexPixmaps()
{
    for (auto& table : latexPixmaps) {
        for (QPixmap* image : qAsConst(table))
            delete image;
        table.clear();
    }
}
