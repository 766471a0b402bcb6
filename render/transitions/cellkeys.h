#pragma once

// Cells that turn to the target at once when their key is passed: grid cells in random
// order and small points with noise keys.

#include <cstdint>
#include <vector>

namespace vistarel::render::transitions {

struct CellKeys
{
    int cols = 1;
    int rows = 1;
    std::vector<int> colOf;  // cell column of every x
    std::vector<int> rowOf;  // cell row of every y
    std::vector<double> key; // per cell, row-major

    // mask[x] = key of (x, y) < t for the w pixels of row y.
    void rowMask(int y, double t, std::uint8_t* mask, int w) const
    {
        const double* k = key.data() + std::size_t(rowOf[std::size_t(y)]) * std::size_t(cols);
        for (int x = 0; x < w; ++x)
            mask[x] = k[colOf[std::size_t(x)]] < t;
    }
};

// The cells of grid G(k) with keys rank/N from a random permutation.
CellKeys rankedGridKeys(int k, int w, int h, std::uint64_t seed);
// Square points of max(1, rnd(min(w, h) / 540)) pixels with per-point noise keys.
CellKeys noisyPointKeys(int w, int h, std::uint64_t seed);

} // namespace vistarel::render::transitions
