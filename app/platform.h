#pragma once
// The few things that differ between the platforms the program was designed
// for and the one it runs on: program names, the PATH list separator and the
// platform name of the release information. Nothing else asks which
// platform it runs on.

#include <QString>

namespace platform {

// Separator of the folders in the PATH environment variable.
constexpr char pathListSeparator = ':';

// The Ghostscript console program as started through PATH.
QString ghostscriptProgramName();

// The converter every export runs, as started from the program folder or
// through PATH.
QString fig2devProgramName();

// The "platform" value of the release entries meant for this build.
QString releasePlatformName();

// The absolute path of an executable file of this name in a folder of PATH,
// or an empty text when there is none.
QString findProgramOnPath(const QString& programName);

// Before the application object is made: the window system integration is
// told that no OpenGL is wanted (every canvas is drawn in memory and shown
// as an image), so that no GL driver, with its compiler, is loaded into the
// process. A value the user set is kept.
void prepareWindowSystem();

} // namespace platform
