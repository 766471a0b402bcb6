// PACMAN: a chomping figure crosses each band; the target lies behind it, the start picture
// ahead of it.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vistarel::render::transitions {

namespace {

constexpr uchar kBody[3] = {255, 220, 0};
constexpr double kEyeRadius = 0.12;
constexpr double kMaxMouthDegrees = 45.0;

struct Band
{
    int y0, y1;
    int dir;
    double from, to; // time window
};

class PacmanEffect final : public Effect
{
public:
    PacmanEffect(const PacmanParams& p, const Pictures& pictures);
    void render(double t, const Canvas& out) const override;

private:
    void renderBand(const Band& band, double t, const Canvas& out) const;

    Pictures m_pics;
    std::vector<Band> m_bands;
};

PacmanEffect::PacmanEffect(const PacmanParams& p, const Pictures& pictures)
    : m_pics(pictures)
{
    const std::vector<int> b = equalParts(pictures.h, p.bands);
    for (int i = 0; i < p.bands; ++i) {
        Band band{b[std::size_t(i)], b[std::size_t(i) + 1], i % 2 == 0 ? 1 : -1, 0.0, 1.0};
        if (p.timing == PacmanTiming::Single)
            band.dir = p.direction;
        if (p.timing == PacmanTiming::Serpentine) {
            band.from = double(i) / p.bands;
            band.to = double(i + 1) / p.bands;
        }
        m_bands.push_back(band);
    }
}

void PacmanEffect::render(double t, const Canvas& out) const
{
    for (const Band& band : m_bands)
        renderBand(band, t, out);
}

void PacmanEffect::renderBand(const Band& band, double t, const Canvas& out) const
{
    const int w = out.w;
    const double r = (band.y1 - band.y0) / 2.0;
    const double cy = (band.y0 + band.y1) / 2.0;
    const double u = clamp01((t - band.from) / (band.to - band.from));
    const double travel = u * (w + 2.0 * r);
    const double cx = band.dir > 0 ? -r + travel : w + r - travel;
    const double mouth = std::tan(kMaxMouthDegrees * std::numbers::pi / 180.0 *
                                  std::fabs(std::sin(std::numbers::pi * travel / (2.0 * r))));
    const double eyeX = cx + 0.1 * r * band.dir;
    const double eyeY = cy - 0.5 * r;
    const double eyeR = kEyeRadius * r;
    // Behind the figure (the side it came from) the target shows.
    const int split = band.dir > 0 ? firstCentreAtOrAfter(cx, w) : firstCentreAfter(cx, w);
    for (int y = band.y0; y < band.y1; ++y) {
        uchar* row = out.row(y);
        const uchar* a = m_pics.rowA(y);
        const uchar* b = m_pics.rowB(y);
        copyPixels(row, band.dir > 0 ? b : a, 0, split);
        copyPixels(row, band.dir > 0 ? a : b, split, w);
        const double dy = y + 0.5 - cy;
        if (!(std::fabs(dy) < r))
            continue;
        const double half = std::sqrt(r * r - dy * dy);
        const int x0 = std::clamp(int(std::floor(cx - half)) - 1, 0, w);
        const int x1 = std::clamp(int(std::ceil(cx + half)) + 1, x0, w);
        for (int x = x0; x < x1; ++x) {
            const double dx = x + 0.5 - cx;
            if (!(dx * dx + dy * dy < r * r))
                continue;
            const double ahead = band.dir * dx;
            if (ahead > 0.0 && std::fabs(dy) < ahead * mouth)
                continue; // the open mouth shows the band as it is
            uchar* px = row + 3 * x;
            const double ex = x + 0.5 - eyeX;
            const double ey = y + 0.5 - eyeY;
            const bool eye = ex * ex + ey * ey < eyeR * eyeR;
            for (int c = 0; c < 3; ++c)
                px[c] = eye ? 0 : kBody[c];
        }
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const PacmanParams& params, const EffectContext& context)
{
    return std::make_unique<PacmanEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
