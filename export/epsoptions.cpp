#include "export/epsoptions.h"

#include "app/preferences.h"
#include "export/exportrun.h"
#include "export/texenvelope.h"
#include "export/viewers.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

#include <cmath>

EpsOptions::EpsOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    connect(ui->epsOpenTexEnvelope, &QPushButton::clicked, this, &ExportOptions::openTexEnvelope);
    connect(ui->epsUseLatex, &QCheckBox::stateChanged, this, &EpsOptions::setWidgetState);
}

void EpsOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    if (!ctx)
        return;
    const QString unit = ctx->metric ? QStringLiteral("cm") : QStringLiteral("inch");
    ui->lbBoundindBoxUnit1->setText(unit);
    ui->lbBoundindBoxUnit2->setText(unit);
    // fig2dev's box is whole points, rounded outwards on both sides: two
    // points more, and the fields' two decimals rounded up, hold the figure.
    const double twoPoints = 2.0 / 72.0 * (ctx->metric ? 2.54 : 1.0);
    const QSizeF size = drawnFigureSize(*ctx, ui->magnification->value());
    auto enclosing
        = [twoPoints](double length) { return length > 0 ? std::ceil((length + twoPoints) * 100 - 1e-6) / 100 : 0.0; };
    ui->boundingBoxWX->setValue(enclosing(size.width()));
    ui->boundingBoxWY->setValue(enclosing(size.height()));
}

void EpsOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    const bool plain = ui->epsUseLatex->checkState() == Qt::Unchecked;
    for (QWidget* widget : { static_cast<QWidget*>(ui->cbEpsPreview), static_cast<QWidget*>(ui->epsGrayscale),
             static_cast<QWidget*>(ui->epsTitle), static_cast<QWidget*>(ui->rbBoundingBox1),
             static_cast<QWidget*>(ui->rbBoundingBox2), static_cast<QWidget*>(ui->rbBoundingBox3),
             static_cast<QWidget*>(ui->boundingBoxX0), static_cast<QWidget*>(ui->boundingBoxY0),
             static_cast<QWidget*>(ui->boundingBoxWX), static_cast<QWidget*>(ui->boundingBoxWY) })
        widget->setEnabled(plain);
}

QString EpsOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L eps") + commonOptions();
    if (preferences.fontBase72dpi)
        options += QStringLiteral(" -F");
    switch (ui->cbEpsPreview->currentIndex()) {
    case 1:
        options += QStringLiteral(" -A");
        break;
    case 2:
        options += QStringLiteral(" -T");
        break;
    case 3:
        options += QStringLiteral(" -C foo");
        break;
    default:
        break;
    }
    if (ui->epsGrayscale->checkState() == Qt::Checked)
        options += QStringLiteral(" -N");
    if (!ui->epsTitle->text().isEmpty())
        options += QStringLiteral(" -n ") + quotedOption(ui->epsTitle->text());

    const bool automatic = ui->rbBoundingBox1->isChecked();
    for (QWidget* field : { static_cast<QWidget*>(ui->boundingBoxX0), static_cast<QWidget*>(ui->boundingBoxY0),
             static_cast<QWidget*>(ui->boundingBoxWX), static_cast<QWidget*>(ui->boundingBoxWY) })
        field->setEnabled(!automatic);
    if (ui->rbBoundingBox2->isChecked())
        options += QStringLiteral(" -B");
    if (ui->rbBoundingBox3->isChecked())
        options += QStringLiteral(" -R");
    // fig2dev reads the box as width, height and then the origin.
    if (!automatic)
        options += QStringLiteral(" \"%1 %2 %3 %4\"")
                       .arg(optionNumber(ui->boundingBoxWX->value()), optionNumber(ui->boundingBoxWY->value()),
                           optionNumber(ui->boundingBoxX0->value()), optionNumber(ui->boundingBoxY0->value()));
    return options;
}

QString EpsOptions::extension()
{
    return QStringLiteral("eps");
}

bool EpsOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    const bool exported = ui->epsUseLatex->checkState() == Qt::Checked ? exportWithTexEnvelope(figPath, outPath)
                                                                       : ExportOptions::exportFigure(figPath, outPath);
    // Only a file this export wrote is shown.
    if (exported && ui->epsOpenInViewer->checkState() == Qt::Checked)
        openWithPsViewer(outPath);
    return exported;
}

bool EpsOptions::exportWithTexEnvelope(const QString& figPath, const QString& outPath)
{
    if (!context)
        return false;
    return ::exportWithTexEnvelope(*this, epsTexRoute, *context, figPath, outPath);
}
