#include "app/thumbnailcache.h"

#include "app/thumbnailmaker.h"

#include <QThread>
#include <QThreadPool>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace vistarel::app {

namespace {
// More requests than any screen shows at once; the oldest (scrolled past) go first.
constexpr std::size_t kMaxQueued = 1024;
} // namespace

// The part the workers share with the cache; it outlives the cache while a worker runs.
struct ThumbnailCache::Shared
{
    struct Request
    {
        QString file;
        QSize box;
        QString key;
    };

    std::mutex mutex;
    std::condition_variable workerEnded;
    std::deque<Request> queue; // newest at the back
    QSet<QString> inFlight;    // queued or being made, until delivered
    int workers = 0;
    ThumbnailCache* owner = nullptr; // null once the cache is being destroyed
    QString appDataDir;
    QSet<QuietHost*> hosts; // of the running jobs, to stop their tools

    static void run(const std::shared_ptr<Shared>& shared);
};

void ThumbnailCache::Shared::run(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock lock(shared->mutex);
    while (shared->owner && !shared->queue.empty()) {
        const Request request = shared->queue.back();
        shared->queue.pop_back();
        QuietHost host(shared->appDataDir);
        shared->hosts.insert(&host);
        lock.unlock();
        const QImage image = makeThumbnail(request.file, request.box, host);
        lock.lock();
        shared->hosts.remove(&host);
        if (ThumbnailCache* owner = shared->owner) {
            // Posted under the lock: the cache cannot be gone yet, and its destructor
            // removes events still waiting for it.
            QMetaObject::invokeMethod(
                owner,
                [owner, request, image] { owner->deliver(request.file, request.box, image); },
                Qt::QueuedConnection);
        }
    }
    --shared->workers;
    shared->workerEnded.notify_all();
}

ThumbnailCache::ThumbnailCache(const QString& appDataDir, qint64 maxBytes, QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
    , m_images(maxBytes)
{
    m_shared->owner = this;
    m_shared->appDataDir = appDataDir;
}

ThumbnailCache::~ThumbnailCache()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->queue.clear();
    for (QuietHost* host : std::as_const(m_shared->hosts))
        host->ActionCanceled = true;
    m_shared->workerEnded.wait(lock, [this] { return m_shared->workers == 0; });
}

QThreadPool& ThumbnailCache::pool()
{
    static QThreadPool threads;
    static const bool configured = [] {
        threads.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return true;
    }();
    Q_UNUSED(configured);
    return threads;
}

QString ThumbnailCache::keyOf(const QString& file, QSize box)
{
    return QStringLiteral("%1x%2|").arg(box.width()).arg(box.height()) + file;
}

QImage ThumbnailCache::thumbnail(const QString& file, QSize box)
{
    const QString key = keyOf(file, box);
    if (const QImage* image = m_images.object(key))
        return *image;
    if (m_failed.contains(key) || box.isEmpty() || file.isEmpty())
        return {};
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->inFlight.contains(key))
            return {};
        m_shared->queue.push_back({file, box, key});
        m_shared->inFlight.insert(key);
        if (m_shared->queue.size() > kMaxQueued) {
            m_shared->inFlight.remove(m_shared->queue.front().key);
            m_shared->queue.pop_front();
        }
    }
    startWorkers();
    return {};
}

QImage ThumbnailCache::cached(const QString& file, QSize box) const
{
    const QImage* image = m_images.object(keyOf(file, box));
    return image ? *image : QImage();
}

ThumbnailCache::State ThumbnailCache::state(const QString& file, QSize box) const
{
    const QString key = keyOf(file, box);
    if (m_images.contains(key))
        return State::Ready;
    if (m_failed.contains(key))
        return State::Failed;
    std::lock_guard lock(m_shared->mutex);
    return m_shared->inFlight.contains(key) ? State::Pending : State::Missing;
}

void ThumbnailCache::startWorkers()
{
    const int maxWorkers = pool().maxThreadCount();
    std::lock_guard lock(m_shared->mutex);
    while (m_shared->workers < maxWorkers &&
           std::size_t(m_shared->workers) < m_shared->queue.size()) {
        ++m_shared->workers;
        pool().start([shared = m_shared] { Shared::run(shared); });
    }
}

void ThumbnailCache::deliver(const QString& file, QSize box, const QImage& image)
{
    const QString key = keyOf(file, box);
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->inFlight.remove(key);
    }
    if (image.isNull()) {
        m_failed.insert(key);
        emit thumbnailFailed(file, box);
        return;
    }
    m_images.insert(key, new QImage(image), image.sizeInBytes());
    emit thumbnailReady(file, box);
}

void ThumbnailCache::cancelPending()
{
    std::lock_guard lock(m_shared->mutex);
    for (const Shared::Request& request : m_shared->queue)
        m_shared->inFlight.remove(request.key);
    m_shared->queue.clear();
}

void ThumbnailCache::clear()
{
    m_images.clear();
    m_failed.clear();
}

int ThumbnailCache::pendingCount() const
{
    std::lock_guard lock(m_shared->mutex);
    return int(m_shared->queue.size());
}

} // namespace vistarel::app
