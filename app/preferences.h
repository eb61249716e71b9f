#pragma once
// The program preferences: one record whose fields every subsystem reads
// directly. It starts with the built-in defaults below, is filled from the
// settings once at start and written back at exit and when the preferences
// dialog is accepted. Only this code touches the settings keys of the record.

#include <QColor>
#include <QString>

class QSettings;

// Every reader and writer of a settings key opens its own QSettings with
// these two names (no groups: all keys are top-level).
constexpr char settingsOrganization[] = "Quillbrook";
constexpr char settingsApplication[] = "Tavrel";

struct Preferences {
    // LaTeX document around an exported TeX file. Line 4 ends with CR LF, the
    // others with LF; the text is kept byte for byte.
    QString exportTexFrame
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
    bool showCommentTips = true;
    int commentTipDelay = 1000;
    int widgetStyle = 0;
    bool antialiasing = true;
    int valuesUnit = 0; // 0 cm, 1 inch, 2 display pixel, 3 Fig unit; not stored
    // The export replaces FILENAME by the exported file.
    QString pdfViewerCommand = QStringLiteral("xdg-open \"FILENAME\"");
    QString psViewerCommand = QStringLiteral("xdg-open \"FILENAME\"");
    int compoundEditViewMode = 10;
    bool useDefaultGsLocation = true;
    QString detectedGhostscriptPath;
    QString ghostscriptLocation;
    QString libraryRoot;
    bool renderLatexInLibraries = false;
    QString additionalPathDefault;
    QString additionalPath;
    QString fileEncoding = QStringLiteral("ISO 8859-1");
    bool generateEpsPreview = true;
    QString epsPreviewFileType = QStringLiteral("jpeg");
    int epsPreviewResolution = 96;
    bool gridOn = false;
    int gridIndex = 2;
    int magnetMode = 4;
    int snapMode = 0; // bit 0 grid, bit 1 vertices
    bool snapToGridUsingLineWidth = false;
    bool metric = true;
    QColor backgroundColor = QColor(255, 255, 255);
    QColor gridColor = QColor(220, 220, 220);
    bool horzRuler = true;
    bool vertRuler = true;
    bool fontBase72dpi = true;
    int dpiAtZoom100 = 0; // 0 Fig dpi (80), 1 screen dpi, 2 font dpi (72)
    bool renderSpecialTextUsingTex = true;
    QString oldLatexCommandDefault = QStringLiteral("latex -quiet -job-name OUTFILE INFILE");
    QString latexCommandDefault
        = QStringLiteral("latex -quiet -output-directory TEMPDIR -job-name OUTFILE TEMPDIR/INFILE");
    QString latexCommand = latexCommandDefault;
    QString oldDvipsCommandDefault = QStringLiteral("dvips -quiet -E* -o OUTFILE INFILE");
    QString dvipsCommandDefault = QStringLiteral("dvips -quiet -E* -o TEMPDIR/OUTFILE TEMPDIR/INFILE");
    QString dvipsCommand = dvipsCommandDefault;
    QString tempDir;
    bool useDefaultTempDir = true;
    // LaTeX document around one special text: CR LF between the lines, no
    // line end after the last.
    QString specialTextTexFrame = QStringLiteral("\\documentclass[11pt]{article}\r\n"
                                                 "\\usepackage{color}\r\n"
                                                 "\\usepackage[latin1]{inputenc}\r\n"
                                                 "\\begin{document}\r\n"
                                                 "\\begin{titlepage}\r\n"
                                                 "COLORTOKEN\r\n"
                                                 "TEXTTOKEN\r\n"
                                                 "\\end{titlepage}\r\n"
                                                 "\\end{document}");
};

extern Preferences preferences;

// Fills preferences (and the custom grids, and the stored version) from the
// settings; a missing key keeps the current value. Called once at start,
// after the built-in grids exist.
void readSettings();

// Stores preferences, the custom grids and the running version.
void writeSettings();

// The "custom grids" key: appends the stored grids to gridDefs, or stores
// every grid after the built-in ones.
void readCustomGrids(QSettings& settings);
void writeCustomGrids(QSettings& settings);
