#include "support/testenv.h"

#include <QDir>

namespace testenv {

void prepare()
{
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "TMPDIR", "HOME"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            QDir().mkpath(QString::fromLocal8Bit(value));
    }
}

QString home()
{
    return QString::fromLocal8Bit(qgetenv("TAVREL_TEST_HOME"));
}

} // namespace testenv
