#pragma once
// Loading picture images (CFigContext::readPicture and loadPictureImage are
// defined with this file) and the Ghostscript run of EPS previews.

#include <QString>

bool runGhostscript(const QString& input, const QString& output, const QString& device, int resolution);
