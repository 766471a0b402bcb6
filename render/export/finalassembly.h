#pragma once

#include "render/export/segments.h"
#include "render/host.h"

#include <QString>
#include <QStringList>

namespace vistarel::render {

// The final encode: turns the export's list file in host.AppDataDir() ("segments.txt"
// when `segments` is not empty, else "frames.txt") into outputFolder/outputName, with the
// music files (played in order, repeated to cover the video when `repeat`, faded out over
// the last 3 s, lowered or silenced under clips by their audio mode). Drives the progress
// ring from 50 to 100, writes the render log and saves it as "render.log".
// Returns 1 when the encoder succeeded, 0 otherwise (ffmpeg missing: message box; encoder
// error or cancel: the render-error dialog). Whether the output exists is for the caller
// to check. On the host's thread.
int RunFFmpeg(Host& host, const TSlideSegments& segments, const QString& outputFolder,
              const QString& outputName, double TotalFrameCount, const QStringList& musicFiles,
              bool repeat);

} // namespace vistarel::render
