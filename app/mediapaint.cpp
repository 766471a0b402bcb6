#include "app/mediapaint.h"

#include "app/style.h"
#include "app/thumbnailcache.h"
#include "project/mediakind.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace vistarel::app {

namespace {
const QColor kPlaceholder{0x4A, 0x4A, 0x4A};
const QColor kPlaceholderGlyph{0x80, 0x80, 0x80};
} // namespace

Glyph mediaGlyphOf(const QString& path, bool isFolder)
{
    if (isFolder)
        return Glyph::Folder;
    return project::IsVideoFile(path) ? Glyph::Film : Glyph::Picture;
}

QRectF paintThumbnail(QPainter& painter, const QRectF& box, const QImage& image,
                      qreal devicePixelRatio)
{
    QSizeF size = QSizeF(image.size()) / std::max<qreal>(devicePixelRatio, 1);
    if (size.width() > box.width() || size.height() > box.height())
        size = size.scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2,
                        size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
    return target;
}

void paintThumbnailPlaceholder(QPainter& painter, const QRectF& box, const QString& path,
                               bool failed)
{
    const qreal side = std::min({box.width(), box.height(), qreal(48)}) * 0.6;
    const QRectF glyphBox(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    if (!failed) {
        painter.fillRect(box.adjusted(2, 2, -2, -2), kPlaceholder);
    }
    paintGlyph(painter, mediaGlyphOf(path, false), glyphBox,
               failed ? colour::kDimText : kPlaceholderGlyph);
}

QIcon glyphIcon(Glyph glyph, const QColor& colour, int side)
{
    QIcon icon;
    // White on a selected row, whose background is the accent colour.
    for (const auto& [mode, ink] :
         {std::pair{QIcon::Normal, colour}, std::pair{QIcon::Selected, QColor(Qt::white)}}) {
        for (const int scale : {1, 2}) {
            QPixmap pixmap(side * scale, side * scale);
            pixmap.fill(Qt::transparent);
            {
                QPainter p(&pixmap);
                const qreal s = side * scale;
                paintGlyph(p, glyph, QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8), ink);
            }
            icon.addPixmap(pixmap, mode);
        }
    }
    return icon;
}

void paintClipBadge(QPainter& painter, const QRectF& picture)
{
    const qreal side = std::clamp(picture.height() * 0.22, qreal(14), qreal(22));
    const QRectF badge(picture.left() + 3, picture.bottom() - side - 3, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawRoundedRect(badge, 3, 3);
    painter.restore();
    paintGlyph(painter, Glyph::Film, badge.adjusted(3, 3, -3, -3), Qt::white);
}

void paintCachedThumbnail(QPainter& painter, const QRectF& box, ThumbnailCache& cache,
                          const QString& path, QSize request, qreal devicePixelRatio)
{
    const QImage image = cache.thumbnail(path, request);
    if (image.isNull()) {
        const bool failed = cache.state(path, request) == ThumbnailCache::State::Failed;
        paintThumbnailPlaceholder(painter, box, path, failed);
        return;
    }
    const QRectF shown = paintThumbnail(painter, box, image, devicePixelRatio);
    if (project::IsVideoFile(path))
        paintClipBadge(painter, shown);
}

} // namespace vistarel::app
