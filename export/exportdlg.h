#pragma once
// The export dialog of one document window: it turns the document into other
// formats. Each document window makes one and owns it; the dialog keeps
// pointers to the document and its file name only, owning neither.

#include <QDialog>
#include <QString>

class CFigContext;

class ExportDlg : public QDialog {
    Q_OBJECT
public:
    explicit ExportDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // The document every output format works on; null for none.
    void setContext(CFigContext* ctx);
    CFigContext* context() const { return figContext; }
    // The document's file path (native separators), from which the names of
    // the exported files are derived.
    void setFileName(const QString& path);
    QString fileName() const { return figFileName; }

    // Whether an export was made with this dialog, so that it can be repeated
    // without showing the dialog.
    bool hasExported() const { return exported; }
    // Repeats the last export without showing the dialog; false when there
    // was none to repeat or it failed.
    bool exportAgain();

private:
    CFigContext* figContext = nullptr; // not owned
    QString figFileName;
    bool exported = false;
};
