#pragma once
// Whether a file an export step made is complete. A program may exit with 0
// and leave part of its file (dvips on a full disk does): such a file must
// never replace an earlier export. PostScript, EPS and PDF say when they are
// whole, by the end-of-file comment they end in; of other formats only an
// empty file is known to be incomplete.

#include <QString>
#include <QStringList>

// An empty text when the file at `path` is complete: there, not empty and,
// when it begins as PostScript, EPS or PDF or `document` says it must be
// one, ending in its end-of-file comment ("%%EOF", or fig2dev's "%EOF") on
// a line of its own (an EPS file with a binary header may end in its
// preview, its PostScript section then ending so). Otherwise what is wrong,
// naming the file as `name`.
QString outputProblem(const QString& path, const QString& name, bool document);

// Whether fig2dev's options ask for PostScript, EPS or PDF (languages "ps",
// "eps", "pdf", "pstex", "pdftex").
bool makesDocument(const QStringList& options);
