#pragma once
// How the TeX programs (latex, pdflatex) run on the special texts of a
// drawing, on screen and in the export: a text is the drawing's, not the
// user's, so it may run no command (\write18, pipes) and may write files
// only below the folder TeX runs in. Reading stays free, so that a text may
// input the user's own TeX files.

#include <QProcessEnvironment>
#include <QStringList>

// The arguments with the shell escape turned off before them, and without
// any argument that would turn it on again ("-shell-escape",
// "--shell-restricted", "-enable-write18" and their abbreviations).
QStringList confinedTexArguments(const QStringList& arguments);

// The process's environment for a TeX program: TeX's paranoid output
// setting (no absolute names, no "..", no hidden files) and the shell
// escape off, whatever the user's environment or configuration files say
// (a setting given for one program's name, such as "openout_any.latex",
// included), and no output folder that would allow absolute names.
QProcessEnvironment confinedTexEnvironment();
