#pragma once
// The image of a picture polyline (sub-type 5): the file it shows and the
// cached, prepared pixmap. Owned by its polyline; owns the pixmap.

#include <QString>

class QPixmap;

struct PictureData {
    PictureData() = default;
    ~PictureData();
    PictureData(const PictureData&) = delete;
    PictureData& operator=(const PictureData&) = delete;

    QString fileName;
    int imageType = 0;
    int flipped = 0;
    int pixmapWidth = 0;
    int pixmapHeight = 0;
    int rotation = 0;
    int boxWidth = 0;
    int boxHeight = 0;
    int pixmapFlipped = 0;
    QPixmap* pixmap = nullptr; // owned; null until loaded
};
