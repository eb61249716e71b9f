#pragma once
// The Tcl/Tk canvas format: orientation and, for a canvas of the full page,
// the paper size, both taken from the document.

#include "export/exportoptions.h"

class TkOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit TkOptions(Ui::ExportDlgForm* ui);

    void setContext(CFigContext* ctx) override;

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
