#pragma once
// Helpers of the Fig reader and writer tests: files written from text in a
// private temporary folder, window-less documents read from them, saved
// bytes, and a mask for the text fields that depend on the screen fonts.

#include "app/preferences.h"
#include "app/version.h"
#include "model/figcontext.h"
#include "model/figformat.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace figtest {

// Restores the preferences a test changes.
struct PreferencesGuard {
    Preferences saved = preferences;
    ~PreferencesGuard() { preferences = saved; }
};

inline QString dataFile(const QString& name)
{
    return QStringLiteral(TAVREL_TEST_DATA "/") + name;
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The header of a version 3.2 file from another program, ending with the
// resolution line; `extra` lines go between the transparent colour and the
// resolution.
inline QByteArray foreignHeader(const QByteArray& extra = QByteArray())
{
    return "#FIG 3.2  Produced by a test\nPortrait\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n" + extra + "1200 2\n";
}

// The same header as this program writes it.
inline QByteArray ownHeader()
{
    return "#FIG 3.2\n# Created by Tavrel version " + versionString(true).toUtf8()
        + "\n# METADATA <version>1.0</version>\nPortrait\nCenter\nInches\nLetter  \n100.00\nSingle\n-2\n1200 2\n";
}

// A window-less document with a file to read and write in a folder of its own.
struct Document {
    Document()
        : context(std::make_unique<CFigContext>())
    {
        context->dpiX = context->dpiY = 80.0f;
    }

    QString path(const QString& name = QStringLiteral("drawing.fig")) const { return dir.filePath(name); }

    // Writes the text to a file and reads it with readFigFile; the result.
    int read(const QByteArray& text, bool clip = false)
    {
        writeBytes(path(QStringLiteral("input.fig")), text);
        return context->readFigFile(path(QStringLiteral("input.fig")), &context->drawing, clip, 0, 0);
    }

    // Saves the drawing and returns the file's bytes (empty when saving failed).
    QByteArray save(const QString& name = QStringLiteral("output.fig"))
    {
        if (!context->saveFile(path(name)))
            return QByteArray();
        return readBytes(path(name));
    }

    FigObjectList& objects() { return context->drawing.objects; }

    FigObject* object(int index)
    {
        auto it = objects().begin();
        for (int i = 0; i < index && it != objects().end(); ++i)
            ++it;
        return it == objects().end() ? nullptr : *it;
    }

    QTemporaryDir dir;
    std::unique_ptr<CFigContext> context;
};

// Text lines with their height and length fields replaced by H and L: the
// screen fonts decide them.
inline QByteArray maskTextMetrics(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    for (QByteArray& line : lines) {
        if (!line.startsWith("4 "))
            continue;
        QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 11) {
            fields[9] = "H";
            fields[10] = "L";
            line = fields.join(' ');
        }
    }
    return lines.join('\n');
}

// The lines of a file as text, for readable failures.
inline QStringList linesOf(const QByteArray& file)
{
    return QString::fromLatin1(file).split(QLatin1Char('\n'));
}

} // namespace figtest
