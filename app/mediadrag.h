#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QMimeData;

namespace vistarel::app {

// What a drag inside the window carries: media files from the folder view (in the
// order of its selection), or slides being reordered in one slide strip (their rows and
// the strip they come from). Other programs' drags carry neither and are refused.
std::unique_ptr<QMimeData> mediaFilesMime(const QStringList& files);
std::optional<QStringList> mediaFilesOf(const QMimeData* mime);

std::unique_ptr<QMimeData> slideRowsMime(quintptr strip, const QList<int>& rows);
// The rows, only when the drag comes from the given strip.
std::optional<QList<int>> slideRowsOf(const QMimeData* mime, quintptr strip);

} // namespace vistarel::app
