#include "model/picturedata.h"

#include <QPixmap>

PictureData::~PictureData()
{
    delete pixmap;
}
