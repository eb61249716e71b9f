#pragma once
// The PDF format: paper, orientation, justification, pages, grayscale, title
// and offsets of its page, plain through fig2dev or through LaTeX for the
// special texts, the magnification fitted to the paper on request, and the
// result opened in the PDF viewer on request.

#include "export/exportoptions.h"

struct PaperPageWidgets;

class PdfOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit PdfOptions(Ui::ExportDlgForm* ui);

    // Also takes the document's paper size, orientation, justification and
    // pages into the page.
    void setContext(CFigContext* ctx) override;

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
    bool exportFigure(const QString& figPath, const QString& outPath) override;
    bool exportWithTexEnvelope(const QString& figPath, const QString& outPath);

public slots:
    // Sets the magnification that fits the drawing on the page's paper.
    void onExportFitToPage(bool checked);

private:
    PaperPageWidgets page() const;
};
