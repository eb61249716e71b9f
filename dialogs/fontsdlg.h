#pragma once
// The fonts dialog: chooses the font of new texts and of the current text,
// one of the 35 PostScript fonts (each button in its own face) or one of the
// six LaTeX fonts (each button its image). A choice sets the font number and
// the PostScript flag in the current drawing attributes, is announced, is
// applied to the active document's current text as one undo step, and
// closes the dialog. The main window keeps one for the whole run; owns its
// form and its two mappers.

#include <QDialog>
#include <QSignalMapper>

#include <memory>

namespace Ui {
class FontsDlgForm;
}

class FontsDlg : public QDialog {
    Q_OBJECT
public:
    explicit FontsDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~FontsDlg() override;

    FontsDlg(const FontsDlg&) = delete;
    FontsDlg& operator=(const FontsDlg&) = delete;

    // The form, for the tests that press its buttons.
    Ui::FontsDlgForm& form() const { return *ui; }

signals:
    void psFontChanged(int fontIdx);
    void latexFontChanged(int fontIdx);

public slots:
    // PostScript font 0 to 34, LaTeX font 0 to 5; any other number (a
    // script's) is refused: nothing changes and the dialog stays.
    void onPsFont(int i);
    void onLatexFont(int i);

private:
    // The active document's current object takes the current attributes
    // when it is a text; nothing happens to any other object.
    void applyToCurrentText();

    QSignalMapper psMapper;
    QSignalMapper latexMapper;
    std::unique_ptr<Ui::FontsDlgForm> ui;
};
