#pragma once
// The Encapsulated PostScript format: preview, grayscale, title and the
// bounding box of its page, plain through fig2dev or through LaTeX for the
// special texts, and the result opened in the PostScript viewer on request.

#include "export/exportoptions.h"

class EpsOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit EpsOptions(Ui::ExportDlgForm* ui);

    // Also takes the unit of the bounding box and the drawing's size at the
    // document's magnification into the bounding box's size fields.
    void setContext(CFigContext* ctx) override;

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
    bool exportFigure(const QString& figPath, const QString& outPath) override;
    bool exportWithTexEnvelope(const QString& figPath, const QString& outPath);
};
