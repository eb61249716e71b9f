#include "export/bitmapoptions.h"

#include "app/preferences.h"

#include <QRadioButton>

#include <utility>

#include "ui_exportdlg.h"

BitmapOptions::BitmapOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

QString BitmapOptions::fig2devOptions()
{
    if (!context)
        return QString();
    ui->transpCol->setEnabled(ui->rbGif->isChecked());
    ui->jpegQuality->setEnabled(ui->rbJpeg->isChecked());
    QString options = QStringLiteral("-L ") + extension();
    if (options == QLatin1String("-L "))
        options.clear();
    options += commonOptions();
    if (preferences.fontBase72dpi)
        options += QStringLiteral(" -F");
    if (ui->cbSmoothFactor->currentIndex() == 1)
        options += QStringLiteral(" -S 2");
    else if (ui->cbSmoothFactor->currentIndex() == 2)
        options += QStringLiteral(" -S 4");
    if (ui->bmGrayscale->checkState() == Qt::Checked)
        options += QStringLiteral(" -N");
    if (ui->rbGif->isChecked() && !ui->transpCol->text().isEmpty())
        options += QStringLiteral(" -t ") + ui->transpCol->text();
    if (ui->rbJpeg->isChecked() && ui->jpegQuality->value() != 75)
        options += QStringLiteral(" -q %1").arg(ui->jpegQuality->value());
    return options;
}

QString BitmapOptions::extension()
{
    const std::pair<QRadioButton*, const char*> formats[]
        = { { ui->rbGif, "gif" }, { ui->rbJpeg, "jpeg" }, { ui->rbPcx, "pcx" }, { ui->rbPng, "png" },
              { ui->rbPpm, "ppm" }, { ui->rbTiff, "tiff" }, { ui->rbXbm, "xbm" }, { ui->rbXpm, "xpm" } };
    for (const auto& format : formats) {
        if (format.first->isChecked())
            return QLatin1String(format.second);
    }
    return QString();
}
