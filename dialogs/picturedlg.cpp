#include "dialogs/picturedlg.h"
#include "dialogs/formfit.h"

#include "app/filedialog.h"
#include "app/qtchildfrm.h"
#include "dialogs/valueediting.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/picturedata.h"
#include "model/units.h"

#include "ui_picturedlg.h"

#include <QPixmap>

#include <cmath>

PictureDlg::PictureDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context, FigLine* picture)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::PictureDlgForm>())
    , context(context)
{
    ui->setupUi(this);
    if (picture && picture->picture) {
        this->picture = picture;
        ui->picFilename->setText(picture->picture->fileName);
    }
    connect(ui->btBrowse, &QPushButton::clicked, this, &PictureDlg::onBrowse);
    connect(ui->btReread, &QPushButton::clicked, this, &PictureDlg::onReread);
    connect(ui->btScale, &QPushButton::clicked, this, &PictureDlg::onScale);
    connect(ui->btShrink, &QPushButton::clicked, this, &PictureDlg::onShrink);
    connect(ui->btExpand, &QPushButton::clicked, this, &PictureDlg::onExpand);
    connect(ui->btOriginal, &QPushButton::clicked, this, &PictureDlg::onOriginal);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
}

PictureDlg::~PictureDlg() = default;

void PictureDlg::loadFile(const QString& fileName)
{
    picture->picture->fileName = fileName;
    context->readPicture(picture, picture->picture);
    if (context->view)
        context->view->redrawObject(picture, false);
}

void PictureDlg::onBrowse(bool /*checked*/)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.parent = this;
    request.caption = QStringLiteral("Open File");
    request.directory = context ? context->fileName : QString();
    const QString chosen = askFileName(request);
    if (chosen.isEmpty())
        return;
    ui->picFilename->setText(chosen);
    if (picture && context)
        loadFile(chosen);
}

void PictureDlg::onReread(bool /*checked*/)
{
    if (picture && context)
        loadFile(ui->picFilename->text());
}

bool PictureDlg::imageSize(int& width, int& height) const
{
    const PictureData* data = picture->picture;
    if (!data->pixmap || data->pixmap->isNull() || data->pixmapWidth <= 0 || data->pixmapHeight <= 0)
        return false;
    width = data->pixmapWidth;
    height = data->pixmapHeight;
    return true;
}

void PictureDlg::resize(double width, double height)
{
    int w = 0;
    int h = 0;
    context->pictureSizeFig(picture, &w, &h);
    const int newWidth = roundToInt(width);
    const int newHeight = roundToInt(height);
    // The first corner stays: the box must end within the Fig coordinates.
    const FigPoint* first = picture->points;
    if (!first || !valueediting::withinFigRange(std::fabs(double(first->x)) + newWidth)
        || !valueediting::withinFigRange(std::fabs(double(first->y)) + newHeight))
        return;
    if (newWidth == w && newHeight == h)
        return;
    if (context->view)
        context->view->redrawObject(picture, true);
    context->resizeBox(picture, newWidth, newHeight);
    if (context->view)
        context->view->redrawObject(picture, false);
}

void PictureDlg::onScale(bool /*checked*/)
{
    if (!picture || !context)
        return;
    int w = 0;
    int h = 0;
    context->pictureSizeFig(picture, &w, &h);
    const double p = ui->scalePercent->value() / 100.0;
    resize(w * p, h * p);
}

void PictureDlg::onShrink(bool /*checked*/)
{
    int iw = 0;
    int ih = 0;
    if (!picture || !context || !imageSize(iw, ih))
        return;
    int w = 0;
    int h = 0;
    context->pictureSizeFig(picture, &w, &h);
    // The box keeps its smaller scale and takes the image's aspect ratio.
    const float sx = static_cast<float>(w) / static_cast<float>(iw);
    const float sy = static_cast<float>(h) / static_cast<float>(ih);
    if (sy > sx)
        resize(w, static_cast<float>(ih) * sx);
    else
        resize(static_cast<float>(iw) * sy, h);
}

void PictureDlg::onExpand(bool /*checked*/)
{
    int iw = 0;
    int ih = 0;
    if (!picture || !context || !imageSize(iw, ih))
        return;
    int w = 0;
    int h = 0;
    context->pictureSizeFig(picture, &w, &h);
    // The box keeps its larger scale and takes the image's aspect ratio.
    const float sx = static_cast<float>(w) / static_cast<float>(iw);
    const float sy = static_cast<float>(h) / static_cast<float>(ih);
    if (sx > sy)
        resize(w, static_cast<float>(ih) * sx);
    else
        resize(static_cast<float>(iw) * sy, h);
}

void PictureDlg::onOriginal(bool /*checked*/)
{
    int iw = 0;
    int ih = 0;
    if (!picture || !context || !imageSize(iw, ih))
        return;
    // One image pixel is one display pixel at the document's resolution.
    const float kx = displayPixelSize(context->dpiX);
    const float ky = displayPixelSize(context->dpiY);
    resize(kx * static_cast<float>(iw), ky * static_cast<float>(ih));
}
