#pragma once
// The attribute page of texts: depth, font, angle, size, alignment, the
// rigid and LaTeX flags, the text and coordinates dialogs, the pen colour
// and the comment. Made without Qt parent; the main window places it in its
// attribute stack and deletes it. Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QComboBox;
class QPushButton;
class QTMainFrm;

class TextAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    TextAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~TextAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    void onCommentTip(bool hasComment);
    void onColorChanged(const QPixmap& newPixmap);
    // Edits the string of the current text.
    void onEditText();
    // Runs the fonts dialog unless it is already open.
    void onOpenFontSel();
    // The font button shows PostScript font 0 to 34 by name in its face, or
    // LaTeX font 0 to 5 by its image; other numbers leave it as it is.
    void onPsFontChanged(int fontIdx);
    void onLatexFontChanged(int fontIdx);
    void onOpenPointsDlg(bool checked);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Hands the size box's text to the handler when it is a size a text can
    // have; anything else (empty, partial, zero) puts the current size back.
    void takeFontSize(AttrsToolbarHandler* handler);

    std::unique_ptr<AttrsPageForm> form;
    QPushButton* fontButton; // child
    QComboBox* fontSize; // child
};
