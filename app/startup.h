#pragma once
// The order in which the program is brought up, run and taken down. main()
// makes the application object and then calls, in this order, prepareStart,
// enterLastDirectory, runApplication and finishRun; tests call the same steps.

#include <QtGlobal>

#include <functional>

class QSettings;
class QString;
class QStringList;
class QMessageLogContext;

// Drops Qt's debug, info, warning and critical messages; aborts on a fatal one.
void qtMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);

// Everything that must exist before any window: the program directory, the
// plug-in folders, the message handler, the resources, the grid definitions
// and the preferences.
void prepareStart();

// Makes the stored "last directory" (by default the program directory) the
// current directory; one that does not exist changes nothing.
void enterLastDirectory(QSettings& settings);

// Builds and shows the main window, attaches the log destinations, upgrades
// old settings, sets up Ghostscript and PATH, runs the event loop and, once
// the main window has been painted, opens the file named on the command
// line (a large drawing takes a while to read and draw: the window shows
// first); returns the loop's result after the main window is gone.
int runApplication(int argc, char* argv[]);
// The same with the command line given as the program name followed by its
// arguments; runApplication(argc, argv) passes QCoreApplication::arguments().
int runApplication(const QStringList& arguments);

// Runs `step` inside the event loop of the next or running runApplication,
// after the start-up has opened the file named on its command line (or
// found none to open); a test seam.
void runAfterStart(const std::function<void()>& step);

// Stores the current directory and the preferences and frees the
// program-wide objects and the logger, in this order.
void finishRun(QSettings& settings);
