#pragma once

#include "project/myimageinfo.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The timeline of an export as values: how each slide is shown, how many frames its
// transition has, the concat list lines and the work-file names. Everything here is pure.
namespace vistarel::render {

inline constexpr int kFramesPerSecond = 25;
// The playing time of one transition frame, in seconds.
inline constexpr double kFrameSeconds = 0.04;
// The ordinal of the fade-in a first slide without settings gets.
inline constexpr int kFadeInEffect = 3;

// How one slide enters and stays on screen.
struct SlideSettings
{
    int effect = 0;                // transition ordinal into the slide, 0 = none
    std::int64_t transitionMs = 1000;
    int displaySeconds = 5;        // a picture's still time
    bool stretch = false;
    bool blur = false;             // blurred background (never together with stretch)

    friend bool operator==(const SlideSettings&, const SlideSettings&) = default;
};

// The settings of a slide from its record (nullptr: the slide has none). A first slide
// without record fades in from black for one second; a later one has no transition.
SlideSettings resolveSlideSettings(const project::TMyImageInfo* record, bool firstSlide);

// The number of frames of a transition of `transitionMs`: 25 per second, rounded half to
// even, at least 2.
int transitionFrameCount(std::int64_t transitionMs);

// Seconds as a whole number of 25 fps frames, rounded half to even.
int framesOfSeconds(double seconds);

// What the progress estimate needs of one slide.
struct SlideFacts
{
    const project::TMyImageInfo* record = nullptr;
    bool isVideo = false;
    double clipSeconds = 0; // clips only
};

// The frame total that scales the export's progress: every slide counts a transition
// (1000 ms when its record has no duration position 0..9, even with effect 0), a picture
// its still time, a clip its own length.
int estimateFrameTotal(const std::vector<SlideFacts>& slides);

// ---- concat list lines ----

// "file '<path>'", the path escaped the concat format's way (a single quote becomes
// '\'' so that any path can be read back).
QString concatFileLine(const QString& path);
// "duration <seconds with five decimals>", point as decimal separator.
QString concatDurationLine(double seconds);
// The duration line of the single frame that stands in for a failed transition.
QString fallbackDurationLine();

// The sum of the values of all "duration " lines (lines whose value is not a number
// count 0).
double sumListDurations(const QStringList& lines);

// A run list ready for its segment: when it ends with a duration line, its last file
// line is repeated once more, without duration (the demuxer drops the last entry's
// duration otherwise).
QStringList closedRunList(QStringList lines);
// The frames list of a show of pictures only: as closedRunList, with one more frame
// time after the repeated line.
QStringList closedFramesList(QStringList lines);

// The seconds an image run is encoded for: its sum of durations, at least one frame.
double runEncodeSeconds(const QStringList& lines);

// ---- work files ----

// Folder with a trailing '/'.
QString withTrailingSlash(const QString& folder);
// "frame_" + the number in 8 digits + ".jpg" in the folder.
QString FrameFileName(const QString& folder, int frameNumber);
// "seg_" + the number in at least 3 digits + ".mkv" in the folder.
QString SegmentFileName(const QString& folder, int segmentNumber);
// "run_%03d.txt" in the folder.
QString runListFileName(const QString& folder, int segmentNumber);
// "clipsub_%03d.png" in the folder.
QString clipOverlayFileName(const QString& folder, int segmentNumber);

// The export's share of the progress ring, 0..50 rounded half to even, after framesDone
// of frameTotal (> 0) frames.
int exportPercent(double framesDone, int frameTotal);

} // namespace vistarel::render
