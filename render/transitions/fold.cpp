// ROLL, FLIP and CUBE: the target unrolled behind a cylinder, a half-frame page turning
// over, and cube faces turning by a quarter turn (flat or in perspective).
#include "render/transitions/families.h"
#include "render/transitions/sampling.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vistarel::render::transitions {

namespace {

using std::numbers::pi;

class RollEffect final : public Effect
{
public:
    RollEffect(const RollParams& p, const Pictures& pictures)
        : m_pics(pictures)
        , m_orientation(p.orientation)
    {
    }

    // Base: from the left. B left of the roll, the band wraps the next columns of B.
    void render(double t, const Canvas& out) const override
    {
        const int bw = m_orientation.baseW(out.w, out.h);
        const int bh = m_orientation.baseH(out.w, out.h);
        const double r = std::max(2.0, 0.1 * bw);
        const double e = -r + t * (bw + r);
        const int c0 = firstCentreAtOrAfter(e, bw);
        const int c1 = firstCentreAtOrAfter(e + r, bw);
        thread_local OpList ops;
        ops.clear();
        addShiftedColumns(ops, Layer::B, bw, bh, 0, c0, 0);
        addShiftedColumns(ops, Layer::A, bw, bh, c1, bw, 0);
        LayerOp& band = ops.add(Layer::B);
        band.xs.begin = c0;
        band.xs.end = c1;
        band.xs.taps.resize(std::size_t(c1 - c0));
        for (int x = c0; x < c1; ++x) {
            const double w = std::clamp(2.0 * (x + 0.5 - e) / r - 1.0, -1.0, 1.0);
            const double source = e + (r / 2.0) * (std::asin(w) + pi / 2.0);
            band.xs.taps[std::size_t(x - c0)] = tapAt(source, 0, bw - 1);
        }
        shiftTaps(band.ys, 0, bh, 0);
        paintOps(m_pics, ops, m_orientation, out);
    }

private:
    Pictures m_pics;
    Orientation m_orientation;
};

constexpr double kPageStretch = 0.15;

class FlipEffect final : public Effect
{
public:
    FlipEffect(const FlipParams& p, const Pictures& pictures)
        : m_pics(pictures)
        , m_orientation(p.orientation)
    {
    }

    // Base: the right half turns over leftwards about the vertical centre line.
    void render(double t, const Canvas& out) const override
    {
        const int bw = m_orientation.baseW(out.w, out.h);
        const int bh = m_orientation.baseH(out.w, out.h);
        const double hinge = bw / 2.0;
        const double theta = pi * t;
        const bool front = t <= 0.5;
        const double width = (front ? 1.0 : -1.0) * (bw / 2.0) * std::cos(theta);
        // The page covers [hinge, hinge + width) in front, [hinge - width, hinge) behind.
        const int p0 = firstCentreAtOrAfter(front ? hinge : hinge - width, bw);
        const int p1 = firstCentreAtOrAfter(front ? hinge + width : hinge, bw);
        thread_local OpList ops;
        ops.clear();
        addShiftedColumns(ops, Layer::A, bw, bh, 0, p0, 0);
        addShiftedColumns(ops, Layer::B, bw, bh, p1, bw, 0);
        paintOps(m_pics, ops, m_orientation, out);

        thread_local std::vector<WarpColumn> page;
        page.resize(std::size_t(std::max(0, p1 - p0)));
        for (int x = p0; x < p1; ++x) {
            const double xc = x + 0.5;
            const double f = front ? (xc - hinge) / width : (hinge - xc) / width;
            const double source = front ? hinge + f * bw / 2.0 : hinge - f * bw / 2.0;
            WarpColumn& c = page[std::size_t(x - p0)];
            c.black = false;
            c.layer = front ? Layer::A : Layer::B;
            c.col = tapAt(source, 0, bw - 1);
            c.m = 1.0 / (1.0 + kPageStretch * std::sin(theta) * f);
        }
        paintColumnWarp(m_pics, out, m_orientation, p0, p1, page.data(), false);
    }

private:
    Pictures m_pics;
    Orientation m_orientation;
};

class CubeEffect final : public Effect
{
public:
    CubeEffect(const CubeParams& p, const Pictures& pictures)
        : m_pics(pictures)
        , m_p(p)
    {
    }

    void render(double t, const Canvas& out) const override
    {
        if (m_p.perspective)
            renderPerspective(t, out);
        else
            renderFlat(t, out);
    }

private:
    // Base: the target face comes round from the left, faces squeezed side by side.
    void renderFlat(double t, const Canvas& out) const
    {
        const Orientation& o = m_p.orientation;
        const int bw = o.baseW(out.w, out.h);
        const int bh = o.baseH(out.w, out.h);
        const double phi = pi / 2.0 * t;
        const double e = bw * std::sin(phi) / (std::sin(phi) + std::cos(phi));
        thread_local OpList ops;
        ops.clear();
        addRect(ops, Layer::B, bw, bh, 0.0, e, 0.0, bh, 0.0, bw, 0.0, bh);
        addRect(ops, Layer::A, bw, bh, e, bw, 0.0, bh, 0.0, bw, 0.0, bh);
        paintOps(m_pics, ops, o, out);
    }

    void renderPerspective(double t, const Canvas& out) const;

    Pictures m_pics;
    CubeParams m_p;
};

struct Face
{
    double x0, z0, x1, z1; // turned end points in the horizontal plane
    bool visible;
    Layer layer;
};

// The cube seen from above: X right, Z towards the viewer, eye at (0, h + D).
void CubeEffect::renderPerspective(double t, const Canvas& out) const
{
    const Orientation& o = m_p.orientation;
    const int bw = o.baseW(out.w, out.h);
    const double h = bw / 2.0;
    const double d = 2.0 * bw;
    const double phi = pi / 2.0 * t;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    auto turn = [&](double x, double z, double& tx, double& tz) {
        tx = x * c + z * s;
        tz = -x * s + z * c;
    };
    auto face = [&](double x0, double z0, double x1, double z1, double nx, double nz, Layer layer) {
        Face f{0, 0, 0, 0, false, layer};
        turn(x0, z0, f.x0, f.z0);
        turn(x1, z1, f.x1, f.z1);
        double tnx = 0.0;
        double tnz = 0.0;
        turn(nx, nz, tnx, tnz);
        f.visible = (0.0 - f.x0) * tnx + (h + d - f.z0) * tnz > 0.0;
        return f;
    };
    const Face faces[2] = {face(-h, h, h, h, 0.0, 1.0, Layer::A),
                           face(-h, -h, -h, h, -1.0, 0.0, Layer::B)};
    thread_local std::vector<WarpColumn> columns;
    columns.assign(std::size_t(bw), WarpColumn{});
    for (int x = 0; x < bw; ++x) {
        const double xi = x + 0.5 - bw / 2.0;
        for (const Face& f : faces) {
            if (!f.visible)
                continue;
            const double lambda =
                (xi * (h + d - f.z0) - d * f.x0) / (d * (f.x1 - f.x0) + xi * (f.z1 - f.z0));
            if (!(lambda >= 0.0 && lambda < 1.0))
                continue;
            const double k = d / (h + d - f.z0 - lambda * (f.z1 - f.z0));
            WarpColumn& col = columns[std::size_t(x)];
            col.black = false;
            col.layer = f.layer;
            col.col = tapAt(lambda * bw, 0, bw - 1);
            col.m = 1.0 / k;
            break;
        }
    }
    paintColumnWarp(m_pics, out, o, 0, bw, columns.data(), true);
}

} // namespace

std::unique_ptr<Effect> makeEffect(const RollParams& params, const EffectContext& context)
{
    return std::make_unique<RollEffect>(params, context.pictures);
}

std::unique_ptr<Effect> makeEffect(const FlipParams& params, const EffectContext& context)
{
    return std::make_unique<FlipEffect>(params, context.pictures);
}

std::unique_ptr<Effect> makeEffect(const CubeParams& params, const EffectContext& context)
{
    return std::make_unique<CubeEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
