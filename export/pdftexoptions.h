#pragma once
// The PdfTeX format: a PDF graphics file and a LaTeX overlay for pdfLaTeX,
// both parts or one of them (no LaTeX program runs).

#include "export/twopartoptions.h"

class PdftexOptions : public TwoPartOptions {
    Q_OBJECT
public:
    explicit PdftexOptions(Ui::ExportDlgForm* ui);

public slots:
    // The overlay field is typed by the user only while "Use default" is off.
    void onUseDefaultPdftexOverlayFile(bool checked);

protected:
    TwoPartPage page() const override;
};
