#pragma once
// Folders private to this process (mode 0700) for the files that external
// programs read and write under fixed names: in a folder shared with other
// processes (another editor, another user) such files could be overwritten
// or prepared by them. They are made inside the temporary folder that the
// settings name.

#include <QString>
#include <QTemporaryDir>

#include <memory>

// The folder the private folders are made in: the system's temporary folder
// when "use default temp dir" is on, else "temp dir"; empty when that is
// empty (the files would otherwise go to the root of the file system).
QString privateFolderBase();

// A new private folder inside privateFolderBase(), named `prefix` and six
// random characters, removed with its files when the object goes; null when
// it cannot be made.
std::unique_ptr<QTemporaryDir> makePrivateFolder(const QString& prefix);

// The suffixes of a file name that a generated name may keep, so that a
// program that goes by them (a compressed picture, its kind) still can: the
// last two ("plan.eps.gz" gives ".eps.gz"), each of ASCII letters and digits
// only, and fewer when one is not ("a.b$c.png" gives ".png", "a.p g" none).
QString plainSuffixes(const QString& fileName);

// Makes `link` a symbolic link to `target` when the target is a regular file
// (after following links); false, making nothing, when it is not (missing,
// a folder, a FIFO, a device) or the link cannot be made. Both are paths as
// the file system's bytes, so that a name in any encoding is reached.
bool linkRegularFile(const QByteArray& target, const QByteArray& link);
