// SCALE: pictures (or their halves and quarters) resampled into moving rectangles; and
// PANZOOM: a blend of two slowly magnified pictures.
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/sampling.h"

namespace vistarel::render::transitions {

namespace {

// X magnified by m about the frame centre, over the whole frame.
void addMagnified(OpList& ops, Layer layer, int w, int h, double m)
{
    const double hw = w / 2.0;
    const double hh = h / 2.0;
    LayerOp& op = ops.add(layer);
    linearTaps(op.xs, w, 0.0, w, hw - hw / m, hw + hw / m, 0, w - 1);
    linearTaps(op.ys, h, 0.0, h, hh - hh / m, hh + hh / m, 0, h - 1);
}

// Each quarter of the target (split at floor(W/2), floor(H/2)) grows from its outer corner
// to t times its size.
void addQuarters(OpList& ops, double t, int w, int h)
{
    const double W = w;
    const double H = h;
    const double xm = w / 2;
    const double ym = h / 2;
    for (int q = 0; q < 4; ++q) {
        const bool left = q % 2 == 0;
        const bool top = q < 2;
        const double x0 = left ? 0.0 : W - t * (W - xm);
        const double x1 = left ? t * xm : W;
        const double y0 = top ? 0.0 : H - t * (H - ym);
        const double y1 = top ? t * ym : H;
        addRect(ops, Layer::B, w, h, x0, x1, y0, y1, left ? 0.0 : xm, left ? xm : W, top ? 0.0 : ym,
                top ? ym : H);
    }
}

class ScaleEffect final : public Effect
{
public:
    ScaleEffect(const ScaleParams& p, const Pictures& pictures)
        : m_pics(pictures)
        , m_p(p)
    {
    }
    void render(double t, const Canvas& out) const override;

private:
    void baseOps(double t, int w, int h, OpList& ops) const;

    Pictures m_pics;
    ScaleParams m_p;
};

// The base cases, in a w x h base frame, layers listed bottom to top.
void ScaleEffect::baseOps(double t, int w, int h, OpList& ops) const
{
    const double W = w;
    const double H = h;
    // A whole picture into a rectangle.
    auto rect = [&](Layer layer, double x0, double x1, double y0, double y1) {
        addRect(ops, layer, w, h, x0, x1, y0, y1, 0.0, W, 0.0, H);
    };
    // A vertical half (or another column range) of a picture into a column range.
    auto columns = [&](Layer layer, double x0, double x1, double sx0, double sx1) {
        addRect(ops, layer, w, h, x0, x1, 0.0, H, sx0, sx1, 0.0, H);
    };
    switch (m_p.base) {
    case ScaleCase::Stretch31:
        addFixed(ops, Layer::A, w, h);
        rect(Layer::B, 0.0, t * W, 0.0, H);
        break;
    case ScaleCase::Corner35:
        addFixed(ops, Layer::A, w, h);
        rect(Layer::B, 0.0, t * W, 0.0, t * H);
        break;
    case ScaleCase::Squeeze39:
        rect(Layer::B, 0.0, t * W, 0.0, H);
        rect(Layer::A, t * W, W, 0.0, H);
        break;
    case ScaleCase::Halves43:
    case ScaleCase::HalvesOver45:
        if (m_p.base == ScaleCase::Halves43)
            rect(Layer::A, t * W / 2.0, W - t * W / 2.0, 0.0, H);
        else
            addFixed(ops, Layer::A, w, h);
        columns(Layer::B, 0.0, t * W / 2.0, 0.0, W / 2.0);
        columns(Layer::B, W - t * W / 2.0, W, W / 2.0, W);
        break;
    case ScaleCase::Centre48:
        rect(Layer::B, W / 2.0 - t * W / 2.0, W / 2.0 + t * W / 2.0, 0.0, H);
        columns(Layer::A, 0.0, W / 2.0 - t * W / 2.0, 0.0, W / 2.0);
        columns(Layer::A, W / 2.0 + t * W / 2.0, W, W / 2.0, W);
        break;
    case ScaleCase::Shrink69:
        addFixed(ops, Layer::B, w, h);
        rect(Layer::A, 0.0, (1.0 - t) * W, 0.0, (1.0 - t) * H);
        break;
    case ScaleCase::ShrinkCentre73:
    case ScaleCase::Zoom30: {
        if (m_p.base == ScaleCase::Zoom30)
            addMagnified(ops, Layer::B, w, h, 2.0 - t);
        else
            addFixed(ops, Layer::B, w, h);
        const double k = 1.0 - t;
        rect(Layer::A, W / 2.0 - k * W / 2.0, W / 2.0 + k * W / 2.0, H / 2.0 - k * H / 2.0,
             H / 2.0 + k * H / 2.0);
        break;
    }
    case ScaleCase::Grow29:
        addFixed(ops, Layer::A, w, h);
        rect(Layer::B, W / 2.0 - t * W / 2.0, W / 2.0 + t * W / 2.0, H / 2.0 - t * H / 2.0,
             H / 2.0 + t * H / 2.0);
        break;
    case ScaleCase::Quarters75:
        addFixed(ops, Layer::A, w, h);
        addQuarters(ops, t, w, h);
        break;
    case ScaleCase::Squeeze155: {
        const int o = rnd(t * W);
        addShiftedColumns(ops, Layer::B, w, h, w - o, w, -(w - o));
        rect(Layer::A, 0.0, W - o, 0.0, H);
        break;
    }
    }
}

void ScaleEffect::render(double t, const Canvas& out) const
{
    thread_local OpList ops;
    ops.clear();
    const Orientation& o = m_p.orientation;
    baseOps(t, o.baseW(out.w, out.h), o.baseH(out.w, out.h), ops);
    paintOps(m_pics, ops, o, out);
}

class PanZoomEffect final : public Effect
{
public:
    PanZoomEffect(double zoom, const Pictures& pictures)
        : m_pics(pictures)
        , m_zoom(zoom)
    {
    }

    void render(double t, const Canvas& out) const override
    {
        thread_local OpList ops;
        ops.clear();
        addMagnified(ops, Layer::A, out.w, out.h, 1.0 + m_zoom * t);
        addMagnified(ops, Layer::B, out.w, out.h, 1.0 + m_zoom * (1.0 - t));
        const OpPlan planA = planOp(ops[0]);
        const OpPlan planB = planOp(ops[1]);
        const std::size_t rowBytes = std::size_t(3) * std::size_t(out.w);
        std::vector<uchar>& a = scratch<uchar>(rowBytes);
        std::vector<uchar>& b = scratch<uchar, 1>(rowBytes);
        const int weight = mixWeight(t);
        for (int y = 0; y < out.h; ++y) {
            sampleOpRow(m_pics, ops[0], y, a.data(), planA);
            sampleOpRow(m_pics, ops[1], y, b.data(), planB);
            mixBytes(out.row(y), a.data(), b.data(), 3 * out.w, weight);
        }
    }

private:
    Pictures m_pics;
    double m_zoom;
};

} // namespace

std::unique_ptr<Effect> makeEffect(const ScaleParams& params, const EffectContext& context)
{
    return std::make_unique<ScaleEffect>(params, context.pictures);
}

std::unique_ptr<Effect> makeEffect(const PanZoomParams& params, const EffectContext& context)
{
    return std::make_unique<PanZoomEffect>(params.zoom, context.pictures);
}

} // namespace vistarel::render::transitions
