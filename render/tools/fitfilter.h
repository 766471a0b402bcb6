#pragma once

#include <QString>

namespace vistarel::render {

// The encoder's video filter that fits a clip into a W × H frame: stretched to the
// frame (stretch wins over blur), fitted over a blurred frame-filling copy of itself
// (blur), or fitted and padded with black. Numbers are plain decimals. Pure.
QString BuildFitFilter(int W, int H, bool stretch, bool blur);

} // namespace vistarel::render
