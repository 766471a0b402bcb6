// STRIP: bands of rows or columns, each revealing the target along its length on its own
// clock (shred, crisscross), or slats filling across their width (blinds).
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/grid.h"
#include "render/transitions/random.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vistarel::render::transitions {

namespace {

constexpr double kShredLag = 0.3;
constexpr int kCrossStrips = 8;
constexpr double kCrossStagger = 0.4;
constexpr int kBlindSlats = 10;
constexpr std::array<int, 12> kUnevenWeights{3, 1, 2, 4, 1, 3, 2, 1, 4, 2, 3, 1};
constexpr double kUnevenStagger = 0.5;

// The along-strip coordinate of every index of an axis for the four sources.
std::array<std::vector<double>, 4> revealTables(int n)
{
    std::array<std::vector<double>, 4> t;
    for (auto& v : t)
        v.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const double u = (i + 0.5) / n;
        const double cu = std::fabs(2.0 * u - 1.0);
        t[std::size_t(Reveal::Low)][std::size_t(i)] = u;
        t[std::size_t(Reveal::High)][std::size_t(i)] = 1.0 - u;
        t[std::size_t(Reveal::Out)][std::size_t(i)] = cu;
        t[std::size_t(Reveal::In)][std::size_t(i)] = 1.0 - cu;
    }
    return t;
}

// One set of strips revealed along their length.
struct AlongSet
{
    StripSet spec;
    std::vector<int> bounds;   // strip boundaries across the set
    std::vector<int> stripOf;  // strip of every row (rows set) or column (columns set)
    std::vector<double> lag;   // shred: j_i
    std::vector<double> start; // cross: a_i
    int count = 0;

    Reveal source(int i) const { return i % 2 == 0 ? spec.even : spec.odd; }
};

class AlongEffect final : public Effect
{
public:
    AlongEffect(const StripParams& p, const EffectContext& context);
    void render(double t, const Canvas& out) const override;

private:
    AlongSet makeSet(const StripSet& spec, SplitMix64& random) const;
    double threshold(const AlongSet& set, int i, double t) const;

    Pictures m_pics;
    StripKind m_kind;
    std::vector<AlongSet> m_sets;
    std::array<std::vector<double>, 4> m_alongX; // for row strips
    std::array<std::vector<MonotonePiece>, 4> m_piecesX;
    std::array<std::vector<double>, 4> m_alongY; // for column strips
};

AlongEffect::AlongEffect(const StripParams& p, const EffectContext& context)
    : m_pics(context.pictures)
    , m_kind(p.kind)
{
    SplitMix64 random(context.seed);
    for (const StripSet* spec : {&p.first, &p.second}) {
        if (spec->used)
            m_sets.push_back(makeSet(*spec, random));
    }
    m_alongX = revealTables(m_pics.w);
    m_alongY = revealTables(m_pics.h);
    for (std::size_t k = 0; k < 4; ++k)
        m_piecesX[k] = monotonePieces(m_alongX[k]);
}

AlongSet AlongEffect::makeSet(const StripSet& spec, SplitMix64& random) const
{
    AlongSet set;
    set.spec = spec;
    const int across = spec.rows ? m_pics.h : m_pics.w;
    if (m_kind == StripKind::Shred) {
        const int thickness = std::max(1, rnd(std::min(m_pics.w, m_pics.h) / 36.0));
        set.count = std::max(1, rnd(double(across) / thickness));
    } else {
        set.count = kCrossStrips;
    }
    set.bounds = equalParts(across, set.count);
    set.stripOf = partOf(set.bounds, across);
    for (int i = 0; i < set.count; ++i) {
        if (m_kind == StripKind::Shred) {
            set.lag.push_back(0.5 * (i % 2) + 0.5 * random.uniform());
        } else {
            const int rank = spec.stagger == Stagger::FromHigh ? set.count - 1 - i : i;
            const double a =
                spec.stagger == Stagger::None ? 0.0 : kCrossStagger * rank / (set.count - 1);
            set.start.push_back(a);
        }
    }
    return set;
}

double AlongEffect::threshold(const AlongSet& set, int i, double t) const
{
    if (m_kind == StripKind::Shred)
        return t * (1.0 + kShredLag) - kShredLag * set.lag[std::size_t(i)];
    const double a = set.start[std::size_t(i)];
    if (m_kind == StripKind::Cross)
        return clamp01((t - a) / (1.0 - a));
    // Bounce: even strips run in the first half, odd strips in the second.
    const double clock = i % 2 == 0 ? 2.0 * t : 2.0 * t - 1.0;
    return clamp01((clock - a) / (1.0 - a));
}

void AlongEffect::render(double t, const Canvas& out) const
{
    const AlongSet* columns = nullptr;
    const AlongSet* rows = nullptr;
    for (const AlongSet& set : m_sets)
        (set.spec.rows ? rows : columns) = &set;
    // Column strips: threshold and source per strip, fixed for the frame.
    std::vector<double>& colThreshold = scratch<double>(columns ? columns->bounds.size() : 0);
    if (columns) {
        for (int j = 0; j < columns->count; ++j)
            colThreshold[std::size_t(j)] = threshold(*columns, j, t);
    }
    SpanList& spans = scratch<Span>(0);
    for (int y = 0; y < out.h; ++y) {
        spans.clear();
        if (rows) {
            // A row strip reveals a run along x, found by bisection per monotone run.
            const int i = rows->stripOf[std::size_t(y)];
            const double limit = threshold(*rows, i, t);
            const std::size_t source = std::size_t(rows->source(i));
            const std::vector<double>& along = m_alongX[source];
            for (const MonotonePiece& piece : m_piecesX[source])
                monotoneSpan(
                    piece, [&](int x) { return along[std::size_t(x)] < limit; }, spans);
        }
        if (columns) {
            // A column strip is either revealed on this row or not, all its columns at once.
            for (int j = 0; j < columns->count; ++j) {
                const double s = m_alongY[std::size_t(columns->source(j))][std::size_t(y)];
                if (s < colThreshold[std::size_t(j)])
                    spans.push_back(
                        {columns->bounds[std::size_t(j)], columns->bounds[std::size_t(j) + 1]});
            }
        }
        normalizeSpans(spans, out.w);
        composeSpans(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, spans);
    }
}

// Slats filling across their width: blinds (centre-out, row or column slats) and the
// uneven blinds (from one side, weighted slats, staggered), both as one mask per frame
// along one axis.
class SlatEffect final : public Effect
{
public:
    SlatEffect(const StripParams& p, const Pictures& pictures);
    void render(double t, const Canvas& out) const override;

private:
    Pictures m_pics;
    bool m_uneven;
    bool m_alongX;             // the slat mask varies along output x (else along y)
    std::vector<int> m_slatOf; // slat of every index of that axis
    std::vector<double> m_pos; // s' of every index
};

SlatEffect::SlatEffect(const StripParams& p, const Pictures& pictures)
    : m_pics(pictures)
    , m_uneven(p.kind == StripKind::Uneven)
{
    std::vector<int> bounds;
    int n = 0;
    bool mirrored = false;
    if (m_uneven) {
        // Base: column slats counted from the left; other sides by orientation.
        const Orientation& o = p.orientation;
        m_alongX = !o.transpose;
        mirrored = o.baseXMirrored();
        n = o.baseW(pictures.w, pictures.h);
        bounds = weightedParts(n, kUnevenWeights);
    } else {
        m_alongX = !p.first.rows;
        n = m_alongX ? pictures.w : pictures.h;
        bounds = equalParts(n, kBlindSlats);
    }
    const std::vector<int> slatOf = partOf(bounds, n);
    m_slatOf.resize(std::size_t(n));
    m_pos.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const int slat = slatOf[std::size_t(i)];
        const double b0 = bounds[std::size_t(slat)];
        const double b1 = bounds[std::size_t(slat) + 1];
        const double c = i + 0.5;
        const double pos =
            m_uneven ? (c - b0) / (b1 - b0) : std::fabs(c - (b0 + b1) / 2.0) / ((b1 - b0) / 2.0);
        const std::size_t at = std::size_t(mirrored ? n - 1 - i : i);
        m_slatOf[at] = slat;
        m_pos[at] = pos;
    }
}

void SlatEffect::render(double t, const Canvas& out) const
{
    const std::size_t n = m_pos.size();
    std::vector<std::uint8_t>& axisMask = scratch<std::uint8_t, 1>(n);
    for (std::size_t i = 0; i < n; ++i) {
        double limit = t;
        if (m_uneven) {
            const double a = kUnevenStagger * m_slatOf[i] / double(kUnevenWeights.size() - 1);
            limit = clamp01((t - a) / 0.5);
        }
        axisMask[i] = m_pos[i] < limit;
    }
    for (int y = 0; y < out.h; ++y) {
        const uchar* a = m_pics.rowA(y);
        const uchar* b = m_pics.rowB(y);
        if (m_alongX)
            composeMask(out.row(y), a, b, axisMask.data(), out.w);
        else
            copyPixels(out.row(y), axisMask[std::size_t(y)] ? b : a, 0, out.w);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const StripParams& params, const EffectContext& context)
{
    if (params.kind == StripKind::Blinds || params.kind == StripKind::Uneven)
        return std::make_unique<SlatEffect>(params, context.pictures);
    return std::make_unique<AlongEffect>(params, context);
}

} // namespace vistarel::render::transitions
