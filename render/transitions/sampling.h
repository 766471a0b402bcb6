#pragma once

// Moving and scaling pictures: bilinear taps per column and per row, layer operations that
// place a (translated or resampled) picture into a rectangle, and the column warp used by
// page turns and the perspective cube. Geometry is built in a family's base frame and
// turned into the output frame by index mapping, so derived orientations match exactly.

#include "render/transitions/effect.h"

#include <cstddef>
#include <vector>

namespace vistarel::render::transitions {

// A bilinear tap along one axis: value = (s[i0] * (256 - w) + s[i1] * w) / 256.
struct Tap
{
    int i0;
    int i1;
    int w;
};

// The tap for the continuous source coordinate c, sampled at c - 0.5 and clamped to the
// pixel indices [lo, hi] (lo >= 0).
inline Tap tapAt(double c, int lo, int hi)
{
    const double pos = c - 0.5;
    if (!(pos > double(lo)))
        return {lo, lo, 0};
    if (!(pos < double(hi)))
        return {hi, hi, 0};
    const int i0 = int(pos); // pos > lo >= 0: truncation is the floor
    return {i0, i0 + 1, rnd((pos - i0) * 256.0)};
}

// Pixel indices [lo, hi] whose centres lie in the source part [s0, s1) of an axis of
// length n. An empty part falls back to its nearest pixel, so sampling stays in range.
void partIndices(double s0, double s1, int n, int& lo, int& hi);

// Taps for the output indices [begin, end) of one axis.
struct AxisTaps
{
    int begin = 0;
    int end = 0;
    std::vector<Tap> taps;

    bool empty() const { return end <= begin; }
    const Tap& at(int i) const { return taps[std::size_t(i - begin)]; }
};

// Indices [begin, end) show source index i + shift.
void shiftTaps(AxisTaps& taps, int begin, int end, int shift);
// Indices whose centres lie in [d0, d1) (within [0, n)) show the source coordinate mapped
// linearly from [d0, d1) onto [m0, m1), sampled within the indices [lo, hi].
void linearTaps(AxisTaps& taps, int n, double d0, double d1, double m0, double m1, int lo, int hi);
// Mirrors an axis of length n: index i becomes n-1-i, for positions and taps alike.
void mirrorTaps(AxisTaps& taps, int n);

// One picture placed on the frame: out(x, y) = bilinear(layer, xs.at(x), ys.at(y)) for x
// and y in the two ranges.
struct LayerOp
{
    Layer layer = Layer::A;
    AxisTaps xs;
    AxisTaps ys;
};

// Operations of one frame, drawn bottom to top. Keeps its buffers between frames.
class OpList
{
public:
    void clear() { m_count = 0; }
    LayerOp& add(Layer layer);
    std::size_t size() const { return m_count; }
    LayerOp& operator[](std::size_t i) { return m_ops[i]; }

private:
    std::vector<LayerOp> m_ops;
    std::size_t m_count = 0;
};

// The layer at full frame, unmoved (base frame bw x bh).
void addFixed(OpList& ops, Layer layer, int bw, int bh);
// Pixels with centres in [x0, x1) x [y0, y1) show the source part [sx0, sx1) x [sy0, sy1)
// resampled onto the rectangle.
void addRect(OpList& ops, Layer layer, int bw, int bh, double x0, double x1, double y0, double y1,
             double sx0, double sx1, double sy0, double sy1);
// Pixels [x0, x1) x [0, bh) show source column x + shift, clipped to the frame.
void addShiftedColumns(OpList& ops, Layer layer, int bw, int bh, int x0, int x1, int shift);

// Turns base-frame operations into the output frame and draws them in order.
void paintOps(const Pictures& pictures, OpList& ops, const Orientation& orientation,
              const Canvas& out);

// What a row of an output-frame operation needs to know about its column taps.
struct OpPlan
{
    bool unitShift = false; // a plain copy of consecutive source pixels
    int lo = 0;             // the source columns the taps touch
    int hi = -1;
};
OpPlan planOp(const LayerOp& op);
// Draws row y (within op.ys) of an output-frame operation into the matching columns of
// outRow.
void sampleOpRow(const Pictures& pictures, const LayerOp& op, int y, uchar* outRow,
                 const OpPlan& plan);

// One base column of a column warp: black, or the layer sampled at the column tap, its
// row coordinate being cy + (yc - cy) * m with cy the middle of the base frame.
struct WarpColumn
{
    bool black = true;
    Layer layer = Layer::A;
    Tap col{0, 0, 0};
    double m = 1.0;
};

// Draws base columns [begin, end) of a bw x bh base frame from their warp data (indexed
// from begin). Rows whose source coordinate leaves [0, bh) are black when blackOutside,
// clamped otherwise.
void paintColumnWarp(const Pictures& pictures, const Canvas& out, const Orientation& orientation,
                     int begin, int end, const WarpColumn* columns, bool blackOutside);

// One bilinearly sampled pixel of rows r0/r1 (weight wy on r1) at column tap tx.
inline void bilerpPixel(const uchar* r0, const uchar* r1, const Tap& tx, int wy, uchar* out)
{
    const unsigned wx1 = unsigned(tx.w);
    const unsigned wx0 = 256u - wx1;
    const unsigned wy1 = unsigned(wy);
    const unsigned wy0 = 256u - wy1;
    const uchar* p00 = r0 + 3 * tx.i0;
    const uchar* p01 = r0 + 3 * tx.i1;
    const uchar* p10 = r1 + 3 * tx.i0;
    const uchar* p11 = r1 + 3 * tx.i1;
    for (int c = 0; c < 3; ++c) {
        const unsigned top = p00[c] * wx0 + p01[c] * wx1;
        const unsigned bottom = p10[c] * wx0 + p11[c] * wx1;
        out[c] = uchar((top * wy0 + bottom * wy1 + 32768u) >> 16);
    }
}

} // namespace vistarel::render::transitions
