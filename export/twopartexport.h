#pragma once
// The two-part LaTeX output that the PdfTeX and PsTeX formats share: a
// graphics file without the special texts and a LaTeX overlay that sets them
// and names the graphics file; both parts or one of them. The options
// objects hand their own page's widgets and names; this code owns none.

#include <QString>

class CFigContext;
class ExportOptions;
class QCheckBox;
class QComboBox;
class QLineEdit;

struct TwoPartPage {
    QComboBox* mode; // 0 both parts, 1 graphics only, 2 special text only
    QCheckBox* viewer;
    QCheckBox* noFontSpec;
    QComboBox* encoding;
    QLineEdit* title;
    QCheckBox* useDefault;
    QLineEdit* overlay; // the graphics file the overlay names
    const char* graphicsLanguage;
    const char* overlayLanguage;
    const char* overlaySuffix; // "pdftex_t" or "pstex_t"
    const char* graphicsExtension; // the extension proposed for the graphics file
};

// The options of one part: the graphics part, or the overlay naming
// `overlay` (when empty, the overlay field's file).
QString twoPartOptions(ExportOptions& options, const TwoPartPage& page, bool graphics, const QString& overlay);
// The page's widgets by the mode (after the general ones).
void setTwoPartWidgetState(const TwoPartPage& page);
QString twoPartExtension(const TwoPartPage& page);
// Whether a suffix chosen for the output may become the suffix of the
// default graphics name: not when the chosen file is the overlay itself,
// which would then include itself.
bool isGraphicsSuffix(const TwoPartPage& page, const QString& suffix);
// The default overlay name for a base name, while "Use default" is ticked
// or the field is empty.
void proposeOverlayName(const TwoPartPage& page, const QString& baseName, const QString& graphicsSuffix);
// Runs the export of the chosen parts (the drawing from figPath, or from the
// document when that names no file); true when every run wrote its file and
// both parts are in place.
bool exportTwoParts(ExportOptions& options, const TwoPartPage& page, CFigContext* context, const QString& figPath,
    const QString& outPath);
