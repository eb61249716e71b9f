#pragma once
// The HTML image map format: border and layers only.

#include "export/exportoptions.h"

class MapOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit MapOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
