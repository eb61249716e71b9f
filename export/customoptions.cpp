#include "export/customoptions.h"

#include "app/preferences.h"

#include "ui_exportdlg.h"

#include <QSettings>

namespace {

// The settings key of the typed options.
const char parametersKey[] = "fig2dev parameters";

} // namespace

CustomOptions::CustomOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void CustomOptions::setContext(CFigContext* ctx)
{
    ui->customParameters->setText(QSettings(QLatin1String(settingsOrganization), QLatin1String(settingsApplication))
                                      .value(QLatin1String(parametersKey), QString())
                                      .toString());
    ExportOptions::setContext(ctx);
}

QString CustomOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = commonOptions();
    QSettings(QLatin1String(settingsOrganization), QLatin1String(settingsApplication))
        .setValue(QLatin1String(parametersKey), ui->customParameters->text());
    return options + QLatin1Char(' ') + ui->customParameters->text();
}
