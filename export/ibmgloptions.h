#pragma once
// The IBM-GL (HP-GL) plotter format: paper, HP/GL, mirroring, the 6180
// plotter, orientation, pen speed, a plotting area and the magnification and
// offsets of its own.

#include "export/exportoptions.h"

class IbmglOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit IbmglOptions(Ui::ExportDlgForm* ui);

    void setContext(CFigContext* ctx) override;

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
