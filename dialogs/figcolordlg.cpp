#include "dialogs/figcolordlg.h"
#include "dialogs/formfit.h"

#include "app/colordialog.h"
#include "app/messagebox.h"
#include "app/qtchildfrm.h"
#include "edit/canvaspainterscope.h"
#include "edit/usercolors.h"
#include "model/figcontext.h"
#include "render/colors.h"
#include "render/pens.h"

#include "ui_figcolordlg.h"

#include <QComboBox>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QSignalMapper>

namespace {

constexpr int blackColor = 0;
constexpr int whiteColor = 7;
constexpr int userColorBase = standardColorCount;

// The dialog shows the default colour (-1) as black.
int paintedColor(int colorNumber)
{
    return colorNumber < 0 ? blackColor : colorNumber;
}

QList<QPushButton*> namedButtons(const QWidget* parent, const char* stem, int count)
{
    QList<QPushButton*> buttons;
    for (int i = 0; i < count; ++i)
        buttons << parent->findChild<QPushButton*>(QString::fromLatin1(stem) + QString::number(i));
    return buttons;
}

// The entry of the list whose item data is the key, or -1.
int entryOfKey(const QComboBox* combo, int key)
{
    return key < 0 ? -1 : combo->findData(key);
}

} // namespace

FigColorDlg::FigColorDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::FigColorDlgForm>())
    , penMapper(new QSignalMapper(this))
    , fillMapper(new QSignalMapper(this))
    , shadeMapper(new QSignalMapper(this))
    , patternMapper(new QSignalMapper(this))
{
    ui->setupUi(this);
    connect(ui->btClose, &QPushButton::clicked, this, &FigColorDlg::close);

    penColorButtons = namedButtons(this, "pencol", standardColorCount);
    fillColorButtons = namedButtons(this, "fillcol", standardColorCount);
    shadeButtons = namedButtons(this, "shade", shadeCount);
    patternButtons = namedButtons(this, "pattern", patternCount);

    // The standard colours never change: their swatches are painted once.
    const QSize swatchSize = ui->pencol0->iconSize();
    for (int i = 0; i < standardColorCount; ++i) {
        QPixmap swatch(swatchSize);
        swatch.fill(QColor::fromRgb(static_cast<QRgb>(0xff000000u | standardShades[i].shade[fullShade])));
        colorSwatches << swatch;
        penColorButtons[i]->setIcon(swatch);
        fillColorButtons[i]->setIcon(swatch);
    }

    for (int i = 0; i < standardColorCount; ++i) {
        connect(penColorButtons[i], &QPushButton::clicked, penMapper, qOverload<>(&QSignalMapper::map));
        penMapper->setMapping(penColorButtons[i], i);
        connect(fillColorButtons[i], &QPushButton::clicked, fillMapper, qOverload<>(&QSignalMapper::map));
        fillMapper->setMapping(fillColorButtons[i], i);
    }
    connect(penMapper, &QSignalMapper::mappedInt, this, &FigColorDlg::onPencol);
    connect(fillMapper, &QSignalMapper::mappedInt, this, &FigColorDlg::onFillcol);
    connect(ui->unfilled, &QPushButton::clicked, shadeMapper, qOverload<>(&QSignalMapper::map));
    shadeMapper->setMapping(ui->unfilled, -1);
    for (int i = 0; i < shadeCount; ++i) {
        connect(shadeButtons[i], &QPushButton::clicked, shadeMapper, qOverload<>(&QSignalMapper::map));
        shadeMapper->setMapping(shadeButtons[i], i);
    }
    connect(shadeMapper, &QSignalMapper::mappedInt, this, &FigColorDlg::onShade);
    for (int i = 0; i < patternCount; ++i) {
        connect(patternButtons[i], &QPushButton::clicked, patternMapper, qOverload<>(&QSignalMapper::map));
        patternMapper->setMapping(patternButtons[i], i);
    }
    connect(patternMapper, &QSignalMapper::mappedInt, this, &FigColorDlg::onPattern);

    // Shades, patterns and the preview are painted when a document is bound;
    // until then they are blank.
    for (int i = 0; i < shadeCount; ++i) {
        QPixmap shade(ui->shade0->iconSize());
        shade.fill(Qt::white);
        shadePixmaps << shade;
    }
    for (int i = 0; i < patternCount; ++i) {
        QPixmap pattern(ui->pattern0->iconSize());
        pattern.fill(Qt::white);
        patternPixmaps << pattern;
        patternButtons[i]->setIcon(pattern);
    }
    previewPixmap = QPixmap(ui->penSample->iconSize());
    previewPixmap.fill(Qt::white);
    ui->penSample->setIcon(previewPixmap);

    connect(ui->btAddUserPenColor, &QPushButton::clicked, this, &FigColorDlg::addUserPenColor);
    connect(ui->btAddUserFillColor, &QPushButton::clicked, this, &FigColorDlg::addUserFillColor);
    connect(ui->btEditUserPenColor, &QPushButton::clicked, this, &FigColorDlg::onEditUserPenColor);
    connect(ui->btEditUserFillColor, &QPushButton::clicked, this, &FigColorDlg::onEditUserFillColor);
    connect(ui->btDeleteUserPenColor, &QPushButton::clicked, this, &FigColorDlg::onDeleteUserPenColor);
    connect(ui->btDeleteUserFillColor, &QPushButton::clicked, this, &FigColorDlg::onDeleteUserFillColor);
    connect(ui->btDeleteUnusedUserPenColor, &QPushButton::clicked, this, &FigColorDlg::onDeleteUnusedUserColors);
    connect(ui->btDeleteUnusedUserFillColor, &QPushButton::clicked, this, &FigColorDlg::onDeleteUnusedUserColors);
    connectUserCombos();
    formfit::fitToContents(this);
}

FigColorDlg::~FigColorDlg() = default;

// ---- Binding ----

void FigColorDlg::setContext(CFigContext* ctx)
{
    if (ctx == figContext)
        return;
    figContext = ctx;
    if (figContext) {
        updateShadeIcons(figContext->fillColor);
        updatePatternIcons(figContext->penColor, figContext->fillColor);
        showPenPreview();
        updateUserColorCombos();
        return;
    }
    disconnectUserCombos();
    ui->userPenColor->clear();
    ui->userFillColor->clear();
    connectUserCombos();
}

void FigColorDlg::onColors()
{
    if (!figContext)
        return;
    updateShadeIcons(figContext->fillColor);
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
}

// ---- Standard colours, shades and patterns ----

void FigColorDlg::onPencol(int i)
{
    if (!figContext)
        return;
    figContext->penColor = i;
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    applyToCurrentObject();
}

void FigColorDlg::onFillcol(int i)
{
    if (!figContext)
        return;
    figContext->fillColor = i;
    updateShadeIcons(figContext->fillColor);
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    applyToCurrentObject();
}

void FigColorDlg::onShade(int i)
{
    if (!figContext)
        return;
    figContext->fillStyle = i;
    showPenPreview();
    applyToCurrentObject();
}

void FigColorDlg::onPattern(int i)
{
    if (!figContext)
        return;
    figContext->fillStyle = firstPatternFill + i;
    showPenPreview();
    applyToCurrentObject();
}

void FigColorDlg::applyToCurrentObject()
{
    if (!figContext || !figContext->currentObject)
        return;
    CanvasPainterScope scope(figContext);
    figContext->updateObjectAttributes(figContext->currentObject, false);
}

// ---- Icons and preview ----

void FigColorDlg::updateShadeIcons(int color)
{
    if (!figContext)
        return;
    const int painted = paintedColor(color);
    const ShadeTable* table = nullptr;
    if (painted < standardColorCount)
        table = &standardShades[painted];
    else
        table = figContext->drawing.userShades.value(painted - userColorBase, nullptr);
    if (table) {
        for (int k = 0; k < shadeCount; ++k)
            shadePixmaps[k].fill(QColor::fromRgb(static_cast<QRgb>(0xff000000u | table->shade[k])));
    }
    // Black's and white's tables hold no tints: those buttons show nothing
    // (and still choose the area fill).
    const bool withoutTints = painted == blackColor || painted == whiteColor;
    for (int k = 0; k < shadeCount; ++k) {
        if (k <= fullShade || !withoutTints)
            shadeButtons[k]->setIcon(shadePixmaps[k]);
        else
            shadeButtons[k]->setIcon(QIcon());
    }
}

void FigColorDlg::updatePatternIcons(int pen, int fill)
{
    if (!figContext)
        return;
    const QHash<int, ShadeTable*>& shades = figContext->drawing.userShades;
    const QColor penColor = getPenColor(shades, paintedColor(pen), DrawNormal);
    const QColor ground = getShadedColor(shades, paintedColor(fill), fullShade, DrawNormal);
    for (int i = 0; i < patternCount; ++i) {
        QPixmap& pixmap = patternPixmaps[i];
        {
            QPainter painter(&pixmap);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QBrush(ground));
            painter.drawRect(pixmap.rect());
            QBrush pattern = patternBrushes[i];
            pattern.setColor(penColor);
            painter.setBackgroundMode(Qt::TransparentMode);
            painter.setBrush(pattern);
            painter.drawRect(pixmap.rect());
        }
        patternButtons[i]->setIcon(pixmap);
    }
}

void FigColorDlg::showPenPreview()
{
    if (!figContext)
        return;
    const QHash<int, ShadeTable*>& shades = figContext->drawing.userShades;
    const int fill = paintedColor(figContext->fillColor);
    const int fillStyle = figContext->fillStyle;
    const QColor penColor = getPenColor(shades, paintedColor(figContext->penColor), DrawNormal);
    {
        QPainter painter(&previewPixmap);
        if (fillStyle >= firstPatternFill) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QBrush(getShadedColor(shades, fill, fullShade, DrawNormal)));
            painter.drawRect(previewPixmap.rect());
            if (fillStyle <= lastPatternFill) {
                QBrush pattern = patternBrushes[fillStyle - firstPatternFill];
                pattern.setColor(penColor);
                painter.setBackgroundMode(Qt::TransparentMode);
                painter.setBrush(pattern);
                painter.drawRect(previewPixmap.rect());
            }
        } else {
            painter.fillRect(previewPixmap.rect(), Qt::white);
            painter.setPen(QPen(penColor, 1));
            if (fillStyle < 0)
                painter.setBrush(Qt::NoBrush);
            else
                painter.setBrush(QBrush(getShadedColor(shades, fill, fillStyle, DrawNormal)));
            painter.drawPolygon(QPolygon({ QPoint(4, 4), QPoint(29, 4), QPoint(29, 30), QPoint(4, 30) }));
        }
    }
    ui->penSample->setIcon(previewPixmap);
    emit colorChanged(previewPixmap);
}

// ---- User colours ----

QPixmap FigColorDlg::userColorIcon(const QColor& color) const
{
    QPixmap icon(ui->userPenColor->iconSize());
    icon.fill(color);
    return icon;
}

void FigColorDlg::connectUserCombos()
{
    penComboConnection
        = connect(ui->userPenColor, qOverload<int>(&QComboBox::activated), this, &FigColorDlg::onUserPenColor);
    fillComboConnection
        = connect(ui->userFillColor, qOverload<int>(&QComboBox::activated), this, &FigColorDlg::onUserFillColor);
}

void FigColorDlg::disconnectUserCombos()
{
    disconnect(penComboConnection);
    disconnect(fillComboConnection);
}

int FigColorDlg::currentKey(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    return index < 0 ? -1 : combo->itemData(index).toInt();
}

void FigColorDlg::updateUserColorCombos()
{
    if (!figContext)
        return;
    disconnectUserCombos();
    ui->userPenColor->clear();
    ui->userFillColor->clear();
    const QMap<int, QColor>& colors = figContext->drawing.userColors;
    for (auto it = colors.constBegin(); it != colors.constEnd(); ++it) {
        const QPixmap icon = userColorIcon(it.value());
        ui->userPenColor->addItem(icon, QString(), it.key());
        ui->userFillColor->addItem(icon, QString(), it.key());
    }
    connectUserCombos();
}

int FigColorDlg::chooseNewUserColor()
{
    if (!figContext)
        return -1;
    const int pen = figContext->penColor;
    QColor start;
    if (pen < standardColorCount)
        start = getPenColor(figContext->drawing.userShades, paintedColor(pen), DrawNormal);
    else
        start = figContext->drawing.userColors.value(pen - userColorBase);
    ColorDialogRequest request;
    request.initial = start;
    const QColor color = askColor(request);
    if (!color.isValid())
        return -1;

    const int penKey = currentKey(ui->userPenColor);
    const int fillKey = currentKey(ui->userFillColor);
    const int key = figContext->addUserColor(color);
    if (key < 0)
        return -1;
    // The lists hold the keys in ascending order: the new entry goes before
    // the first greater key, and each list keeps showing the colour it showed.
    const QPixmap icon = userColorIcon(color);
    for (QComboBox* combo : { ui->userPenColor, ui->userFillColor }) {
        int position = 0;
        while (position < combo->count() && combo->itemData(position).toInt() < key)
            ++position;
        combo->insertItem(position, icon, QString(), key);
        const int shownKey = combo == ui->userPenColor ? penKey : fillKey;
        if (shownKey >= 0)
            combo->setCurrentIndex(entryOfKey(combo, shownKey));
    }
    // The colour line is part of the saved file.
    figContext->setModified();
    return key;
}

void FigColorDlg::addUserPenColor(bool /*checked*/)
{
    disconnectUserCombos();
    const int key = chooseNewUserColor();
    if (key >= 0)
        ui->userPenColor->setCurrentIndex(entryOfKey(ui->userPenColor, key));
    connectUserCombos();
}

void FigColorDlg::addUserFillColor(bool /*checked*/)
{
    disconnectUserCombos();
    const int key = chooseNewUserColor();
    if (key >= 0)
        ui->userFillColor->setCurrentIndex(entryOfKey(ui->userFillColor, key));
    connectUserCombos();
}

void FigColorDlg::onUserPenColor(int index)
{
    if (index < 0 || !figContext)
        return;
    figContext->penColor = ui->userPenColor->itemData(index).toInt() + userColorBase;
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    applyToCurrentObject();
}

void FigColorDlg::onUserFillColor(int index)
{
    if (index < 0 || !figContext)
        return;
    // An unfilled document would not show the colour: it fills in full.
    if (figContext->fillStyle == -1)
        figContext->fillStyle = fullShade;
    figContext->fillColor = ui->userFillColor->itemData(index).toInt() + userColorBase;
    updateShadeIcons(figContext->fillColor);
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    applyToCurrentObject();
}

void FigColorDlg::editUserColor(int key)
{
    if (!figContext || key < 0)
        return;
    const int penKey = currentKey(ui->userPenColor);
    const int fillKey = currentKey(ui->userFillColor);
    const QColor old = figContext->drawing.userColors.value(key);
    ColorDialogRequest request;
    request.initial = old;
    const QColor color = askColor(request);
    if (!color.isValid())
        return;

    FigDrawing& drawing = figContext->drawing;
    drawing.userColors.insert(key, color);
    updateUserColorCombos();
    if (penKey >= 0)
        ui->userPenColor->setCurrentIndex(entryOfKey(ui->userPenColor, penKey));
    if (fillKey >= 0)
        ui->userFillColor->setCurrentIndex(entryOfKey(ui->userFillColor, fillKey));

    ShadeTable* table = drawing.userShades.value(key, nullptr);
    if (!table) {
        table = new ShadeTable; // owned by the drawing from here on
        drawing.userShades.insert(key, table);
    }
    buildColorShades(*table, color.red(), color.green(), color.blue());
    if (color != old)
        figContext->setModified(); // the colour line is part of the saved file

    updateShadeIcons(figContext->fillColor);
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    applyToCurrentObject();
    // Every object drawn in the colour shows the new one.
    if (figContext->view)
        figContext->view->redisplayCanvas();
}

void FigColorDlg::onEditUserPenColor(bool /*checked*/)
{
    const int key = currentKey(ui->userPenColor);
    if (key >= 0)
        editUserColor(key);
}

void FigColorDlg::onEditUserFillColor(bool /*checked*/)
{
    const int key = currentKey(ui->userFillColor);
    if (key >= 0)
        editUserColor(key);
}

void FigColorDlg::deleteUserColor(int key)
{
    if (!figContext)
        return;
    if (isColorInUseByDocument(figContext, key + userColorBase)) {
        MessageBoxRequest request;
        request.parent = this;
        request.icon = QMessageBox::Warning;
        request.title = tr("Colors");
        request.text = tr("That color is in use by an object in the figure");
        request.buttons = QMessageBox::Ok;
        showMessageBox(request);
        return;
    }
    if (figContext->drawing.userColors.remove(key) > 0)
        figContext->setModified(); // the colour line leaves the saved file
    figContext->penColor = blackColor;
    figContext->fillColor = whiteColor;
    updateShadeIcons(figContext->fillColor);
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    updateUserColorCombos();
}

void FigColorDlg::onDeleteUserPenColor(bool /*checked*/)
{
    const int key = currentKey(ui->userPenColor);
    if (key >= 0)
        deleteUserColor(key);
}

void FigColorDlg::onDeleteUserFillColor(bool /*checked*/)
{
    const int key = currentKey(ui->userFillColor);
    if (key >= 0)
        deleteUserColor(key);
}

void FigColorDlg::onDeleteUnusedUserColors(bool /*checked*/)
{
    if (!figContext)
        return;
    const QList<int> keys = figContext->drawing.userColors.keys();
    bool removed = false;
    for (int key : keys) {
        if (!isColorInUseByDocument(figContext, key + userColorBase))
            removed = figContext->drawing.userColors.remove(key) > 0 || removed;
    }
    if (removed)
        figContext->setModified();
    figContext->penColor = blackColor;
    figContext->fillColor = whiteColor;
    updateShadeIcons(figContext->fillColor);
    updatePatternIcons(figContext->penColor, figContext->fillColor);
    showPenPreview();
    updateUserColorCombos();
}
