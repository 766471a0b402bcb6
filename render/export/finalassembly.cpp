#include "render/export/finalassembly.h"

#include "render/export/musicgraph.h"
#include "render/export/timeline.h"
#include "render/tools/mediaprobe.h"
#include "render/tools/toolrunner.h"

#include <QFileInfo>
#include <QLocale>

namespace vistarel::render {

namespace {

// Log numbers in the user's notation, as the rest of these lines are for people.
QString localNumber(double value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 3);
}

// Measures the music and logs the figures; returns how often the list would have to play.
int measureMusic(Host& host, const QString& ffprobe, const QStringList& entries,
                 double videoSeconds)
{
    double total = 0;
    for (const QString& entry : entries)
        total += GetAudioDurationFFProbe(host, ffprobe, entry);
    host.appendLog(QStringLiteral("Audio files: %1  TotalAudioDur: %2 s")
                       .arg(QString::number(entries.size()), localNumber(total)));
    const int loops = neededLoops(videoSeconds, total);
    host.appendLog(QStringLiteral("NeededLoops: %1  (Video: %2 s)")
                       .arg(QString::number(loops), localNumber(videoSeconds)));
    return loops;
}

QString finalCommand(Host& host, const TSlideSegments& segments, const QString& listFile,
                     const FinalTiming& timing, const QStringList& musicFiles, bool repeat,
                     const QString& output)
{
    const QStringList entries = musicEntries(musicFiles);
    if (entries.isEmpty())
        return commandWithoutMusic(listFile, !segments.empty(), timing, output);

    const QString ffprobe = GetFFProbePath();
    const bool canLoop = repeat && QFileInfo::exists(ffprobe);
    if (repeat && !canLoop)
        host.appendLog(QFileInfo(ffprobe).fileName() +
                       QStringLiteral(" not found -> loop disabled (single pass)."));
    const int loops = measureMusic(host, ffprobe, entries, timing.videoSeconds);
    MusicGraph music = buildMusicGraph(entries, canLoop ? loops : 1, timing);
    if (!segments.empty())
        music.graph = withDucking(music.graph, segments);
    return commandWithMusic(listFile, music, timing, output);
}

} // namespace

int RunFFmpeg(Host& host, const TSlideSegments& segments, const QString& outputFolder,
              const QString& outputName, double TotalFrameCount, const QStringList& musicFiles,
              bool repeat)
{
    const QString ffmpeg = GetFFmpegPath();
    const QString listFile = host.AppDataDir() + (segments.empty() ? QStringLiteral("frames.txt")
                                                                   : QStringLiteral("segments.txt"));
    if (!QFileInfo::exists(ffmpeg)) {
        host.messageBox(host.message(32) + ffmpeg);
        return 0;
    }
    const FinalTiming timing = finalTiming(TotalFrameCount);
    host.setProgress(50);
    host.pumpMessages();
    if (segments.empty())
        host.clearLog();
    host.appendLog(QStringLiteral("Starting FFmpeg..."));
    host.appendLog(QStringLiteral("Command: ") + ffmpeg);
    host.appendLog(QStringLiteral("Video length (from slide list): ") +
                   QString::number(timing.videoSeconds, 'f', 3) + QStringLiteral(" s"));

    const QString output = withTrailingSlash(outputFolder) + outputName;
    const QString command =
        finalCommand(host, segments, listFile, timing, musicFiles, repeat, output);
    host.appendLog(QStringLiteral("Params : ") + command);

    const int exitCode = RunProcess(host, ffmpeg, command, FinalEncodeReader(host, TotalFrameCount));
    if (exitCode != 0) {
        ShowRenderError(host);
        return 0;
    }
    host.setProgress(100);
    host.pumpMessages();
    host.appendLog(QStringLiteral("FFmpeg done."));
    host.saveLog(host.AppDataDir() + QStringLiteral("render.log"));
    return 1;
}

} // namespace vistarel::render
