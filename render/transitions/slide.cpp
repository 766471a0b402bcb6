// SLIDE: whole pictures moved by whole pixels: uncover, push, cover, parallax and the four
// quarters sliding in from their corners.
#include "render/transitions/families.h"
#include "render/transitions/sampling.h"

namespace vistarel::render::transitions {

namespace {

class SlideEffect final : public Effect
{
public:
    SlideEffect(const SlideParams& p, const Pictures& pictures)
        : m_pics(pictures)
        , m_p(p)
    {
    }
    void render(double t, const Canvas& out) const override;

private:
    void motionOps(double t, int bw, int bh, OpList& ops) const;
    void quarterOps(double t, OpList& ops) const;

    Pictures m_pics;
    SlideParams m_p;
};

// Base: the pictures move right.
void SlideEffect::motionOps(double t, int bw, int bh, OpList& ops) const
{
    switch (m_p.kind) {
    case SlideKind::Uncover: {
        const int o = rnd(t * bw);
        addShiftedColumns(ops, Layer::B, bw, bh, 0, o, 0);
        addShiftedColumns(ops, Layer::A, bw, bh, o, bw, -o);
        break;
    }
    case SlideKind::Push: {
        const int o = rnd(t * bw);
        addShiftedColumns(ops, Layer::B, bw, bh, 0, o, bw - o);
        addShiftedColumns(ops, Layer::A, bw, bh, o, bw, -o);
        break;
    }
    case SlideKind::Cover: {
        const int o = rnd((1.0 - t) * bw);
        addShiftedColumns(ops, Layer::B, bw, bh, 0, bw - o, o);
        addShiftedColumns(ops, Layer::A, bw, bh, bw - o, bw, 0);
        break;
    }
    case SlideKind::Parallax: {
        const int ob = rnd(t * bw);
        const int oa = rnd(t * bw / 2.0);
        addShiftedColumns(ops, Layer::B, bw, bh, 0, ob, bw - ob);
        addShiftedColumns(ops, Layer::A, bw, bh, ob, bw, -oa);
        break;
    }
    case SlideKind::Quarters:
        break;
    }
}

// Each quadrant of the target slides in from its own outer corner; the start picture
// stays where the quadrant has not arrived yet.
void SlideEffect::quarterOps(double t, OpList& ops) const
{
    const int w = m_pics.w;
    const int h = m_pics.h;
    const int xm = w / 2;
    const int ym = h / 2;
    addFixed(ops, Layer::A, w, h);
    for (int q = 0; q < 4; ++q) {
        const bool left = q % 2 == 0;
        const bool top = q < 2;
        const int qw = left ? xm : w - xm;
        const int qh = top ? ym : h - ym;
        const int ox = rnd((1.0 - t) * qw);
        const int oy = rnd((1.0 - t) * qh);
        LayerOp& op = ops.add(Layer::B);
        if (left)
            shiftTaps(op.xs, 0, xm - ox, ox);
        else
            shiftTaps(op.xs, xm + ox, w, -ox);
        if (top)
            shiftTaps(op.ys, 0, ym - oy, oy);
        else
            shiftTaps(op.ys, ym + oy, h, -oy);
    }
}

void SlideEffect::render(double t, const Canvas& out) const
{
    thread_local OpList ops;
    ops.clear();
    if (m_p.kind == SlideKind::Quarters) {
        quarterOps(t, ops);
        paintOps(m_pics, ops, kBaseOrientation, out);
        return;
    }
    const Orientation& o = m_p.orientation;
    motionOps(t, o.baseW(out.w, out.h), o.baseH(out.w, out.h), ops);
    paintOps(m_pics, ops, o, out);
}

} // namespace

std::unique_ptr<Effect> makeEffect(const SlideParams& params, const EffectContext& context)
{
    return std::make_unique<SlideEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
