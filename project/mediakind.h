#pragma once

#include <QString>
#include <QStringList>

namespace vistarel::project {

// The extensions the media browser offers, comma-separated; the last thirteen are the
// video extensions.
extern const QString kMediaExtensionMask;

QStringList mediaExtensions();   // all, lower case, without dot
QStringList pictureExtensions(); // the picture part of the mask
QStringList videoExtensions();   // the video part of the mask

// A clip or a picture, by the file name's extension only (never the content).
bool IsVideoFile(const QString& fileName);

} // namespace vistarel::project
