#pragma once
// What a first run writes into the settings file: every preference key with
// the text of its default, as an independent record of the expected values
// for the tests of the preferences and of the start-up.

#include <QList>
#include <QPair>
#include <QString>

namespace defaultsettings {

const QString exportFrameText
    = QStringLiteral("\\documentclass[]{article}\n"
                     "\\usepackage[PAPERSIZETOKEN,PAGEORIENTATIONTOKEN,scale=1.0,margin=0pt]{geometry}\n"
                     "\\usepackage{color}\n"
                     "\\usepackage[latin1]{inputenc}\r\n"
                     "\\usepackage{graphicx}\n"
                     "\\usepackage{mathrsfs}\n"
                     "\\thispagestyle{empty}\n"
                     "\n"
                     "\\begin{document}\n"
                     "\n"
                     "\\input{\"INPUTTEXFILETOKEN\"}\n"
                     "\n"
                     "\\end{document}\n");

const QString specialFrameText = QStringLiteral("\\documentclass[11pt]{article}\r\n"
                                                "\\usepackage{color}\r\n"
                                                "\\usepackage[latin1]{inputenc}\r\n"
                                                "\\begin{document}\r\n"
                                                "\\begin{titlepage}\r\n"
                                                "COLORTOKEN\r\n"
                                                "TEXTTOKEN\r\n"
                                                "\\end{titlepage}\r\n"
                                                "\\end{document}");

// Key and written text of every preference but "custom grids" (a JSON text
// that the tests check on its own).
inline QList<QPair<QString, QString>> writtenDefaults()
{
    return {
        { "version", "4.62" },
        { "show comments as tooltips", "true" },
        { "comment tool tip delay", "1000" },
        { "widget style", "0" },
        { "antialiasing", "true" },
        { "pdf viewer path", "xdg-open \"FILENAME\"" },
        { "ps viewer path", "xdg-open \"FILENAME\"" },
        { "compound edit view mode", "10" },
        { "use default gs location", "true" },
        { "ghostscript location", "" },
        { "generate eps preview", "true" },
        { "eps preview file type", "jpeg" },
        { "eps preview resolution", "96" },
        { "render special text using tex", "true" },
        { "latex command", "latex -quiet -output-directory TEMPDIR -job-name OUTFILE TEMPDIR/INFILE" },
        { "dvips command", "dvips -quiet -E* -o TEMPDIR/OUTFILE TEMPDIR/INFILE" },
        { "use default temp dir", "true" },
        { "temp dir", "" },
        { "special text tex document frame", specialFrameText },
        { "additional path", "" },
        { "file encoding", "ISO 8859-1" },
        { "grid on", "false" },
        { "grid index", "2" },
        { "magnet mode", "4" },
        { "snap mode", "" },
        { "snap to grid using line width", "false" },
        { "metric", "true" },
        { "horz ruler", "true" },
        { "vert ruler", "true" },
        { "font base 72dpi", "true" },
        { "dpi at zoom 100%", "FIG dpi" },
        { "background colour", "4294967295" },
        { "grid colour", "4292664540" },
        { "export tex document frame", exportFrameText },
        { "library root directory", "" },
        { "render latex in libraries", "false" },
    };
}

} // namespace defaultsettings
