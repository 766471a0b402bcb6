#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

namespace vistarel::render {

// The transparent W x H picture that carries a clip's subtitle, recovered from two
// renderings of it: `draw` is called once on a black and once on a white 24-bit canvas and
// must draw the same thing on both. Where both agree the pixel is opaque; where they differ
// by 255 it is fully transparent; in between, the alpha follows the difference and the
// colour is taken from the black rendering. Pure; any thread.
QImage subtitleOverlayFromCanvases(const QImage& onBlack, const QImage& onWhite);

// Deletes `target`, draws the overlay as above and saves it there as a PNG with alpha.
// Returns whether the target file exists afterwards (never shows a dialog).
bool RenderSubtitleOverlay(const QString& target, int W, int H,
                           const std::function<void(QImage&)>& draw);

// A clip's subtitle overlay: RenderSubtitleOverlay with the slide's subtitle drawn by
// DrawSubtitle (its four record fields passed unchanged).
bool RenderClipSubtitleOverlay(const QString& target, const QString& subtitle,
                               const QString& font, std::uint32_t fontColor,
                               std::int32_t fontSize, int W, int H);

} // namespace vistarel::render
