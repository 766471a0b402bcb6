#include "app/step2strip.h"

#include "app/coverflowstrip.h"

#include <QFileInfo>

namespace vistarel::app {

namespace {
// Enough for the pictures of a few hundred slides at strip size.
constexpr qint64 kStep2CacheBytes = 256LL * 1024 * 1024;
} // namespace

std::vector<Step2StripItem>
step2StripItems(const QStringList& files, const std::function<QImage(const QString&)>& stripPicture,
                const std::function<void()>& keepAlive)
{
    std::vector<Step2StripItem> items;
    items.reserve(std::size_t(files.size()));
    for (const QString& file : files) {
        if (!file.isEmpty() && QFileInfo::exists(file))
            items.push_back({file, QImage()});
        else
            items.push_back({QString(), stripPicture ? stripPicture(file) : QImage()});
        if (keepAlive)
            keepAlive();
    }
    return items;
}

Step2Thumbnails::Step2Thumbnails(CoverFlowStrip& strip, const QString& appDataDir, QObject* parent)
    : QObject(parent)
    , m_strip(strip)
    , m_cache(appDataDir, kStep2CacheBytes)
{
    connect(&strip, &CoverFlowStrip::thumbnailWanted, this, &Step2Thumbnails::wanted);
    connect(&m_cache, &ThumbnailCache::thumbnailReady, this, &Step2Thumbnails::arrived);
}

void Step2Thumbnails::fill(const QStringList& names, const std::vector<Step2StripItem>& items)
{
    m_cache.cancelPending();
    m_strip.setItems(names);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].file.isEmpty() && !items[i].fallback.isNull())
            m_strip.setThumbnail(int(i), items[i].fallback);
    }
}

void Step2Thumbnails::wanted(int index)
{
    const QString file = m_strip.fileName(index);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return;
    const QImage picture = m_cache.thumbnail(file, CoverFlowStrip::kThumbnailSize);
    if (!picture.isNull())
        m_strip.setThumbnail(index, picture);
}

void Step2Thumbnails::arrived(const QString& file, QSize box)
{
    if (box != CoverFlowStrip::kThumbnailSize)
        return;
    const QImage picture = m_cache.cached(file, box);
    // The same file may stand in the list more than once.
    for (int i = 0; i < m_strip.count(); ++i) {
        if (m_strip.fileName(i) == file && !m_strip.hasThumbnail(i))
            m_strip.setThumbnail(i, picture);
    }
}

} // namespace vistarel::app
