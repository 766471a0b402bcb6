#include "render/picture/subtitleoverlay.h"

#include "subtitle/subtitledraw.h"

#include <QFile>

#include <algorithm>

namespace vistarel::render {

QImage subtitleOverlayFromCanvases(const QImage& onBlack, const QImage& onWhite)
{
    const QImage black = onBlack.convertToFormat(QImage::Format_RGB888);
    const QImage white = onWhite.convertToFormat(QImage::Format_RGB888);
    const int width = std::min(black.width(), white.width());
    const int height = std::min(black.height(), white.height());
    QImage overlay(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const uchar* b = black.constScanLine(y);
        const uchar* w = white.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < width; ++x, b += 3, w += 3) {
            // A white canvas showing through lightens the pixel by (255 - alpha).
            const int d = ((w[0] - b[0]) + (w[1] - b[1]) + (w[2] - b[2])) / 3;
            const int alpha = std::min(255, 255 - d);
            if (alpha <= 0) {
                out[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            // On black the pixel is colour x alpha / 255; undo that.
            auto channel = [alpha](int value) { return std::min(255, value * 255 / alpha); };
            out[x] = qRgba(channel(b[0]), channel(b[1]), channel(b[2]), alpha);
        }
    }
    return overlay;
}

bool RenderSubtitleOverlay(const QString& target, int W, int H,
                           const std::function<void(QImage&)>& draw)
{
    QFile::remove(target);
    if (W <= 0 || H <= 0)
        return false;
    QImage onBlack(W, H, QImage::Format_RGB888);
    onBlack.fill(Qt::black);
    QImage onWhite(W, H, QImage::Format_RGB888);
    onWhite.fill(Qt::white);
    if (draw) {
        draw(onBlack);
        draw(onWhite);
    }
    subtitleOverlayFromCanvases(onBlack, onWhite).save(target, "PNG");
    return QFile::exists(target);
}

bool RenderClipSubtitleOverlay(const QString& target, const QString& subtitle,
                               const QString& font, std::uint32_t fontColor,
                               std::int32_t fontSize, int W, int H)
{
    return RenderSubtitleOverlay(target, W, H, [&](QImage& canvas) {
        subtitle::DrawSubtitle(canvas, subtitle, font, fontColor, fontSize);
    });
}

} // namespace vistarel::render
