#include "render/export/slideexport.h"

#include "project/mediakind.h"
#include "project/slidelist.h"
#include "render/export/exporter.h"
#include "render/export/workfolder.h"
#include "render/picture/compose.h"
#include "render/picture/pictureloader.h"
#include "render/tools/mediaprobe.h"
#include "render/transitions/transitionrun.h"
#include "subtitle/subtitledraw.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vistarel::render {

namespace {

PreparedPicture preparePicture(const QString& file, int W, int H, const SlideSettings& settings,
                               ResampleFilter filter)
{
    PreparedPicture prepared;
    prepared.picture = decodePicture(file, FitHint{{W, H}, settings.stretch});
    prepared.loaded = !prepared.picture.isNull();
    ComposeSlidePicture(prepared.picture, W, H, settings.stretch, settings.blur, filter);
    return prepared;
}

// Waits for a worker's result while keeping the window alive.
template <typename T> T waitPumping(Host& host, QFuture<T>& future)
{
    while (!future.isFinished()) {
        QThread::msleep(2);
        host.pumpIfDue();
    }
    return future.result();
}

} // namespace

SlideshowExporter::SlideshowExporter(Host& host, const project::SlideList& slides,
                                     TSlideSegments& segments, const QString& folder, int W,
                                     int H)
    : m_host(host)
    , m_slides(slides)
    , m_segments(segments)
    , m_folder(withTrailingSlash(folder))
    , m_W(W)
    , m_H(H)
    , m_writer(host)
{
}

int SlideshowExporter::run()
{
    const int count = m_slides.count();
    if (count == 0)
        return 0;
    m_host.setProgress(0);
    m_host.pumpMessages();
    m_segments.clear();
    m_host.clearLog();
    // An error log left by an earlier render would be taken for this one's.
    QFile::remove(m_host.AppDataDir() + QStringLiteral("error.log"));
    if (!probeClips())
        return 0;
    m_frameTotal = estimateFrameTotal(m_facts);

    for (int i = 0; i < count; ++i) {
        if (i > 0 && m_host.ActionCanceled)
            return fail();
        if (!exportSlide(i))
            return fail();
    }
    // A cancel during the last slide's frames ends the export as well.
    if (m_host.ActionCanceled)
        return fail();

    const bool hasClip = std::any_of(m_facts.begin(), m_facts.end(),
                                     [](const SlideFacts& facts) { return facts.isVideo; });
    const int result = hasClip ? finishSegments() : finishFrames();
    if (result < 0)
        return fail();
    m_host.setProgress(50);
    if (!m_errors.isEmpty())
        SaveListUtf8(m_errors, m_host.AppDataDir() + QStringLiteral("error.log"));
    return result;
}

bool SlideshowExporter::clipToolsPresent()
{
    for (const QString& tool : {GetFFmpegPath(), GetFFProbePath()}) {
        if (!QFileInfo::exists(tool)) {
            m_host.messageBox(m_host.message(32) + tool);
            m_host.ActionCanceled = true;
            return false;
        }
    }
    return true;
}

bool SlideshowExporter::probeClips()
{
    const int count = m_slides.count();
    m_facts.assign(std::size_t(count), SlideFacts{});
    m_hasSound.assign(std::size_t(count), false);
    bool toolsFound = false;
    for (int i = 0; i < count; ++i) {
        SlideFacts& facts = m_facts[std::size_t(i)];
        const QString file = m_slides.fileName(i);
        facts.record = m_slides.settings(i);
        facts.isVideo = project::IsVideoFile(file);
        if (!facts.isVideo)
            continue;
        // The tools are looked for once, at the first clip.
        if (!toolsFound && !clipToolsPresent())
            return false;
        toolsFound = true;
        bool hasSound = false;
        if (!ProbeVideoClip(m_host, file, facts.clipSeconds, hasSound)) {
            ShowMediaError(m_host, file);
            m_host.ActionCanceled = true;
            return false;
        }
        m_hasSound[std::size_t(i)] = hasSound;
    }
    return true;
}

// The first slide is composed into the previous picture (it is where the next transition
// starts), every later one into the current picture.
bool SlideshowExporter::exportSlide(int index)
{
    const bool first = index == 0;
    const project::TMyImageInfo* record = m_slides.settings(index);
    const SlideSettings settings = resolveSlideSettings(record, first);
    QImage& target = first ? m_previous : m_current;
    const QString file = m_slides.fileName(index);

    if (isVideo(index)) {
        if (!loadClipFrame(file, settings, target))
            return false;
    } else {
        target = takePicture(index);
    }
    if (index + 1 < m_slides.count() && !isVideo(index + 1))
        startPicture(index + 1);

    if (settings.effect != 0) {
        const QImage start = first ? QImage() : m_previous;
        renderTransition(index, start, target, settings);
    }
    if (!isVideo(index)) {
        writeStill(index, target, settings);
        if (!first)
            m_previous = m_current;
        return true;
    }
    bool lastFrameOk = false;
    if (!ProcessClip(index, record, settings.stretch, settings.blur, lastFrameOk))
        return false;
    if (lastFrameOk) {
        LoadPictureFile(m_host, m_previous, workFile("clip_last.png"));
        CenterOnBlack(m_previous, m_W, m_H);
    } else if (!first) {
        m_previous = m_current;
    }
    return true;
}

bool SlideshowExporter::nextSlideHasTransition(int index) const
{
    return index + 1 < m_slides.count() &&
           resolveSlideSettings(m_slides.settings(index + 1), false).effect != 0;
}

bool SlideshowExporter::loadClipFrame(const QString& clip, const SlideSettings& settings,
                                      QImage& into)
{
    const QString grabbed = workFile("clip_first.png");
    if (!ExtractClipFrame(m_host, clip, grabbed, m_W, m_H, settings.stretch, settings.blur,
                          false)) {
        ShowMediaError(m_host, clip);
        m_host.ActionCanceled = true;
        return false;
    }
    LoadPictureFile(m_host, into, grabbed);
    // The grab is frame-sized; a picture that could not be read becomes a black frame.
    CenterOnBlack(into, m_W, m_H);
    return true;
}

void SlideshowExporter::startPicture(int index)
{
    if (m_preparedIndex == index)
        return;
    const SlideSettings settings = resolveSlideSettings(m_slides.settings(index), index == 0);
    // The first slide of a show is fitted with the sharper filter.
    const ResampleFilter filter = index == 0 ? ResampleFilter::Lanczos3 : ResampleFilter::FastLinear;
    m_prepared = QtConcurrent::run(preparePicture, m_slides.fileName(index), m_W, m_H, settings,
                                   filter);
    m_preparedIndex = index;
}

QImage SlideshowExporter::takePicture(int index)
{
    startPicture(index);
    PreparedPicture prepared = waitPumping(m_host, m_prepared);
    m_preparedIndex = -1;
    m_prepared = {};
    // The slide goes on as a black frame after the loader's dialog.
    if (!prepared.loaded)
        showPictureLoadError(m_host, m_slides.fileName(index));
    return prepared.picture;
}

void SlideshowExporter::renderTransition(int index, const QImage& start, const QImage& target,
                                         const SlideSettings& settings)
{
    QImage from = start;
    if (from.isNull()) {
        from = QImage(m_W, m_H, QImage::Format_RGB888);
        from.fill(Qt::black);
    }
    auto run = std::make_shared<const transitions::TransitionRun>(settings.effect, from, target);
    if (!run->isValid()) {
        writeFallbackFrame(index, target, run->errorString());
        return;
    }
    const int frames = transitionFrameCount(settings.transitionMs);
    const int W = m_W;
    const int H = m_H;
    for (int k = 0; k < frames; ++k) {
        if (m_host.ActionCanceled)
            return;
        const QString path = FrameFileName(m_folder, m_frameNumber);
        const float progress = transitions::frameProgress(k, frames);
        m_writer.submit(path, [run, progress, W, H] {
            QImage out;
            run->render(progress, out);
            CenterOnBlack(out, W, H);
            return out;
        });
        m_run << concatFileLine(path) << concatDurationLine(kFrameSeconds);
        ++m_frameNumber;
        ++m_framesDone;
        ReportFrameProgress();
    }
}

void SlideshowExporter::writeFallbackFrame(int index, const QImage& target, const QString& reason)
{
    m_errors << (index == 0 ? QStringLiteral("Fehler bei Schwarz->Start-Transition: ")
                            : QStringLiteral("Fehler bei Transition Bild %1: ").arg(index)) +
                    reason;
    const QString path = FrameFileName(m_folder, m_frameNumber);
    const int W = m_W;
    const int H = m_H;
    m_writer.submit(path, [target, W, H] {
        QImage out = target;
        CenterOnBlack(out, W, H);
        return out;
    });
    m_run << concatFileLine(path) << fallbackDurationLine();
    ++m_frameNumber;
}

void SlideshowExporter::writeStill(int index, const QImage& picture, const SlideSettings& settings)
{
    const project::TMyImageInfo* record = m_slides.settings(index);
    const project::TMyImageInfo subtitle = record ? *record : project::TMyImageInfo{};
    const QString path = FrameFileName(m_folder, m_frameNumber);
    const int W = m_W;
    const int H = m_H;
    m_writer.submit(path, [picture, subtitle, W, H] {
        QImage out = picture;
        CenterOnBlack(out, W, H);
        if (!subtitle.Subtitle.trimmed().isEmpty())
            subtitle::DrawSubtitle(out, subtitle.Subtitle, subtitle.Font, subtitle.FontColor,
                                   subtitle.FontSize);
        return out;
    });
    const int stillFrames = settings.displaySeconds * kFramesPerSecond;
    m_run << concatFileLine(path) << concatDurationLine(double(stillFrames) / kFramesPerSecond);
    ++m_frameNumber;
    m_framesDone += stillFrames;
    ReportFrameProgress();
}

// With clips: the pictures after the last clip become a segment, and the segments are
// listed. Returns the frame count, or -1 on failure.
int SlideshowExporter::finishSegments()
{
    if (!FlushImageRun())
        return -1;
    QStringList lines;
    double seconds = 0;
    for (const TSlideSegment& segment : m_segments) {
        lines << concatFileLine(segment.FileName);
        seconds += segment.Duration;
    }
    SaveListUtf8(lines, workFile("segments.txt"));
    return framesOfSeconds(seconds);
}

// Pictures only: the run is the whole frames list.
int SlideshowExporter::finishFrames()
{
    m_writer.finish();
    const double seconds = sumListDurations(m_run);
    SaveListUtf8(closedFramesList(m_run), workFile("frames.txt"));
    return framesOfSeconds(seconds);
}

void SlideshowExporter::ReportFrameProgress()
{
    if (m_frameTotal > 0 && m_framesDone % 5 == 0)
        m_host.setProgress(exportPercent(m_framesDone, m_frameTotal));
    m_host.pumpIfDue();
}

int SlideshowExporter::fail()
{
    m_host.ActionCanceled = true;
    return 0;
}

int ExportSlideshowToFrames(Host& host, const project::SlideList& slides,
                            TSlideSegments& FSegments, const QString& folder, int W, int H)
{
    SlideshowExporter exporter(host, slides, FSegments, folder, W, H);
    return exporter.run();
}

} // namespace vistarel::render
