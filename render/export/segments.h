#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace vistarel::render {

// One finished video segment of an export.
struct TSlideSegment
{
    QString FileName;         // full path
    double Duration = 0;      // seconds, as measured after encoding
    std::int32_t AudioMode = -1; // -1 for pictures; a clip's audio mode 0..2
};

// The segments of one render, in timeline order. Empty after an export of pictures only.
using TSlideSegments = std::vector<TSlideSegment>;

} // namespace vistarel::render
