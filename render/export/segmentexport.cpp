#include "project/myimageinfo.h"
#include "project/optionlists.h"
#include "project/slidelist.h"
#include "render/export/exporter.h"
#include "render/export/segmentcommands.h"
#include "render/export/slideexport.h"
#include "render/export/workfolder.h"
#include "render/picture/subtitleoverlay.h"
#include "render/tools/mediaprobe.h"
#include "render/tools/toolrunner.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace vistarel::render {

bool SlideshowExporter::FlushImageRun()
{
    if (m_run.isEmpty())
        return true;
    m_writer.finish(); // the encoder reads the run's frames
    const double seconds = runEncodeSeconds(m_run);
    const QString runFile = runListFileName(m_folder, segmentNumber());
    const QString segment = SegmentFileName(m_folder, segmentNumber());
    SaveListUtf8(closedRunList(m_run), runFile);
    const int exitCode = RunTool(m_host, GetFFmpegPath(),
                                 imageRunArguments(runFile, seconds, segment), nullptr, {});
    if (exitCode == 0 && QFile::exists(segment)) {
        m_run.clear();
        const double measured = GetMediaDurationFFProbe(m_host, segment);
        AddSegment(segment, measured > 0 ? measured : seconds, -1);
        return true;
    }
    if (!m_host.ActionCanceled) {
        m_errors << QStringLiteral("Fehler beim Erzeugen des Bild-Segments ") + segment;
        ShowRenderError(m_host);
        m_host.ActionCanceled = true;
    }
    return false;
}

bool SlideshowExporter::ProcessClip(int index, const project::TMyImageInfo* record, bool stretch,
                                    bool blur, bool& lastFrameOk)
{
    lastFrameOk = false;
    if (!FlushImageRun())
        return false;
    const QString clip = m_slides.fileName(index);
    const double clipSeconds = m_facts[std::size_t(index)].clipSeconds;

    ClipSegmentRequest request;
    request.clip = clip;
    request.segment = SegmentFileName(m_folder, segmentNumber());
    request.overlay = clipOverlay(index, record);
    request.width = m_W;
    request.height = m_H;
    request.stretch = stretch;
    request.blur = blur;
    request.audioMode = record ? std::int32_t(project::audioModeOf(record->AudioMode)) : 0;
    request.seconds = clipSeconds;
    request.hasSound = m_hasSound[std::size_t(index)];

    Host* host = &m_host;
    const int baseFrames = m_framesDone;
    const int baseTotal = m_frameTotal;
    const TFrameProgress onFrame = [host, baseFrames, baseTotal](std::int32_t frame) {
        if (baseTotal > 0)
            host->setProgress(exportPercent(double(frame) + baseFrames, baseTotal));
    };
    if (!EncodeClipSegment(m_host, request, onFrame)) {
        if (!m_host.ActionCanceled) {
            m_errors << QStringLiteral("Fehler beim Erzeugen des Clip-Segments: ") + clip;
            ShowRenderError(m_host);
            m_host.ActionCanceled = true;
        }
        return false;
    }
    const double measured = GetMediaDurationFFProbe(m_host, request.segment);
    AddSegment(request.segment, measured > 0 ? measured : clipSeconds, request.audioMode);
    m_framesDone += framesOfSeconds(clipSeconds);
    ReportFrameProgress();
    // The last frame only starts the transition into the next slide.
    if (nextSlideHasTransition(index))
        lastFrameOk = ExtractClipFrame(m_host, clip, workFile("clip_last.png"), m_W, m_H,
                                       stretch, blur, true);
    return true;
}

// The clip's subtitle as a transparent picture named after the clip's segment; empty
// when the clip has none or it cannot be made (noted in the error list).
QString SlideshowExporter::clipOverlay(int index, const project::TMyImageInfo* record)
{
    if (!record || record->Subtitle.trimmed().isEmpty())
        return {};
    const QString overlay = clipOverlayFileName(m_folder, segmentNumber());
    if (RenderClipSubtitleOverlay(overlay, record->Subtitle, record->Font, record->FontColor,
                                  record->FontSize, m_W, m_H))
        return overlay;
    m_errors << QStringLiteral("Untertitel-Overlay konnte nicht erzeugt werden: ") +
                    m_slides.fileName(index);
    return {};
}

void SlideshowExporter::AddSegment(const QString& file, double duration, std::int32_t audioMode)
{
    m_segments.push_back({file, duration, audioMode});
}

bool EncodeClipSegment(Host& host, const ClipSegmentRequest& request,
                       const TFrameProgress& onFrame)
{
    ClipSegmentSpec spec;
    spec.clip = request.clip;
    spec.segment = request.segment;
    if (!request.overlay.isEmpty() && QFile::exists(request.overlay))
        spec.overlay = request.overlay;
    spec.width = request.width;
    spec.height = request.height;
    spec.stretch = request.stretch;
    spec.blur = request.blur;
    spec.keepSound = (request.audioMode == 0 || request.audioMode == 2) && request.hasSound;
    spec.seconds = request.seconds;

    QFile::remove(request.segment);
    const int exitCode =
        RunTool(host, GetFFmpegPath(), clipSegmentArguments(spec), nullptr, onFrame);
    return exitCode == 0 && QFile::exists(request.segment);
}

} // namespace vistarel::render
