#pragma once

// The picture decoders behind decodePicture. Each returns an upright Format_RGB888 picture
// or a null image when it cannot read the input; none shows anything to the user.

#include "render/picture/pictureloader.h"

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QString>

#include <optional>

namespace vistarel::render::decoders {

// JPEG data through libjpeg-turbo, at the smallest scale the hint allows. The orientation
// is read from the data's EXIF block unless given (a camera raw's preview carries the raw
// file's). CMYK JPEGs are left to Qt's reader (null here).
QImage jpeg(const QByteArray& data, const FitHint& hint,
            std::optional<QImageIOHandler::Transformations> orientation = std::nullopt);

// Qt's image reader with the named format, or by content when format is empty.
QImage qt(const QString& file, const QByteArray& format);

// The primary image of a HEIF container (HEIC, AVIF), with its rotation and mirroring.
QImage heif(const QString& file);

// A camera raw file: its embedded rendering when that is (nearly) full size, otherwise the
// demosaiced image; turned upright either way.
QImage raw(const QString& file, const FitHint& hint);

// The first picture the ffmpeg program beside the executable reads from the file.
QImage ffmpeg(const QString& file);

} // namespace vistarel::render::decoders
