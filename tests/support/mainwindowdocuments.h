#pragma once
// A shown and active main window, made the program's one main window, into
// which tests open drawings from small Fig texts as the Open command does:
// each in a new document window that becomes the active one. The files lie
// in a private folder; the current directory, which opening a file moves,
// is put back at the end.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class CFigContext;
class QTChildFrm;
class QTMainFrm;

class MainWindowDocuments {
public:
    MainWindowDocuments();
    ~MainWindowDocuments();
    MainWindowDocuments(const MainWindowDocuments&) = delete;
    MainWindowDocuments& operator=(const MainWindowDocuments&) = delete;

    // Whether the window became the active window (only then does its
    // multiple-document area keep an active document window).
    bool isActive() const { return active; }

    // Writes the text to a file of the folder and opens it; the new document
    // window, or null when the file was not read. Its document draws at 80
    // dots per inch, where one pixel is 15 Fig units.
    QTChildFrm* open(const QByteArray& figText, const QString& name);
    // Makes the document window the active one.
    void activate(QTChildFrm* child);

    QTMainFrm& window() { return *mainFrame; }

    QTemporaryDir dir;

private:
    QString startDir;
    std::unique_ptr<QTMainFrm> mainFrame;
    bool active = false;
};
