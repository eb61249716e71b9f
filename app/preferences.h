#pragma once
// The program preferences: one record whose fields every subsystem reads
// directly. It starts with the built-in defaults below, is filled from the
// settings once at start and written back at exit and when the preferences
// dialog is accepted. Only this code touches the settings keys of the record.

#include <QColor>
#include <QString>

struct Preferences {
    QString exportTexFrame;
    bool showCommentTips = true;
    int commentTipDelay = 1000;
    int widgetStyle = 0;
    bool antialiasing = true;
    int valuesUnit = 0; // 0 cm, 1 inch, 2 display pixel, 3 Fig unit; not stored
    QString pdfViewerCommand;
    QString psViewerCommand;
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
    QString specialTextTexFrame;

    Preferences();
};

extern Preferences preferences;
