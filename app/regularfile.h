#pragma once
// Opening files whose names come from outside (a drawing's picture names, a
// log file in a folder others may write to) so that what stands at the name
// cannot hold the program up or send the writing elsewhere: only regular
// files are opened; a FIFO, a device, a socket or a folder is refused at
// once, without waiting for a writer or reading without end; and a log file
// is never reached through a link. The check and the opening are one step,
// so nothing can be put in the file's place between them.

#include <QFile>
#include <QString>

enum class LinkHandling {
    Follow, // a link is followed; what it leads to must be a regular file
    Refuse, // a link at the name (its last part) is not opened at all
};

// Opens `file` on `path` in `mode` (ReadOnly, WriteOnly or ReadWrite, with
// Append, Truncate and Text as QFile takes them); writing makes a missing
// file. False when the path is not a regular file by the rules above or
// cannot be opened. The opened file has no fileName(): keep the path.
bool openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode, LinkHandling links);
