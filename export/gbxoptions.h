#pragma once
// The Gerber (RS-274-X) format: unit, polarity, scale and offset, precision
// and comments; none of the general options apply.

#include "export/exportoptions.h"

class GbxOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit GbxOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
