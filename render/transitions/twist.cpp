// TWIST: the target grows out of a centre while turning into place (in), or the start
// picture shrinks into it while turning away (out); over the whole frame or per cell.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/grid.h"
#include "render/transitions/sampling.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vistarel::render::transitions {

namespace {

struct Region
{
    int x0, x1, y0, y1;
};

class TwistEffect final : public Effect
{
public:
    TwistEffect(const TwistParams& p, const Pictures& pictures);
    void render(double t, const Canvas& out) const override;

private:
    void renderRegion(const Region& r, double scale, double angle, const Canvas& out) const;

    Pictures m_pics;
    bool m_in;
    std::vector<Region> m_regions;
};

TwistEffect::TwistEffect(const TwistParams& p, const Pictures& pictures)
    : m_pics(pictures)
    , m_in(p.in)
{
    if (!p.perCell) {
        m_regions.push_back({0, pictures.w, 0, pictures.h});
        return;
    }
    const Grid g = makeGrid(3, pictures.w, pictures.h);
    for (int j = 0; j < g.rows; ++j)
        for (int i = 0; i < g.cols; ++i)
            m_regions.push_back({g.xb[std::size_t(i)], g.xb[std::size_t(i) + 1],
                                 g.yb[std::size_t(j)], g.yb[std::size_t(j) + 1]});
}

// Columns of a region row where q(x) = (bx, by) + (kxx, kyx) * (xc - mx) can lie inside the
// region: the line against the four sides, widened by two pixels; the exact test still
// runs per pixel inside that window.
void candidateColumns(const Region& r, double mx, double bx, double by, double kxx, double kyx,
                      int& a, int& b)
{
    double lo = r.x0;
    double hi = r.x1;
    auto clip = [&](double base, double slope, double from, double to) {
        if (std::fabs(slope) < 1e-12) {
            if (!(base >= from && base < to))
                hi = lo - 1.0;
            return;
        }
        double u0 = mx + (from - base) / slope;
        double u1 = mx + (to - base) / slope;
        if (u0 > u1)
            std::swap(u0, u1);
        lo = std::max(lo, u0);
        hi = std::min(hi, u1);
    };
    clip(bx, kxx, r.x0, r.x1);
    clip(by, kyx, r.y0, r.y1);
    if (hi < lo) {
        a = b = r.x1;
        return;
    }
    a = std::clamp(int(std::floor(lo)) - 2, r.x0, r.x1);
    b = std::clamp(int(std::ceil(hi)) + 2, a, r.x1);
}

void TwistEffect::render(double t, const Canvas& out) const
{
    // in: B scaled by t, turned by -(1 - t) half turns; out: A scaled by 1 - t, turned by t.
    const double scale = m_in ? t : 1.0 - t;
    const double angle = m_in ? -(1.0 - t) * std::numbers::pi : t * std::numbers::pi;
    for (const Region& r : m_regions)
        renderRegion(r, scale, angle, out);
}

// Inside the region the moving picture shows at q = m + Rot(-angle)(p - m) / scale where q
// lies inside the region, the fixed picture elsewhere.
void TwistEffect::renderRegion(const Region& r, double scale, double angle, const Canvas& out) const
{
    if (r.x1 <= r.x0 || r.y1 <= r.y0)
        return;
    const Layer moving = m_in ? Layer::B : Layer::A;
    const Layer fixed = m_in ? Layer::A : Layer::B;
    const double mx = (r.x0 + r.x1) / 2.0;
    const double my = (r.y0 + r.y1) / 2.0;
    const double kxx = std::cos(angle) / scale;
    const double kxy = std::sin(angle) / scale;
    const double kyx = -std::sin(angle) / scale;
    const double kyy = std::cos(angle) / scale;
    for (int y = r.y0; y < r.y1; ++y) {
        uchar* row = out.row(y);
        const uchar* still = m_pics.row(fixed, y);
        const double dy = y + 0.5 - my;
        const double bx = mx + kxy * dy;
        const double by = my + kyy * dy;
        int a = r.x0;
        int b = r.x1;
        candidateColumns(r, mx, bx, by, kxx, kyx, a, b);
        copyPixels(row, still, r.x0, a);
        copyPixels(row, still, b, r.x1);
        for (int x = a; x < b; ++x) {
            const double dx = x + 0.5 - mx;
            const double qx = bx + kxx * dx;
            const double qy = by + kyx * dx;
            uchar* px = row + 3 * x;
            if (!(qx >= r.x0 && qx < r.x1 && qy >= r.y0 && qy < r.y1)) {
                px[0] = still[3 * x];
                px[1] = still[3 * x + 1];
                px[2] = still[3 * x + 2];
                continue;
            }
            const Tap tx = tapAt(qx, r.x0, r.x1 - 1);
            const Tap ty = tapAt(qy, r.y0, r.y1 - 1);
            bilerpPixel(m_pics.row(moving, ty.i0), m_pics.row(moving, ty.i1), tx, ty.w, px);
        }
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const TwistParams& params, const EffectContext& context)
{
    return std::make_unique<TwistEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
