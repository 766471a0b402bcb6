#include "render/host.h"

#include <QDesktopServices>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <cstdio>

namespace vistarel::render {

bool SaveListUtf8(const QStringList& lines, const QString& file)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return out.write(bytes) == bytes.size();
}

namespace {
constexpr qint64 kPumpIntervalMs = 75;
} // namespace

Host::Host(QString appDataDir, const lang::MessageList& messages)
    : m_appDataDir(std::move(appDataDir))
    , m_messages(messages)
{
    if (!m_appDataDir.isEmpty() && !m_appDataDir.endsWith(u'/'))
        m_appDataDir += u'/';
    m_lastTick.start();
}

Host::~Host() = default;

QString Host::message(int id) const
{
    return m_messages.message(id);
}

void Host::appendLog(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineBreak);
    m_memoLog << lines;
    logAppended(lines);
}

void Host::clearLog()
{
    m_memoLog.clear();
}

bool Host::saveLog(const QString& path) const
{
    return SaveListUtf8(m_memoLog, path);
}

void Host::setProgress(int percent)
{
    if (percent == m_progress)
        return;
    m_progress = percent;
    progressChanged(percent);
}

void Host::pumpIfDue()
{
    if (m_lastTick.elapsed() > kPumpIntervalMs) {
        m_lastTick.restart();
        pumpMessages();
    }
}

void Host::openFile(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

DialogResult ConsoleHost::taskDialog(const lang::TaskDialogText& text)
{
    shownDialogs << text.instruction + QStringLiteral(" | ") + text.content +
                        QStringLiteral(" | ") + text.footer;
    if (printDialogs) {
        const QString shown = text.instruction + u'\n' + text.content + u'\n' + text.footer;
        std::fprintf(stderr, "%s\n", qPrintable(shown));
    }
    return answer;
}

void ConsoleHost::messageBox(const QString& text)
{
    shownDialogs << text;
    if (printDialogs)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace vistarel::render
