#include "export/completeoutput.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Whether the file begins as PostScript, EPS with a binary header, or PDF
// does: files that end in an end-of-file comment when whole.
bool isDocumentFile(const QByteArray& head)
{
    return head.startsWith("%!") || head.startsWith("%PDF-") || head.startsWith("\xC5\xD0\xD3\xC6");
}

// Whether the text ends in an end-of-file comment ("%%EOF"; fig2dev writes
// "%EOF") on a line of its own, blanks after it aside.
bool endsWithEof(const QByteArray& text)
{
    const QByteArray whole = text.trimmed();
    const int lineEnd = qMax(whole.lastIndexOf('\n'), whole.lastIndexOf('\r'));
    const QByteArray last = whole.mid(lineEnd + 1).trimmed();
    return last == "%%EOF" || last == "%EOF";
}

// Whether a PostScript, EPS or PDF file is whole: it ends in its end-of-file
// comment; an EPS file with a binary header may end in its preview instead,
// its PostScript section then ending in the comment and the preview whole.
bool isWholeDocument(QFile& file)
{
    const qint64 size = file.size();
    const qint64 tail = qMin<qint64>(size, 1024);
    if (file.seek(size - tail) && endsWithEof(file.read(tail)))
        return true;
    if (!file.seek(0))
        return false;
    // The header gives start and length of the PostScript section and of
    // the two kinds of preview; each must lie within the file.
    const QByteArray header = file.read(28);
    if (header.size() < 28 || !header.startsWith("\xC5\xD0\xD3\xC6"))
        return false;
    auto number = [&header](int at) {
        return qint64(quint8(header.at(at))) | qint64(quint8(header.at(at + 1))) << 8
            | qint64(quint8(header.at(at + 2))) << 16 | qint64(quint8(header.at(at + 3))) << 24;
    };
    for (const int at : { 12, 20 }) {
        if (number(at + 4) > 0 && number(at) + number(at + 4) > size)
            return false;
    }
    const qint64 start = number(4);
    const qint64 length = number(8);
    if (start < 28 || length <= 0 || start + length > size)
        return false;
    const qint64 sectionTail = qMin<qint64>(length, 1024);
    return file.seek(start + length - sectionTail) && endsWithEof(file.read(sectionTail));
}

} // namespace

QString outputProblem(const QString& path, const QString& name, bool document)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("No output file %1 was written.").arg(name);
    if (!info.isFile() || info.size() == 0)
        return QStringLiteral("The output file %1 is empty.").arg(name);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The output file %1 cannot be read, %2").arg(name, file.errorString());
    if ((document || isDocumentFile(file.peek(8))) && !isWholeDocument(file))
        return QStringLiteral("The output file %1 is incomplete: it does not end as its format does.").arg(name);
    return QString();
}

bool makesDocument(const QStringList& options)
{
    const int language = options.indexOf(QStringLiteral("-L"));
    static const QStringList documents { "ps", "eps", "pdf", "pstex", "pdftex" };
    return language >= 0 && documents.contains(options.value(language + 1));
}
