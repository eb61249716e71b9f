#pragma once
// What the PDF and PostScript formats share: a paper page, plain through
// fig2dev or through LaTeX for the special texts, the magnification fitted
// to the paper on request, and the result opened in the format's viewer on
// request. They differ only in their page's widgets, language, LaTeX route
// and viewer, which each hands through format().

#include "export/exportoptions.h"
#include "export/paperpage.h"

class QCheckBox;
struct TexRoute;

class PaperPageOptions : public ExportOptions {
    Q_OBJECT
public:
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

protected:
    // One format's own part.
    struct Format {
        PaperPageWidgets page;
        QCheckBox* useLatex;
        QCheckBox* openInViewer;
        const char* language; // fig2dev's output language, also the output's extension
        const TexRoute& texRoute;
        bool (*openWithViewer)(const QString& path);
    };

    explicit PaperPageOptions(Ui::ExportDlgForm* ui);

    virtual Format format() const = 0;
};
