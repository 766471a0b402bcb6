#pragma once

#include <QImage>
#include <QRect>

namespace vistarel::render {

// The three resampling filters of the slide pictures: Lanczos3 for the first slide of an
// export and the shrinking step of the blur, fast linear (a triangle filter, widened when
// shrinking) for every other fit and for stretching, B-spline (cubic) for re-growing the
// blur.
enum class ResampleFilter { Lanczos3, FastLinear, BSpline };

// Resamples a picture to exactly width x height pixels with a separable filter. The
// source may be in any format (it is read as 24-bit RGB); the result is Format_RGB888.
// Edges are handled by dropping the filter taps outside the picture and renormalising,
// so a constant picture stays constant. Large pictures are split over the machine's cores;
// the result does not depend on the number of threads. A null source or a non-positive
// size gives a null image. Safe to call from any thread.
QImage resample(const QImage& source, int width, int height, ResampleFilter filter);

// The pixels inside `region` of the picture that resample(source, width, height, filter)
// would make, as a region-sized picture (region is clipped to width x height). threads: 0
// picks a count by the amount of work, otherwise at most that many threads are used.
QImage resampleRegion(const QImage& source, int width, int height, const QRect& region,
                      ResampleFilter filter, int threads = 0);

} // namespace vistarel::render
