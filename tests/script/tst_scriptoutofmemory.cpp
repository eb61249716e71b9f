// A script whose text grows beyond what a string can hold: the allocation
// fails inside the engine, also in code the engine runs often. The run stops
// with its record instead of ending the program; what the script drew before
// stays, and the program works on.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "support/editsession.h"
#include "support/logrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include "ui_qtmainfrm.h"

#include <QPlainTextEdit>
#include <QPushButton>

// The failing request is refused as it is without the address checker.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}

namespace {

// The engine's own frames between the failure and the run are left without
// their clean-up: the few kilobytes they held (the compiled script) are lost
// by design, and the leak check would report them.
bool engineUnwound = false;

void runInConsole(QTMainFrm& window, const QString& script)
{
    window.ui.scriptEdit->setPlainText(script);
    window.ui.executeScript->click();
}

} // namespace

extern "C" int __lsan_is_turned_off()
{
    return engineUnwound ? 1 : 0;
}

class TestScriptOutOfMemory : public QObject {
    Q_OBJECT

private slots:
    void textBeyondAStringsLength_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("in code run once") << "var t = 'xy'.repeat(1073741800);";
        QTest::newRow("in code run often")
            << "function r(n) { return 'xy'.repeat(n); }\nfor (var i = 0; i < 100; i++) r(2);\nr(1073741800);";
    }
    void textBeyondAStringsLength()
    {
        QFETCH(QString, script);
        editsession::run(QByteArray(), [&](QTMainFrm& window, QTChildFrm& document) {
            LogRecorder log;
            StatusRecorder status;
            engineUnwound = true;
            runInConsole(window,
                "tavrel.drawCircle({center: {x: 1200, y: 1200}, radius: 600});\n" + script
                    + "\ntavrel.drawCircle({center: {x: 0, y: 0}, radius: 10});");
            const QStringList records = log.of({ "ERROR", "WARN" });
            QCOMPARE(records.size(), 2);
            QVERIFY2(
                records[0].startsWith("ERROR script console stopped: it needed more than "), qPrintable(records[0]));
            QCOMPARE(records[1], QStringLiteral("WARN script console stopped."));
            QCOMPARE(status.messages.last(), QStringLiteral("script console stopped."));
            QCOMPARE(int(document.figContext->objects()->size()), 1);
            QCOMPARE(int(document.figContext->undoHistory.undoSteps.size()), 1);

            runInConsole(window, "tavrel.drawCircle({center: {x: 2400, y: 2400}, radius: 600});");
            QCOMPARE(status.messages.last(), QStringLiteral("script console executed."));
            QCOMPARE(int(document.figContext->objects()->size()), 2);
        });
    }
};

TAVREL_TEST_MAIN(TestScriptOutOfMemory)
#include "tst_scriptoutofmemory.moc"
