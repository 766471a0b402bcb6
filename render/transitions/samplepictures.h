#pragma once

#include <QImage>
#include <QSize>

namespace vistarel::render::transitions {

// Two clearly different generated pictures (24-bit RGB) for looking at effects: a warm
// start picture and a cool target picture, each with a grid, a large letter (A, B) and a
// marker in its top-left corner, so that moves, mirrors and turns are visible.
QImage sampleStartPicture(QSize size);
QImage sampleTargetPicture(QSize size);

} // namespace vistarel::render::transitions
