#include "app/updateassistant.h"

#include "app/formmain.h"
#include "app/updatechecker.h"
#include "app/updatepopup.h"
#include "project/version.h"

#include <QFile>
#include <QHostAddress>
#include <QLabel>
#include <QNetworkInformation>

namespace vistarel::app {

namespace {

// The pop-up's left edge lies this far left of the version label, so the arrow at its
// top centre points at the label.
constexpr int kPopupLeftOfLabel = 115;
constexpr int kPopupBoxWidth = 324;

bool isLoopback(const QUrl& url)
{
    const QHostAddress address(url.host());
    return url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           (!address.isNull() && address.isLoopback());
}

bool systemReportsOffline()
{
    if (!QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return false;
    return QNetworkInformation::instance()->reachability() ==
           QNetworkInformation::Reachability::Disconnected;
}

} // namespace

UpdateAssistant::UpdateAssistant(TFormMain& form)
    : QObject(&form)
    , m_form(form)
    , m_checker(new UpdateChecker(this))
    , m_popup(new UpdatePopup(&form))
{
    connect(m_checker, &UpdateChecker::updateAvailable, this, &UpdateAssistant::HTTPGetDoneString);
    connect(m_checker, &UpdateChecker::downloadFinished, this,
            &UpdateAssistant::HTTPGetUpdateDoneFile);
    connect(m_checker, &UpdateChecker::downloadFailed, this, &UpdateAssistant::HTTPGetUpdateError);
    connect(m_popup, &UpdatePopup::cancelClicked, this, &UpdateAssistant::RzBmpButtonUpdateCancelClick);
    connect(m_popup, &UpdatePopup::downloadClicked, this,
            &UpdateAssistant::RzBmpButtonUpdateDownloadClick);
}

void UpdateAssistant::start(const QUrl& infoUrl)
{
    if (infoUrl.isEmpty() || !isAllowedUpdateUrl(infoUrl))
        return;
    if (!isLoopback(infoUrl) && systemReportsOffline())
        return;
    m_infoUrl = infoUrl;
    m_checker->check(infoUrl, project::versionText(project::programVersion()));
}

void UpdateAssistant::setHeader(const QString& header)
{
    m_popup->setHeader(header);
}

void UpdateAssistant::HTTPGetDoneString(const TUpdateInfo& info)
{
    UpdInfo = info;
    m_popup->setInfoText(m_form.str(33) + info.NetVersion + m_form.str(34) + info.ThisVersion +
                         QStringLiteral("."));
    m_popup->setMarqueeVisible(false);
    const QLabel* label = m_form.versionLabel();
    const QPoint tip(-kPopupLeftOfLabel + kPopupBoxWidth / 2, label->height());
    m_popup->popUpAt(label->mapToGlobal(tip));
}

void UpdateAssistant::RzBmpButtonUpdateCancelClick()
{
    m_popup->hide();
}

void UpdateAssistant::RzBmpButtonUpdateDownloadClick()
{
    if (m_checker->isDownloading())
        return;
    const QUrl file = m_infoUrl.resolved(QUrl(UpdInfo.DownloadUrl));
    if (UpdInfo.DownloadUrl.isEmpty() || !isAllowedUpdateUrl(file)) {
        if (!UpdInfo.PageUrl.isEmpty())
            m_form.desktop().openUrl(m_infoUrl.resolved(QUrl(UpdInfo.PageUrl)));
        m_popup->hide();
        return;
    }
    m_popup->setMarqueeVisible(true);
    const QString target = m_form.appDataDir() + downloadFileName(file);
    if (QFile::exists(target) && !QFile::remove(target)) {
        m_popup->hide();
        m_form.taskDialog({m_form.str(15), m_form.str(16) + QStringLiteral("\n\n") + target,
                           m_form.str(17)},
                          TaskDialogKind::Error);
        return;
    }
    m_checker->download(file, target);
}

void UpdateAssistant::HTTPGetUpdateDoneFile(const QString& file, qint64 bytes)
{
    if (!isUsableInstallerSize(bytes)) {
        QFile::remove(file);
        reportDownloadFailure();
        return;
    }
    m_popup->hide();
    m_form.desktop().openUrl(QUrl::fromLocalFile(file));
    // The program ends for the new version through the close button's rule, so changes
    // that are not saved yet are asked about first.
    m_form.RzBmpButtonCloseClick();
}

void UpdateAssistant::HTTPGetUpdateError()
{
    reportDownloadFailure();
}

void UpdateAssistant::reportDownloadFailure()
{
    m_popup->hide();
    m_form.taskDialog({m_form.str(17), m_form.str(20), m_form.str(21)}, TaskDialogKind::Information);
}

} // namespace vistarel::app
