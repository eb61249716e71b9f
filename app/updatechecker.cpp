#include "app/updatechecker.h"

#include "app/messagebox.h"
#include "app/platform.h"
#include "app/preferences.h"
#include "app/updateinfo.h"
#include "app/updateinfodlg.h"
#include "app/version.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>

namespace {

// A server that accepts the connection but never answers would otherwise
// leave the wait cursor up for good.
const int transferTimeout = 30000;

void showInformation(QWidget* parent, const QString& text)
{
    MessageBoxRequest request;
    request.parent = parent;
    request.icon = QMessageBox::Information;
    request.title = QStringLiteral("Check for new version");
    request.text = text;
    request.buttons = QMessageBox::Ok;
    showMessageBox(request);
}

} // namespace

QUrl updateInfoUrl()
{
    QSettings settings(settingsOrganization, settingsApplication);
    const QUrl url(settings.value(QLatin1String(updateInfoUrlKey), QLatin1String(defaultUpdateInfoUrl)).toString());
    if (url.isValid() && !url.isRelative())
        return url;
    return QUrl(QLatin1String(defaultUpdateInfoUrl));
}

QUrl downloadsUrl()
{
    return updateInfoUrl().resolved(QUrl(QStringLiteral("/downloads")));
}

UpdateChecker::UpdateChecker(QWidget* parent)
    : QObject(parent)
    , parentWidget(parent)
{
}

UpdateChecker::~UpdateChecker() = default;

void UpdateChecker::check()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Each check has its own manager, so overlapping checks answer separately.
    auto* manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &UpdateChecker::replyFinished);
    QNetworkRequest request(updateInfoUrl());
    request.setTransferTimeout(transferTimeout);
    manager->get(request);
}

void UpdateChecker::replyFinished(QNetworkReply* reply)
{
    if (reply->error() != QNetworkReply::NoError) {
        QApplication::restoreOverrideCursor();
        reply->deleteLater();
        showInformation(parentWidget, QStringLiteral("Could not find update info."));
        return;
    }
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    QApplication::restoreOverrideCursor();

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return;
    const QJsonObject top = document.object();

    UpdateInfo info;
    info.publisher = top.value(QLatin1String("publisher")).toString();
    info.programName = top.value(QLatin1String("programName")).toString();
    info.description = top.value(QLatin1String("description")).toString();

    const QJsonValue downloads = top.value(QLatin1String("downloads"));
    if (!downloads.isArray())
        return;
    const QString platformName = platform::releasePlatformName();
    const QJsonArray entries = downloads.toArray();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        if (entry.value(QLatin1String("platform")).toString() != platformName)
            continue;
        info.version = entry.value(QLatin1String("version")).toString();
        info.date = entry.value(QLatin1String("date")).toString();
        info.uri = entry.value(QLatin1String("uri")).toString();
        const QJsonValue changes = entry.value(QLatin1String("changes"));
        if (changes.isArray()) {
            const QJsonArray lines = changes.toArray();
            for (const QJsonValue& line : lines)
                info.changes << line.toString();
        }
        // The dialog and the boxes run event loops: the parent window, and
        // with it this checker, may be gone when they return.
        const QPointer<UpdateChecker> self(this);
        if (isVersionNewer(info.version, versionMajor.toInt(), versionMinor.toInt(), versionPatch.toInt())) {
            const QPointer<UpdateInfoDlg> dialog = new UpdateInfoDlg(parentWidget);
            dialog->setUpdateInfo(info);
            dialog->exec();
            delete dialog.data();
        } else {
            showInformation(parentWidget, QStringLiteral("No newer version found."));
        }
        if (!self)
            return;
    }
}
