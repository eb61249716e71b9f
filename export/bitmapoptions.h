#pragma once
// The bitmap formats (GIF, JPEG, PCX, PNG, PPM, TIFF, XBM, XPM), which fig2dev
// makes through Ghostscript: smoothing, grayscale, the GIF transparent colour
// and the JPEG quality.

#include "export/exportoptions.h"

class BitmapOptions : public ExportOptions {
    Q_OBJECT
public:
    explicit BitmapOptions(Ui::ExportDlgForm* ui);
    QString fig2devOptions() override;
    QString extension() override;
};
