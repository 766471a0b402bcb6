#pragma once

// Per-run key maps: one float per pixel, the pixel turning to the target once the key is
// below the progress. Used where the geometry (an angle per pixel) is too costly per frame.

#include "render/transitions/families.h"

#include <cstdint>
#include <vector>

namespace vistarel::render::transitions {

// Keys in [0, 1] of a sweep for a w x h frame, row-major.
std::vector<float> sweepKeys(SweepKind kind, SweepStart start, bool counterClockwise, int w, int h);

// The float f with key < f exactly when double(key) < t, for every float key.
float floatThreshold(double t);

// mask[i] = keys[i] < threshold for n entries.
void keyMask(const float* keys, float threshold, std::uint8_t* mask, int n);

} // namespace vistarel::render::transitions
