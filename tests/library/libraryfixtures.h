#pragma once
// What the library tests share: small clip files, a temporary library root
// set as the preference, and in-place editing driven by keys as a user would
// (the text typed into the open editor, then Return or Escape).

#include "app/preferences.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace libraryfixtures {

inline const QByteArray figHeader = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

// A box without outline width from (0, 0) to (2400, 1200).
inline const QByteArray wideBox = "2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 0 0 2400 0 2400 1200 0 1200 0 0\n";

// Three objects whose common box starts at (1200, 600): a polyline, a
// filled box and a circle.
inline const QByteArray threeObjects = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 600 2400 1800\n"
                                       "2 2 0 1 0 7 40 -1 20 0.000 0 0 -1 0 0 5\n"
                                       "\t 1500 700 2000 700 2000 900 1500 900 1500 700\n"
                                       "1 3 0 1 0 7 30 -1 -1 0.000 1 0.0000 3000 1500 300 300 3000 1500 3300 1500\n";

// What painting clips needs: the program's resources, default colours and
// fill patterns.
inline void initDrawingResources()
{
    initResources();
    initDefaultColors();
    loadFillPatterns();
}

// A library root in a temporary folder, set as the preference while alive.
struct LibraryRoot {
    LibraryRoot() { preferences.libraryRoot = path(); }
    ~LibraryRoot() { preferences.libraryRoot.clear(); }
    LibraryRoot(const LibraryRoot&) = delete;
    LibraryRoot& operator=(const LibraryRoot&) = delete;

    QString path() const { return dir.path(); }
    QString file(const QString& relative) const { return dir.filePath(relative); }
    void folder(const QString& relative) const { QDir(path()).mkpath(relative); }
    void clip(const QString& relative, const QByteArray& objects) const
    {
        writeFile(file(relative), figHeader + objects);
    }
    bool exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

    QTemporaryDir dir;
};

// Types the text into an item's editor (as itemWidget gives it) and ends
// the editing with the key (Return commits, Escape cancels); false when no
// editor is open.
inline bool typeIntoEditor(QWidget* editorWidget, const QString& text, Qt::Key key = Qt::Key_Return)
{
    auto* editor = qobject_cast<QLineEdit*>(editorWidget);
    if (!editor)
        return false;
    if (key == Qt::Key_Return)
        editor->setText(text);
    QTest::keyClick(editor, key);
    // The delegate commits and closes a Return only once events are handled.
    QCoreApplication::processEvents();
    return true;
}

} // namespace libraryfixtures
