#pragma once

#include "render/host.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace vistarel::render {

// Called with the frame number an encoder has just reported (always > 0).
using TFrameProgress = std::function<void(std::int32_t)>;
// Receives the tool's output chunk by chunk, in arrival order. A chunk may end inside a
// line and may hold several lines.
using TOutputConsumer = std::function<void(const QString&)>;

// Exit code of a run that was cancelled through host.ActionCanceled.
inline constexpr int kRunCancelled = 5;
// Exit code of a run whose tool could not be started (never a real exit code here).
inline constexpr int kRunNotStarted = -1;

// Full paths of the tools: the folder of the running executable + "ffmpeg" / "ffprobe".
// The search path is never consulted, and the files are not checked for existence.
QString GetFFmpegPath();
QString GetFFProbePath();

// Runs `tool` (a full path) with `arguments` split as by splitArgumentText (no shell),
// the current directory host.AppDataDir(), standard input /dev/null, and standard
// output and error merged into one pipe whose text (UTF-8) goes to `consumer` in chunks
// of at most 2400 bytes. Waits at most 100 ms per pass and calls host.pumpMessages()
// every pass; the output written just before the tool ends is still delivered. When
// host.ActionCanceled is seen, the tool and all its descendants are killed and the
// result is kRunCancelled. Otherwise the result is the tool's exit code (128 + signal
// number when a signal ended it). A tool that cannot be started gives kRunNotStarted,
// and the consumer gets one chunk that names the tool and the reason.
// Call on the thread that owns the host; writes nothing to the log.
int RunProcess(Host& host, const QString& tool, const QString& arguments,
               const TOutputConsumer& consumer);

// The logged run: adds "> <tool file name> <arguments>" to the log, runs the tool
// through RunProcess, calls onFrame (if given) with ParseFrameNumber of each chunk when
// that is > 0, replaces *output (if given) with the collected text split into lines, and
// adds "Exitcode <code>: <trimmed collected text>" to the log when the code is not 0
// (for a tool that cannot be started: "Exitcode -1: " and the reason; the output list
// is then empty). Returns the exit code as RunProcess does.
int RunTool(Host& host, const QString& tool, const QString& arguments, QStringList* output,
            const TFrameProgress& onFrame);

// The number after the first "frame=" in `text`: non-digits are skipped until the first
// digit, then digits are read up to the first non-digit. 0 when there is no "frame=",
// no digit after it, or the digits overflow a 32-bit integer. Pure.
int ParseFrameNumber(const QString& text);

// Splits a text into lines at CR LF, LF or CR; a final line break ends the last line
// and adds no empty one. Pure.
QStringList splitOutputLines(const QString& text);

// Progress ring value while the final encode reports `frame` of `totalFrameCount`
// frames: 50 + round-half-even(frame / total × 50), at most 100; -1 when frame <= 0 or
// total <= 0 (no value then). Pure.
int finalEncodePercent(int frame, double totalFrameCount);

// The output consumer of the final encode: adds each chunk, trimmed, to the log, and
// moves the progress ring from 50 to 100 by the frame numbers of the chunk's lines
// (carriage returns removed, split at line feeds), pumping messages whenever the value
// is a multiple of 5. Holds a reference to the host; use it within the run.
class FinalEncodeReader
{
public:
    FinalEncodeReader(Host& host, double TotalFrameCount);
    void operator()(const QString& chunk) const;

private:
    Host* m_host;
    double m_totalFrameCount;
};

// Saves the log as host.AppDataDir() + "render.log" (a failure is ignored), then shows
// the task dialog for a media file that cannot be read: Str23, Str24 + two line breaks
// + `file`, Str26.
void ShowMediaError(Host& host, const QString& file);
// The same dialog without saving the log (a picture our own decoders cannot read).
void showMediaErrorDialog(Host& host, const QString& file);

// Saves the log as "render.log" (a failure is ignored), then shows the task dialog that
// points to it: Str37, Str38 + two line breaks + the log's path, Str40.
void ShowRenderError(Host& host);

} // namespace vistarel::render
