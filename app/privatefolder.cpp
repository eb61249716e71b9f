#include "app/privatefolder.h"

#include "app/preferences.h"

#include <QDir>
#include <QFile>

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
