#pragma once

#include <QImage>
#include <QImageIOHandler>

namespace vistarel::render {

// A decoded picture as the slides use it: Format_RGB888, with any transparency laid over
// black (the colour of the frame around a slide). A null image stays null.
QImage toSlidePixels(QImage image);

// Turns a picture stored in camera orientation upright (the EXIF orientation, in Qt's
// terms). Exact: rotations and mirrors only move pixels.
void applyOrientation(QImage& image, QImageIOHandler::Transformations orientation);

// Whether an orientation exchanges width and height.
bool swapsAxes(QImageIOHandler::Transformations orientation);

} // namespace vistarel::render
