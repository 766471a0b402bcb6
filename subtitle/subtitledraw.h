#pragma once

#include "subtitle/rtfdoc.h"

#include <QImage>
#include <QString>

#include <cstdint>

namespace vistarel::subtitle {

// Burns a slide's subtitle into the picture, in place. An RTF subtitle is laid out and
// drawn from its own formats; a plain one is drawn as one bold centred line with the
// slide's font, colour (red in bits 0..7) and size class (0 large, 1 medium, 2 small).
// Nothing but the text and its highlights is drawn, so the result depends only on the
// subtitle, the picture size and the background pixels. Any picture format (the program
// uses Format_RGB888); a null picture, a blank subtitle or a picture the drawing cannot
// use stays unchanged. Reports nothing. Any thread.
void DrawSubtitle(QImage& picture, const QString& subtitle, const QString& font,
                  std::uint32_t fontColor, std::int32_t fontSize);

// Draws an RTF subtitle into the picture (parsed through the cache of GetParsedRtf).
void DrawRtfSubtitle(QImage& picture, const QString& rtf);

// Lays out a parsed document for a surface of width x height pixels and draws it onto
// the surface. Nothing happens for a null document, one without paragraphs, or a size
// under 10 x 10.
void LayoutAndDrawRtf(QImage& surface, std::int32_t width, std::int32_t height, const TRtfDoc* doc);

} // namespace vistarel::subtitle
