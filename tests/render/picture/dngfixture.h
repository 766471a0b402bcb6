#pragma once

#include <QByteArray>
#include <QImage>

namespace vistarel::test {

// A minimal camera raw file in the DNG layout: a 16-bit RGGB mosaic of `picture` (taken as
// linear sensor values) with the given EXIF orientation and, when `preview` is not null, a
// full-size JPEG preview of `preview` in the first IFD as cameras write it.
QByteArray makeDng(const QImage& picture, int orientation, const QImage& preview = {});

} // namespace vistarel::test
