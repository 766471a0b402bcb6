// WIPE: the target shows where the travel coordinate s of a pixel is below an edge that
// moves with t and may carry a profile along the edge coordinate q.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/random.h"

#include <algorithm>
#include <cmath>

namespace vistarel::render::transitions {

namespace {

constexpr double kSoftWidth = 0.2;

double profile(WipeProfile p, double q)
{
    switch (p) {
    case WipeProfile::Parabola:
        return 1.0 - q * q;
    case WipeProfile::Chevron:
        return 1.0 - std::fabs(q);
    case WipeProfile::Zigzag: {
        const double v = 4.0 * (q + 1.0);
        return 1.0 - std::fabs(2.0 * (v - std::floor(v)) - 1.0);
    }
    default:
        return 0.0;
    }
}

// Normalised centre coordinate (i + 0.5) / n of every index of an axis of length n.
std::vector<double> unitCentres(int n)
{
    std::vector<double> c(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        c[std::size_t(i)] = (i + 0.5) / n;
    return c;
}

// Reorders a base-axis table into output order along an axis that may run mirrored.
std::vector<double> inOutputOrder(const std::vector<double>& base, bool mirrored)
{
    std::vector<double> out(base);
    if (mirrored)
        std::reverse(out.begin(), out.end());
    return out;
}

class WipeEffect final : public Effect
{
public:
    WipeEffect(const WipeParams& p, const EffectContext& context);
    void render(double t, const Canvas& out) const override;

private:
    void renderSoft(double t, const Canvas& out) const;
    void renderDiagonal(double e, const Canvas& out) const;
    void renderSpeckle(double e, const Canvas& out) const;

    Pictures m_pics;
    WipeParams m_p;
    bool m_sAlongX = true;    // s varies along output x (q along y), or the reverse
    std::vector<double> m_s;  // s per index of its output axis
    std::vector<double> m_fq; // profile f(q) per index of the other axis
    // Monotone runs of the table that varies along output x (s, f(q) or u').
    std::vector<MonotonePiece> m_pieces;
    // Diagonal: u' per output x and v' per output y.
    std::vector<double> m_u;
    std::vector<double> m_v;
    // Speckle: the noise of the base-frame cells, indexed by m_noiseOfX[x] + m_noiseOfY[y].
    std::vector<double> m_noise;
    std::vector<std::size_t> m_noiseOfX;
    std::vector<std::size_t> m_noiseOfY;
};

WipeEffect::WipeEffect(const WipeParams& p, const EffectContext& context)
    : m_pics(context.pictures)
    , m_p(p)
{
    const int w = m_pics.w;
    const int h = m_pics.h;
    const Orientation& o = p.orientation;
    const int bw = o.baseW(w, h);
    const int bh = o.baseH(w, h);
    std::vector<double> baseU = unitCentres(bw);
    std::vector<double> baseV = unitCentres(bh);
    auto centred = [](std::vector<double> v, bool absolute, bool inverted) {
        for (double& c : v) {
            c = 2.0 * c - 1.0;
            if (absolute)
                c = inverted ? 1.0 - std::fabs(c) : std::fabs(c);
        }
        return v;
    };
    std::vector<double> q;
    switch (p.geometry) {
    case WipeGeometry::Single:
        // Base: s = u' along base x, q = cv' along base y.
        m_sAlongX = !o.transpose;
        m_s = inOutputOrder(baseU, o.baseXMirrored());
        q = inOutputOrder(centred(baseV, false, false), o.baseYMirrored());
        break;
    case WipeGeometry::Diagonal:
        m_u = inOutputOrder(baseU, o.mirrorX);
        m_v = inOutputOrder(baseV, o.mirrorY);
        m_pieces = monotonePieces(m_u);
        return;
    case WipeGeometry::OutHor:
    case WipeGeometry::InHor:
        m_sAlongX = false;
        m_s = centred(baseV, true, p.geometry == WipeGeometry::InHor);
        q = centred(baseU, false, false);
        break;
    case WipeGeometry::OutVer:
    case WipeGeometry::InVer:
        m_s = centred(baseU, true, p.geometry == WipeGeometry::InVer);
        q = centred(baseV, false, false);
        break;
    }
    m_fq.resize(q.size());
    for (std::size_t i = 0; i < q.size(); ++i)
        m_fq[i] = profile(p.profile, q[i]);
    m_pieces = monotonePieces(m_sAlongX ? m_s : m_fq);
    if (p.profile == WipeProfile::Speckle) {
        const int cell = std::max(1, rnd(std::min(w, h) / 360.0));
        const int cols = (bw + cell - 1) / cell;
        const int rows = (bh + cell - 1) / cell;
        m_noise.resize(std::size_t(cols) * std::size_t(rows));
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < cols; ++i)
                m_noise[std::size_t(j) * std::size_t(cols) + std::size_t(i)] =
                    cellNoise(context.seed, std::uint32_t(i), std::uint32_t(j));
        // The cell of a pixel lies at base (x', y'); an output axis carries one of the two.
        auto offsets = [&](int n, bool mirrored, bool carriesBaseY) {
            std::vector<std::size_t> off(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) {
                const std::size_t c = std::size_t((mirrored ? n - 1 - i : i) / cell);
                off[std::size_t(i)] = carriesBaseY ? c * std::size_t(cols) : c;
            }
            return off;
        };
        m_noiseOfX = offsets(w, o.mirrorX, o.transpose);
        m_noiseOfY = offsets(h, o.mirrorY, !o.transpose);
    }
}

void WipeEffect::render(double t, const Canvas& out) const
{
    if (m_p.profile == WipeProfile::Soft) {
        renderSoft(t, out);
        return;
    }
    const double a = m_p.amplitude;
    const double e = t * (1.0 + a) - a;
    if (m_p.geometry == WipeGeometry::Diagonal) {
        renderDiagonal(e, out);
        return;
    }
    if (m_p.profile == WipeProfile::Speckle) {
        renderSpeckle(e, out);
        return;
    }
    // One or a few spans per row: the table varying along x is cut into monotone runs,
    // and in each run the edge is found by bisection with the exact comparison.
    SpanList& spans = scratch<Span>(0);
    for (int y = 0; y < out.h; ++y) {
        spans.clear();
        for (const MonotonePiece& piece : m_pieces) {
            if (m_sAlongX) {
                const double limit = e + a * m_fq[std::size_t(y)];
                monotoneSpan(
                    piece, [&](int x) { return m_s[std::size_t(x)] < limit; }, spans);
            } else {
                const double s = m_s[std::size_t(y)];
                monotoneSpan(
                    piece, [&](int x) { return s < e + a * m_fq[std::size_t(x)]; }, spans);
            }
        }
        normalizeSpans(spans, out.w);
        composeSpans(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, spans);
    }
}

void WipeEffect::renderDiagonal(double e, const Canvas& out) const
{
    SpanList& spans = scratch<Span>(0);
    for (int y = 0; y < out.h; ++y) {
        spans.clear();
        const double v = m_v[std::size_t(y)];
        for (const MonotonePiece& piece : m_pieces)
            monotoneSpan(
                piece, [&](int x) { return (m_u[std::size_t(x)] + v) / 2.0 < e; }, spans);
        normalizeSpans(spans, out.w);
        composeSpans(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, spans);
    }
}

void WipeEffect::renderSpeckle(double e, const Canvas& out) const
{
    const double a = m_p.amplitude;
    std::vector<std::uint8_t>& mask = scratch<std::uint8_t>(std::size_t(out.w));
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            const double s = m_s[std::size_t(m_sAlongX ? x : y)];
            const double noise = m_noise[m_noiseOfX[std::size_t(x)] + m_noiseOfY[std::size_t(y)]];
            mask[std::size_t(x)] = s < e + a * noise;
        }
        composeMask(out.row(y), m_pics.rowA(y), m_pics.rowB(y), mask.data(), out.w);
    }
}

void WipeEffect::renderSoft(double t, const Canvas& out) const
{
    const double e = t * (1.0 + kSoftWidth);
    std::vector<std::uint16_t>& weights = scratch<std::uint16_t>(m_s.size());
    for (std::size_t i = 0; i < m_s.size(); ++i)
        weights[i] = std::uint16_t(mixWeight((e - m_s[i]) / kSoftWidth));
    for (int y = 0; y < out.h; ++y) {
        if (m_sAlongX)
            mixPixels(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, weights.data());
        else
            mixBytes(out.row(y), m_pics.rowA(y), m_pics.rowB(y), 3 * out.w,
                     weights[std::size_t(y)]);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const WipeParams& params, const EffectContext& context)
{
    return std::make_unique<WipeEffect>(params, context);
}

} // namespace vistarel::render::transitions
