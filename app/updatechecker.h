#pragma once

#include "app/updateinfo.h"

#include <QNetworkAccessManager>
#include <QObject>

class QNetworkReply;
class QNetworkRequest;
class QSaveFile;

namespace vistarel::app {

// The two background transfers of the update check: the information text and the
// download of the new version. Replies are handled on the thread that owns the checker
// (the user-interface thread). Only addresses that isAllowedUpdateUrl accepts are used,
// also after redirects; certificates are always checked.
class UpdateChecker : public QObject
{
    Q_OBJECT

public:
    explicit UpdateChecker(QObject* parent = nullptr);
    ~UpdateChecker() override;

    // Fetches the information text and emits updateAvailable when it offers a newer
    // version than thisVersion. Failures and garbled texts end silently.
    void check(const QUrl& infoUrl, const QString& thisVersion);
    // Downloads url into file (replacing it only when the transfer completed) and emits
    // downloadFinished or downloadFailed.
    void download(const QUrl& url, const QString& file);
    bool isDownloading() const { return m_download != nullptr; }

signals:
    void updateAvailable(const vistarel::app::TUpdateInfo& info);
    void downloadFinished(const QString& file, qint64 bytes);
    void downloadFailed();

private:
    QNetworkRequest request(const QUrl& url, int idleTimeoutMs) const;
    void guardRedirects(QNetworkReply* reply);
    void informationArrived(QNetworkReply* reply, const QString& thisVersion);
    void downloadDone();

    QNetworkAccessManager m_network;
    QNetworkReply* m_download = nullptr;
    std::unique_ptr<QSaveFile> m_file;
};

} // namespace vistarel::app
