#pragma once
// The Computer Graphics Metafile format: binary output (through ralcgm) and
// arrowheads for viewers that round them.

#include "export/exportoptions.h"

class CgmOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit CgmOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
