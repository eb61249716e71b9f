#include "script/scriptstopdialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The message on one line (its unwrapped width), and the window as wide as
// forty characters at least; a longer one (a script's long path) wraps
// within two thirds of the screen.
int messageWidth(QLabel* message)
{
    message->setWordWrap(false);
    int line = message->sizeHint().width();
    message->setWordWrap(true);
    // The wrapping measure may round a little otherwise than the line's.
    const int oneLine = message->heightForWidth(QWIDGETSIZE_MAX);
    for (const int most = line + message->fontMetrics().averageCharWidth() * 4;
         line < most && message->heightForWidth(line) > oneLine;)
        ++line;
    const int wanted = qMax(line, message->fontMetrics().averageCharWidth() * 40);
    const QScreen* screen = message->screen() ? message->screen() : QGuiApplication::primaryScreen();
    return screen ? qMin(wanted, screen->availableGeometry().width() * 2 / 3) : wanted;
}

} // namespace

ScriptStopDialog::ScriptStopDialog(QWidget* parent, const QString& fileName)
    : QDialog(parent)
    , message(new QLabel(this))
    , stopButton(new QPushButton(tr("Stop"), this))
{
    setObjectName(QStringLiteral("ScriptStopDialog"));
    setWindowTitle(tr("Running script"));
    setModal(true);
    message->setText(tr("Running script %1 ...").arg(fileName));
    message->setMinimumWidth(messageWidth(message));
    stopButton->setObjectName(QStringLiteral("stopScript"));
    stopButton->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(stopButton, 0, Qt::AlignRight);
    connect(stopButton, &QPushButton::clicked, this, &ScriptStopDialog::reject);
}

void ScriptStopDialog::finish()
{
    ended = true;
    accept();
}

void ScriptStopDialog::reject()
{
    if (ended) {
        QDialog::reject();
        return;
    }
    stopButton->setEnabled(false);
    message->setText(tr("Stopping the script ..."));
    emit stopRequested();
}

void ScriptStopDialog::closeEvent(QCloseEvent* event)
{
    if (ended) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    reject();
}
