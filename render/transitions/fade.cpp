// CUT and FADE: the target at once, or whole-frame blends through black.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"

#include <cstring>

namespace vistarel::render::transitions {

namespace {

class CutEffect final : public Effect
{
public:
    explicit CutEffect(const Pictures& pictures)
        : m_pictures(pictures)
    {
    }

    void render(double, const Canvas& out) const override
    {
        for (int y = 0; y < out.h; ++y)
            std::memcpy(out.row(y), m_pictures.rowB(y), std::size_t(3) * std::size_t(out.w));
    }

private:
    Pictures m_pictures;
};

class FadeEffect final : public Effect
{
public:
    FadeEffect(const Pictures& pictures, FadeMode mode)
        : m_pictures(pictures)
        , m_mode(mode)
    {
    }

    void render(double t, const Canvas& out) const override
    {
        const int n = 3 * out.w;
        for (int y = 0; y < out.h; ++y) {
            uchar* o = out.row(y);
            const uchar* a = m_pictures.rowA(y);
            const uchar* b = m_pictures.rowB(y);
            switch (m_mode) {
            case FadeMode::Cross:
                mixBytes(o, a, b, n, mixWeight(t));
                break;
            case FadeMode::Out:
                fadeBytes(o, a, n, mixWeight(t));
                break;
            case FadeMode::In:
                fadeBytes(o, b, n, 256 - mixWeight(t));
                break;
            case FadeMode::OutIn:
                if (t <= 0.5)
                    fadeBytes(o, a, n, mixWeight(2.0 * t));
                else
                    fadeBytes(o, b, n, 256 - mixWeight(2.0 * t - 1.0));
                break;
            }
        }
    }

private:
    Pictures m_pictures;
    FadeMode m_mode;
};

} // namespace

std::unique_ptr<Effect> makeEffect(const CutParams&, const EffectContext& context)
{
    return std::make_unique<CutEffect>(context.pictures);
}

std::unique_ptr<Effect> makeEffect(const FadeParams& params, const EffectContext& context)
{
    return std::make_unique<FadeEffect>(context.pictures, params.mode);
}

} // namespace vistarel::render::transitions
