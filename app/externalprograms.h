#pragma once
// Common services for the external programs the editor hands work to
// (fig2dev, latex, dvips, Ghostscript): a blocking runner with time-outs that
// reports failures in the log file and optionally in a message box, the
// failure log itself, the PATH extension at start and the Ghostscript lookup.

#include <QString>
#include <QStringList>

class QProcessEnvironment;

// Time-out for a child to start, and the finish time-out that -1 stands for.
constexpr int externalCommandDefaultTimeout = 30000;

// Starts the command line as a child process (split into program and
// arguments, a double-quoted part being one argument; no shell) with its
// standard input closed, and waits for it. True when it started, finished
// within finishTimeout ms (-1: 30000) and exited normally with code 0;
// otherwise the failure is appended to the log file, shown in a message box
// when showMessageBox is set, and the result is false. A child still running
// at the time-out is killed. The child runs in workingDirectory when one is
// given, else in the program's current directory. A failure's report (the
// text logged) also goes to *failureReport when one is given.
bool runExternalCommand(const QString& commandLine, bool showMessageBox, int finishTimeout,
    const QString& workingDirectory = QString(), QString* failureReport = nullptr);

// The same for a program and its arguments as they are: nothing is split,
// quoted or given to a shell, so any file name is one argument. Reports name
// the command as displayedCommandLine shows it.
bool runExternalProgram(const QString& program, const QStringList& arguments, bool showMessageBox, int finishTimeout,
    const QString& workingDirectory = QString(), QString* failureReport = nullptr);

// The same with the child's whole environment given.
bool runExternalProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
    bool showMessageBox, int finishTimeout, const QString& workingDirectory = QString(),
    QString* failureReport = nullptr);

// A program and its arguments as one line for messages: an argument that is
// empty or holds white space or a double quotation mark is shown in double
// quotation marks (with its own ones doubled). Only for reading: no program
// is ever started from it.
QString displayedCommandLine(const QString& program, const QStringList& arguments);

// runExternalCommand with the default finish time-out.
bool runExternalCommandDefault(
    const QString& commandLine, bool showMessageBox, const QString& workingDirectory = QString());

// Appends one time-stamped entry ("MM/dd/yyyy hh:mm:ss message") to
// "tavrel.log" in the program directory, or in the user's data folder
// (QStandardPaths::AppDataLocation) when that cannot be opened; the entry is
// dropped when neither can. A link at either name is not followed.
void appendToLogFile(const QString& message);

// Appends the folder to the process's PATH (children started afterwards
// inherit it). Nothing happens for an empty folder or without PATH.
void extendPath(const QString& folder);

// The full path of the Ghostscript console program found on PATH, or its
// bare name; never empty.
QString findGhostscript();

// The file-name part of the path; empty for an empty path or one that ends
// in a separator.
QString fileNameOfPath(const QString& path);
