#pragma once
// Reading a picture's file into an image. The name comes from the drawing,
// so the file is read only when it is a regular file (a FIFO or a device
// would hold the window up or never end), an image whose decoded size would
// exceed a bound is refused (a small compressed file can stand for gigabytes
// of pixels), and Ghostscript never sees the name: it reads a link of a
// fixed name in a private folder and writes its preview there.

#include <QImage>
#include <QString>

// The largest decoded picture, in bytes of 32-bit pixels.
constexpr qint64 maxPictureImageBytes = qint64(256) * 1024 * 1024;

// The image of an image file that Qt reads (by its content; the name's
// extension is the first guess); a null image when the file is not a
// regular file, cannot be read or is too large.
QImage readPictureImage(const QString& path);

// The preview of an EPS or PostScript file made by Ghostscript with the
// device and resolution given; a null image when the file is not a regular
// file, no private folder can be made, or Ghostscript makes no preview.
// `previewName` is the name of the preview file inside the private folder.
QImage epsPreviewImage(const QString& path, const QString& previewName, const QString& device, int resolution);

// Runs Ghostscript once in `folder` on the file `input` there, writing
// `output` there (both plain names); false, after a message box naming the
// command, when it does not start or does not finish within 30 seconds.
// Its exit code is not examined: the caller looks for the output file.
bool runGhostscript(
    const QString& folder, const QString& input, const QString& output, const QString& device, int resolution);
