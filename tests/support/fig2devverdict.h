#pragma once
// What fig2dev makes of a Fig file: the check that a written drawing is one
// the converter takes as it is.

#include <QByteArray>
#include <QString>

struct Fig2devVerdict {
    int status = 0; // the exit code; -1 when it crashed or did not finish
    QByteArray complaints; // what it wrote to standard error
};

// fig2dev converting the file to SVG (the picture thrown away); status 0 and
// no complaints when fig2dev is not installed.
Fig2devVerdict fig2devVerdict(const QString& file);
