#include "app/updatechecker.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#if QT_CONFIG(ssl)
#include <QSslConfiguration>
#endif

namespace vistarel::app {

namespace {
constexpr qint64 kMaxInformationBytes = 64 * 1024;
constexpr qint64 kMaxDownloadBytes = 2048ll * 1024 * 1024;
constexpr int kInformationTimeoutMs = 20'000;
constexpr int kDownloadIdleTimeoutMs = 60'000;
} // namespace

UpdateChecker::UpdateChecker(QObject* parent)
    : QObject(parent)
{
}

UpdateChecker::~UpdateChecker()
{
    if (m_download)
        m_download->abort();
    if (m_file)
        m_file->cancelWriting();
}

QNetworkRequest UpdateChecker::request(const QUrl& url, int idleTimeoutMs) const
{
    QNetworkRequest r(url);
    r.setRawHeader("Accept", "*/*");
    r.setRawHeader("User-Agent", "Tarvik UpdInfo");
    r.setRawHeader("Referer", "Vistarel - Update Wizard");
    r.setRawHeader("Cache-Control", "no-cache");
    r.setRawHeader("Pragma", "no-cache");
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                   QNetworkRequest::UserVerifiedRedirectPolicy);
    r.setTransferTimeout(idleTimeoutMs);
#if QT_CONFIG(ssl)
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    r.setSslConfiguration(ssl);
#endif
    return r;
}

void UpdateChecker::guardRedirects(QNetworkReply* reply)
{
    connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl& target) {
        if (isAllowedUpdateUrl(reply->url().resolved(target)))
            emit reply->redirectAllowed();
        else
            reply->abort();
    });
}

void UpdateChecker::check(const QUrl& infoUrl, const QString& thisVersion)
{
    if (!isAllowedUpdateUrl(infoUrl))
        return;
    QNetworkReply* reply = m_network.get(request(infoUrl, kInformationTimeoutMs));
    guardRedirects(reply);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxInformationBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, thisVersion] { informationArrived(reply, thisVersion); });
}

void UpdateChecker::informationArrived(QNetworkReply* reply, const QString& thisVersion)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return;
    const TUpdateInfo info = ParseUpdateInfo(QString::fromUtf8(reply->readAll()), thisVersion);
    if (offersUpdate(info))
        emit updateAvailable(info);
}

void UpdateChecker::download(const QUrl& url, const QString& file)
{
    if (m_download)
        return;
    m_file = std::make_unique<QSaveFile>(file);
    if (!isAllowedUpdateUrl(url) || !m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        emit downloadFailed();
        return;
    }
    m_download = m_network.get(request(url, kDownloadIdleTimeoutMs));
    guardRedirects(m_download);
    connect(m_download, &QNetworkReply::readyRead, this, [this] {
        if (m_file->write(m_download->readAll()) < 0)
            m_download->abort();
    });
    connect(m_download, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > kMaxDownloadBytes)
            m_download->abort();
    });
    connect(m_download, &QNetworkReply::finished, this, &UpdateChecker::downloadDone);
}

void UpdateChecker::downloadDone()
{
    QNetworkReply* reply = std::exchange(m_download, nullptr);
    reply->deleteLater();
    std::unique_ptr<QSaveFile> file = std::move(m_file);
    // A transfer that broke off leaves no file behind: a partial installer must never
    // be started.
    if (reply->error() != QNetworkReply::NoError) {
        file->cancelWriting();
        emit downloadFailed();
        return;
    }
    file->write(reply->readAll());
    const qint64 bytes = file->size();
    if (!file->commit()) {
        emit downloadFailed();
        return;
    }
    emit downloadFinished(file->fileName(), bytes);
}

} // namespace vistarel::app
