#include "export/exportoptions.h"

#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qtmainfrm.h"
#include "dialogs/generictexteditdlg.h"
#include "export/exportrun.h"
#include "export/waitcursor.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "render/colors.h"

#include "ui_exportdlg.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QProcess>

int ExportOptions::startTimeout = 30000;
int ExportOptions::finishTimeout = 30000;

namespace {

// The widest line of a list and its compounds, in 1/80 inch.
int widestLine(const FigObjectList& list)
{
    int widest = 0;
    for (const FigObject* object : list) {
        widest = qMax(widest, object->lineWidth);
        if (object->type == FigObject::Compound)
            widest = qMax(widest, widestLine(*static_cast<const FigCompound*>(object)->members));
    }
    return widest;
}

// The names fig2dev knows the standard colours by, in colour-number order.
QString standardColorOptionName(int color)
{
    if (color < 0 || color >= standardColorCount)
        return QString();
    return QString::fromLatin1(standardColorNames[color].displayName);
}

} // namespace

double drawnFigUnitsPerInch(bool metric)
{
    return metric ? 450.0 * 2.54 : 1200.0;
}

double drawnFigUnitsPerUnit(bool metric)
{
    return metric ? 450.0 : 1200.0;
}

QSizeF drawnFigureSize(CFigContext& context, int magnification)
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    context.getObjectListBounds(&context.drawing.objects, left, top, right, bottom, false, true, true);
    if (right <= left && bottom <= top)
        return QSizeF(0, 0);
    // A line reaches half its width (15 Fig units a unit of width) past its
    // ends, and fig2dev counts more at mitred corners and arrow tips.
    const double reach = widestLine(context.drawing.objects) * 15.0 * 0.75;
    const double scale = magnification / 100.0 / drawnFigUnitsPerUnit(context.metric);
    return QSizeF((double(float(right - left)) + 2 * reach) * scale, (double(float(bottom - top)) + 2 * reach) * scale);
}

QString optionNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QString stripExtension(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int separator = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return dot > separator ? path.left(dot) : path;
}

ExportOptions::ExportOptions(Ui::ExportDlgForm* ui)
    : QObject(nullptr)
    , ui(ui)
{
    // The options of all formats share one list: only the first fills it.
    if (ui->cbBackground->count() == 0) {
        ui->cbBackground->addItem(QStringLiteral("none"), -1);
        const QSize size = ui->cbBackground->iconSize();
        for (int color = 0; color < standardColorCount; ++color) {
            QPixmap swatch(size);
            swatch.fill(QColor::fromRgb(static_cast<QRgb>(standardShades[color].shade[fullShade])));
            ui->cbBackground->addItem(QIcon(swatch), QString(), color);
        }
    }
}

ExportOptions::~ExportOptions() = default;

void ExportOptions::setContext(CFigContext* ctx)
{
    context = ctx;
    if (!ctx)
        return;
    ui->magnification->setValue(static_cast<int>(ctx->magnification));
    updateFigureSize();
}

void ExportOptions::setWidgetState()
{
    for (QWidget* widget : { static_cast<QWidget*>(ui->magnification), static_cast<QWidget*>(ui->btFitToPage),
             static_cast<QWidget*>(ui->rbExportAll), static_cast<QWidget*>(ui->rbExportOnlyActive),
             static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(true);
}

QString ExportOptions::fig2devOptions()
{
    return commonOptions(true);
}

QString ExportOptions::commonOptions(bool withBackground)
{
    QString options;
    setWidgetState();

    const int magnification = ui->magnification->value();
    if (useMagnification && ui->magnification->isEnabled() && magnification != 100)
        options += QStringLiteral(" -m %1").arg(optionNumber(magnification / 100.0));

    updateFigureSize();

    if (ui->borderWidth->isEnabled() && ui->borderWidth->value() != 0)
        options += QStringLiteral(" -b %1").arg(ui->borderWidth->value());

    QString grid;
    if (ui->cbGridMinor->isEnabled() && ui->cbGridMinor->currentIndex() > 0)
        grid = ui->cbGridMinor->currentText();
    if (ui->cbGridMajor->isEnabled() && ui->cbGridMajor->currentIndex() > 0)
        grid += QLatin1Char(':') + ui->cbGridMajor->currentText();
    if (!grid.isEmpty())
        options += QStringLiteral(" -G ") + grid + ui->cbGridUnit->currentText();

    if (withBackground && ui->cbBackground->isEnabled()) {
        const int color = ui->cbBackground->currentData().toInt();
        const QString name = standardColorOptionName(color);
        if (color != -1 && !name.isEmpty())
            options += QStringLiteral(" -g ") + name;
    }

    if (ui->rbExportOnlyActive->isEnabled() && ui->rbExportOnlyActive->isChecked() && context) {
        options += QStringLiteral(" -D +");
        QStringList depths;
        // A drawing without objects has no used depth: both ends are -1.
        const int first = qMax(context->minDepth, 0);
        const int last = qMin(context->maxDepth, CFigContext::depthCount - 1);
        for (int depth = first; depth <= last; ++depth) {
            if (context->depthObjectCount[depth] > 0 && context->depthVisible[depth])
                depths << QString::number(depth);
        }
        options += depths.join(QLatin1Char(','));
    }
    return options;
}

QString ExportOptions::extension()
{
    return fileExtension;
}

void ExportOptions::setExtension(const QString& suffix)
{
    fileExtension = suffix;
}

void ExportOptions::setBaseName(const QString& name)
{
    baseName = name;
}

bool ExportOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    const WaitCursor wait;
    ExportRun run(context, figPath);
    if (!run.prepare())
        return false;
    const QString output = run.addOutput(outPath);
    return !output.isEmpty() && run.runFig2dev(fig2devArguments(), output) && run.finish();
}

bool ExportOptions::runCommand(const QString& commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (!arguments.isEmpty())
        arguments.removeFirst(); // the program: always fig2dev
    return runFig2devProgram(arguments, QString());
}

QStringList ExportOptions::fig2devArguments()
{
    return optionArguments(fig2devOptions());
}

void ExportOptions::openTexEnvelope(bool /*checked*/)
{
    GenericTextEditDlg dialog(nullptr, {});
    dialog.setText(preferences.exportTexFrame);
    dialog.setModal(true);
    dialog.show();
    if (dialog.exec() == QDialog::Accepted)
        preferences.exportTexFrame = dialog.text();
}

void ExportOptions::updateFigureSize()
{
    if (!context)
        return;
    const QString unit = context->metric ? QStringLiteral("cm") : QStringLiteral("in");
    const QSizeF size = drawnFigureSize(*context, ui->magnification->value());
    ui->lbFigureSize->setText(
        QStringLiteral("%1%2 x %3%4").arg(optionNumber(size.width()), unit, optionNumber(size.height()), unit));
}

void ExportOptions::reportFailure(const QString& message)
{
    appendToLogFile(message);
    showFailureBox(message);
}

void ExportOptions::showFailureBox(const QString& message)
{
    MessageBoxRequest request;
    request.parent = mainWindow;
    request.icon = QMessageBox::Information;
    request.title = QStringLiteral("Export failed!");
    request.text = message;
    request.buttons = QMessageBox::Ok;
    request.defaultButton = QMessageBox::Ok;
    showMessageBox(request);
}
