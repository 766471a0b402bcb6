#include "render/transitions/cellkeys.h"
#include "render/transitions/effect.h"
#include "render/transitions/grid.h"
#include "render/transitions/random.h"

#include <algorithm>

namespace vistarel::render::transitions {

CellKeys rankedGridKeys(int k, int w, int h, std::uint64_t seed)
{
    const Grid g = makeGrid(k, w, h);
    CellKeys keys;
    keys.cols = g.cols;
    keys.rows = g.rows;
    keys.colOf = g.colOf;
    keys.rowOf = g.rowOf;
    const int n = g.cellCount();
    SplitMix64 random(seed);
    const std::vector<int> rank = random.permutation(n);
    keys.key.resize(std::size_t(n));
    for (int c = 0; c < n; ++c)
        keys.key[std::size_t(c)] = double(rank[std::size_t(c)]) / n;
    return keys;
}

CellKeys noisyPointKeys(int w, int h, std::uint64_t seed)
{
    const int size = std::max(1, rnd(std::min(w, h) / 540.0));
    CellKeys keys;
    keys.cols = (w + size - 1) / size;
    keys.rows = (h + size - 1) / size;
    keys.colOf.resize(std::size_t(w));
    keys.rowOf.resize(std::size_t(h));
    for (int x = 0; x < w; ++x)
        keys.colOf[std::size_t(x)] = x / size;
    for (int y = 0; y < h; ++y)
        keys.rowOf[std::size_t(y)] = y / size;
    keys.key.resize(std::size_t(keys.cols) * std::size_t(keys.rows));
    for (int j = 0; j < keys.rows; ++j)
        for (int i = 0; i < keys.cols; ++i)
            keys.key[std::size_t(j) * std::size_t(keys.cols) + std::size_t(i)] =
                cellNoise(seed, std::uint32_t(i), std::uint32_t(j));
    return keys;
}

} // namespace vistarel::render::transitions
