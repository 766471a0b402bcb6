// PATH: cells wiped one after another in path order, each in its own direction: a snake
// of strips, or a spiral of grid cells.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/grid.h"

#include <algorithm>

namespace vistarel::render::transitions {

namespace {

constexpr int kSnakeStrips = 8;

enum class Step { Right, Left, Down, Up };

struct PathCell
{
    int x0, x1, y0, y1;
    Step step;
};

// Grid cells (col, row) of an inward clockwise spiral from the top-left cell.
std::vector<std::pair<int, int>> clockwiseSpiral(int cols, int rows)
{
    std::vector<std::pair<int, int>> order;
    int left = 0, right = cols - 1, top = 0, bottom = rows - 1;
    while (left <= right && top <= bottom) {
        for (int i = left; i <= right; ++i)
            order.emplace_back(i, top);
        for (int j = top + 1; j <= bottom; ++j)
            order.emplace_back(right, j);
        if (top < bottom) {
            for (int i = right - 1; i >= left; --i)
                order.emplace_back(i, bottom);
        }
        if (left < right) {
            for (int j = bottom - 1; j > top; --j)
                order.emplace_back(left, j);
        }
        ++left, --right, ++top, --bottom;
    }
    return order;
}

Step stepBetween(std::pair<int, int> from, std::pair<int, int> to)
{
    if (to.first > from.first)
        return Step::Right;
    if (to.first < from.first)
        return Step::Left;
    return to.second > from.second ? Step::Down : Step::Up;
}

class PathEffect final : public Effect
{
public:
    PathEffect(const PathParams& p, const Pictures& pictures);
    void render(double t, const Canvas& out) const override;

private:
    void snake(const PathParams& p);
    void spiral(bool clockwise);

    Pictures m_pics;
    std::vector<PathCell> m_cells;
};

PathEffect::PathEffect(const PathParams& p, const Pictures& pictures)
    : m_pics(pictures)
{
    if (p.kind == PathKind::Snake)
        snake(p);
    else
        spiral(p.kind == PathKind::SpiralClockwise);
}

void PathEffect::snake(const PathParams& p)
{
    const int w = m_pics.w;
    const int h = m_pics.h;
    const std::vector<int> b = equalParts(p.columns ? w : h, kSnakeStrips);
    for (int k = 0; k < kSnakeStrips; ++k) {
        // Strip k counted from the starting side.
        const int i = p.fromEnd ? kSnakeStrips - 1 - k : k;
        const int lo = b[std::size_t(i)];
        const int hi = b[std::size_t(i) + 1];
        if (p.columns)
            m_cells.push_back({lo, hi, 0, h, k % 2 == 0 ? Step::Down : Step::Up});
        else
            m_cells.push_back({0, w, lo, hi, k % 2 == 0 ? Step::Right : Step::Left});
    }
}

void PathEffect::spiral(bool clockwise)
{
    const Grid g = makeGrid(4, m_pics.w, m_pics.h);
    // Counter-clockwise is the clockwise spiral of the transposed grid.
    std::vector<std::pair<int, int>> order =
        clockwise ? clockwiseSpiral(g.cols, g.rows) : clockwiseSpiral(g.rows, g.cols);
    if (!clockwise) {
        for (auto& cell : order)
            std::swap(cell.first, cell.second);
    }
    Step step = Step::Right;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + 1 < order.size())
            step = stepBetween(order[k], order[k + 1]);
        const auto [i, j] = order[k];
        m_cells.push_back({g.xb[std::size_t(i)], g.xb[std::size_t(i) + 1], g.yb[std::size_t(j)],
                           g.yb[std::size_t(j) + 1], step});
    }
}

// The first x in [lo, hi) for which the increasing predicate holds, hi if none.
template <typename Pred> int firstTrue(int lo, int hi, Pred pred)
{
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (pred(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

void PathEffect::render(double t, const Canvas& out) const
{
    const int n = int(m_cells.size());
    SpanList& spans = scratch<Span>(0);
    for (int y = 0; y < out.h; ++y) {
        spans.clear();
        const double yc = y + 0.5;
        for (int k = 0; k < n; ++k) {
            const PathCell& c = m_cells[std::size_t(k)];
            if (y < c.y0 || y >= c.y1)
                continue;
            const double u = clamp01(n * t - k);
            if (u <= 0.0)
                continue;
            const double w = c.x1 - c.x0;
            const double h = c.y1 - c.y0;
            switch (c.step) {
            case Step::Down:
                if ((yc - c.y0) / h < u)
                    spans.push_back({c.x0, c.x1});
                break;
            case Step::Up:
                if ((c.y1 - yc) / h < u)
                    spans.push_back({c.x0, c.x1});
                break;
            case Step::Right:
                spans.push_back({c.x0, firstTrue(c.x0, c.x1, [&](int x) {
                                     return !((x + 0.5 - c.x0) / w < u);
                                 })});
                break;
            case Step::Left:
                spans.push_back(
                    {firstTrue(c.x0, c.x1, [&](int x) { return (c.x1 - (x + 0.5)) / w < u; }),
                     c.x1});
                break;
            }
        }
        normalizeSpans(spans, out.w);
        composeSpans(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, spans);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const PathParams& params, const EffectContext& context)
{
    return std::make_unique<PathEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
