#include "render/tools/fitfilter.h"

#include <algorithm>

namespace vistarel::render {

namespace {

// The blurred background is made at a quarter of the frame, rounded down to even.
int blurSize(int frameSize)
{
    return std::max(2, 2 * (frameSize / 8));
}

} // namespace

QString BuildFitFilter(int W, int H, bool stretch, bool blur)
{
    const QString w = QString::number(W);
    const QString h = QString::number(H);
    if (stretch)
        return QStringLiteral("scale=%1:%2:flags=lanczos,setsar=1").arg(w, h);
    if (blur) {
        const QString bw = QString::number(blurSize(W));
        const QString bh = QString::number(blurSize(H));
        return QStringLiteral("split[blurA][blurB];"
                              "[blurA]scale=%1:%2:force_original_aspect_ratio=increase,"
                              "crop=%1:%2,boxblur=6:3,scale=%3:%4:flags=bicubic[blurBg];"
                              "[blurB]scale=%3:%4:force_original_aspect_ratio=decrease:"
                              "flags=lanczos[blurFg];"
                              "[blurBg][blurFg]overlay=(main_w-overlay_w)/2:(main_h-overlay_h)/2,"
                              "setsar=1")
            .arg(bw, bh, w, h);
    }
    return QStringLiteral("scale=%1:%2:force_original_aspect_ratio=decrease:flags=lanczos,"
                          "pad=%1:%2:(ow-iw)/2:(oh-ih)/2:black,setsar=1")
        .arg(w, h);
}

} // namespace vistarel::render
