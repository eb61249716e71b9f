#pragma once
// The PSTricks format: version, line weight, page mode, arrow style, picture
// folder, verbosity, its own grid, font handling and margins.

#include "export/exportoptions.h"

class PstricksOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit PstricksOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
