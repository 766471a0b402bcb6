#include "render/picture/pixels.h"

#include <QPainter>
#include <QTransform>

namespace vistarel::render {

QImage toSlidePixels(QImage image)
{
    if (image.isNull())
        return image;
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::black);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        painter.end();
        image = std::move(flat);
    }
    image.convertTo(QImage::Format_RGB888);
    return image;
}

void applyOrientation(QImage& image, QImageIOHandler::Transformations orientation)
{
    // Mirror and flip first, then the quarter turn clockwise: the order in which Qt's own
    // readers compose the eight EXIF orientations.
    const bool mirror = orientation.testFlag(QImageIOHandler::TransformationMirror);
    const bool flip = orientation.testFlag(QImageIOHandler::TransformationFlip);
    if (mirror || flip)
        image.mirror(mirror, flip);
    if (orientation.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
}

bool swapsAxes(QImageIOHandler::Transformations orientation)
{
    return orientation.testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace vistarel::render
