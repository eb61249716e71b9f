#pragma once
// The Windows enhanced metafile format: the layers only.

#include "export/exportoptions.h"

class EmfOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit EmfOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
