#include "app/previewplayer.h"

#include "app/thumbnailmaker.h"
#include "render/picture/compose.h"
#include "render/picture/pictureloader.h"
#include "render/transitions/transitionrun.h"
#include "subtitle/subtitledraw.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace vistarel::app {

namespace {

using render::transitions::TransitionRun;

constexpr int kTickMs = 4;
constexpr int kLookAheadFrames = 3; // rendered ahead of their time, at most
constexpr int kCachedPictures = 6;

// One composed slide picture at the preview size; null `picture` with `failed` when the
// media could not be read (the picture is then black).
QImage composeSlide(const QString& appDataDir, const PreviewSlide& slide, QSize size, bool& failed)
{
    // The worker's own host: a clip's first frame may have to be made with ffmpeg, and a
    // host is used on one thread only.
    QuietHost host(appDataDir);
    QImage picture = render::loadSlidePicture(host, slide.file, {size, slide.stretch});
    failed = picture.isNull();
    render::ComposeSlidePicture(picture, size.width(), size.height(), slide.stretch, slide.blur,
                                render::ResampleFilter::FastLinear);
    return picture;
}

QImage blackPicture(QSize size)
{
    QImage black(size, QImage::Format_RGB888);
    black.fill(Qt::black);
    return black;
}

} // namespace

struct PreviewPlayer::Composed
{
    QImage previous;
    QImage current;
    QImage still;
    QStringList failedFiles;
    std::shared_ptr<const TransitionRun> run;
};

PreviewPlayer::PreviewPlayer(QString appDataDir, QObject* parent)
    : QObject(parent)
    , m_appDataDir(std::move(appDataDir))
{
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &PreviewPlayer::tick);
}

PreviewPlayer::~PreviewPlayer()
{
    ++m_generation;
    m_pool.clear();
    m_pool.waitForDone();
}

void PreviewPlayer::stop()
{
    ++m_generation;
    m_tick.stop();
    m_run.reset();
    m_ready.clear();
    m_inFlight = 0;
    m_busy = false;
}

void PreviewPlayer::play(const PreviewRequest& request)
{
    stop();
    m_request = request;
    m_busy = true;
    emit preparing();
    const int generation = m_generation;
    const bool transition = !request.stillOnly && request.effect != 0;
    const QString currentKey = cacheKey(request.current, request.size);
    const QString previousKey =
        request.previous ? cacheKey(*request.previous, request.size) : QString();
    const std::optional<QImage> currentCached = cached(currentKey);
    const std::optional<QImage> previousCached = request.previous ? cached(previousKey) : std::nullopt;
    const QString appData = m_appDataDir;
    m_pool.start([this, generation, request, transition, currentCached, previousCached, appData] {
        Composed result;
        bool failed = false;
        result.current = currentCached ? *currentCached
                                       : composeSlide(appData, request.current, request.size, failed);
        if (failed)
            result.failedFiles << request.current.file;
        result.still = result.current.copy();
        if (!request.subtitle.text.isEmpty())
            subtitle::DrawSubtitle(result.still, request.subtitle.text, request.subtitle.font,
                                   request.subtitle.colour, request.subtitle.sizeClass);
        if (transition) {
            failed = false;
            if (!request.previous)
                result.previous = blackPicture(request.size);
            else if (previousCached)
                result.previous = *previousCached;
            else
                result.previous = composeSlide(appData, *request.previous, request.size, failed);
            if (failed)
                result.failedFiles.prepend(request.previous->file);
            result.run = std::make_shared<const TransitionRun>(request.effect, result.previous,
                                                               result.current);
        }
        QMetaObject::invokeMethod(this, [this, generation, result] { composed(generation, result); },
                                  Qt::QueuedConnection);
    });
}

void PreviewPlayer::composed(int generation, const Composed& result)
{
    if (generation != m_generation)
        return;
    // Unreadable media are not remembered, so that each preview reports them again.
    if (!result.failedFiles.contains(m_request.current.file))
        remember(cacheKey(m_request.current, m_request.size), result.current);
    if (m_request.previous && !result.previous.isNull() &&
        !result.failedFiles.contains(m_request.previous->file))
        remember(cacheKey(*m_request.previous, m_request.size), result.previous);
    m_still = result.still;
    for (const QString& file : result.failedFiles) {
        emit loadFailed(file);
        // The report may have let another preview begin.
        if (generation != m_generation)
            return;
    }
    if (result.run && result.run->isValid()) {
        startTransition(result.run);
        return;
    }
    m_stats = {};
    finish();
}

void PreviewPlayer::startTransition(std::shared_ptr<const TransitionRun> run)
{
    m_run = std::move(run);
    m_stats = {0, m_request.durationMs, 0};
    m_lastFrame = std::max(1, (m_request.durationMs + kFrameIntervalMs - 1) / kFrameIntervalMs);
    m_nextDispatch = 0;
    m_shownFrame = -1;
    m_lastShownMs = 0;
    m_clock.start();
    dispatchFrames();
    m_tick.start();
}

float PreviewPlayer::progressOf(int frame) const
{
    const double t = double(frame) * kFrameIntervalMs / m_request.durationMs;
    return float(std::min(100.0, 100.0 * t));
}

void PreviewPlayer::dispatchFrames()
{
    const int due = int(m_clock.elapsed() / kFrameIntervalMs);
    while (m_inFlight < m_pool.maxThreadCount()) {
        // A frame whose time has passed is not worth making any more.
        const int frame = std::max(m_nextDispatch, due);
        if (frame >= m_lastFrame || frame > due + kLookAheadFrames)
            return;
        m_nextDispatch = frame + 1;
        ++m_inFlight;
        const int generation = m_generation;
        const float progress = progressOf(frame);
        std::shared_ptr<const TransitionRun> run = m_run;
        m_pool.start([this, generation, frame, progress, run] {
            QImage image;
            run->render(progress, image);
            QMetaObject::invokeMethod(
                this, [this, generation, frame, image] { frameRendered(generation, frame, image); },
                Qt::QueuedConnection);
        });
    }
}

void PreviewPlayer::frameRendered(int generation, int frame, const QImage& image)
{
    if (generation != m_generation)
        return;
    --m_inFlight;
    if (frame > m_shownFrame)
        m_ready[frame] = image;
    tick();
}

void PreviewPlayer::tick()
{
    if (!m_run)
        return;
    const qint64 elapsed = m_clock.elapsed();
    if (elapsed >= m_request.durationMs) {
        finish();
        return;
    }
    // The newest frame that is due.
    auto due = m_ready.upper_bound(int(elapsed / kFrameIntervalMs));
    if (due != m_ready.begin()) {
        --due;
        emit frameReady(due->second);
        if (m_shownFrame >= 0)
            m_stats.longestGapMs = std::max(m_stats.longestGapMs, int(elapsed - m_lastShownMs));
        m_shownFrame = due->first;
        m_lastShownMs = elapsed;
        ++m_stats.framesShown;
        m_ready.erase(m_ready.begin(), std::next(due));
    }
    dispatchFrames();
}

void PreviewPlayer::finish()
{
    if (m_run && m_shownFrame >= 0)
        m_stats.longestGapMs =
            std::max(m_stats.longestGapMs, int(m_clock.elapsed() - m_lastShownMs));
    const QImage still = m_still;
    stop();
    emit frameReady(still);
    emit finished();
}

QString PreviewPlayer::cacheKey(const PreviewSlide& slide, QSize size) const
{
    const QFileInfo info(slide.file);
    return QStringLiteral("%1|%2|%3x%4|%5%6")
        .arg(slide.file)
        .arg(info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1)
        .arg(size.width())
        .arg(size.height())
        .arg(int(slide.stretch))
        .arg(int(slide.blur));
}

std::optional<QImage> PreviewPlayer::cached(const QString& key) const
{
    for (const auto& [k, picture] : m_cache)
        if (k == key)
            return picture;
    return std::nullopt;
}

void PreviewPlayer::remember(const QString& key, const QImage& picture)
{
    m_cache.removeIf([&key](const auto& entry) { return entry.first == key; });
    m_cache.append({key, picture});
    while (m_cache.size() > kCachedPictures)
        m_cache.removeFirst();
}

} // namespace vistarel::app
