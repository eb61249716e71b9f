#pragma once
// The colour dialog: the pen colour, fill colour and area fill of one
// document and its user colours. Modeless; the main window makes one and
// attaches it to the active document. Owns nothing of the document.

#include <QDialog>

class CFigContext;

class FigColorDlg : public QDialog {
    Q_OBJECT
public:
    explicit FigColorDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Attaches the dialog to a document, or to none with null.
    void setContext(CFigContext* ctx);
    CFigContext* context() const { return figContext; }

public slots:
    // Shows the attached document's colours and area fill again.
    void onColors();

private:
    CFigContext* figContext = nullptr; // not owned
};
