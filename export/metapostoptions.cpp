#include "export/metapostoptions.h"

#include "export/exportrun.h"

#include "ui_exportdlg.h"

#include <QFileInfo>

MetapostOptions::MetapostOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void MetapostOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString MetapostOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L mp");
    options += commonOptions();
    // fig2dev has no language "mmp": multi-level output is the MetaPost
    // driver's -M.
    if (ui->multiLevel->checkState() != Qt::Unchecked)
        options += QStringLiteral(" -M");
    if (ui->oldMode->checkState() == Qt::Checked)
        options += QStringLiteral(" -o");
    if (ui->metapostPrologues->value() != 0)
        options += QStringLiteral(" -p %1").arg(ui->metapostPrologues->value());
    if (!ui->metapostInput->text().isEmpty())
        options += QStringLiteral(" -i ") + quotedOption(ui->metapostInput->text());
    // fig2dev adds a header file with -d.
    if (!ui->metapostHeader->text().isEmpty())
        options += QStringLiteral(" -d ") + quotedOption(ui->metapostHeader->text());
    return options;
}

QString MetapostOptions::extension()
{
    return ui->multiLevel->checkState() != Qt::Unchecked ? QStringLiteral("mmp") : QStringLiteral("mp");
}

QStringList MetapostOptions::fig2devArguments()
{
    QStringList arguments = ExportOptions::fig2devArguments();
    const int header = arguments.indexOf(QStringLiteral("-d"));
    if (header >= 0 && header + 1 < arguments.size())
        arguments[header + 1] = QFileInfo(arguments.at(header + 1)).absoluteFilePath();
    return arguments;
}
