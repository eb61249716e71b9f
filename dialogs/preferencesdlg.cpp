#include "dialogs/preferencesdlg.h"
#include "dialogs/formfit.h"

#include "app/filedialog.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/objectlist.h"

#include "ui_preferencesdlg.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace {

bool isChecked(int state)
{
    return state == Qt::Checked;
}

bool isChecked(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked;
}

// The text editor keeps paragraphs, not line ends: a stored text with CR LF
// comes back with LF alone and is the same text.
QString asEdited(const QString& text)
{
    QString edited = text;
    edited.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edited.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return edited;
}

// The width a line edit needs to show the text whole, as its own size hint
// measures: frame, margins, text and the cursor.
int lineEditWidth(const QLineEdit* edit, const QString& text)
{
    constexpr int horizontalMargin = 2;
    constexpr int cursorWidth = 1;
    const QMargins textMargins = edit->textMargins();
    const QMargins contents = edit->contentsMargins();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QFontMetrics fm = edit->fontMetrics();
    const int width = fm.horizontalAdvance(text) + 2 * horizontalMargin + cursorWidth + textMargins.left()
        + textMargins.right() + contents.left() + contents.right();
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, fm.height()), edit).width();
}

const QString jpegType = QStringLiteral("jpeg");
const QString png256Type = QStringLiteral("png256");

} // namespace

PreferencesDlg::PreferencesDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::PreferencesDlg>())
{
    ui->setupUi(this);
    // Both buttons hide the dialog first; loadValues adds what they store or
    // restore.
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    ui->pathLabel->setText(tr("The following line will be added to your PATH variable. Add any entries separated by "
                              "semicolon that are necessary for finding external tools such as latex or ghostscript. "
                              "Requires restart."));

    ui->cbWidgetStyle->addItem(QStringLiteral("Fusion"), 0);
    // The codes of "compound edit view mode".
    ui->cbCompoundEditinViewMode->addItem(tr("dimmed"), 10);
    ui->cbCompoundEditinViewMode->addItem(tr("grayed"), 11);
    ui->cbCompoundEditinViewMode->addItem(tr("hidden"), 12);
    ui->cbCompoundEditinViewMode->addItem(tr("normal"), 3);

    connect(ui->btOpenPdfFileDlg, &QPushButton::clicked, this, &PreferencesDlg::getPdfViewerPath);
    connect(ui->btOpenPsFileDlg, &QPushButton::clicked, this, &PreferencesDlg::getPsViewerPath);
    connect(ui->useDefaultTempDir, &QCheckBox::stateChanged, this, &PreferencesDlg::useDefaultTempDirChanged);
    connect(ui->useDefaultGSLocation, &QCheckBox::stateChanged, this, &PreferencesDlg::useAutomaticGSDirChanged);
    connect(ui->btOpenGsPathDlg, &QPushButton::clicked, this, &PreferencesDlg::getGSLocation);
    connect(ui->resetAdditionalPath, &QPushButton::clicked, this, &PreferencesDlg::resetAdditionalPath);

    loadValues();
    // The command fields show the program's own commands whole.
    ui->texCommand->setMinimumWidth(lineEditWidth(ui->texCommand, preferences.latexCommandDefault));
    ui->dvipsCommand->setMinimumWidth(lineEditWidth(ui->dvipsCommand, preferences.dvipsCommandDefault));
    formfit::fitToContents(this);
}

PreferencesDlg::~PreferencesDlg() = default;

void PreferencesDlg::disconnectLoadedConnections()
{
    disconnect(ui->buttonBox, &QDialogButtonBox::accepted, this, &PreferencesDlg::onOk);
    disconnect(ui->buttonBox, &QDialogButtonBox::rejected, this, &PreferencesDlg::onCancel);
    disconnect(ui->previewEps, &QCheckBox::stateChanged, this, &PreferencesDlg::onChangeGenerateEpsPreview);
    disconnect(ui->flushLatexImages, &QPushButton::clicked, this, &PreferencesDlg::onFlushLatexImages);
}

void PreferencesDlg::loadValues()
{
    const Preferences& p = preferences;
    disconnectLoadedConnections();

    loading = true;
    ui->previewEps->setChecked(p.generateEpsPreview);
    ui->cbPreviewFiletype->setCurrentIndex(p.epsPreviewFileType == jpegType ? 0 : 1);
    ui->previewResolution->setValue(p.epsPreviewResolution);
    ui->previewTex->setChecked(p.renderSpecialTextUsingTex);
    ui->texCommand->setText(p.latexCommand);
    ui->dvipsCommand->setText(p.dvipsCommand);
    // A command longer than its field shows its start, the program's name.
    ui->texCommand->setCursorPosition(0);
    ui->dvipsCommand->setCursorPosition(0);
    ui->useDefaultTempDir->setChecked(p.useDefaultTempDir);
    ui->tempDir->setText(p.tempDir);
    ui->latexEnvelope->setPlainText(p.specialTextTexFrame);
    ui->additionalPath->setText(p.additionalPath);
    const int encoding = ui->fileEncoding->findText(p.fileEncoding, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (encoding >= 0)
        ui->fileEncoding->setCurrentIndex(encoding);
    ui->showCommentTips->setChecked(p.showCommentTips);
    ui->commentTipDelay->setValue(p.commentTipDelay);
    ui->cbWidgetStyle->setCurrentIndex(
        p.widgetStyle >= 0 && p.widgetStyle < ui->cbWidgetStyle->count() ? p.widgetStyle : 0);
    ui->antialiasing->setChecked(p.antialiasing);
    const int viewMode = ui->cbCompoundEditinViewMode->findData(p.compoundEditViewMode);
    ui->cbCompoundEditinViewMode->setCurrentIndex(viewMode >= 0 ? viewMode : 0);
    ui->pdfViewerPath->setText(p.pdfViewerCommand);
    ui->psViewerPath->setText(p.psViewerCommand);
    ui->useDefaultGSLocation->setChecked(p.useDefaultGsLocation);
    ui->ghostscriptLocation->setText(p.ghostscriptLocation);

    onChangeGenerateEpsPreview(ui->previewEps->checkState());
    useDefaultTempDirChanged(ui->useDefaultTempDir->checkState());
    useAutomaticGSDirChanged(ui->useDefaultGSLocation->checkState());
    loading = false;

    disconnectLoadedConnections();
    const auto unique = Qt::UniqueConnection;
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &PreferencesDlg::onOk, unique);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &PreferencesDlg::onCancel, unique);
    connect(ui->previewEps, &QCheckBox::stateChanged, this, &PreferencesDlg::onChangeGenerateEpsPreview, unique);
    connect(ui->flushLatexImages, &QPushButton::clicked, this, &PreferencesDlg::onFlushLatexImages, unique);
}

void PreferencesDlg::onOk()
{
    Preferences& p = preferences;

    p.generateEpsPreview = isChecked(ui->previewEps);
    p.epsPreviewFileType = ui->cbPreviewFiletype->currentIndex() == 0 ? jpegType : png256Type;
    p.epsPreviewResolution = ui->previewResolution->value();
    p.renderSpecialTextUsingTex = isChecked(ui->previewTex);

    bool latexChanged = false;
    bool ghostscriptChanged = false;
    const auto storeText = [&latexChanged](QString& stored, const QString& shown) {
        if (shown != stored) {
            stored = shown;
            latexChanged = true;
        }
    };
    storeText(p.latexCommand, ui->texCommand->text());
    storeText(p.dvipsCommand, ui->dvipsCommand->text());
    if (isChecked(ui->useDefaultTempDir) != p.useDefaultTempDir) {
        p.useDefaultTempDir = isChecked(ui->useDefaultTempDir);
        latexChanged = true;
    }
    storeText(p.tempDir, ui->tempDir->text());
    const QString envelope = ui->latexEnvelope->toPlainText();
    if (envelope != asEdited(p.specialTextTexFrame)) {
        p.specialTextTexFrame = envelope;
        latexChanged = true;
    }

    p.additionalPath = ui->additionalPath->text();
    p.fileEncoding = ui->fileEncoding->currentText();
    p.showCommentTips = isChecked(ui->showCommentTips);
    p.commentTipDelay = ui->commentTipDelay->value();
    p.widgetStyle = ui->cbWidgetStyle->currentData().toInt();
    p.compoundEditViewMode = ui->cbCompoundEditinViewMode->currentData().toInt();
    p.antialiasing = isChecked(ui->antialiasing);
    p.pdfViewerCommand = ui->pdfViewerPath->text();
    p.psViewerCommand = ui->psViewerPath->text();

    if (isChecked(ui->useDefaultGSLocation) != p.useDefaultGsLocation) {
        p.useDefaultGsLocation = isChecked(ui->useDefaultGSLocation);
        latexChanged = true;
        ghostscriptChanged = true;
    }
    if (ui->ghostscriptLocation->text() != p.ghostscriptLocation) {
        p.ghostscriptLocation = ui->ghostscriptLocation->text();
        ghostscriptChanged = true;
    }

    if (latexChanged || ghostscriptChanged)
        flushAllLatexImages();
    // The other preferences reach the settings at exit.
    if (ghostscriptChanged)
        writeSettings();
    if (mainWindow)
        mainWindow->redisplayCanvas();
}

void PreferencesDlg::onCancel()
{
    loadValues();
}

void PreferencesDlg::onChangeGenerateEpsPreview(int state)
{
    ui->cbPreviewFiletype->setEnabled(isChecked(state));
    ui->previewResolution->setEnabled(isChecked(state));
}

void PreferencesDlg::onFlushLatexImages(bool /*checked*/)
{
    flushAllLatexImages();
    MessageBoxRequest request;
    request.parent = mainWindow;
    request.icon = QMessageBox::Information;
    request.title = tr("Done");
    request.text = tr("LaTeX images flushed from memory.\nThey will be created again with current settings.");
    request.buttons = QMessageBox::Ok;
    showMessageBox(request);
}

QString PreferencesDlg::chooseProgram(const QString& caption)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.parent = this;
    request.caption = caption;
    return askFileName(request);
}

void PreferencesDlg::getPdfViewerPath(bool /*checked*/)
{
    const QString program = chooseProgram(tr("Select PDF viewer"));
    if (!program.isEmpty())
        ui->pdfViewerPath->setText(program + QStringLiteral(" \"FILENAME\""));
}

void PreferencesDlg::getPsViewerPath(bool /*checked*/)
{
    const QString program = chooseProgram(tr("Select PS viewer"));
    if (!program.isEmpty())
        ui->psViewerPath->setText(program + QStringLiteral(" \"FILENAME\""));
}

void PreferencesDlg::useDefaultTempDirChanged(int state)
{
    ui->tempDir->setEnabled(state == Qt::Unchecked);
}

void PreferencesDlg::useAutomaticGSDirChanged(int state)
{
    ui->ghostscriptLocation->setEnabled(state == Qt::Unchecked);
    ui->btOpenGsPathDlg->setEnabled(state == Qt::Unchecked);
    // Only the user's tick takes the Ghostscript found at start, at once;
    // showing the stored state changes no preference.
    if (isChecked(state) && !loading) {
        preferences.ghostscriptLocation = preferences.detectedGhostscriptPath;
        ui->ghostscriptLocation->setText(preferences.detectedGhostscriptPath);
    }
}

void PreferencesDlg::getGSLocation(bool /*checked*/)
{
    const QString program = chooseProgram(tr("Select location of gswin32c.exe or another GhostScript implementation"));
    if (!program.isEmpty())
        ui->ghostscriptLocation->setText(program);
}

void PreferencesDlg::resetAdditionalPath(bool /*checked*/)
{
    ui->additionalPath->setText(preferences.additionalPathDefault);
}

void flushAllLatexImages()
{
    if (!mainWindow)
        return;
    const QList<QTChildFrm*> frames = mainWindow->childFrames();
    for (QTChildFrm* frame : frames) {
        CFigContext* context = frame->figContext;
        if (!context)
            continue;
        forEachObject(&context->drawing.objects, clearTextLatexImages);
        forEachObjectWithFlag(&context->drawing.objects, setTextLatexFailed, false);
    }
}
