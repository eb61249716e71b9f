#pragma once
// The Metafont format: start code, pen magnification, coordinate system and
// font name, each written only when it differs from its start value.

#include "export/exportoptions.h"

class MetafontOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit MetafontOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
