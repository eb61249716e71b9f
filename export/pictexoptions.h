#pragma once
// The PicTeX format: the text encoding.

#include "export/exportoptions.h"

class PictexOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit PictexOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
