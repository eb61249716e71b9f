#include "export/exportdlg.h"

#include "app/filedialog.h"
#include "app/messagebox.h"
#include "app/qtchildfrm.h"
#include "dialogs/formfit.h"
#include "export/bitmapoptions.h"
#include "export/cgmoptions.h"
#include "export/customoptions.h"
#include "export/dxfoptions.h"
#include "export/emfoptions.h"
#include "export/epicoptions.h"
#include "export/epsoptions.h"
#include "export/exportformlayout.h"
#include "export/exportoptions.h"
#include "export/gbxoptions.h"
#include "export/ibmgloptions.h"
#include "export/latexoptions.h"
#include "export/mapoptions.h"
#include "export/metafontoptions.h"
#include "export/metapostoptions.h"
#include "export/pdfoptions.h"
#include "export/pdftexoptions.h"
#include "export/picoptions.h"
#include "export/pict2eoptions.h"
#include "export/pictexoptions.h"
#include "export/postscriptoptions.h"
#include "export/pstexoptions.h"
#include "export/pstricksoptions.h"
#include "export/svgoptions.h"
#include "export/tikzoptions.h"
#include "export/tkoptions.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>

namespace {

using OptionsFactory = ExportOptions* (*)(Ui::ExportDlgForm*);

template <class Options> ExportOptions* makeOptions(Ui::ExportDlgForm* ui)
{
    return new Options(ui);
}

// One row of the format list: its text, the title of its options page and
// its options class. Row i shows page i of the form's stacked widget.
struct FormatRow {
    const char* listText;
    const char* pageTitle;
    OptionsFactory create;
};

const FormatRow formatRows[ExportDlg::formatCount] = {
    { "Bitmap", "Bitmap Options", makeOptions<BitmapOptions> },
    { "CGM", "CGM Options", makeOptions<CgmOptions> },
    { "DXF", "DXF Options", makeOptions<DxfOptions> },
    { "Epic", "Epic Options", makeOptions<EpicOptions> },
    { "Gerber", "Gerber Options", makeOptions<GbxOptions> },
    { "IBM-GL", "IBM-GL Options", makeOptions<IbmglOptions> },
    { "LaTeX", "LaTeX Options", makeOptions<LatexOptions> },
    { "Map", "Map Options", makeOptions<MapOptions> },
    { "Metafile", "Metafile Options", makeOptions<EmfOptions> },
    { "Metafont", "MetaFont Options", makeOptions<MetafontOptions> },
    { "Metapost", "MetaPost Options", makeOptions<MetapostOptions> },
    { "PDF", "Pdf Options", makeOptions<PdfOptions> },
    { "Postscript", "PostScript Options", makeOptions<PostScriptOptions> },
    { "EPS", "Encapsulated PostScript Options", makeOptions<EpsOptions> },
    { "PdfTeX", "PDFTeX Options", makeOptions<PdftexOptions> },
    { "PsTeX", "PSTeX Options", makeOptions<PstexOptions> },
    { "Pic", "Pic Options", makeOptions<PicOptions> },
    { "Pict2e", "Pict2e Options", makeOptions<Pict2eOptions> },
    { "PicTeX", "PicTeX Options", makeOptions<PictexOptions> },
    { "PSTricks", "PSTricks Options", makeOptions<PstricksOptions> },
    { "SVG", "SVG Options", makeOptions<SvgOptions> },
    { "TikZ", "TikZ Options", makeOptions<TikzOptions> },
    { "TK/PTK", "TK and PTK Options", makeOptions<TkOptions> },
    { "Custom", "Any options", makeOptions<CustomOptions> },
};

// Widgets that change no option of the preview: they pick the route, a
// viewer or the overlay name's source, or open an editor.
const char* const widgetsOutsidePreview[] = {
    "epsUseLatex",
    "psUseLatex",
    "pdfUseLatex",
    "epsOpenInViewer",
    "psOpenInViewer",
    "pdfOpenInViewer",
    "pdftexOpenInPdfViewer",
    "pstexOpenInPsViewer",
    "useDefaultPdftexOverlayFile",
    "useDefaultPstexOverlayFile",
};

} // namespace

ExportDlg::ExportDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::ExportDlgForm>())
    , documentWindow(qobject_cast<QTChildFrm*>(parent))
{
    initialRow = 12;
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &ExportDlg::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &ExportDlg::reject);
    savedRow = initialRow;

    connect(ui->exportFormatList, &QListWidget::currentRowChanged, this, &ExportDlg::pageChanged);
    connectOptionWidgets();
    for (const FormatRow& row : formatRows)
        ui->exportFormatList->addItem(QString::fromLatin1(row.listText));
    for (int row = 0; row < formatCount; ++row) {
        options[row].reset(formatRows[row].create(ui.get()));
        pageTitles[row] = QString::fromLatin1(formatRows[row].pageTitle);
    }
    ui->exportFormatList->setCurrentRow(initialRow);
    if (initialRow != -1 && options[initialRow]) {
        ui->stackedWidget->setCurrentIndex(initialRow);
        options[initialRow]->setContext(figContext);
        ui->fig2devParameters->setText(options[initialRow]->fig2devOptions());
        ui->groupBoxSpecific->setTitle(pageTitles[initialRow]);
    }
    // Laid out once its lists are filled: the dialog keeps its form's size
    // where every page fits it and grows to the largest page's need where not.
    exportformlayout::layOut(this);
    formfit::fitToContents(this);
}

// The options objects go first: they point into the form.
ExportDlg::~ExportDlg()
{
    for (auto& formatOptions : options)
        formatOptions.reset();
}

void ExportDlg::connectOptionWidgets()
{
    QSet<QString> outside;
    for (const char* name : widgetsOutsidePreview)
        outside.insert(QString::fromLatin1(name));
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName();
        // Parts of compound widgets (a spin box's line edit) carry Qt's names.
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || outside.contains(name))
            continue;
        if (auto* spin = qobject_cast<QSpinBox*>(widget))
            connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, &ExportDlg::paramChanged);
        else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget))
            connect(decimal, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ExportDlg::paramChanged);
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            connect(check, &QCheckBox::stateChanged, this, &ExportDlg::paramChanged);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ExportDlg::paramChanged);
        else if (auto* radio = qobject_cast<QRadioButton*>(widget))
            connect(radio, &QRadioButton::clicked, this, &ExportDlg::paramChanged);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            connect(edit, &QLineEdit::textEdited, this, &ExportDlg::paramChanged);
    }
}

void ExportDlg::setContext(CFigContext* ctx)
{
    figContext = ctx;
    for (auto& formatOptions : options) {
        if (formatOptions)
            formatOptions->setContext(ctx);
    }
    if (ExportOptions* current = currentOptions())
        ui->fig2devParameters->setText(current->fig2devOptions());
}

void ExportDlg::setFileName(const QString& path)
{
    figurePath = path;
    const QString base = baseNameOf(path);
    for (auto& formatOptions : options) {
        if (formatOptions)
            formatOptions->setBaseName(base);
    }
}

QString ExportDlg::baseNameOf(const QString& path) const
{
    if (!lastExportBaseName.isEmpty())
        return lastExportBaseName;
    const int idx = path.lastIndexOf(QDir::separator());
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (idx == -1)
        return dot == -1 ? path : path.left(dot);
    if (dot == -1)
        return path.mid(idx + 1);
    const int length = dot - idx - 1;
    return length < 0 ? path.mid(idx + 1) : path.mid(idx + 1, length);
}

ExportOptions* ExportDlg::currentOptions() const
{
    const int row = ui->exportFormatList->currentRow();
    if (row < 0 || row >= formatCount)
        return nullptr;
    return options[row].get();
}

void ExportDlg::pageChanged(int index)
{
    if (index < 0 || index >= formatCount || !options[index])
        return;
    ui->stackedWidget->setCurrentIndex(index);
    options[index]->setContext(figContext);
    ui->fig2devParameters->setText(options[index]->fig2devOptions());
    ui->groupBoxSpecific->setTitle(pageTitles[index]);
}

void ExportDlg::paramChanged()
{
    if (ExportOptions* current = currentOptions())
        ui->fig2devParameters->setText(current->fig2devOptions());
}

void ExportDlg::showEvent(QShowEvent* event)
{
    savedRow = ui->exportFormatList->currentRow();
    QDialog::showEvent(event);
}

void ExportDlg::accept()
{
    doExport(false);
    QDialog::accept();
}

void ExportDlg::reject()
{
    ui->exportFormatList->setCurrentRow(savedRow);
    QDialog::reject();
}

bool ExportDlg::exportAgain()
{
    return doExport(true);
}

bool ExportDlg::doExport(bool again)
{
    exportSucceeded = false;
    if (!documentWindow)
        return false;

    if (figContext && figContext->modified) {
        bool save = again;
        if (!again) {
            MessageBoxRequest question;
            question.parent = this;
            question.icon = QMessageBox::Warning;
            question.title = tr("Save changes?");
            question.text = tr("'%1' has been modified.\nDo you want to save your changes to include them in the "
                               "exported file?")
                                .arg(documentWindow->currentFileName());
            question.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            question.defaultButton = QMessageBox::Yes;
            const QMessageBox::StandardButton answer = showMessageBox(question);
            if (answer == QMessageBox::Cancel)
                return false;
            save = answer == QMessageBox::Yes;
        }
        if (save) {
            // The changes were to be in the exported file: without them (the
            // save failed or its file dialog was cancelled) nothing is
            // exported. The save reports its own failure.
            if (!documentWindow->save())
                return false;
            figurePath = QDir::toNativeSeparators(documentWindow->curFile);
        }
    }

    ExportOptions* formatOptions = currentOptions();
    if (!formatOptions)
        return false;

    if (!again) {
        FileDialogRequest request;
        request.kind = FileDialogRequest::Save;
        request.parent = this;
        request.caption = tr("Eport to");
        request.directory = proposedOutputPath();
        request.filter = QStringLiteral("*.") + formatOptions->extension();
        lastExportPath = askFileName(request);
    }
    if (lastExportPath.isEmpty())
        return false;
    return exportTo(lastExportPath);
}

QString ExportDlg::proposedOutputPath()
{
    ExportOptions* formatOptions = currentOptions();
    const QString ext = formatOptions ? formatOptions->extension() : QString();
    const QString base = baseNameOf(figurePath);
    QString folder = lastExportDir;
    if (folder.isEmpty()) {
        const int idx = figurePath.lastIndexOf(QDir::separator());
        if (idx != -1)
            folder = figurePath.left(idx);
    }
    return folder + QDir::separator() + base + QLatin1Char('.') + ext;
}

bool ExportDlg::exportTo(const QString& outputPath)
{
    ExportOptions* formatOptions = currentOptions();
    if (!formatOptions || outputPath.isEmpty())
        return false;
    lastExportPath = outputPath;

    // Remember the choice for the next proposal.
    const QString chosen = QDir::toNativeSeparators(lastExportPath);
    const int idx = chosen.lastIndexOf(QDir::separator());
    const int dot = chosen.lastIndexOf(QLatin1Char('.'));
    if (idx != -1 && dot != -1) {
        const int length = dot - idx - 1;
        lastExportBaseName = length < 0 ? chosen.mid(idx + 1) : chosen.mid(idx + 1, length);
    }
    // Only a dot in the file name starts a suffix, not one in a folder name.
    if (dot != -1 && dot > idx)
        formatOptions->setExtension(chosen.mid(dot + 1));
    lastExportDir = idx == -1 ? chosen : chosen.left(idx);

    // The drawing's folder is the current one meanwhile: relative names
    // (the output's, a header file's) are taken from there.
    const QString kept = QDir::current().absolutePath();
    const QString figureFile = documentWindow ? documentWindow->curFile : figurePath;
    QDir::setCurrent(QFileInfo(figureFile).absolutePath());
    hide();
    // A drawing never saved has no file yet (one of its proposed name may
    // be another's): the export takes what the window shows.
    const bool untitled = documentWindow && documentWindow->isUntitled;
    exportSucceeded = formatOptions->exportFigure(untitled ? QString() : figurePath, lastExportPath);
    QDir::setCurrent(kept);
    exportedOnce = true;
    return exportSucceeded;
}

bool ExportDlg::selectFormat(const QString& listText)
{
    const QList<QListWidgetItem*> found = ui->exportFormatList->findItems(listText, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    ui->exportFormatList->setCurrentItem(found.first());
    return true;
}

bool ExportDlg::setOptionWidget(const QString& objectName, const QString& value)
{
    QWidget* widget = findChild<QWidget*>(objectName);
    if (!widget || objectName.startsWith(QLatin1String("qt_")))
        return false;
    bool ok = false;
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        const int number = value.toInt(&ok);
        if (!ok || number < spin->minimum() || number > spin->maximum())
            return false;
        spin->setValue(number);
    } else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget)) {
        const double number = value.toDouble(&ok);
        if (!ok || number < decimal->minimum() || number > decimal->maximum())
            return false;
        decimal->setValue(number);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int index = value.toInt(&ok);
        if (!ok || index < 0 || index >= combo->count())
            return false;
        combo->setCurrentIndex(index);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (!button->isCheckable() || (value != QLatin1String("0") && value != QLatin1String("1")))
            return false;
        const bool checked = value == QLatin1String("1");
        // A radio button of an exclusive group is unchecked only by checking another.
        if (!checked && button->isChecked() && qobject_cast<QRadioButton*>(button))
            return false;
        if (button->isChecked() != checked) {
            button->setChecked(checked);
            // What the button does when the user clicks it happens too.
            emit button->clicked(checked);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);
    } else {
        return false;
    }
    paramChanged();
    return true;
}
