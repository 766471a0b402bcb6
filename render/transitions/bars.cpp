// BARS: bars of the target sliding into place over the start picture, or flying in one
// after another and piling up at one side.
#include "render/transitions/families.h"
#include "render/transitions/grid.h"
#include "render/transitions/random.h"
#include "render/transitions/sampling.h"

#include <algorithm>

namespace vistarel::render::transitions {

namespace {

constexpr int kSlideBars = 12;
constexpr int kStackBars = 8;

class BarsEffect final : public Effect
{
public:
    BarsEffect(const BarsParams& p, const EffectContext& context);
    void render(double t, const Canvas& out) const override;

private:
    void slideOps(double t, OpList& ops) const;
    void stackOps(double t, OpList& ops) const;

    Pictures m_pics;
    BarsParams m_p;
    int m_bw;
    int m_bh;
    std::vector<int> m_bounds;
    std::vector<double> m_random; // staggered: r_i
};

BarsEffect::BarsEffect(const BarsParams& p, const EffectContext& context)
    : m_pics(context.pictures)
    , m_p(p)
    , m_bw(p.orientation.baseW(context.pictures.w, context.pictures.h))
    , m_bh(p.orientation.baseH(context.pictures.w, context.pictures.h))
{
    if (p.kind == BarsKind::Stack) {
        m_bounds = equalParts(m_bw, kStackBars);
        return;
    }
    m_bounds = equalParts(m_bh, kSlideBars);
    if (p.kind == BarsKind::Staggered) {
        SplitMix64 random(context.seed);
        for (int i = 0; i < kSlideBars; ++i)
            m_random.push_back(random.uniform());
    }
}

void BarsEffect::slideOps(double t, OpList& ops) const
{
    addFixed(ops, Layer::A, m_bw, m_bh);
    for (int i = 0; i < kSlideBars; ++i) {
        double u = t;
        bool fromLeft = i % 2 == 0;
        switch (m_p.kind) {
        case BarsKind::Staggered:
            u = clamp01((t - 0.5 * m_random[std::size_t(i)]) / 0.5);
            fromLeft = true;
            break;
        case BarsKind::Then:
            u = clamp01(fromLeft ? 2.0 * t : 2.0 * t - 1.0);
            break;
        default:
            break;
        }
        const int o = rnd((1.0 - u) * m_bw);
        LayerOp& bar = ops.add(Layer::B);
        if (fromLeft)
            shiftTaps(bar.xs, 0, m_bw - o, o);
        else
            shiftTaps(bar.xs, o, m_bw, -o);
        shiftTaps(bar.ys, m_bounds[std::size_t(i)], m_bounds[std::size_t(i) + 1], 0);
    }
}

void BarsEffect::stackOps(double t, OpList& ops) const
{
    addFixed(ops, Layer::A, m_bw, m_bh);
    for (int i = 0; i < kStackBars; ++i) {
        const int b0 = m_bounds[std::size_t(i)];
        const int b1 = m_bounds[std::size_t(i) + 1];
        const double u = clamp01(kStackBars * t - i);
        // A bar flies in from beyond the far edge and stops in its slot.
        const int o = rnd((1.0 - u) * (m_bw - b0));
        addShiftedColumns(ops, Layer::B, m_bw, m_bh, b0 + o, b1 + o, -o);
    }
}

void BarsEffect::render(double t, const Canvas& out) const
{
    thread_local OpList ops;
    ops.clear();
    if (m_p.kind == BarsKind::Stack)
        stackOps(t, ops);
    else
        slideOps(t, ops);
    paintOps(m_pics, ops, m_p.orientation, out);
}

} // namespace

std::unique_ptr<Effect> makeEffect(const BarsParams& params, const EffectContext& context)
{
    return std::make_unique<BarsEffect>(params, context);
}

} // namespace vistarel::render::transitions
