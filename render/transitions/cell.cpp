// CELL: grid cells or points that turn to the target when their key is passed, or grow a
// figure of the target (box, corner box, shape) on their own clock.
#include "render/transitions/cellkeys.h"
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/geometry.h"
#include "render/transitions/grid.h"
#include "render/transitions/random.h"

#include <algorithm>
#include <cmath>

namespace vistarel::render::transitions {

namespace {

class InstantCellEffect final : public Effect
{
public:
    InstantCellEffect(const CellParams& p, const EffectContext& context)
        : m_pics(context.pictures)
        , m_keys(p.grid == 0 ? noisyPointKeys(m_pics.w, m_pics.h, context.seed)
                             : rankedGridKeys(p.grid, m_pics.w, m_pics.h, context.seed))
    {
    }

    void render(double t, const Canvas& out) const override
    {
        std::vector<std::uint8_t>& mask = scratch<std::uint8_t>(std::size_t(out.w));
        for (int y = 0; y < out.h; ++y) {
            m_keys.rowMask(y, t, mask.data(), out.w);
            composeMask(out.row(y), m_pics.rowA(y), m_pics.rowB(y), mask.data(), out.w);
        }
    }

private:
    Pictures m_pics;
    CellKeys m_keys;
};

struct GrowingCell
{
    double x0, x1, y0, y1; // the cell
    double start;          // a = key * (1 - window)
    double jx = 0.0;       // jitter of the figure's centre
    double jy = 0.0;
};

class GrowingCellEffect final : public Effect
{
public:
    GrowingCellEffect(const CellParams& p, const EffectContext& context);
    void render(double t, const Canvas& out) const override;

private:
    double cellKey(int i, int j, const Grid& g, SplitMix64& random) const;
    Figure figureOf(const GrowingCell& c, double u, std::vector<Point>& vertices) const;

    Pictures m_pics;
    CellParams m_p;
    std::vector<GrowingCell> m_cells;
    double m_innerRadius = 1.0;
};

GrowingCellEffect::GrowingCellEffect(const CellParams& p, const EffectContext& context)
    : m_pics(context.pictures)
    , m_p(p)
    , m_innerRadius(shapeInnerRadius(p.shape))
{
    const Grid g = makeGrid(p.grid, m_pics.w, m_pics.h);
    SplitMix64 random(context.seed);
    for (int j = 0; j < g.rows; ++j) {
        for (int i = 0; i < g.cols; ++i) {
            GrowingCell c{double(g.xb[std::size_t(i)]), double(g.xb[std::size_t(i) + 1]),
                          double(g.yb[std::size_t(j)]), double(g.yb[std::size_t(j) + 1]), 0.0};
            c.start = cellKey(i, j, g, random) * (1.0 - p.window);
            m_cells.push_back(c);
        }
    }
    if (p.jitter) {
        // Drawn after all the keys, row-major.
        for (GrowingCell& c : m_cells) {
            c.jx = (random.uniform() - 0.5) * (c.x1 - c.x0) / 2.0;
            c.jy = (random.uniform() - 0.5) * (c.y1 - c.y0) / 2.0;
        }
    }
}

double GrowingCellEffect::cellKey(int i, int j, const Grid& g, SplitMix64& random) const
{
    const int ii = m_p.fromRight ? g.cols - 1 - i : i;
    const int jj = m_p.fromBottom ? g.rows - 1 - j : j;
    switch (m_p.key) {
    case CellKey::Random:
        return random.uniform();
    case CellKey::Diagonal: {
        const int divisor = g.cols + g.rows - 2;
        return divisor > 0 ? double(ii + jj) / divisor : 0.0;
    }
    case CellKey::Line: {
        const int n = m_p.lineByRows ? g.rows : g.cols;
        return n > 1 ? double(m_p.lineByRows ? jj : ii) / (n - 1) : 0.0;
    }
    default:
        return 0.0;
    }
}

Figure GrowingCellEffect::figureOf(const GrowingCell& c, double u,
                                   std::vector<Point>& vertices) const
{
    const double w = c.x1 - c.x0;
    const double h = c.y1 - c.y0;
    Figure f;
    f.cx = (c.x0 + c.x1) / 2.0 + c.jx;
    f.cy = (c.y0 + c.y1) / 2.0 + c.jy;
    switch (m_p.growth) {
    case Growth::Box:
        f.kind = Figure::Kind::Box;
        f.ax = u * w / 2.0;
        f.ay = u * h / 2.0;
        return f;
    case Growth::CornerBox:
        f.kind = Figure::Kind::CornerBox;
        f.x0 = c.x0;
        f.x1 = c.x1;
        f.y0 = c.y0;
        f.y1 = c.y1;
        f.fromLeft = !m_p.fromRight;
        f.fromTop = !m_p.fromBottom;
        f.ax = u * w;
        f.ay = u * h;
        return f;
    default:
        break;
    }
    // A shape that covers its (jittered) cell when grown to u = 1.
    const double jitter = std::sqrt(c.jx * c.jx + c.jy * c.jy);
    const double scale = u * (0.5 * std::sqrt(w * w + h * h) + jitter) / m_innerRadius;
    if (m_p.shape == ShapeKind::Circle) {
        f.kind = Figure::Kind::Circle;
        f.c = scale * scale;
        return f;
    }
    if (m_p.shape == ShapeKind::Diamond) {
        f.kind = Figure::Kind::Diamond;
        f.ax = f.ay = 1.0;
        f.c = scale;
        return f;
    }
    f.kind = Figure::Kind::Polygon;
    placeOutline(shapeOutline(m_p.shape), f.cx, f.cy, scale, scale, 0.0, vertices);
    f.vertices = vertices.data();
    f.count = int(vertices.size());
    return f;
}

void GrowingCellEffect::render(double t, const Canvas& out) const
{
    struct Placed
    {
        Figure figure;
        int top;
        int bottom;
    };
    thread_local std::vector<Placed> placed;
    thread_local std::vector<std::vector<Point>> vertices;
    placed.clear();
    vertices.resize(m_cells.size());
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        const GrowingCell& c = m_cells[k];
        const double u = clamp01((t - c.start) / m_p.window);
        if (u <= 0.0)
            continue;
        Placed p{figureOf(c, u, vertices[k]), 0, 0};
        p.figure.rowRange(out.h, p.top, p.bottom);
        placed.push_back(p);
    }
    SpanList& spans = scratch<Span>(0);
    for (int y = 0; y < out.h; ++y) {
        spans.clear();
        for (const Placed& p : placed) {
            if (y >= p.top && y < p.bottom)
                p.figure.rowSpans(y, out.w, spans);
        }
        normalizeSpans(spans, out.w);
        composeSpans(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, spans);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const CellParams& params, const EffectContext& context)
{
    if (params.growth == Growth::Instant)
        return std::make_unique<InstantCellEffect>(params, context);
    return std::make_unique<GrowingCellEffect>(params, context);
}

} // namespace vistarel::render::transitions
