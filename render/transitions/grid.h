#pragma once

// Splitting a length into parts and the frame into a grid of nearly square cells.

#include <span>
#include <vector>

namespace vistarel::render::transitions {

// n + 1 boundaries floor(i * length / n): part i is [b[i], b[i + 1]); parts may be empty.
std::vector<int> equalParts(int length, int n);
// Boundaries floor(length * C[i] / C[n]) for the prefix sums C of the weights.
std::vector<int> weightedParts(int length, std::span<const int> weights);
// For every coordinate 0..length-1 the index of the part holding it.
std::vector<int> partOf(const std::vector<int>& bounds, int length);

// Grid G(k): k rows and max(1, rnd(k * W / H)) columns, each axis split into equal parts.
struct Grid
{
    int cols = 1;
    int rows = 1;
    std::vector<int> xb;    // cols + 1 boundaries
    std::vector<int> yb;    // rows + 1 boundaries
    std::vector<int> colOf; // cell column of each x
    std::vector<int> rowOf; // cell row of each y

    int cellCount() const { return cols * rows; }
};

Grid makeGrid(int k, int w, int h);

} // namespace vistarel::render::transitions
