#include "render/export/musicgraph.h"

#include "render/tools/argsplit.h"

#include <algorithm>
#include <cmath>

namespace vistarel::render {

namespace {

constexpr double kFadeSeconds = 3;
constexpr double kRampSeconds = 0.6;
constexpr int kMaxLoops = 50;

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

FinalTiming finalTiming(double totalFrameCount)
{
    FinalTiming timing;
    timing.videoSeconds = totalFrameCount / 25.0;
    timing.fadeSeconds = std::min(kFadeSeconds, timing.videoSeconds);
    timing.fadeStart = std::max(0.0, timing.videoSeconds - timing.fadeSeconds);
    timing.L2 = twoDecimals(timing.videoSeconds);
    timing.F2 = twoDecimals(timing.fadeSeconds);
    timing.S2 = twoDecimals(timing.fadeStart);
    return timing;
}

double musicLevel(std::int32_t audioMode)
{
    if (audioMode == 0)
        return 0;
    if (audioMode == 2)
        return 0.25;
    return 1;
}

QString envelopeNumber(double value)
{
    QString text = QString::number(value, 'f', 3);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString BuildMusicEnvelope(const TSlideSegments& segments)
{
    if (segments.empty())
        return {};
    const double first = musicLevel(segments.front().AudioMode);
    QString expression = envelopeNumber(first);
    double start = 0;
    double previous = first;
    bool ramps = false;
    for (std::size_t i = 1; i < segments.size(); ++i) {
        start += segments[i - 1].Duration;
        const double level = musicLevel(segments[i].AudioMode);
        if (std::abs(level - previous) > 0.0001) {
            expression += QStringLiteral("+(%1)*clip((t-(%2))/%3,0,1)")
                              .arg(envelopeNumber(level - previous),
                                   envelopeNumber(start - kRampSeconds / 2),
                                   envelopeNumber(kRampSeconds));
            ramps = true;
        }
        previous = level;
    }
    if (!ramps && std::abs(first - 1) < 0.0001)
        return {};
    return expression;
}

QStringList musicEntries(const QStringList& files)
{
    QStringList entries;
    for (const QString& file : files) {
        const QString trimmed = file.trimmed();
        if (!trimmed.isEmpty())
            entries << trimmed;
    }
    return entries;
}

int neededLoops(double videoSeconds, double totalMusicSeconds)
{
    if (!(totalMusicSeconds > 0.01))
        return 1;
    const double loops = std::ceil(videoSeconds / totalMusicSeconds);
    return int(std::clamp(loops, 1.0, double(kMaxLoops)));
}

MusicGraph buildMusicGraph(const QStringList& entries, int loops, const FinalTiming& timing)
{
    MusicGraph music;
    QString chains;
    QString labels;
    int input = 0;
    for (int round = 0; round < loops; ++round) {
        for (const QString& entry : entries) {
            ++input;
            music.inputs += QStringLiteral(" -i ") + quotedArgument(entry);
            chains += QStringLiteral("[%1:a]aresample=48000, "
                                     "aformat=sample_fmts=fltp:channel_layouts=stereo[a%1];")
                          .arg(input);
            labels += QStringLiteral("[a%1]").arg(input);
        }
    }
    if (input == 1)
        music.graph = chains + QStringLiteral("[a1]afade=t=out:st=%1:d=%2[aout]")
                                   .arg(timing.S2, timing.F2);
    else
        music.graph = chains + labels +
                      QStringLiteral("concat=n=%1:v=0:a=1,afade=t=out:st=%2:d=%3[aout]")
                          .arg(QString::number(input), timing.S2, timing.F2);
    return music;
}

QString withDucking(const QString& musicGraph, const TSlideSegments& segments)
{
    QString graph = musicGraph;
    graph.chop(6); // "[aout]"
    const QString envelope = BuildMusicEnvelope(segments);
    if (envelope.isEmpty())
        graph += QStringLiteral("[mus];");
    else
        graph += QStringLiteral("[mus0];[mus0]volume='") + envelope +
                 QStringLiteral("':eval=frame[mus];");
    graph += QStringLiteral(
        "[0:a]aresample=48000,aformat=sample_fmts=fltp:channel_layouts=stereo[orig];"
        "[orig][mus]amix=inputs=2:duration=first:dropout_transition=0:normalize=0[aout]");
    return graph;
}

QString commandWithoutMusic(const QString& listFile, bool hasSegments, const FinalTiming& timing,
                            const QString& output)
{
    const QString audio = hasSegments ? QStringLiteral("-c:a aac -b:a 192k ")
                                      : QStringLiteral("-t ") + timing.L2 + u' ';
    return QStringLiteral("-y -f concat -safe 0 -i ") + quotedArgument(listFile) +
           QStringLiteral(" -pix_fmt yuv420p -vf ") + quotedArgument(QStringLiteral("fps=25")) + u' ' +
           audio + QStringLiteral("-loglevel error -stats ") + quotedArgument(output);
}

QString commandWithMusic(const QString& listFile, const MusicGraph& music,
                         const FinalTiming& timing, const QString& output)
{
    return QStringLiteral("-y -f concat -safe 0 -i ") + quotedArgument(listFile) + u' ' + music.inputs +
           u' ' + QStringLiteral("-c:v libx264 -pix_fmt yuv420p -vf ") +
           quotedArgument(QStringLiteral("fps=25")) + u' ' + QStringLiteral("-filter_complex ") +
           quotedArgument(music.graph) + u' ' + QStringLiteral("-map 0:v:0 -map [aout] ") +
           QStringLiteral("-c:a aac -b:a 192k ") + QStringLiteral("-t ") + timing.L2 + u' ' +
           QStringLiteral("-loglevel error -stats ") + quotedArgument(output);
}

} // namespace vistarel::render
