#include "render/transitions/grid.h"
#include "render/transitions/effect.h"

#include <algorithm>
#include <cstdint>

namespace vistarel::render::transitions {

std::vector<int> equalParts(int length, int n)
{
    std::vector<int> bounds(std::size_t(n) + 1);
    for (int i = 0; i <= n; ++i)
        bounds[std::size_t(i)] = int(std::int64_t(i) * length / n);
    return bounds;
}

std::vector<int> weightedParts(int length, std::span<const int> weights)
{
    std::int64_t total = 0;
    for (int w : weights)
        total += w;
    std::vector<int> bounds{0};
    std::int64_t sum = 0;
    for (int w : weights) {
        sum += w;
        bounds.push_back(int(length * sum / total));
    }
    return bounds;
}

std::vector<int> partOf(const std::vector<int>& bounds, int length)
{
    std::vector<int> index(std::size_t(std::max(length, 0)));
    for (std::size_t part = 0; part + 1 < bounds.size(); ++part) {
        for (int x = bounds[part]; x < bounds[part + 1]; ++x)
            index[std::size_t(x)] = int(part);
    }
    return index;
}

Grid makeGrid(int k, int w, int h)
{
    Grid g;
    g.rows = k;
    g.cols = std::max(1, rnd(double(k) * w / h));
    g.xb = equalParts(w, g.cols);
    g.yb = equalParts(h, g.rows);
    g.colOf = partOf(g.xb, w);
    g.rowOf = partOf(g.yb, h);
    return g;
}

} // namespace vistarel::render::transitions
