#include "script/scriptstopdialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ScriptStopDialog::ScriptStopDialog(QWidget* parent, const QString& fileName)
    : QDialog(parent)
    , message(new QLabel(this))
    , stopButton(new QPushButton(tr("Stop"), this))
{
    setObjectName(QStringLiteral("ScriptStopDialog"));
    setWindowTitle(tr("Running script"));
    setModal(true);
    message->setText(tr("Running script %1 ...").arg(fileName));
    message->setWordWrap(true);
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
