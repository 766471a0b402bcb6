#include "render/export/timeline.h"

#include "project/optionlists.h"
#include "render/tools/mediaprobe.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vistarel::render {

namespace {

const QString kDurationPrefix = QStringLiteral("duration ");

// Round half to even into an int, saturating instead of overflowing.
int roundToInt(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded > double(INT_MIN)))
        return rounded < 0 ? INT_MIN : 0; // NaN counts 0
    return rounded >= double(INT_MAX) ? INT_MAX : int(rounded);
}

} // namespace

SlideSettings resolveSlideSettings(const project::TMyImageInfo* record, bool firstSlide)
{
    SlideSettings settings;
    if (!record) {
        settings.effect = firstSlide ? kFadeInEffect : 0;
        return settings;
    }
    settings.effect = record->Transition & 0xFF;
    settings.transitionMs = project::transitionMsOfPosition(record->TransitionDuration);
    settings.displaySeconds = project::displaySecondsOfDuration(record->Duration);
    settings.stretch = record->Stretch;
    settings.blur = record->BlurBackground && !record->Stretch;
    return settings;
}

int transitionFrameCount(std::int64_t transitionMs)
{
    return std::max(2, roundToInt(double(transitionMs) / 1000.0 * kFramesPerSecond));
}

int framesOfSeconds(double seconds)
{
    return roundToInt(seconds * kFramesPerSecond);
}

int estimateFrameTotal(const std::vector<SlideFacts>& slides)
{
    std::int64_t total = 0;
    for (const SlideFacts& slide : slides) {
        std::int64_t ms = 1000;
        if (slide.record && slide.record->TransitionDuration >= 0 &&
            slide.record->TransitionDuration <= 9)
            ms = project::transitionMsOfPosition(slide.record->TransitionDuration);
        total += framesOfSeconds(double(ms) / 1000.0);
        if (slide.isVideo)
            total += framesOfSeconds(slide.clipSeconds);
        else
            total += std::int64_t(resolveSlideSettings(slide.record, false).displaySeconds) *
                     kFramesPerSecond;
    }
    return int(std::clamp<std::int64_t>(total, INT_MIN, INT_MAX));
}

QString concatFileLine(const QString& path)
{
    QString escaped = path;
    escaped.replace(u'\'', QStringLiteral("'\\''"));
    return QStringLiteral("file '") + escaped + u'\'';
}

QString concatDurationLine(double seconds)
{
    return kDurationPrefix + QString::number(seconds, 'f', 5);
}

QString fallbackDurationLine()
{
    return QStringLiteral("duration 0.04");
}

double sumListDurations(const QStringList& lines)
{
    double sum = 0;
    for (const QString& line : lines) {
        if (line.startsWith(kDurationPrefix))
            sum += parseToolNumber(line.mid(kDurationPrefix.size()));
    }
    return sum;
}

QStringList closedRunList(QStringList lines)
{
    if (lines.size() >= 2 && lines.last().startsWith(kDurationPrefix))
        lines.append(lines[lines.size() - 2]);
    return lines;
}

QStringList closedFramesList(QStringList lines)
{
    if (lines.size() >= 2 && lines.last().startsWith(kDurationPrefix)) {
        lines.append(lines[lines.size() - 2]);
        lines.append(concatDurationLine(kFrameSeconds));
    }
    return lines;
}

double runEncodeSeconds(const QStringList& lines)
{
    return std::max(kFrameSeconds, sumListDurations(lines));
}

QString withTrailingSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString FrameFileName(const QString& folder, int frameNumber)
{
    return withTrailingSlash(folder) + QString::asprintf("frame_%08d.jpg", frameNumber);
}

QString SegmentFileName(const QString& folder, int segmentNumber)
{
    return withTrailingSlash(folder) + QString::asprintf("seg_%03d.mkv", segmentNumber);
}

QString runListFileName(const QString& folder, int segmentNumber)
{
    return withTrailingSlash(folder) + QString::asprintf("run_%03d.txt", segmentNumber);
}

QString clipOverlayFileName(const QString& folder, int segmentNumber)
{
    return withTrailingSlash(folder) + QString::asprintf("clipsub_%03d.png", segmentNumber);
}

int exportPercent(double framesDone, int frameTotal)
{
    return int(std::clamp(std::nearbyint(framesDone / frameTotal * 50), 0.0, 50.0));
}

} // namespace vistarel::render
