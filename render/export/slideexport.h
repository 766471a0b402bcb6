#pragma once

#include "render/export/segments.h"
#include "render/host.h"
#include "render/tools/toolrunner.h"

#include <QString>

#include <cstdint>

namespace vistarel::project {
class SlideList;
}

namespace vistarel::render {

// Turns the slide list into the material of the final encode, in `folder` (the work
// folder): pictures and transition frames as JPEG files, runs of them and every clip as
// segments listed in "segments.txt" (when the list has a clip; `FSegments` then holds
// them), or one list of all frames "frames.txt" (pictures only; `FSegments` stays empty).
// Fills the progress ring from 0 to 50, empties the render log first, and writes the
// non-fatal problems to "error.log" in host.AppDataDir().
// Returns the video's length in 25 fps frames; 0 for an empty slide list or when the
// export failed. A failure (a missing tool, a clip that cannot be read or encoded, a
// cancel) has set host.ActionCanceled and shown its own dialog. On the host's thread;
// frames are drawn and written on the worker threads.
int ExportSlideshowToFrames(Host& host, const project::SlideList& slides,
                            TSlideSegments& FSegments, const QString& folder, int W, int H);

// One clip as a segment.
struct ClipSegmentRequest
{
    QString clip;
    QString segment;
    QString overlay; // subtitle overlay picture; used only when the file exists
    int width = 0;
    int height = 0;
    bool stretch = false;
    bool blur = false;
    std::int32_t audioMode = 0; // 1 replaces the clip's sound by silence
    double seconds = 0;         // the clip's length
    bool hasSound = false;
};

// Encodes the clip's segment (deleting an old one first) through RunTool, reporting the
// encoder's frame numbers to `onFrame`. True when the encoder succeeded and the segment
// exists. On the host's thread.
bool EncodeClipSegment(Host& host, const ClipSegmentRequest& request,
                       const TFrameProgress& onFrame);

} // namespace vistarel::render
