#pragma once

#include "app/artwork.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QIcon;
class QPainter;

namespace vistarel::app {

class ThumbnailCache;

// The glyph of a file in views that show no picture of it: folder, clip or picture.
Glyph mediaGlyphOf(const QString& path, bool isFolder);

// Draws a thumbnail centred in box, scaled down to fit when it is larger (a thumbnail of
// devicePixelRatio r is r times the size of its logical picture). Returns where it went.
QRectF paintThumbnail(QPainter& painter, const QRectF& box, const QImage& image,
                      qreal devicePixelRatio);

// What a view shows while a thumbnail is being made (a dim frame with the file's kind)
// or when it cannot be made (the kind's glyph alone).
void paintThumbnailPlaceholder(QPainter& painter, const QRectF& box, const QString& path,
                               bool failed);

// A media file's thumbnail from cache as the views draw it: the picture with the film
// mark for clips, or the placeholder while it is made or when it cannot be made. A miss
// queues the file in the cache.
void paintCachedThumbnail(QPainter& painter, const QRectF& box, ThumbnailCache& cache,
                          const QString& path, QSize request, qreal devicePixelRatio);

// A glyph as an icon of side pixels (sharp up to twice that density).
QIcon glyphIcon(Glyph glyph, const QColor& colour, int side);

// The small film mark in the corner of a clip's thumbnail.
void paintClipBadge(QPainter& painter, const QRectF& picture);

} // namespace vistarel::app
