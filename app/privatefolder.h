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
