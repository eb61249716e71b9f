#pragma once
// The library step of figbench (--library ROOT): the library dialog on the
// root, off screen, its first folder clicked as the user does, and the list
// then scrolled to its end. Reports the clips listed, the time the click
// kept the dialog from its events, the time until every row in view had its
// thumbnail, the longest single turn of the event loop meanwhile (how long
// the dialog did not answer), the same for the scroll to the end, and the
// clips loaded at the end. Header-only, since figbench is built from one
// source file.

#include "app/preferences.h"
#include "bench/benchtiming.h"
#include "library/librarydlg.h"
#include "model/figcontext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTreeWidget>

#include <algorithm>

namespace benchlibrary {

struct Result {
    bool listed = false;
    int clips = 0;
    double clickMs = 0; // the click's own handling
    double viewMs = 0; // from the click until the rows in view had thumbnails
    double viewStallMs = 0; // the longest event-loop turn meanwhile
    double scrollMs = 0; // from the scroll to the end until its rows had thumbnails
    double scrollStallMs = 0;
    int loaded = 0; // loaded clips at the end
};

// Whether the rows in view all have their loaded clips. Rows lie in order,
// so the search stops after the first row in view that follows rows in view.
inline bool viewDone(LibraryDlg& dialog, QListWidget* list)
{
    const QRect view = list->viewport()->rect();
    bool seen = false;
    for (int row = 0; row < list->count(); ++row) {
        const bool inView = list->visualItemRect(list->item(row)).intersects(view);
        if (inView && !dialog.clipContexts.value(row))
            return false;
        if (seen && !inView)
            break;
        seen = seen || inView;
    }
    return seen;
}

// Runs the event loop until the rows in view have their thumbnails; the
// time that took and the longest turn of the loop.
inline void waitForView(LibraryDlg& dialog, QListWidget* list, double& ms, double& stallMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!viewDone(dialog, list) && clock.elapsed() < 600000) {
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents(QEventLoop::AllEvents);
        stallMs = std::max(stallMs, benchtiming::elapsedMs(turn));
    }
    ms = benchtiming::elapsedMs(clock);
}

inline Result run(const QString& root)
{
    Result result;
    preferences.libraryRoot = root;
    LibraryDlg dialog;
    dialog.resize(1000, 800);
    dialog.show();
    QApplication::processEvents();
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("dirTree"));
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("thumbnails"));
    QTreeWidgetItem* folder = tree ? tree->topLevelItem(0) : nullptr;
    if (!folder || !list)
        return result;
    QElapsedTimer clock;
    clock.start();
    tree->setCurrentItem(folder);
    dialog.folderClicked(folder, 0);
    result.clickMs = benchtiming::elapsedMs(clock);
    result.clips = list->count();
    result.listed = result.clips > 0;
    waitForView(dialog, list, result.viewMs, result.viewStallMs);
    result.viewMs += result.clickMs;

    list->scrollToBottom();
    waitForView(dialog, list, result.scrollMs, result.scrollStallMs);
    result.loaded = int(std::count_if(
        dialog.clipContexts.cbegin(), dialog.clipContexts.cend(), [](const CFigContext* clip) { return clip; }));
    return result;
}

} // namespace benchlibrary
