#pragma once
// Stand-ins for the external programs of the rendering (latex, dvips,
// Ghostscript): small shell scripts that log every run and then make the
// output file the real program would make.

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtTest>

namespace standins {

// Writes an executable script `folder`/`name` that appends one line per run
// to `log`: its name, then every argument in brackets, so that the way the
// command line was split shows. `body` runs afterwards with the arguments.
inline QString write(const QString& folder, const QString& name, const QString& log, const QByteArray& body)
{
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    // The line is made first and appended in one write, so that runs at the
    // same time do not mix their lines.
    file.write("#!/bin/sh\nline=$(printf '%s' '" + name.toUtf8()
        + "'; for a in \"$@\"; do printf ' [%s]' \"$a\"; done)\n"
          "printf '%s\\n' \"$line\" >> '"
        + log.toUtf8() + "'\n" + body + "\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// The body of a Ghostscript stand-in: copies `image` + the output file's
// suffix (image.png, image.jpg) to the file named by -sOutputFile=.
inline QByteArray ghostscriptBody(const QString& image)
{
    return "for a in \"$@\"; do case \"$a\" in -sOutputFile=*) out=\"${a#-sOutputFile=}\";; esac; done\n"
           "cp '"
        + image.toUtf8() + ".'\"${out##*.}\" \"$out\"";
}

// The lines logged so far.
inline QStringList runs(const QString& log)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace standins
