#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace vistarel::app {

// The window's pictures, drawn at any size and pixel density instead of shipped as
// bitmaps, so they stay sharp on every screen.
enum class Glyph {
    Save,
    Minimize,
    Maximize,
    Restore,
    Close,
    NewProject,
    OpenProject,
    BoxTicked,
    BoxEmpty,
    // step 1: folder view modes, strip sizes, media kinds, folder tree
    ViewList,
    ViewGallery,
    ViewLarge,
    StripNormal,
    StripLarge,
    Picture,
    Film,
    Folder,
    Home,
    Drive,
};

// The curved arrow beside the slide strip's drop hint, pointing down to the strip.
void paintDropArrow(QPainter& painter, const QRectF& box, const QColor& colour);

// Draws a line glyph centred in box, in the given colour.
void paintGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour);

// The program's logo: a blue tile with a film frame and a play mark.
void paintLogo(QPainter& painter, const QRectF& box);

// The product name "Vistarel" as the title bar shows it, left-aligned and vertically
// centred in box. Returns the width used.
qreal paintProductName(QPainter& painter, const QRectF& box);
// The width paintProductName needs with the given base font.
qreal productNameWidth(const QFont& base);

} // namespace vistarel::app
