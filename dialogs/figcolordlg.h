#pragma once
// The colour dialog "Colors": the pen colour, fill colour and area fill that
// the bound document's new objects take, and that document's user colours.
// Modeless and made once by the main window, which binds it to the active
// document. Every choice is written into the bound document and applied to
// its current object as one undo step. Owns its form, its button icons and
// the preview; owns nothing of the document.

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QVector>

#include <memory>

class CFigContext;
class QComboBox;
class QPushButton;
class QSignalMapper;

namespace Ui {
class FigColorDlgForm;
}

class FigColorDlg : public QDialog {
    Q_OBJECT
public:
    explicit FigColorDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~FigColorDlg() override;

    FigColorDlg(const FigColorDlg&) = delete;
    FigColorDlg& operator=(const FigColorDlg&) = delete;

    // Binds the dialog to a document and shows its colours, or to none with
    // null (the user colour lists are then empty and every choice does
    // nothing). Binding the bound document again does nothing.
    void setContext(CFigContext* ctx);
    CFigContext* context() const { return figContext; }

    // Asks for a colour, starting from the document's pen colour, and adds it
    // as a user colour of the bound document; its key, or -1 when nothing was
    // added (no document, cancelled, or no key left).
    int chooseNewUserColor();
    // Asks for a new value of the user colour under the key and redraws the
    // document in it; the objects keep their colour numbers.
    void editUserColor(int key);
    // Deletes the user colour under the key unless something of the document
    // uses it (then says so in a message box); the pen and fill colours
    // become black and white.
    void deleteUserColor(int key);
    // Refills both user colour lists from the bound document.
    void updateUserColorCombos();

    // The form, for the tests that read and press its widgets.
    Ui::FigColorDlgForm& form() const { return *ui; }
    // The preview as last painted.
    const QPixmap& preview() const { return previewPixmap; }

signals:
    void colorChanged(const QPixmap& pixmap);

public slots:
    void onPencol(int i);
    void onFillcol(int i);
    // -1 from "unfilled", else the shade or tint 0 to 40.
    void onShade(int i);
    void onPattern(int i);
    // Paints the preview of the bound document's colours and announces it.
    void showPenPreview();
    // Shows the bound document's colours again (they changed elsewhere).
    void onColors();

    void addUserPenColor(bool checked);
    void addUserFillColor(bool checked);
    void onEditUserPenColor(bool checked);
    void onEditUserFillColor(bool checked);
    void onDeleteUserPenColor(bool checked);
    void onDeleteUserFillColor(bool checked);
    void onDeleteUnusedUserColors(bool checked);
    void onUserPenColor(int index);
    void onUserFillColor(int index);

private:
    void updateShadeIcons(int color);
    void updatePatternIcons(int pen, int fill);
    // The bound document's current object takes the document's colours and
    // the current attributes, as one undo step.
    void applyToCurrentObject();
    // The icon of a user colour list entry.
    QPixmap userColorIcon(const QColor& color) const;
    void connectUserCombos();
    void disconnectUserCombos();
    // The key shown by the list's current entry, or -1.
    static int currentKey(const QComboBox* combo);

    std::unique_ptr<Ui::FigColorDlgForm> ui;
    CFigContext* figContext = nullptr; // not owned
    QList<QPushButton*> penColorButtons; // children of the form
    QList<QPushButton*> fillColorButtons;
    QList<QPushButton*> shadeButtons;
    QList<QPushButton*> patternButtons;
    QVector<QPixmap> colorSwatches;
    QVector<QPixmap> shadePixmaps;
    QVector<QPixmap> patternPixmaps;
    QPixmap previewPixmap;
    QSignalMapper* penMapper; // children of the dialog
    QSignalMapper* fillMapper;
    QSignalMapper* shadeMapper;
    QSignalMapper* patternMapper;
    QMetaObject::Connection penComboConnection;
    QMetaObject::Connection fillComboConnection;
};
