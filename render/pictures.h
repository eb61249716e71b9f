#pragma once
// Pictures (CFigContext::readPicture, loadPictureImage, drawPicture and the
// FigLine image transformations are defined with this file): the lookup of
// a picture's file (reading it is render/picturefile.h).

#include <QString>

// The file a picture name stands for: a relative name is taken beside the
// document file when the document's name has a folder; other names as they
// are.
QString resolvePictureFileName(const QString& pictureName, const QString& documentFileName);
