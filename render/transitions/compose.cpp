#include "render/transitions/compose.h"
#include "render/transitions/effect.h"

#include <algorithm>

namespace vistarel::render::transitions {

int firstCentreAtOrAfter(double v, int n)
{
    if (!(v > 0.5))
        return 0;
    if (!(v <= double(n) - 0.5))
        return n;
    int x = int(std::ceil(v - 0.5));
    // The subtraction above may round; settle the boundary with the exact comparison.
    while (x > 0 && double(x - 1) + 0.5 >= v)
        --x;
    while (x < n && double(x) + 0.5 < v)
        ++x;
    return x;
}

int firstCentreAfter(double v, int n)
{
    if (!(v >= 0.5))
        return 0;
    if (!(v < double(n) - 0.5))
        return n;
    int x = int(std::floor(v - 0.5)) + 1;
    while (x > 0 && double(x - 1) + 0.5 > v)
        --x;
    while (x < n && double(x) + 0.5 <= v)
        ++x;
    return x;
}

std::vector<MonotonePiece> monotonePieces(const std::vector<double>& values)
{
    std::vector<MonotonePiece> pieces;
    const int n = int(values.size());
    int start = 0;
    int direction = 0; // 0 while only equal steps were seen
    for (int i = 1; i < n; ++i) {
        const double step = values[std::size_t(i)] - values[std::size_t(i) - 1];
        const int d = step > 0 ? 1 : (step < 0 ? -1 : 0);
        if (d != 0 && direction != 0 && d != direction) {
            pieces.push_back({start, i});
            start = i;
            direction = 0;
        }
        if (d != 0 && direction == 0)
            direction = d;
    }
    if (n > 0)
        pieces.push_back({start, n});
    return pieces;
}

void normalizeSpans(SpanList& spans, int w)
{
    std::size_t kept = 0;
    for (Span s : spans) {
        s.x0 = std::max(s.x0, 0);
        s.x1 = std::min(s.x1, w);
        if (s.x1 > s.x0)
            spans[kept++] = s;
    }
    spans.resize(kept);
    if (spans.size() < 2)
        return;
    std::sort(spans.begin(), spans.end(), [](Span l, Span r) { return l.x0 < r.x0; });
    std::size_t out = 0;
    for (std::size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].x0 <= spans[out].x1)
            spans[out].x1 = std::max(spans[out].x1, spans[i].x1);
        else
            spans[++out] = spans[i];
    }
    spans.resize(out + 1);
}

void complementSpans(SpanList& spans, int w)
{
    SpanList& gaps = scratch<Span, 7>(0);
    gaps.clear();
    int x = 0;
    for (const Span& s : spans) {
        if (s.x0 > x)
            gaps.push_back({x, s.x0});
        x = s.x1;
    }
    if (x < w)
        gaps.push_back({x, w});
    spans.assign(gaps.begin(), gaps.end());
}

void composeSpans(uchar* out, const uchar* a, const uchar* b, int w, const SpanList& spans)
{
    int x = 0;
    for (const Span& s : spans) {
        copyPixels(out, a, x, s.x0);
        copyPixels(out, b, s.x0, s.x1);
        x = s.x1;
    }
    copyPixels(out, a, x, w);
}

void composeMask(uchar* out, const uchar* a, const uchar* b, const std::uint8_t* mask, int w)
{
    int changes = 0;
    for (int x = 1; x < w; ++x)
        changes += mask[x] != mask[x - 1];
    if (changes > w / 16) {
        // Noisy masks: a branch-free byte select beats many short copies.
        std::vector<std::uint8_t>& bytes =
            scratch<std::uint8_t, 6>(std::size_t(3) * std::size_t(w));
        std::uint8_t* __restrict m = bytes.data();
        for (int x = 0; x < w; ++x) {
            const std::uint8_t v = mask[x] ? 0xFF : 0x00;
            m[3 * x] = m[3 * x + 1] = m[3 * x + 2] = v;
        }
        const uchar* __restrict pa = a;
        const uchar* __restrict pb = b;
        uchar* __restrict po = out;
        for (int i = 0; i < 3 * w; ++i)
            po[i] = uchar((pa[i] & ~m[i]) | (pb[i] & m[i]));
        return;
    }
    int x = 0;
    while (x < w) {
        const bool target = mask[x] != 0;
        int end = x + 1;
        while (end < w && (mask[end] != 0) == target)
            ++end;
        copyPixels(out, target ? b : a, x, end);
        x = end;
    }
}

void mixBytes(uchar* out, const uchar* x, const uchar* y, int n, int weight)
{
    const uchar* __restrict px = x;
    const uchar* __restrict py = y;
    uchar* __restrict po = out;
    const std::uint16_t wy = std::uint16_t(weight);
    const std::uint16_t wx = std::uint16_t(256 - weight);
    for (int i = 0; i < n; ++i)
        po[i] = uchar(std::uint16_t(px[i] * wx + py[i] * wy + 128) >> 8);
}

void fadeBytes(uchar* out, const uchar* x, int n, int weight)
{
    const uchar* __restrict px = x;
    uchar* __restrict po = out;
    const std::uint16_t wx = std::uint16_t(256 - weight);
    for (int i = 0; i < n; ++i)
        po[i] = uchar(std::uint16_t(px[i] * wx + 128) >> 8);
}

void mixPixels(uchar* out, const uchar* x, const uchar* y, int w, const std::uint16_t* weights)
{
    const uchar* __restrict px = x;
    const uchar* __restrict py = y;
    uchar* __restrict po = out;
    for (int p = 0; p < w; ++p) {
        const unsigned wy = weights[p];
        const unsigned wx = 256u - wy;
        for (int c = 3 * p; c < 3 * p + 3; ++c)
            po[c] = uchar((px[c] * wx + py[c] * wy + 128u) >> 8);
    }
}

} // namespace vistarel::render::transitions
