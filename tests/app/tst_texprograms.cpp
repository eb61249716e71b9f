// How TeX programs are started on a drawing's texts: the shell escape off
// whatever the arguments say, and an environment that keeps TeX's writes
// below where it runs whatever the user's environment says, reading left
// free.
#include "app/texprograms.h"
#include "support/testenv.h"

#include <QtTest>

class TestTexPrograms : public QObject {
    Q_OBJECT

private slots:
    void shellEscapeStaysOff_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("plain") << QStringList { "-quiet", "-job-name", "texclip", "x.tex" }
                               << QStringList { "-no-shell-escape", "-quiet", "-job-name", "texclip", "x.tex" };
        QTest::newRow("shell escape on, all forms") << QStringList { "-shell-escape", "--shell-escape", "-shell-esc",
            "-shell-restricted", "--shell-r", "-enable-write18", "--enable-write18", "x.tex" }
                                                    << QStringList { "-no-shell-escape", "x.tex" };
        QTest::newRow("names that only look alike")
            << QStringList { "shell-escape.tex", "-no-shell-escape", "-output-directory" }
            << QStringList { "-no-shell-escape", "shell-escape.tex", "-no-shell-escape", "-output-directory" };
        QTest::newRow("nothing") << QStringList() << QStringList { "-no-shell-escape" };
    }
    void shellEscapeStaysOff()
    {
        QFETCH(QStringList, arguments);
        QTEST(confinedTexArguments(arguments), "expected");
    }

    // The user's settings, also those for one program, give way.
    void environmentConfinesWrites()
    {
        const QList<QPair<QByteArray, QByteArray>> user { { "openout_any", "a" }, { "openout_any.latex", "a" },
            { "openout_any_pdflatex", "r" }, { "shell_escape", "t" }, { "shell_escape.latex", "t" },
            { "shell_escape_commands", "touch" }, { "TEXMFOUTPUT", "/" }, { "openin_any", "a" },
            { "TEXINPUTS", ".:/my/tex//:" } };
        for (const auto& [name, value] : user)
            qputenv(name.constData(), value);
        const QProcessEnvironment environment = confinedTexEnvironment();
        for (const auto& [name, value] : user)
            qunsetenv(name.constData());

        QCOMPARE(environment.value(QStringLiteral("openout_any")), QStringLiteral("p"));
        QCOMPARE(environment.value(QStringLiteral("shell_escape")), QStringLiteral("f"));
        for (const char* gone : { "openout_any.latex", "openout_any_pdflatex", "shell_escape.latex",
                 "shell_escape_commands", "TEXMFOUTPUT" })
            QVERIFY2(!environment.contains(QLatin1String(gone)), gone);
        // Reading and the search path stay the user's.
        QCOMPARE(environment.value(QStringLiteral("openin_any")), QStringLiteral("a"));
        QCOMPARE(environment.value(QStringLiteral("TEXINPUTS")), QStringLiteral(".:/my/tex//:"));
        QVERIFY(environment.contains(QStringLiteral("PATH")));
    }
};

TAVREL_TEST_MAIN(TestTexPrograms)
#include "tst_texprograms.moc"
