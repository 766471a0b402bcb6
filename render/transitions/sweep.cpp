// SWEEP: hands, fans and wedges turning about a pivot, from a per-run angle key map.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/keymaps.h"

namespace vistarel::render::transitions {

namespace {

class SweepEffect final : public Effect
{
public:
    SweepEffect(const SweepParams& p, const Pictures& pictures)
        : m_pics(pictures)
        , m_keys(sweepKeys(p.kind, p.start, p.counterClockwise, pictures.w, pictures.h))
    {
    }

    void render(double t, const Canvas& out) const override
    {
        const float threshold = floatThreshold(t);
        std::vector<std::uint8_t>& mask = scratch<std::uint8_t>(std::size_t(out.w));
        for (int y = 0; y < out.h; ++y) {
            keyMask(m_keys.data() + std::size_t(y) * std::size_t(out.w), threshold, mask.data(),
                    out.w);
            composeMask(out.row(y), m_pics.rowA(y), m_pics.rowB(y), mask.data(), out.w);
        }
    }

private:
    Pictures m_pics;
    std::vector<float> m_keys;
};

} // namespace

std::unique_ptr<Effect> makeEffect(const SweepParams& params, const EffectContext& context)
{
    return std::make_unique<SweepEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
