#include "app/privatefolder.h"

#include "app/preferences.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

QString privateFolderBase()
{
    return preferences.useDefaultTempDir ? QDir::tempPath() : preferences.tempDir;
}

std::unique_ptr<QTemporaryDir> makePrivateFolder(const QString& prefix)
{
    const QString base = privateFolderBase();
    if (base.isEmpty())
        return nullptr;
    auto dir = std::make_unique<QTemporaryDir>(base + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX"));
    if (!dir->isValid())
        return nullptr;
    // mkdtemp makes it so already; the permissions are set all the same, in
    // case the folder was made another way.
    if (!QFile::setPermissions(dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return nullptr;
    return dir;
}

QString plainSuffixes(const QString& fileName)
{
    // At least one character of the name stays before them.
    static const QRegularExpression suffixes(QStringLiteral("(?<=.)(?:\\.[A-Za-z0-9]{1,16}){1,2}$"));
    return suffixes.match(fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1)).captured(0);
}

bool linkRegularFile(const QByteArray& target, const QByteArray& link)
{
    struct stat info { };
    if (target.isEmpty() || ::stat(target.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ::symlink(target.constData(), link.constData()) == 0;
}
