#pragma once
// The LaTeX pict2e picture environment: encoding, colour, epic
// compatibility, fonts, graphics folder, quoting, page mode and arrowheads.

#include "export/exportoptions.h"

class Pict2eOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit Pict2eOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
