#pragma once
// The MetaPost format: multi-level output (one figure per depth), old mode,
// prologues and the files to input or add as a header.

#include "export/exportoptions.h"

class MetapostOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit MetapostOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
    // fig2dev reads the header file itself, from the folder it runs in (a
    // private one): a relative name is taken from the current folder, the
    // drawing's during an export.
    QStringList fig2devArguments() override;
};
