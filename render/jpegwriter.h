#pragma once

#include <QByteArray>
#include <QImage>

namespace vistarel::render {

// Encodes a picture as a baseline JPEG file (4:2:0) at quality 1..100. Any format is
// accepted; 24-bit RGB is encoded without conversion. Thread-safe. Returns an empty array
// when the picture is null or the encoder fails.
QByteArray encodeJpeg(const QImage& image, int quality);

} // namespace vistarel::render
