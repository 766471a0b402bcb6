#pragma once

#include "render/host.h"

#include <QDateTime>
#include <QString>

namespace vistarel::render {

// All queries below run a tool on the calling thread (see RunTool), pump messages while
// it runs and give up with 0 / false / an empty path when the run is cancelled or fails.

// The container duration of a media file in seconds, from ffprobe beside the
// executable; 0 when unknown. Logged run.
double GetMediaDurationFFProbe(Host& host, const QString& file);

// Duration (seconds; the container's when the first video stream has none) and whether
// the clip has a sound stream. Returns duration > 0. Logged runs.
bool ProbeVideoClip(Host& host, const QString& file, double& duration, bool& hasSound);

// The duration in seconds of a music file, with the given ffprobe; the last value line
// of the output counts and a decimal comma is accepted. 0 when unknown. Not logged.
double GetAudioDurationFFProbe(Host& host, const QString& ffprobePath, const QString& file);

// Writes the clip's first frame (or, fromEnd, its last) fitted into W × H as by
// BuildFitFilter to `target`, whose extension picks the picture format. An existing
// target is deleted first. True when the run succeeded and the target exists.
bool ExtractClipFrame(Host& host, const QString& clip, const QString& target, int W, int H,
                      bool stretch, bool blur, bool fromEnd);

// The path of a JPEG still of the clip (first frame, at most 1280 pixels wide) in the
// cache folder host.AppDataDir() + "cache/", made on the first request for this path
// and modification time; threads asking for the same clip at once share one run. Empty
// when the clip or ffmpeg is missing or the run fails. Callable from any thread.
QString GetVideoThumbnail(Host& host, const QString& clip);

// The cache key of a clip: its path, "|", and the modification time (local time, ISO
// form with milliseconds and UTC offset, so that one installation always writes it the
// same way and no two instants share a text). Pure.
QString thumbnailCacheKey(const QString& clip, const QDateTime& lastModified);

// 32-bit FNV-1a over the UTF-16 code units of `key`, as 8 upper-case hex digits. Pure.
QString HashCacheKey(const QString& key);

// A number as the tools print it: decimal with a point, optional sign and exponent,
// surrounding white space allowed. Anything else (including "N/A" and a decimal comma)
// gives 0. Independent of the locale. Pure.
double parseToolNumber(const QString& text);

} // namespace vistarel::render
