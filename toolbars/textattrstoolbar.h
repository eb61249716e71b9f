#pragma once
// The attribute page of texts: depth, font, angle, size, alignment, the
// rigid and LaTeX flags, the text and coordinates dialogs, the pen colour
// and the comment. Made without Qt parent; the main window places it in its
// attribute stack and deletes it. Owns its form.

#include "toolbars/objectattrspage.h"

class AttrsToolbarHandler;
class QComboBox;
class QPushButton;
class QTMainFrm;

class TextAttrsToolbar : public ObjectAttrsPage {
    Q_OBJECT
public:
    TextAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~TextAttrsToolbar() override;

public slots:
    // Edits the string of the current text.
    void onEditText();
    // Runs the fonts dialog unless it is already open.
    void onOpenFontSel();
    // The font button shows PostScript font 0 to 34 by name in its face, or
    // LaTeX font 0 to 5 by its image; other numbers leave it as it is.
    void onPsFontChanged(int fontIdx);
    void onLatexFontChanged(int fontIdx);
    void onOpenPointsDlg(bool checked);

private:
    // Hands the size box's text to the handler when it is a size a text can
    // have; anything else (empty, partial, zero) puts the current size back.
    void takeFontSize(AttrsToolbarHandler* handler);

    QPushButton* fontButton; // child
    QComboBox* fontSize; // child
};
