#include "render/transitions/sampling.h"
#include "render/transitions/compose.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vistarel::render::transitions {

void partIndices(double s0, double s1, int n, int& lo, int& hi)
{
    lo = firstCentreAtOrAfter(s0, n);
    hi = firstCentreAtOrAfter(s1, n) - 1;
    if (hi < lo) {
        lo = std::clamp(int(std::floor(s0)), 0, n - 1);
        hi = lo;
    }
}

void shiftTaps(AxisTaps& taps, int begin, int end, int shift)
{
    taps.begin = begin;
    taps.end = std::max(begin, end);
    taps.taps.resize(std::size_t(taps.end - taps.begin));
    for (int i = taps.begin; i < taps.end; ++i)
        taps.taps[std::size_t(i - taps.begin)] = {i + shift, i + shift, 0};
}

void linearTaps(AxisTaps& taps, int n, double d0, double d1, double m0, double m1, int lo, int hi)
{
    taps.begin = firstCentreAtOrAfter(d0, n);
    taps.end = std::max(taps.begin, firstCentreAtOrAfter(d1, n));
    taps.taps.resize(std::size_t(taps.end - taps.begin));
    if (d0 == m0 && d1 == m1) {
        for (int i = taps.begin; i < taps.end; ++i)
            taps.taps[std::size_t(i - taps.begin)] = tapAt(i + 0.5, lo, hi);
        return;
    }
    const double scale = (m1 - m0) / (d1 - d0);
    for (int i = taps.begin; i < taps.end; ++i)
        taps.taps[std::size_t(i - taps.begin)] = tapAt(m0 + (i + 0.5 - d0) * scale, lo, hi);
}

void mirrorTaps(AxisTaps& taps, int n)
{
    const int begin = n - taps.end;
    const int end = n - taps.begin;
    std::reverse(taps.taps.begin(), taps.taps.end());
    for (Tap& t : taps.taps) {
        t.i0 = n - 1 - t.i0;
        t.i1 = n - 1 - t.i1;
    }
    taps.begin = begin;
    taps.end = end;
}

LayerOp& OpList::add(Layer layer)
{
    if (m_count == m_ops.size())
        m_ops.emplace_back();
    LayerOp& op = m_ops[m_count++];
    op.layer = layer;
    return op;
}

void addFixed(OpList& ops, Layer layer, int bw, int bh)
{
    LayerOp& op = ops.add(layer);
    shiftTaps(op.xs, 0, bw, 0);
    shiftTaps(op.ys, 0, bh, 0);
}

void addRect(OpList& ops, Layer layer, int bw, int bh, double x0, double x1, double y0, double y1,
             double sx0, double sx1, double sy0, double sy1)
{
    LayerOp& op = ops.add(layer);
    int lo = 0;
    int hi = 0;
    partIndices(sx0, sx1, bw, lo, hi);
    linearTaps(op.xs, bw, x0, x1, sx0, sx1, lo, hi);
    partIndices(sy0, sy1, bh, lo, hi);
    linearTaps(op.ys, bh, y0, y1, sy0, sy1, lo, hi);
}

void addShiftedColumns(OpList& ops, Layer layer, int bw, int bh, int x0, int x1, int shift)
{
    LayerOp& op = ops.add(layer);
    shiftTaps(op.xs, std::max(x0, 0), std::min(x1, bw), shift);
    shiftTaps(op.ys, 0, bh, 0);
}

OpPlan planOp(const LayerOp& op)
{
    OpPlan plan;
    const std::vector<Tap>& taps = op.xs.taps;
    if (op.xs.empty())
        return plan;
    plan.unitShift = true;
    plan.lo = plan.hi = taps.front().i0;
    const int first = taps.front().i0;
    for (std::size_t k = 0; k < taps.size(); ++k) {
        const Tap& t = taps[k];
        if (t.w != 0 || t.i0 != first + int(k))
            plan.unitShift = false;
        plan.lo = std::min({plan.lo, t.i0, t.i1});
        plan.hi = std::max({plan.hi, t.i0, t.i1});
    }
    return plan;
}

namespace {

void sampleHorizontal(const uchar* r, const Tap* tx, int n, uchar* o)
{
    for (int k = 0; k < n; ++k, o += 3) {
        const unsigned w1 = unsigned(tx[k].w);
        const unsigned w0 = 256u - w1;
        const uchar* p0 = r + 3 * tx[k].i0;
        const uchar* p1 = r + 3 * tx[k].i1;
        o[0] = uchar((p0[0] * w0 + p1[0] * w1 + 128u) >> 8);
        o[1] = uchar((p0[1] * w0 + p1[1] * w1 + 128u) >> 8);
        o[2] = uchar((p0[2] * w0 + p1[2] * w1 + 128u) >> 8);
    }
}

// Vertical sums first (r0 * (256 - wy) + r1 * wy, exact in 16 bits), then the horizontal
// taps: the same integer result as the four-tap formula, with the row work vectorised.
void sampleBilinear(const uchar* r0, const uchar* r1, int wy, const Tap* tx, int n,
                    const OpPlan& plan, uchar* o)
{
    const int first = 3 * plan.lo;
    const int count = 3 * (plan.hi - plan.lo + 1);
    std::vector<std::uint16_t>& sums = scratch<std::uint16_t, 3>(std::size_t(count));
    std::uint16_t* __restrict v = sums.data();
    const uchar* __restrict a = r0 + first;
    const uchar* __restrict b = r1 + first;
    const unsigned w1 = unsigned(wy);
    const unsigned w0 = 256u - w1;
    for (int i = 0; i < count; ++i)
        v[i] = std::uint16_t(a[i] * w0 + b[i] * w1);
    for (int k = 0; k < n; ++k, o += 3) {
        const unsigned x1 = unsigned(tx[k].w);
        const unsigned x0 = 256u - x1;
        const std::uint16_t* p0 = v + (3 * tx[k].i0 - first);
        const std::uint16_t* p1 = v + (3 * tx[k].i1 - first);
        o[0] = uchar((p0[0] * x0 + p1[0] * x1 + 32768u) >> 16);
        o[1] = uchar((p0[1] * x0 + p1[1] * x1 + 32768u) >> 16);
        o[2] = uchar((p0[2] * x0 + p1[2] * x1 + 32768u) >> 16);
    }
}

void orientOp(LayerOp& op, const Orientation& o, int bw, int bh)
{
    if (o.baseXMirrored())
        mirrorTaps(op.xs, bw);
    if (o.baseYMirrored())
        mirrorTaps(op.ys, bh);
    if (o.transpose)
        std::swap(op.xs, op.ys);
}

} // namespace

void sampleOpRow(const Pictures& pictures, const LayerOp& op, int y, uchar* outRow,
                 const OpPlan& plan)
{
    const int n = op.xs.end - op.xs.begin;
    if (n <= 0)
        return;
    const Tap& ty = op.ys.at(y);
    const uchar* r0 = pictures.row(op.layer, ty.i0);
    const uchar* r1 = pictures.row(op.layer, ty.i1);
    uchar* o = outRow + 3 * op.xs.begin;
    if (plan.unitShift) {
        const int s = op.xs.taps.front().i0;
        if (ty.w == 0 || ty.w == 256)
            std::memcpy(o, (ty.w ? r1 : r0) + 3 * s, std::size_t(3) * std::size_t(n));
        else
            mixBytes(o, r0 + 3 * s, r1 + 3 * s, 3 * n, ty.w);
        return;
    }
    if (ty.w == 0 || ty.w == 256)
        sampleHorizontal(ty.w ? r1 : r0, op.xs.taps.data(), n, o);
    else
        sampleBilinear(r0, r1, ty.w, op.xs.taps.data(), n, plan, o);
}

void paintOps(const Pictures& pictures, OpList& ops, const Orientation& orientation,
              const Canvas& out)
{
    const int bw = orientation.baseW(out.w, out.h);
    const int bh = orientation.baseH(out.w, out.h);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        LayerOp& op = ops[i];
        orientOp(op, orientation, bw, bh);
        if (op.xs.empty())
            continue;
        const OpPlan plan = planOp(op);
        for (int y = op.ys.begin; y < op.ys.end; ++y)
            sampleOpRow(pictures, op, y, out.row(y), plan);
    }
}

namespace {

Tap mirroredTap(Tap t, bool mirrored, int n)
{
    if (mirrored) {
        t.i0 = n - 1 - t.i0;
        t.i1 = n - 1 - t.i1;
    }
    return t;
}

// The base row coordinate of a warp column for the base row centre ycb; false when the
// pixel is black.
bool warpRow(double m, double ycb, int bh, bool blackOutside, Tap& tap)
{
    const double cy = bh / 2.0;
    const double sy = cy + (ycb - cy) * m;
    if (blackOutside && !(sy >= 0.0 && sy < double(bh)))
        return false;
    tap = tapAt(sy, 0, bh - 1);
    return true;
}

// A warp column as drawn: its output x, source rows and fixed column taps.
struct UprightColumn
{
    int x;
    bool black;
    const uchar* bits;
    qsizetype stride;
    Tap tx;
    double m;
};

void warpUpright(const Pictures& pictures, const Canvas& out, const Orientation& o, int begin,
                 int end, const WarpColumn* columns, bool blackOutside)
{
    const int w = out.w;
    const int h = out.h;
    thread_local std::vector<UprightColumn> plan;
    plan.resize(std::size_t(std::max(0, end - begin)));
    for (int xb = begin; xb < end; ++xb) {
        const WarpColumn& c = columns[xb - begin];
        const Tap tx = mirroredTap(c.col, o.mirrorX, w);
        const bool isA = c.layer == Layer::A;
        plan[std::size_t(xb - begin)] = {o.mirrorX ? w - 1 - xb : xb,
                                         c.black,
                                         isA ? pictures.bitsA : pictures.bitsB,
                                         isA ? pictures.strideA : pictures.strideB,
                                         tx,
                                         c.m};
    }
    for (int y = 0; y < h; ++y) {
        uchar* row = out.row(y);
        const double ycb = (o.mirrorY ? h - 1 - y : y) + 0.5;
        for (const UprightColumn& c : plan) {
            uchar* px = row + 3 * c.x;
            Tap ty{};
            if (c.black || !warpRow(c.m, ycb, h, blackOutside, ty)) {
                px[0] = px[1] = px[2] = 0;
                continue;
            }
            ty = mirroredTap(ty, o.mirrorY, h);
            const uchar* r0 = c.bits + ty.i0 * c.stride;
            const uchar* r1 = c.bits + ty.i1 * c.stride;
            bilerpPixel(r0, r1, c.tx, ty.w, px);
        }
    }
}

void warpTransposed(const Pictures& pictures, const Canvas& out, const Orientation& o, int begin,
                    int end, const WarpColumn* columns, bool blackOutside)
{
    const int w = out.w;
    const int h = out.h;
    // Base columns run down the output rows; base rows run along them.
    for (int y = 0; y < h; ++y) {
        const int xb = o.mirrorY ? h - 1 - y : y;
        if (xb < begin || xb >= end)
            continue;
        const WarpColumn& c = columns[xb - begin];
        uchar* row = out.row(y);
        if (c.black) {
            std::memset(row, 0, std::size_t(3) * std::size_t(w));
            continue;
        }
        const Tap ty = mirroredTap(c.col, o.mirrorY, h);
        const uchar* r0 = pictures.row(c.layer, ty.i0);
        const uchar* r1 = pictures.row(c.layer, ty.i1);
        for (int x = 0; x < w; ++x) {
            const double ycb = (o.mirrorX ? w - 1 - x : x) + 0.5;
            Tap tx{};
            uchar* px = row + 3 * x;
            if (!warpRow(c.m, ycb, w, blackOutside, tx)) {
                px[0] = px[1] = px[2] = 0;
                continue;
            }
            bilerpPixel(r0, r1, mirroredTap(tx, o.mirrorX, w), ty.w, px);
        }
    }
}

} // namespace

void paintColumnWarp(const Pictures& pictures, const Canvas& out, const Orientation& orientation,
                     int begin, int end, const WarpColumn* columns, bool blackOutside)
{
    if (orientation.transpose)
        warpTransposed(pictures, out, orientation, begin, end, columns, blackOutside);
    else
        warpUpright(pictures, out, orientation, begin, end, columns, blackOutside);
}

} // namespace vistarel::render::transitions
