// When a made file counts as complete: PostScript, EPS and PDF only when
// they end in their end-of-file comment (by their first bytes, or because
// the step makes such a file), other files when they are not empty.
#include "export/completeoutput.h"
#include "support/testenv.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// An EPS file with the binary header of a preview: the PostScript section
// `postScript`, then `preview`, then `after`.
QByteArray binaryEps(const QByteArray& postScript, const QByteArray& preview, const QByteArray& after = QByteArray())
{
    auto number = [](int value) {
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = char((value >> (8 * i)) & 0xff);
        return bytes;
    };
    const int start = 30;
    return QByteArray("\xC5\xD0\xD3\xC6") + number(start) + number(postScript.size()) + number(0) + number(0)
        + number(start + postScript.size()) + number(preview.size()) + QByteArray(2, '\xff') + postScript + preview
        + after;
}

} // namespace

class TestCompleteOutput : public QObject {
    Q_OBJECT

private slots:
    void completeFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("document"); // the step makes PostScript, EPS or PDF
        QTest::addColumn<bool>("complete");
        const QByteArray eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 72 72\nshowpage\n";
        QTest::newRow("dvips's EPS") << eps + "%%EOF\n" << true << true;
        QTest::newRow("fig2dev's EPS") << eps + "%%Trailer\n%EOF\n" << true << true;
        QTest::newRow("blank lines after the comment") << eps + "%%EOF\r\n\n  \n" << true << true;
        QTest::newRow("EPS cut short") << eps << true << false;
        QTest::newRow("EPS cut in its comment") << eps + "%%EO" << true << false;
        QTest::newRow("the comment inside a line") << eps + "x %%EOF\n" << true << false;
        QTest::newRow("EPS cut short, not said to be one") << eps << false << false;
        QTest::newRow("PDF") << QByteArray("%PDF-1.5\n1 0 obj\nendobj\ntrailer\n%%EOF\n") << true << true;
        QTest::newRow("PDF cut short") << QByteArray("%PDF-1.5\n1 0 obj\nend") << false << false;
        QTest::newRow("cut before its first bytes") << QByteArray("%") << true << false;
        QTest::newRow("binary EPS ending in its comment")
            << binaryEps(eps, "TIFF", "%%Trailer\n%EOF\n") << true << true;
        QTest::newRow("binary EPS ending in its preview") << binaryEps(eps + "%%EOF\n", "TIFF") << true << true;
        QTest::newRow("binary EPS cut in its preview")
            << binaryEps(eps + "%%EOF\n", "TIFF data").chopped(2) << false << false;
        QTest::newRow("binary EPS, section past the end")
            << binaryEps(eps + "%%EOF\n", "TIFF").left(60) << false << false;
        QTest::newRow("SVG") << QByteArray("<svg/>\n") << false << true;
        QTest::newRow("empty") << QByteArray() << false << false;
    }
    void completeFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, document);
        QFETCH(bool, complete);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("made"));
        writeFile(path, content);
        const QString problem = outputProblem(path, QStringLiteral("made"), document);
        QVERIFY2(problem.isEmpty() == complete, qPrintable(problem));
        if (!complete)
            QVERIFY(problem.contains(QLatin1String("made")));
    }

    void noFileIsIncomplete()
    {
        QTemporaryDir dir;
        QVERIFY(outputProblem(dir.filePath(QStringLiteral("none")), QStringLiteral("none"), false)
                    .contains(QLatin1String("No output file none")));
        QVERIFY(!outputProblem(dir.path(), QStringLiteral("a folder"), false).isEmpty());
    }

    void languagesOfDocuments_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("document");
        QTest::newRow("eps") << QStringList { "-L", "eps", "-F" } << true;
        QTest::newRow("pdftex") << QStringList { "-m", "2", "-L", "pdftex" } << true;
        QTest::newRow("pstex_t") << QStringList { "-L", "pstex_t", "-p", "x.eps" } << false;
        QTest::newRow("svg") << QStringList { "-L", "svg" } << false;
        QTest::newRow("no language") << QStringList { "-m", "1.5" } << false;
    }
    void languagesOfDocuments()
    {
        QFETCH(QStringList, options);
        QTEST(makesDocument(options), "document");
    }
};

TAVREL_TEST_MAIN(TestCompleteOutput)
#include "tst_completeoutput.moc"
