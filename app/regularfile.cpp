#include "app/regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode, LinkHandling links)
{
    if (path.isEmpty() || file.isOpen())
        return false;
    const bool reads = mode & QIODevice::ReadOnly;
    const bool writes = mode & (QIODevice::WriteOnly | QIODevice::Append);
    if (!reads && !writes)
        return false;
    // Non-blocking, so that opening a FIFO does not wait for its other end;
    // regular files ignore the flag for reading and writing.
    int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (writes)
        flags |= O_CREAT;
    if (mode & QIODevice::Append)
        flags |= O_APPEND;
    if (links == LinkHandling::Refuse)
        flags |= O_NOFOLLOW;
    // Truncation waits until the file is known to be regular.
    const bool truncates = (mode & QIODevice::Truncate)
        || ((mode & QIODevice::WriteOnly) && !(mode & (QIODevice::ReadOnly | QIODevice::Append)));

    int fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 || (truncates && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return false;
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
