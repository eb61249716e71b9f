#pragma once
// The PdfTeX format: a PDF graphics file and a LaTeX overlay for pdfLaTeX,
// both parts or one of them (no LaTeX program runs).

#include "export/exportoptions.h"

struct TwoPartPage;

class PdftexOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit PdftexOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
    // Only a graphics file's suffix is kept for the default overlay name.
    void setExtension(const QString& suffix) override;
    // Also proposes the overlay's graphics name for the base name.
    void setBaseName(const QString& name) override;
    bool exportFigure(const QString& figPath, const QString& outPath) override;
    // The options of the graphics part, or of the overlay naming `overlay`
    // (when empty, the overlay field's file).
    virtual QString partOptions(bool graphics, const QString& overlay);

public slots:
    // The overlay field is typed by the user only while "Use default" is off.
    void onUseDefaultPdftexOverlayFile(bool checked);

private:
    TwoPartPage page() const;
};
