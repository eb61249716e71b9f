#pragma once
// The LaTeX picture languages epic, eepic and eepicemu: encoding, line
// threshold, arrowhead size, fonts, a complete file, rotated text, comments
// and variable line width.

#include "export/exportoptions.h"

class EpicOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit EpicOptions(Ui::ExportDlgForm* ui);

public slots:
    void setWidgetState() override;

public:
    QString fig2devOptions() override;
    QString extension() override;
};
