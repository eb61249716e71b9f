#pragma once
// Writing and reading whole files in tests. writeFile makes the missing
// folders and fails the running test when the file cannot be written whole.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

inline void writeFile(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(contents), qint64(contents.size()));
}

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
