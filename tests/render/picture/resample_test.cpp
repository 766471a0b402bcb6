#include "render/picture/resample.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace vistarel::render;

namespace {

const ResampleFilter kFilters[] = {ResampleFilter::Lanczos3, ResampleFilter::FastLinear,
                                   ResampleFilter::BSpline};

// A smooth pattern with different content per channel, kept away from 0 and 255 so that
// no filter overshoot is clipped.
QImage pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = uchar(128 + 50 * std::sin(x * 0.31) * std::cos(y * 0.23));
            row[3 * x + 1] = uchar(40 + 170.0 * x / w);
            row[3 * x + 2] = uchar(128 + 60 * std::sin((x + 2 * y) * 0.17));
        }
    }
    return image;
}

// The filter kernels as textbook formulas.
double referenceKernel(ResampleFilter filter, double x)
{
    x = std::abs(x);
    auto sinc = [](double t) {
        return t == 0 ? 1.0 : std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
    };
    switch (filter) {
    case ResampleFilter::Lanczos3:
        return x < 3 ? sinc(x) * sinc(x / 3) : 0;
    case ResampleFilter::FastLinear:
        return std::max(0.0, 1 - x);
    case ResampleFilter::BSpline:
        return x < 1 ? 2.0 / 3 - x * x + x * x * x / 2 : x < 2 ? std::pow(2 - x, 3) / 6 : 0;
    }
    return 0;
}

// The slow, obvious resampler: every output pixel is the normalised two-dimensional
// weighted sum over the whole source, in double precision.
QImage referenceResample(const QImage& src, int w, int h, ResampleFilter filter)
{
    const double sx = double(src.width()) / w;
    const double sy = double(src.height()) / h;
    QImage out(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double sum[3] = {0, 0, 0};
            double total = 0;
            for (int j = 0; j < src.height(); ++j) {
                const double wy =
                    referenceKernel(filter, (j + 0.5 - (y + 0.5) * sy) / std::max(sy, 1.0));
                if (wy == 0)
                    continue;
                for (int i = 0; i < src.width(); ++i) {
                    const double weight = wy * referenceKernel(filter, (i + 0.5 - (x + 0.5) * sx) /
                                                                           std::max(sx, 1.0));
                    for (int c = 0; c < 3; ++c)
                        sum[c] += weight * src.constScanLine(j)[3 * i + c];
                    total += weight;
                }
            }
            for (int c = 0; c < 3; ++c)
                out.scanLine(y)[3 * x + c] =
                    uchar(std::clamp(std::lround(sum[c] / total), 0L, 255L));
        }
    }
    return out;
}

int maxDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < 3 * a.width(); ++x)
            worst = std::max(worst, std::abs(a.constScanLine(y)[x] - b.constScanLine(y)[x]));
    return worst;
}

} // namespace

TEST(Resample, ConstantPictureStaysConstantAtExactSizes)
{
    struct Case
    {
        int sw, sh, w, h;
    };
    const Case cases[] = {
        {400, 300, 37, 23}, {10, 7, 1920, 1081}, {3, 3, 1, 1}, {1, 1, 5, 9}, {1000, 2, 3, 200}};
    for (const Case& c : cases) {
        QImage source(c.sw, c.sh, QImage::Format_RGB888);
        source.fill(QColor(200, 17, 99));
        for (ResampleFilter filter : kFilters) {
            const QImage out = resample(source, c.w, c.h, filter);
            ASSERT_EQ(out.size(), QSize(c.w, c.h));
            ASSERT_EQ(out.format(), QImage::Format_RGB888);
            for (int y = 0; y < out.height(); ++y)
                for (int x = 0; x < out.width(); ++x)
                    ASSERT_EQ(out.pixel(x, y), qRgb(200, 17, 99))
                        << c.sw << "x" << c.sh << " -> " << c.w << "x" << c.h << " at " << x << ","
                        << y << " filter " << int(filter);
        }
    }
}

TEST(Resample, MatchesSlowReferenceWhenShrinkingAndGrowing)
{
    struct Case
    {
        int sw, sh, w, h;
    };
    const Case cases[] = {{97, 61, 40, 23}, {13, 9, 50, 31}, {60, 40, 60, 17}};
    for (const Case& c : cases) {
        const QImage source = pattern(c.sw, c.sh);
        for (ResampleFilter filter : kFilters) {
            const QImage out = resample(source, c.w, c.h, filter);
            const QImage expected = referenceResample(source, c.w, c.h, filter);
            ASSERT_EQ(out.size(), expected.size());
            EXPECT_LE(maxDifference(out, expected), 2)
                << c.sw << "x" << c.sh << " -> " << c.w << "x" << c.h << " filter " << int(filter);
        }
    }
}

TEST(Resample, ThreadsAndRegionsGiveTheSameBytes)
{
    const QImage source = pattern(1203, 677);
    for (ResampleFilter filter : kFilters) {
        const QImage one = resampleRegion(source, 517, 301, QRect(0, 0, 517, 301), filter, 1);
        const QImage two = resampleRegion(source, 517, 301, QRect(0, 0, 517, 301), filter, 2);
        const QImage three = resampleRegion(source, 517, 301, QRect(0, 0, 517, 301), filter, 3);
        EXPECT_EQ(one, two);
        EXPECT_EQ(one, three);
        const QRect cut(100, 37, 250, 200);
        EXPECT_EQ(resampleRegion(source, 517, 301, cut, filter, 2), one.copy(cut));
        // Growing, too.
        const QImage grown = resampleRegion(source, 2000, 1500, QRect(0, 0, 2000, 1500), filter, 1);
        const QRect middle(300, 200, 1400, 1100);
        EXPECT_EQ(resampleRegion(source, 2000, 1500, middle, filter, 2), grown.copy(middle));
    }
}

TEST(Resample, InvalidRequestsGiveNullImages)
{
    const QImage source = pattern(8, 8);
    EXPECT_TRUE(resample(QImage(), 4, 4, ResampleFilter::Lanczos3).isNull());
    EXPECT_TRUE(resample(source, 0, 4, ResampleFilter::Lanczos3).isNull());
    EXPECT_TRUE(resample(source, 4, -1, ResampleFilter::BSpline).isNull());
}
