#pragma once

#include "render/host.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace vistarel::project {
class SlideList;
struct OutputSettings;
}

namespace vistarel::render {

// The step-3 values a render job reads, as the window (or the command line) holds them.
struct RenderJobSettings
{
    QString outputFile;       // the output file text
    bool saveJobFile = false; // write the project to jobFile before rendering
    QString jobFile;
    bool withMusic = false;
    QStringList musicFiles;   // full paths, in playing order
    bool repeatMusic = false;
    QString widthText;        // the resolution edits, as typed
    QString heightText;
};

// The job settings of a project's step-3 values (music and repeat at position 0 mean
// "ja"); the job file is not asked for.
RenderJobSettings jobSettingsOf(const project::OutputSettings& output);

// The steps of a job the window shows.
enum class RenderStage {
    Started,   // the progress page appears; its button cancels
    Exporting, // slides, transitions and segments
    Encoding,  // the final encode
    Succeeded,
    Failed,    // failed or cancelled
};

// The message id of the state line for a stage (0: an empty line) and of the progress
// page's button caption (cancel while running, close afterwards).
int stageStateMessage(RenderStage stage);
int stageButtonMessage(RenderStage stage);

struct RenderJobHooks
{
    // Writes the project to the job file (the window owns the project writer and its
    // dialogs). Called before anything is rendered, when the settings ask for it.
    std::function<void(const QString& jobFile)> writeJobFile;
    // Told at every stage, on the job's thread.
    std::function<void(RenderStage)> stageChanged;
    // Open the finished video with the desktop's player (host.openFile).
    bool openVideo = true;
    // Leave the work files in the work folder (for looking at them).
    bool keepWorkFiles = false;
};

enum class RenderOutcome {
    Refused,   // a check failed or another job runs; a dialog said why, nothing started
    Succeeded, // the video exists
    Failed,    // failed or cancelled; an output the job had begun to write is deleted
};

struct RenderJobResult
{
    RenderOutcome outcome = RenderOutcome::Refused;
    QString outputFile; // the absolute path of the video
    int frames = 0;     // the export's frame count
};

// The render job: checks the settings (output name, job file, music files, frame size),
// takes the work-folder lock, writes the job file when asked, exports the slides into
// host.AppDataDir() (progress 0..50), runs the final encode (50..100), removes the work
// files, and then opens the video or deletes an incomplete one. Resets
// host.ActionCanceled at the start; setting it cancels the job. Runs on the host's thread
// and returns when the job has ended.
RenderJobResult runRenderJob(Host& host, const project::SlideList& slides,
                             const RenderJobSettings& settings, const RenderJobHooks& hooks);

// ---- the checks, as values ----

// The instruction, content and footer message ids of a refused job.
using MessageTriple = std::array<int, 3>;

// The first check the settings fail (output name, job file, music files, frame size), or
// nullopt when they pass. `exists` tells whether a music file exists.
std::optional<MessageTriple> checkRenderSettings(const RenderJobSettings& settings,
                                                 const std::function<bool(const QString&)>& exists);

// The frame size of the resolution texts: whole positive even numbers up to
// kMaxFrameSide (the H.264 picture needs even sides); nullopt otherwise.
std::optional<QSize> parseFrameSize(const QString& widthText, const QString& heightText);
inline constexpr int kMaxFrameSide = 8192;

// Message ids of the job's own refusals.
inline constexpr MessageTriple kBadFrameSizeMessages{100, 101, 102};
inline constexpr MessageTriple kJobRunningMessages{103, 104, 105};
inline constexpr MessageTriple kOutputFolderMessages{106, 107, 108};

} // namespace vistarel::render
