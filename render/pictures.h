#pragma once
// Pictures (CFigContext::readPicture, loadPictureImage, drawPicture and the
// FigLine image transformations are defined with this file): the lookup of
// a picture's file and the Ghostscript run of EPS previews.

#include <QString>

// The file a picture name stands for: a relative name is taken beside the
// document file when the document's name has a folder; other names as they
// are.
QString resolvePictureFileName(const QString& pictureName, const QString& documentFileName);

// Runs Ghostscript once to turn an EPS or PostScript file into an image of
// the device's kind; false, after a message box naming the command line,
// when it does not start or does not finish within 30 seconds.
bool runGhostscript(const QString& input, const QString& output, const QString& device, int resolution);
