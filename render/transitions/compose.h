#pragma once

// Row composition: copying spans of the start or target picture, masks, blends.

#include <QtGlobal>

#include <cstdint>
#include <cstring>
#include <vector>

namespace vistarel::render::transitions {

// Pixels [x0, x1) of a row.
struct Span
{
    int x0;
    int x1;
};

using SpanList = std::vector<Span>;

// Copies pixels [x0, x1) of src into the same columns of dst (nothing when x1 <= x0).
inline void copyPixels(uchar* dst, const uchar* src, int x0, int x1)
{
    if (x1 > x0)
        std::memcpy(dst + 3 * x0, src + 3 * x0, std::size_t(3) * std::size_t(x1 - x0));
}

// Sorts spans, clips them to [0, w), drops empty ones and merges overlapping or touching
// ones, so that they are ordered and disjoint.
void normalizeSpans(SpanList& spans, int w);
// Replaces normalised spans by their complement in [0, w).
void complementSpans(SpanList& spans, int w);

// out = b inside the normalised spans, a elsewhere; w pixels.
void composeSpans(uchar* out, const uchar* a, const uchar* b, int w, const SpanList& spans);
// out = b where mask is non-zero, a elsewhere; w pixels.
void composeMask(uchar* out, const uchar* a, const uchar* b, const std::uint8_t* mask, int w);

// out = (x * (256 - weight) + y * weight + 128) >> 8 per byte; n bytes, weight 0..256.
void mixBytes(uchar* out, const uchar* x, const uchar* y, int n, int weight);
// The same against black: out = (x * (256 - weight) + 128) >> 8.
void fadeBytes(uchar* out, const uchar* x, int n, int weight);
// Per-pixel weights (0..256) for w pixels.
void mixPixels(uchar* out, const uchar* x, const uchar* y, int w, const std::uint16_t* weights);

// Runs [x0, x1) of a table along which its values only rise or only fall.
struct MonotonePiece
{
    int x0;
    int x1;
};
std::vector<MonotonePiece> monotonePieces(const std::vector<double>& values);

// Appends the span of a piece where pred holds; pred must be monotone over the piece (true
// then false, or false then true). Costs O(log n) evaluations.
template <typename Pred> void monotoneSpan(const MonotonePiece& piece, Pred pred, SpanList& spans)
{
    if (piece.x1 <= piece.x0)
        return;
    const bool first = pred(piece.x0);
    if (first == pred(piece.x1 - 1)) {
        if (first)
            spans.push_back({piece.x0, piece.x1});
        return;
    }
    int lo = piece.x0 + 1;
    int hi = piece.x1 - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (pred(mid) != first)
            hi = mid;
        else
            lo = mid + 1;
    }
    spans.push_back(first ? Span{piece.x0, lo} : Span{lo, piece.x1});
}

// A per-thread scratch vector that keeps its capacity between frames. Each slot is a
// distinct buffer; the same slot must not be used twice within one call chain.
template <typename T, int Slot = 0> std::vector<T>& scratch(std::size_t size)
{
    thread_local std::vector<T> buffer;
    if (buffer.size() < size)
        buffer.resize(size);
    return buffer;
}

} // namespace vistarel::render::transitions
