#pragma once
// Checks on request whether a newer release exists: fetches the release
// information document, picks the entries of this platform and shows either
// UpdateInfoDlg or a short message. Owns one network manager per check,
// which lives as long as the checker.

#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkReply;
class QWidget;

// Settings key of the release information address, and its built-in value.
constexpr char updateInfoUrlKey[] = "update info url";
constexpr char defaultUpdateInfoUrl[] = "http://www.quillbrook.org/latest_release.json";

// The address of the release information document: the setting, or the
// built-in address when it is missing or not a valid URL.
QUrl updateInfoUrl();

// The publisher's downloads page on the server of the release information.
QUrl downloadsUrl();

class UpdateChecker : public QObject {
    Q_OBJECT
public:
    // The parent widget is the parent of the dialog and message boxes.
    explicit UpdateChecker(QWidget* parent);
    ~UpdateChecker() override;

    // Starts one check and returns at once; the wait cursor shows until the
    // answer has been handled.
    void check();

public slots:
    void replyFinished(QNetworkReply* reply);

private:
    QPointer<QWidget> parentWidget;
};
