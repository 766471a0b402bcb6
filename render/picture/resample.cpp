#include "render/picture/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <thread>
#include <vector>

namespace vistarel::render {
namespace {

// Weights are fixed point with 14 fraction bits: a 255 sample times the largest weight sum
// of a Lanczos lobe stays far inside 32 bits, and integer sums make every thread split give
// the same bytes.
constexpr int kWeightBits = 14;
constexpr std::int32_t kWeightOne = 1 << kWeightBits;
constexpr std::int32_t kRoundHalf = 1 << (kWeightBits - 1);
// Below this many multiply-adds a second thread costs more than it saves.
constexpr double kParallelWork = 4.0e6;
// A horizontal tap works on interleaved channels and vectorises worse than a vertical one.
constexpr double kHorizontalCost = 2.0;

double sinc(double x)
{
    if (x == 0.0)
        return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double kernel(ResampleFilter filter, double x)
{
    x = std::abs(x);
    switch (filter) {
    case ResampleFilter::Lanczos3:
        return x < 3.0 ? sinc(x) * sinc(x / 3.0) : 0.0;
    case ResampleFilter::FastLinear:
        return x < 1.0 ? 1.0 - x : 0.0;
    case ResampleFilter::BSpline:
        if (x < 1.0)
            return (4.0 - 6.0 * x * x + 3.0 * x * x * x) / 6.0;
        if (x < 2.0)
            return (2.0 - x) * (2.0 - x) * (2.0 - x) / 6.0;
        return 0.0;
    }
    return 0.0;
}

double kernelSupport(ResampleFilter filter)
{
    switch (filter) {
    case ResampleFilter::Lanczos3:
        return 3.0;
    case ResampleFilter::FastLinear:
        return 1.0;
    case ResampleFilter::BSpline:
        return 2.0;
    }
    return 1.0;
}

// For each output index of one direction: the first source index and the weights of the
// consecutive source samples from there (stride entries per output index).
struct Taps
{
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::int32_t> weights;
    int stride = 0;

    int size() const { return int(first.size()); }
    const std::int32_t* weightsOf(int i) const { return weights.data() + std::size_t(i) * stride; }
    int lowest() const { return *std::min_element(first.begin(), first.end()); }
    int highest() const
    {
        int end = 0;
        for (int i = 0; i < size(); ++i)
            end = std::max(end, first[i] + count[i]);
        return end;
    }
    double averageCount() const
    {
        double total = 0;
        for (int c : count)
            total += c;
        return total / std::max(1, size());
    }
    void shift(int offset)
    {
        for (int& f : first)
            f -= offset;
    }
};

// Turns real weights into fixed point that sums to exactly one, so flat areas stay flat;
// the rounding remainder goes to the largest weight. Zero weights at both ends are dropped.
void storeWeights(const std::vector<double>& real, int lo, double total, Taps& taps, int i,
                  std::vector<std::int32_t>& fixed)
{
    std::int32_t* out = taps.weights.data() + std::size_t(i) * taps.stride;
    const int n = int(real.size());
    fixed.assign(std::size_t(n), 0);
    std::int32_t sum = 0;
    int largest = 0;
    for (int k = 0; k < n; ++k) {
        fixed[std::size_t(k)] =
            std::int32_t(std::lround(real[std::size_t(k)] / total * kWeightOne));
        sum += fixed[std::size_t(k)];
        if (fixed[std::size_t(k)] > fixed[std::size_t(largest)])
            largest = k;
    }
    fixed[std::size_t(largest)] += kWeightOne - sum;
    int begin = 0;
    int end = n;
    while (begin < end - 1 && fixed[std::size_t(begin)] == 0)
        ++begin;
    while (end - 1 > begin && fixed[std::size_t(end - 1)] == 0)
        --end;
    taps.first[std::size_t(i)] = lo + begin;
    taps.count[std::size_t(i)] = end - begin;
    std::copy(fixed.begin() + begin, fixed.begin() + end, out);
}

// Taps of the output indices [from, from + n) when sourceSize samples become targetSize.
// Output pixel centres map onto the source by the size ratio; when shrinking, the filter
// is widened by the same ratio so that every source pixel contributes.
Taps makeTaps(int sourceSize, int targetSize, int from, int n, ResampleFilter filter)
{
    const double scale = double(sourceSize) / targetSize;
    const double widen = std::max(scale, 1.0);
    const double reach = kernelSupport(filter) * widen;
    Taps taps;
    taps.stride = int(std::ceil(2.0 * reach)) + 2;
    taps.first.assign(std::size_t(n), 0);
    taps.count.assign(std::size_t(n), 0);
    taps.weights.assign(std::size_t(n) * std::size_t(taps.stride), 0);
    std::vector<double> real;
    std::vector<std::int32_t> fixed; // reused by every output index
    for (int i = 0; i < n; ++i) {
        const double centre = (from + i + 0.5) * scale;
        const int lo = std::clamp(int(std::floor(centre - reach)), 0, sourceSize - 1);
        const int hi = std::clamp(int(std::ceil(centre + reach)), lo + 1, sourceSize);
        real.assign(std::size_t(hi - lo), 0.0);
        double total = 0.0;
        for (int s = lo; s < hi; ++s) {
            real[std::size_t(s - lo)] = kernel(filter, (s + 0.5 - centre) / widen);
            total += real[std::size_t(s - lo)];
        }
        if (total <= 1e-9) {
            // Cannot happen for these kernels; fall back to the nearest sample.
            const int nearest = std::clamp(int(centre), lo, hi - 1);
            std::fill(real.begin(), real.end(), 0.0);
            real[std::size_t(nearest - lo)] = 1.0;
            total = 1.0;
        }
        storeWeights(real, lo, total, taps, i, fixed);
    }
    return taps;
}

inline std::uint8_t toByte(std::int32_t accumulated)
{
    return std::uint8_t(std::clamp(accumulated >> kWeightBits, 0, 255));
}

struct Plane
{
    const std::uint8_t* bits;
    std::ptrdiff_t stride;
};

struct Target
{
    std::uint8_t* bits;
    std::ptrdiff_t stride;
};

// The two passes below carry nearly all of the time; they are built for the common vector
// units and picked at run time by the processor.
#define VISTAREL_HOT_LOOP __attribute__((target_clones("avx2", "default")))

// Output rows [rowFrom, rowTo): each is the filtered row of the same index in `in`.
VISTAREL_HOT_LOOP void horizontalRows(Plane in, Target out, int rowFrom, int rowTo,
                                      const Taps& columns)
{
    const int width = columns.size();
    for (int y = rowFrom; y < rowTo; ++y) {
        const std::uint8_t* row = in.bits + y * in.stride;
        std::uint8_t* target = out.bits + y * out.stride;
        for (int x = 0; x < width; ++x, target += 3) {
            const std::uint8_t* p = row + 3 * columns.first[std::size_t(x)];
            const std::int32_t* w = columns.weightsOf(x);
            std::int32_t r = kRoundHalf;
            std::int32_t g = kRoundHalf;
            std::int32_t b = kRoundHalf;
            for (int k = 0; k < columns.count[std::size_t(x)]; ++k, p += 3) {
                r += w[k] * p[0];
                g += w[k] * p[1];
                b += w[k] * p[2];
            }
            target[0] = toByte(r);
            target[1] = toByte(g);
            target[2] = toByte(b);
        }
    }
}

// Output rows [rowFrom, rowTo), each rowBytes long, filtered down the columns of `in`.
VISTAREL_HOT_LOOP void verticalRows(Plane in, Target out, int rowBytes, int rowFrom, int rowTo,
                                    const Taps& rows)
{
    std::vector<std::int32_t> sums(static_cast<std::size_t>(rowBytes));
    for (int y = rowFrom; y < rowTo; ++y) {
        std::fill(sums.begin(), sums.end(), kRoundHalf);
        const std::int32_t* w = rows.weightsOf(y);
        for (int k = 0; k < rows.count[std::size_t(y)]; ++k) {
            const std::uint8_t* source = in.bits + (rows.first[std::size_t(y)] + k) * in.stride;
            const std::int32_t weight = w[k];
            std::int32_t* sum = sums.data();
            for (int i = 0; i < rowBytes; ++i)
                sum[i] += weight * source[i];
        }
        std::uint8_t* target = out.bits + y * out.stride;
        for (int i = 0; i < rowBytes; ++i)
            target[i] = toByte(sums[std::size_t(i)]);
    }
}

// Runs work(from, to) over [0, rows) split into one band per thread; the caller's thread
// takes the first band.
template <typename Work> void forBands(int rows, int threads, const Work& work)
{
    threads = std::clamp(threads, 1, std::max(1, rows));
    if (threads == 1) {
        work(0, rows);
        return;
    }
    const int band = (rows + threads - 1) / threads;
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        const int from = std::min(rows, t * band);
        helpers.emplace_back([&work, from, to = std::min(rows, from + band)] { work(from, to); });
    }
    work(0, std::min(rows, band));
    for (std::thread& helper : helpers)
        helper.join();
}

int threadsFor(double work, int requested)
{
    if (requested > 0)
        return requested;
    if (work < kParallelWork)
        return 1;
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

} // namespace

QImage resampleRegion(const QImage& source, int width, int height, const QRect& wanted,
                      ResampleFilter filter, int threads)
{
    const QRect region = wanted & QRect(0, 0, width, height);
    if (source.isNull() || width <= 0 || height <= 0 || region.isEmpty())
        return {};
    const QImage in = source.format() == QImage::Format_RGB888
                          ? source
                          : source.convertToFormat(QImage::Format_RGB888);
    Taps columns = makeTaps(in.width(), width, region.left(), region.width(), filter);
    Taps rows = makeTaps(in.height(), height, region.top(), region.height(), filter);
    const int columnLo = columns.lowest();
    const int columnHi = columns.highest();
    const int rowLo = rows.lowest();
    const int rowHi = rows.highest();
    const double w = region.width();
    const double h = region.height();
    const double horizontalTap = 3.0 * kHorizontalCost * columns.averageCount();
    const double verticalTap = 3.0 * rows.averageCount();
    const double horizontalFirst = (rowHi - rowLo) * w * horizontalTap + h * w * verticalTap;
    const double verticalFirst = h * (columnHi - columnLo) * verticalTap + h * w * horizontalTap;

    QImage result(region.size(), QImage::Format_RGB888);
    const Target out{result.bits(), result.bytesPerLine()};
    const Plane input{in.constBits(), in.bytesPerLine()};
    const int count = threadsFor(std::min(horizontalFirst, verticalFirst), threads);
    if (horizontalFirst < verticalFirst) {
        // Filter only the source rows the vertical taps reach, then go down the columns.
        const std::ptrdiff_t midStride = 3 * std::ptrdiff_t(region.width());
        const std::unique_ptr<std::uint8_t[]> mid(
            new std::uint8_t[std::size_t(midStride) * std::size_t(rowHi - rowLo)]);
        const Plane from{input.bits + rowLo * input.stride, input.stride};
        forBands(rowHi - rowLo, count, [&](int a, int b) {
            horizontalRows(from, Target{mid.get(), midStride}, a, b, columns);
        });
        rows.shift(rowLo);
        forBands(region.height(), count, [&](int a, int b) {
            verticalRows(Plane{mid.get(), midStride}, out, int(midStride), a, b, rows);
        });
    } else {
        // Filter only the source columns the horizontal taps reach down, then along rows.
        const std::ptrdiff_t midStride = 3 * std::ptrdiff_t(columnHi - columnLo);
        const std::unique_ptr<std::uint8_t[]> mid(
            new std::uint8_t[std::size_t(midStride) * std::size_t(region.height())]);
        const Plane from{input.bits + 3 * columnLo, input.stride};
        forBands(region.height(), count, [&](int a, int b) {
            verticalRows(from, Target{mid.get(), midStride}, int(midStride), a, b, rows);
        });
        columns.shift(columnLo);
        forBands(region.height(), count, [&](int a, int b) {
            horizontalRows(Plane{mid.get(), midStride}, out, a, b, columns);
        });
    }
    return result;
}

QImage resample(const QImage& source, int width, int height, ResampleFilter filter)
{
    return resampleRegion(source, width, height, QRect(0, 0, width, height), filter);
}

} // namespace vistarel::render
