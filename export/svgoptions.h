#pragma once
// The SVG format: the paper size, taken from the document.

#include "export/exportoptions.h"

class SvgOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit SvgOptions(Ui::ExportDlgForm* ui);

    void setContext(CFigContext* ctx) override;

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
