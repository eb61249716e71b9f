#pragma once
// The TikZ format: encoding, colour, fonts, graphics folder, quoting, page
// mode, TeX fonts and graphics suffixes.

#include "export/exportoptions.h"

class TikzOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit TikzOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
