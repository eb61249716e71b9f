#pragma once
// The custom format: the fig2dev options the user types (the language option
// among them) after the common ones; the text is kept in the settings.

#include "export/exportoptions.h"

class CustomOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit CustomOptions(Ui::ExportDlgForm* ui);

    void setContext(CFigContext* ctx) override;
    QString fig2devOptions() override;
};
