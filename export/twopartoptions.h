#pragma once
// What the PdfTeX and PsTeX formats share: both build their options, name
// their files and run their export alike through the two-part export and
// differ only in their page's widgets and names, which each hands through
// page().

#include "export/exportoptions.h"

struct TwoPartPage;

class TwoPartOptions : public ExportOptions {
    Q_OBJECT
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

protected:
    // graphicsSuffix: the output's suffix until the user chooses a file.
    TwoPartOptions(Ui::ExportDlgForm* ui, const QString& graphicsSuffix);

    // The format's own widgets and names.
    virtual TwoPartPage page() const = 0;
};
