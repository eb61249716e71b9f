#pragma once
// The LaTeX picture environment: encoding, line threshold and dash length.

#include "export/exportoptions.h"

class LatexOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit LatexOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
