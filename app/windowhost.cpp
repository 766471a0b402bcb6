#include "app/windowhost.h"

#include "app/formmain.h"
#include "app/progresspage.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace vistarel::app {

WindowHost::WindowHost(TFormMain& form, const QString& appDataDir,
                       const lang::MessageList& messages)
    : render::Host(appDataDir, messages)
    , m_form(form)
{
}

void WindowHost::pumpMessages()
{
    QCoreApplication::processEvents();
}

render::DialogResult WindowHost::taskDialog(const lang::TaskDialogText& text)
{
    return m_form.taskDialog(text, TaskDialogKind::Error);
}

void WindowHost::messageBox(const QString& text)
{
    m_form.messageBox(text, MessageKind::Warning);
}

void WindowHost::progressChanged(int percent)
{
    m_form.progressPage()->setProgress(percent);
}

void WindowHost::openFile(const QString& path)
{
    // Without a player for the video the user still learns where it is.
    if (!m_form.desktop().openUrl(QUrl::fromLocalFile(path)))
        m_form.messageBox(message(93) + QStringLiteral("\n\n") + QDir::toNativeSeparators(path),
                          MessageKind::Information);
}

} // namespace vistarel::app
