#include "support/fig2devverdict.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

Fig2devVerdict fig2devVerdict(const QString& file)
{
    Fig2devVerdict verdict;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("fig2dev"));
    if (program.isEmpty())
        return verdict;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, { QStringLiteral("-L"), QStringLiteral("svg"), file, QStringLiteral("/dev/null") });
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        verdict.status = -1;
        verdict.complaints = "fig2dev did not finish";
        return verdict;
    }
    verdict.complaints = process.readAllStandardError();
    verdict.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return verdict;
}
