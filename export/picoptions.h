#pragma once
// The pic picture language: the groff extensions to use.

#include "export/exportoptions.h"

class PicOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit PicOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
