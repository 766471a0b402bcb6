#pragma once

#include "app/updateinfo.h"

#include <QObject>

namespace vistarel::app {

class TFormMain;
class UpdateChecker;
class UpdatePopup;

// The update check of the window: starts the check, shows the pop-up under the version
// label when a newer version is published, and on "Installation starten" downloads the
// new version into AppDataDir and opens it with the desktop's default program (or opens
// the version's web page when the information names no file).
class UpdateAssistant : public QObject
{
    Q_OBJECT

public:
    explicit UpdateAssistant(TFormMain& form);

    // Starts the check unless the address is empty or not allowed, or the system
    // reports that it is offline. Failures are ignored.
    void start(const QUrl& infoUrl);

    UpdatePopup* popup() const { return m_popup; }
    const TUpdateInfo& info() const { return UpdInfo; }
    // The header of the pop-up follows the language (message Str39).
    void setHeader(const QString& header);

private:
    void HTTPGetDoneString(const TUpdateInfo& info);
    void RzBmpButtonUpdateCancelClick();
    void RzBmpButtonUpdateDownloadClick();
    void HTTPGetUpdateDoneFile(const QString& file, qint64 bytes);
    void HTTPGetUpdateError();
    void reportDownloadFailure();

    TFormMain& m_form;
    UpdateChecker* m_checker;
    UpdatePopup* m_popup;
    QUrl m_infoUrl;
    TUpdateInfo UpdInfo;
};

} // namespace vistarel::app
