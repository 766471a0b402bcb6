#pragma once

#include <QString>
#include <QStringList>

namespace vistarel::bench {

// Makes sure the folder holds count photo-like JPEGs of width x height named
// photo_0001.jpg and so on (quality 88, 4:2:0), writing only those that are missing, on
// all cores. Landscapes of sky, sun, hills and meadow with sensor-like noise, so that
// their size and decoding cost are close to real camera pictures. Returns the files, or
// an empty list when one could not be written.
QStringList ensurePhotoFolder(const QString& folder, int count, int width, int height);

} // namespace vistarel::bench
