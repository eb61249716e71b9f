#include "support/writtendrawing.h"

#include "model/figcontext.h"
#include "support/drawingdump.h"

#include <QFile>
#include <QTemporaryDir>

namespace writtendrawing {

QByteArray writtenDrawing(CFigContext& context)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return QByteArray();
    const QString path = dir.filePath(QStringLiteral("drawing.fig"));
    const bool saved = context.saveFile(path);
    QFile file(path);
    if (!saved || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString writtenAndDumped(CFigContext& context)
{
    QString text = QString::fromUtf8(writtenDrawing(context));
    if (text.isEmpty())
        text = QStringLiteral("(not written)\n");
    return text + QString::fromUtf8(drawingdump::writtenDrawing(context));
}

} // namespace writtendrawing
