#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>

#include <memory>

class QThreadPool;

namespace vistarel::app {

// Thumbnails of media files, made in the background and kept in a cache bounded by
// bytes, for the views that show many files (folder view, slide strips).
//
// thumbnail() answers at once from the cache; on a miss it queues the file and the view
// draws a placeholder until thumbnailReady() arrives (queued, on the cache's thread).
// The newest requests are served first, so what the user looks at now comes before what
// was scrolled past; cancelPending() drops everything not yet started (a new folder).
// Files that cannot be read are remembered as failed and not tried again until clear().
// Workers run on a thread pool shared by all caches, at most one per core.
class ThumbnailCache : public QObject
{
    Q_OBJECT

public:
    enum class State { Missing, Pending, Ready, Failed };

    // appDataDir holds the clip-thumbnail cache; maxBytes bounds the decoded pictures.
    ThumbnailCache(const QString& appDataDir, qint64 maxBytes, QObject* parent = nullptr);
    // Drops the queue, stops a running clip tool and waits for the running workers.
    ~ThumbnailCache() override;

    // The thumbnail of file fitted into box; on a miss a null image, and the file is
    // queued unless it is already queued or has failed.
    QImage thumbnail(const QString& file, QSize box);
    // The cached thumbnail or a null image; never queues.
    QImage cached(const QString& file, QSize box) const;
    State state(const QString& file, QSize box) const;

    // Forgets the requests that no worker has started yet.
    void cancelPending();
    // Forgets every thumbnail and failure (files changed on disk).
    void clear();

    qint64 cachedBytes() const { return m_images.totalCost(); }
    qint64 maxBytes() const { return m_images.maxCost(); }
    int pendingCount() const;

    // The pool the workers of every cache share.
    static QThreadPool& pool();

signals:
    void thumbnailReady(const QString& file, QSize box);
    void thumbnailFailed(const QString& file, QSize box);

private:
    struct Shared;
    static QString keyOf(const QString& file, QSize box);
    void startWorkers();
    void deliver(const QString& file, QSize box, const QImage& image);

    std::shared_ptr<Shared> m_shared;
    QCache<QString, QImage> m_images;
    QSet<QString> m_failed;
};

} // namespace vistarel::app
