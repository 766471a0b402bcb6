// PUZZLE: jigsaw pieces (grid cells with knobs on the shared edges) appearing in random
// order, from a piece map built once per run.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/grid.h"
#include "render/transitions/random.h"

#include <algorithm>
#include <cmath>

namespace vistarel::render::transitions {

namespace {

constexpr double kKnobRadius = 0.2;
constexpr double kKnobDepth = 0.6;

class PuzzleEffect final : public Effect
{
public:
    PuzzleEffect(const Pictures& pictures, std::uint64_t seed);
    void render(double t, const Canvas& out) const override;

private:
    void stampKnob(double cx, double cy, double radius, int owner);

    Pictures m_pics;
    std::vector<int> m_piece; // piece of every pixel, row-major
    std::vector<double> m_key;
};

PuzzleEffect::PuzzleEffect(const Pictures& pictures, std::uint64_t seed)
    : m_pics(pictures)
{
    const int w = pictures.w;
    const int h = pictures.h;
    const Grid g = makeGrid(4, w, h);
    m_piece.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            m_piece[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                g.rowOf[std::size_t(y)] * g.cols + g.colOf[std::size_t(x)];
    const double radius = kKnobRadius * std::min(double(w) / g.cols, double(h) / g.rows);
    SplitMix64 random(seed);
    // Vertical edges row-major, then horizontal edges row-major; the bit picks the owner.
    for (int j = 0; j < g.rows; ++j) {
        for (int i = 0; i + 1 < g.cols; ++i) {
            const bool leftOwns = random.bit();
            const double ex = g.xb[std::size_t(i) + 1];
            const double ey = (g.yb[std::size_t(j)] + g.yb[std::size_t(j) + 1]) / 2.0;
            const double into = leftOwns ? kKnobDepth * radius : -kKnobDepth * radius;
            stampKnob(ex + into, ey, radius, j * g.cols + i + (leftOwns ? 0 : 1));
        }
    }
    for (int j = 0; j + 1 < g.rows; ++j) {
        for (int i = 0; i < g.cols; ++i) {
            const bool topOwns = random.bit();
            const double ex = (g.xb[std::size_t(i)] + g.xb[std::size_t(i) + 1]) / 2.0;
            const double ey = g.yb[std::size_t(j) + 1];
            const double into = topOwns ? kKnobDepth * radius : -kKnobDepth * radius;
            stampKnob(ex, ey + into, radius, (j + (topOwns ? 0 : 1)) * g.cols + i);
        }
    }
    const int n = g.cellCount();
    const std::vector<int> rank = random.permutation(n);
    m_key.resize(std::size_t(n));
    for (int c = 0; c < n; ++c)
        m_key[std::size_t(c)] = double(rank[std::size_t(c)]) / n;
}

// Pixels whose centre lies in the knob disc belong to its owner.
void PuzzleEffect::stampKnob(double cx, double cy, double radius, int owner)
{
    const int w = m_pics.w;
    const int h = m_pics.h;
    const int y0 = std::clamp(int(std::floor(cy - radius)), 0, h);
    const int y1 = std::clamp(int(std::ceil(cy + radius)) + 1, 0, h);
    const int x0 = std::clamp(int(std::floor(cx - radius)), 0, w);
    const int x1 = std::clamp(int(std::ceil(cx + radius)) + 1, 0, w);
    for (int y = y0; y < y1; ++y) {
        const double dy = y + 0.5 - cy;
        for (int x = x0; x < x1; ++x) {
            const double dx = x + 0.5 - cx;
            if (dx * dx + dy * dy < radius * radius)
                m_piece[std::size_t(y) * std::size_t(w) + std::size_t(x)] = owner;
        }
    }
}

void PuzzleEffect::render(double t, const Canvas& out) const
{
    std::vector<std::uint8_t>& shown = scratch<std::uint8_t, 1>(m_key.size());
    for (std::size_t c = 0; c < m_key.size(); ++c)
        shown[c] = m_key[c] < t;
    std::vector<std::uint8_t>& mask = scratch<std::uint8_t>(std::size_t(out.w));
    for (int y = 0; y < out.h; ++y) {
        const int* piece = m_piece.data() + std::size_t(y) * std::size_t(out.w);
        for (int x = 0; x < out.w; ++x)
            mask[std::size_t(x)] = shown[std::size_t(piece[x])];
        composeMask(out.row(y), m_pics.rowA(y), m_pics.rowB(y), mask.data(), out.w);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const PuzzleParams&, const EffectContext& context)
{
    return std::make_unique<PuzzleEffect>(context.pictures, context.seed);
}

} // namespace vistarel::render::transitions
