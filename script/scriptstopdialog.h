#pragma once
// The small window shown while a script runs longer than a moment: it says
// which script runs and offers Stop (Escape and closing the window stop it
// too). Being modal it keeps the documents out of reach until the script
// has ended; it closes itself then.

#include <QDialog>

class QLabel;
class QPushButton;

class ScriptStopDialog : public QDialog {
    Q_OBJECT
public:
    ScriptStopDialog(QWidget* parent, const QString& fileName);

signals:
    // The user wants the script stopped; the window stays until it has ended.
    void stopRequested();

public slots:
    // The script has ended.
    void finish();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* message;
    QPushButton* stopButton;
    bool ended = false;
};
