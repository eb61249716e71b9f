#pragma once
// One release entry of the release information document, as the update
// check hands it to UpdateInfoDlg.

#include <QString>
#include <QStringList>

struct UpdateInfo {
    QString publisher;
    QString programName;
    QString description;
    QString version;
    QString date;
    QString uri;
    QStringList changes; // one line of HTML or plain text each
};
