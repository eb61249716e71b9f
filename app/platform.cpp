#include "app/platform.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

void prepareWindowSystem()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

QString ghostscriptProgramName()
{
    return QStringLiteral("gs");
}

QString fig2devProgramName()
{
    return QStringLiteral("fig2dev");
}

QString releasePlatformName()
{
    return QStringLiteral("linux");
}

QString findProgramOnPath(const QString& programName)
{
    const QString found = QStandardPaths::findExecutable(programName);
    if (found.isEmpty())
        return QString();
    // A relative PATH entry gives a relative result; callers want a path
    // that still holds after the current directory changes.
    return QFileInfo(found).absoluteFilePath();
}

} // namespace platform
