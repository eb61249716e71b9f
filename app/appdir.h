#pragma once
// The directory of the running executable. Start-up sets it before anything
// reads it; it is the base of the log file, the plug-in folders, the Scripts
// folder and the fig2dev start directory. Empty until then.

#include <QString>

extern QString appDir;
