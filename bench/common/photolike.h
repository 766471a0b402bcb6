#pragma once

#include <QImage>

namespace vistarel::bench {

// Smooth light falloff, shapes with hard edges and sensor-like noise: roughly the detail,
// and so the decoding and encoding cost, of a real photo. The same seed gives the same
// picture.
QImage photoLike(int w, int h, quint32 seed);

} // namespace vistarel::bench
