#include "export/pstricksoptions.h"

#include "export/exportrun.h"

#include "ui_exportdlg.h"

PstricksOptions::PstricksOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void PstricksOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString PstricksOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L pstricks");
    options += commonOptions();
    options += ui->cbPstricksVersion->currentIndex() == 0 ? QStringLiteral(" -t 1.10") : QStringLiteral(" -t 1.20");
    if (ui->pstricksLineWeight->value() != 1.0)
        options += QStringLiteral(" -l %1").arg(optionNumber(ui->pstricksLineWeight->value()));
    options += QStringLiteral(" -n ") + ui->pstricksEnvironment->currentText();
    options += QStringLiteral(" -R ") + ui->pstricksArrowStyle->currentText();
    if (!ui->pstricksBmEpsDir->text().isEmpty())
        options += QStringLiteral(" -p ") + quotedOption(ui->pstricksBmEpsDir->text());
    if (ui->pstricksVerbose->checkState() != Qt::Unchecked)
        options += QStringLiteral(" -v");
    if (ui->pstricksGrid->checkState() != Qt::Unchecked)
        options += QStringLiteral(" -G 1");
    options += QStringLiteral(" -z ") + ui->cbPstricksFontHandling->currentText();
    if (ui->pstricksXMargin->value() != 0)
        options += QStringLiteral(" -x %1").arg(optionNumber(ui->pstricksXMargin->value()));
    if (ui->pstricksYMargin->value() != 0)
        options += QStringLiteral(" -y %1").arg(optionNumber(ui->pstricksYMargin->value()));
    return options;
}

QString PstricksOptions::extension()
{
    return QStringLiteral("pstricks");
}
