#include "render/export/segmentcommands.h"

#include "render/tools/argsplit.h"
#include "render/tools/fitfilter.h"

namespace vistarel::render {

QString imageRunArguments(const QString& runList, double seconds, const QString& segment)
{
    return QStringLiteral("-y -f concat -safe 0 -i ") + quotedArgument(runList) +
           QStringLiteral(" -f lavfi -i anullsrc=r=48000:cl=stereo -map 0:v -map 1:a"
                          " -vf \"fps=25,format=yuv420p\" -c:v libx264 -preset veryfast"
                          " -crf 17 -c:a pcm_s16le -t ") +
           QString::number(seconds, 'f', 5) + QStringLiteral(" -loglevel error ") +
           quotedArgument(segment);
}

QString clipSegmentArguments(const ClipSegmentSpec& spec)
{
    const bool withOverlay = !spec.overlay.isEmpty();
    QString arguments = QStringLiteral("-y -i ") + quotedArgument(spec.clip) + u' ';
    if (withOverlay)
        arguments += QStringLiteral("-i ") + quotedArgument(spec.overlay) + u' ';
    if (!spec.keepSound)
        arguments += QStringLiteral("-f lavfi -i anullsrc=r=48000:cl=stereo ");

    QString video = QStringLiteral("[0:v]") +
                    BuildFitFilter(spec.width, spec.height, spec.stretch, spec.blur) +
                    QStringLiteral(",fps=25,format=yuv420p");
    video += withOverlay
                 ? QStringLiteral("[bg];[bg][1:v]overlay=0:0:format=auto,format=yuv420p[v]")
                 : QStringLiteral("[v]");
    const QString sound =
        spec.keepSound
            ? QStringLiteral("[0:a:0]aresample=48000,aformat=sample_fmts=s16:"
                             "channel_layouts=stereo,apad[a]")
            : QStringLiteral("[%1:a]aformat=sample_fmts=s16:channel_layouts=stereo[a]")
                  .arg(withOverlay ? 2 : 1);

    arguments += QStringLiteral("-filter_complex \"") + video + u';' + sound +
                 QStringLiteral("\" -map \"[v]\" -map \"[a]\" -t ") +
                 QString::number(spec.seconds, 'f', 3) +
                 QStringLiteral(" -c:v libx264 -preset veryfast -crf 17 -c:a pcm_s16le"
                                " -loglevel error -stats ") +
                 quotedArgument(spec.segment);
    return arguments;
}

} // namespace vistarel::render
