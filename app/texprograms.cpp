#include "app/texprograms.h"

#include <QRegularExpression>

QStringList confinedTexArguments(const QStringList& arguments)
{
    // TeX takes unambiguous abbreviations of its long options, with one
    // dash or two; the last of contradicting options wins.
    static const QRegularExpression enabling(QStringLiteral("^--?(shell|enable-write)"));
    QStringList confined { QStringLiteral("-no-shell-escape") };
    for (const QString& argument : arguments) {
        if (!enabling.match(argument).hasMatch())
            confined << argument;
    }
    return confined;
}

QProcessEnvironment confinedTexEnvironment()
{
    // The TeX libraries read a setting from the environment before their
    // configuration files, first under the program's name ("X.latex",
    // "X_latex"), then plainly.
    static const QRegularExpression overridden(
        QStringLiteral("^(openout_any|shell_escape|shell_escape_commands|TEXMFOUTPUT)([._].*)?$"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (overridden.match(name).hasMatch())
            environment.remove(name);
    }
    environment.insert(QStringLiteral("openout_any"), QStringLiteral("p"));
    environment.insert(QStringLiteral("shell_escape"), QStringLiteral("f"));
    return environment;
}
