#pragma once
// Screen metrics and LaTeX image caches of a text: what the rendering computes
// for it and keeps between redraws. Owns the cached images. Not polymorphic.

#include <QMap>

class QPixmap;

class FigTextHandling {
public:
    FigTextHandling(const FigTextHandling&) = delete;
    FigTextHandling& operator=(const FigTextHandling&) = delete;

    // Deletes every cached LaTeX image of the three tables, so that the next
    // drawing typesets the text again.
    void clearLatexPixmaps();

    int width = 0; // Fig units at metricsZoom
    int pixelHeight = 0; // line height of the screen font in pixels
    float metricsZoom = 0.0f; // 0 when never computed
    // The typeset image in the normal, dimmed and greyed drawing styles, by key.
    QMap<int, QPixmap*> latexPixmaps[3]; // images owned
    bool latexFailed = false;

protected:
    FigTextHandling() = default;
    ~FigTextHandling();
};
