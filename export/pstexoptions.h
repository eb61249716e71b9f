#pragma once
// The PsTeX format: a PostScript graphics file and a LaTeX overlay for LaTeX
// with dvips, both parts or one of them (no LaTeX program runs).

#include "export/twopartoptions.h"

class PstexOptions : public TwoPartOptions {
    Q_OBJECT
public:
    explicit PstexOptions(Ui::ExportDlgForm* ui);

public slots:
    // The overlay field is typed by the user only while "Use default" is off.
    void onUseDefaultPstexOverlayFile(bool checked);

protected:
    TwoPartPage page() const override;
};
