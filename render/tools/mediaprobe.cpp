#include "render/tools/mediaprobe.h"

#include "render/tools/argsplit.h"
#include "render/tools/fitfilter.h"
#include "render/tools/toolrunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace vistarel::render {

namespace {

// Two threads asking for the same clip would both run ffmpeg onto the same cache file;
// the second waits for the first and then finds the file in the cache.
class CacheFileGate
{
public:
    class Pass
    {
    public:
        Pass(CacheFileGate& gate, const QString& file)
            : m_gate(gate)
            , m_file(file)
        {
            std::unique_lock lock(m_gate.m_mutex);
            m_gate.m_changed.wait(lock, [this] { return !m_gate.m_busy.contains(m_file); });
            m_gate.m_busy.insert(m_file);
        }
        ~Pass()
        {
            {
                std::lock_guard lock(m_gate.m_mutex);
                m_gate.m_busy.remove(m_file);
            }
            m_gate.m_changed.notify_all();
        }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

    private:
        CacheFileGate& m_gate;
        QString m_file;
    };

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QSet<QString> m_busy;
};

CacheFileGate& thumbnailGate()
{
    static CacheFileGate gate;
    return gate;
}

// Runs ffprobe with `arguments`; the trimmed output text when it exits with 0, else empty.
QString probeText(Host& host, const QString& arguments)
{
    QStringList output;
    if (RunTool(host, GetFFProbePath(), arguments, &output, {}) != 0)
        return {};
    return output.join(QStringLiteral("\r\n")).trimmed();
}

} // namespace

double parseToolNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        return 0;
    // QString::toDouble reads the C format whatever the locale.
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

double GetMediaDurationFFProbe(Host& host, const QString& file)
{
    const QString arguments =
        QStringLiteral("-v error -show_entries format=duration -of default=nw=1:nk=1 ") +
        quotedArgument(file);
    return parseToolNumber(probeText(host, arguments));
}

bool ProbeVideoClip(Host& host, const QString& file, double& duration, bool& hasSound)
{
    duration = 0;
    hasSound = false;
    duration = parseToolNumber(probeText(
        host, QStringLiteral("-v error -select_streams v:0 -show_entries stream=duration "
                             "-of default=nw=1:nk=1 ") +
                  quotedArgument(file)));
    if (!(duration > 0))
        duration = GetMediaDurationFFProbe(host, file);
    QStringList output;
    const QString soundQuery = QStringLiteral("-v error -select_streams a:0 -show_entries "
                                              "stream=codec_type -of default=nw=1:nk=1 ") +
                               quotedArgument(file);
    if (RunTool(host, GetFFProbePath(), soundQuery, &output, {}) == 0)
        hasSound = output.join(u'\n').toLower().contains(QStringLiteral("audio"));
    return duration > 0;
}

double GetAudioDurationFFProbe(Host& host, const QString& ffprobePath, const QString& file)
{
    const QString arguments =
        QStringLiteral("-v error -show_entries format=duration -of default=nw=1:nk=1 ") +
        quotedArgument(file);
    // Lines are taken from the whole output, so a value split between two chunks stays whole.
    QString collected;
    const int exitCode = RunProcess(host, ffprobePath, arguments,
                                    [&collected](const QString& chunk) { collected += chunk; });
    if (exitCode != 0)
        return 0;
    QString value;
    for (const QString& line : splitOutputLines(collected)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && trimmed.toUpper() != u"N/A")
            value = trimmed;
    }
    return parseToolNumber(value.replace(u',', u'.'));
}

bool ExtractClipFrame(Host& host, const QString& clip, const QString& target, int W, int H,
                      bool stretch, bool blur, bool fromEnd)
{
    if (QFileInfo::exists(target))
        QFile::remove(target);
    QString arguments = QStringLiteral("-y ");
    if (fromEnd)
        arguments += QStringLiteral("-sseof -0.5 ");
    arguments += QStringLiteral("-i ") + quotedArgument(clip) + QStringLiteral(" -an -vf ") +
                 quotedArgument(BuildFitFilter(W, H, stretch, blur)) + u' ';
    if (!fromEnd)
        arguments += QStringLiteral("-frames:v 1 ");
    arguments += QStringLiteral("-update 1 -loglevel error ") + quotedArgument(target);
    const int exitCode = RunTool(host, GetFFmpegPath(), arguments, nullptr, {});
    return exitCode == 0 && QFileInfo::exists(target);
}

QString thumbnailCacheKey(const QString& clip, const QDateTime& lastModified)
{
    // Local time with its offset, so that the repeated hour at the end of summer time
    // does not give two instants the same text.
    const QDateTime local = lastModified.toLocalTime();
    return clip + u'|' + local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QString GetVideoThumbnail(Host& host, const QString& clip)
{
    const QFileInfo clipInfo(clip);
    if (!clipInfo.exists() || !QFileInfo::exists(GetFFmpegPath()))
        return {};
    const QString cacheDir = host.AppDataDir() + QStringLiteral("cache/");
    QDir().mkpath(cacheDir);
    const QString cacheFile =
        cacheDir + HashCacheKey(thumbnailCacheKey(clip, clipInfo.lastModified())) +
        QStringLiteral(".jpg");
    const CacheFileGate::Pass pass(thumbnailGate(), cacheFile);
    if (QFileInfo::exists(cacheFile))
        return cacheFile;
    const QString arguments = QStringLiteral("-y -i ") + quotedArgument(clip) +
                              QStringLiteral(" -an -vf \"scale='min(1280,iw)':-2\" -frames:v 1 "
                                             "-update 1 -q:v 3 -loglevel error ") +
                              quotedArgument(cacheFile);
    const int exitCode = RunTool(host, GetFFmpegPath(), arguments, nullptr, {});
    if (exitCode != 0) {
        // A failed or cancelled run may leave a partial picture that a later request would
        // otherwise take from the cache.
        QFile::remove(cacheFile);
        return {};
    }
    return QFileInfo::exists(cacheFile) ? cacheFile : QString();
}

QString HashCacheKey(const QString& key)
{
    std::uint32_t hash = 0x811C9DC5u;
    for (const QChar unit : key) {
        hash ^= unit.unicode();
        hash *= 16777619u;
    }
    return QStringLiteral("%1").arg(hash, 8, 16, QChar(u'0')).toUpper();
}

} // namespace vistarel::render
