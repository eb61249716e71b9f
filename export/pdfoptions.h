#pragma once
// The PDF format: paper, orientation, justification, pages, grayscale, title
// and offsets of its page, plain through fig2dev or through pdfLaTeX for the
// special texts, and the result opened in the PDF viewer on request.

#include "export/paperpageoptions.h"

class PdfOptions : public PaperPageOptions {
    Q_OBJECT
public:
    explicit PdfOptions(Ui::ExportDlgForm* ui);

protected:
    Format format() const override;
};
