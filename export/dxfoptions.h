#pragma once
// The DXF format: paper, orientation, reflection, the 6180 plotter, a plotting
// area and the magnification of its own.

#include "export/exportoptions.h"

class DxfOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit DxfOptions(Ui::ExportDlgForm* ui);

    void setContext(CFigContext* ctx) override;

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
