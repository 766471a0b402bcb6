// Properties every effect of the catalogue must have: exact ends, determinism, untouched
// inputs, pixels only from the two pictures (or colours kept), coverage that only grows.
#include "transitiontestutil.h"

#include <QtConcurrent>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numeric>

using namespace vistarel::render::transitions;
using namespace vistarel::render::transitions::test;

namespace {

std::vector<int> ordinalsWhere(bool (*keep)(int))
{
    std::vector<int> out;
    for (int n = 0; n <= 250; ++n) {
        if (keep(n))
            out.push_back(n);
    }
    return out;
}

bool inPlace(int n)
{
    return colourClassOf(n) == ColourClass::InPlace;
}
bool colourPreserving(int n)
{
    return colourClassOf(n) == ColourClass::ColourPreserving;
}
// Effects whose target coverage only grows (with a black start and a white target).
bool monotone(int n)
{
    const Family f = familyOf(effectParams(n));
    const bool maskFamily = f == Family::Wipe || f == Family::Shape || f == Family::Sweep ||
                            f == Family::Strip || f == Family::Cell || f == Family::Path ||
                            f == Family::Puzzle || f == Family::Word || blends(n);
    // Turning shapes and the growing word move their edges backwards on purpose.
    const bool turns = n >= 143 && n <= 146;
    return maskFamily && !turns && n != 243;
}

std::vector<float> progressSequence(int frames)
{
    std::vector<float> p;
    for (int k = 0; k < frames; ++k)
        p.push_back(frameProgress(k, frames));
    return p;
}

const std::vector<float> kProgress{0.0f, 0.5f, 25.0f, 50.0f, 75.0f, 99.5f, 100.0f};

std::string nameOf(const ::testing::TestParamInfo<int>& info)
{
    return "effect" + std::to_string(info.param);
}

} // namespace

TEST(TransitionRegistry, EveryOrdinalOnceWithTheFamiliesAndClassesOfTheCatalogue)
{
    const auto entries = registry();
    ASSERT_EQ(entries.size(), 251u);
    std::map<Family, int> perFamily;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].ordinal, int(i));
        ++perFamily[familyOf(entries[i].params)];
    }
    const std::map<Family, int> expected{
        {Family::Strip, 38}, {Family::Shape, 36}, {Family::Wipe, 34},  {Family::Scale, 30},
        {Family::Cell, 25},  {Family::Slide, 17}, {Family::Bars, 14},  {Family::Word, 9},
        {Family::Sweep, 8},  {Family::Cube, 8},   {Family::Pacman, 7}, {Family::Path, 6},
        {Family::Fade, 4},   {Family::Roll, 4},   {Family::Flip, 4},   {Family::Twist, 4},
        {Family::Cut, 1},    {Family::Puzzle, 1}, {Family::PanZoom, 1}};
    EXPECT_EQ(perFamily, expected);
    EXPECT_EQ(ordinalsWhere(inPlace).size(), 159u);
    EXPECT_EQ(ordinalsWhere(colourPreserving).size(), 78u);
}

TEST(TransitionRun, RejectsUnknownEffectsAndMismatchedPictures)
{
    const QImage a = startPicture(8, 6);
    const QImage b = targetPicture(8, 6);
    for (int ordinal : {-1, 251, 252, 255, 1000}) {
        const TransitionRun run(ordinal, a, b);
        EXPECT_FALSE(run.isValid()) << ordinal;
        EXPECT_FALSE(run.errorString().isEmpty());
        QImage out = a;
        EXPECT_FALSE(run.render(50.0f, out));
        EXPECT_TRUE(samePixels(out, a)) << "an invalid run must leave the output alone";
    }
    EXPECT_FALSE(TransitionRun(5, a, targetPicture(8, 7)).isValid());
    EXPECT_FALSE(TransitionRun(5, QImage(), QImage()).isValid());
    EXPECT_TRUE(TransitionRun(250, a, b).isValid());
}

TEST(TransitionRun, AcceptsOtherFormatsAsRgb)
{
    const QImage a = startPicture(9, 4);
    const QImage b = targetPicture(9, 4);
    QImage out;
    TransitionRun(5, a.convertToFormat(QImage::Format_RGB32),
                  b.convertToFormat(QImage::Format_ARGB32))
        .render(100.0f, out);
    EXPECT_EQ(out.format(), QImage::Format_RGB888);
    EXPECT_TRUE(samePixels(out, b));
}

TEST(TransitionRun, FrameProgressOfTheExportSequence)
{
    EXPECT_EQ(frameProgress(0, 25), 0.0f);
    EXPECT_EQ(frameProgress(24, 25), 100.0f);
    EXPECT_EQ(frameProgress(1, 3), 50.0f);
    EXPECT_EQ(frameProgress(1, 12), float(100.0 / 11.0));
}

class EveryEffect : public ::testing::TestWithParam<int>
{
};

TEST_P(EveryEffect, EndsAreThePicturesByteForByte)
{
    const int ordinal = GetParam();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (QSize size : {QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(7, 5), QSize(64, 36)}) {
        const QImage a = startPicture(size.width(), size.height());
        const QImage b = targetPicture(size.width(), size.height());
        const TransitionRun run(ordinal, a, b);
        ASSERT_TRUE(run.isValid());
        QImage out;
        for (float p : {0.0f, -0.001f, -50.0f, nan, -inf}) {
            ASSERT_TRUE(run.render(p, out));
            EXPECT_TRUE(samePixels(out, a))
                << "p=" << p << " at " << size.width() << "x" << size.height();
        }
        for (float p : {100.0f, 100.001f, 250.0f, inf}) {
            ASSERT_TRUE(run.render(p, out));
            EXPECT_TRUE(samePixels(out, b))
                << "p=" << p << " at " << size.width() << "x" << size.height();
        }
    }
}

TEST_P(EveryEffect, InputsStayUntouchedAndFramesHaveTheirSize)
{
    const int ordinal = GetParam();
    // Odd sizes, sizes below the strip and cell counts, and a full frame with an odd edge.
    for (QSize size :
         {QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(7, 5), QSize(641, 359), QSize(1921, 1081)}) {
        const QImage a = startPicture(size.width(), size.height());
        const QImage b = targetPicture(size.width(), size.height());
        const QImage aCopy = a.copy();
        const QImage bCopy = b.copy();
        const TransitionRun run(ordinal, a, b);
        QImage out;
        const bool big = size.width() > 1000;
        for (float p : big ? std::vector<float>{50.0f, 99.5f} : kProgress) {
            ASSERT_TRUE(run.render(p, out));
            ASSERT_EQ(out.size(), size);
            ASSERT_EQ(out.format(), QImage::Format_RGB888);
        }
        EXPECT_TRUE(samePixels(a, aCopy));
        EXPECT_TRUE(samePixels(b, bCopy));
    }
}

TEST_P(EveryEffect, FramesDependOnlyOnTheRunAndTheProgress)
{
    const int ordinal = GetParam();
    for (QSize size : {QSize(7, 5), QSize(101, 57)}) {
        const QImage a = startPicture(size.width(), size.height());
        const QImage b = targetPicture(size.width(), size.height());
        const TransitionRun first(ordinal, a, b);
        const TransitionRun second(ordinal, a, b);
        std::vector<float> ps = kProgress;
        for (int n : {12, 25, 69}) {
            const std::vector<float> seq = progressSequence(n);
            ps.insert(ps.end(), seq.begin(), seq.end());
        }
        std::vector<QImage> forwards;
        for (float p : ps) {
            QImage out;
            first.render(p, out);
            forwards.push_back(out);
        }
        // Backwards into one reused buffer, from a second run: nothing may carry over.
        QImage reused;
        for (std::size_t i = ps.size(); i-- > 0;) {
            second.render(ps[i], reused);
            ASSERT_TRUE(samePixels(reused, forwards[i])) << "p=" << ps[i];
        }
        std::vector<int> order(ps.size());
        std::iota(order.begin(), order.end(), 0);
        const QList<QImage> parallel =
            QtConcurrent::blockingMapped<QList<QImage>>(order, [&](int i) {
                QImage out;
                first.render(ps[std::size_t(i)], out);
                return out;
            });
        for (std::size_t i = 0; i < ps.size(); ++i)
            ASSERT_TRUE(samePixels(parallel[qsizetype(i)], forwards[i])) << "p=" << ps[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryEffect, ::testing::Range(0, 251), nameOf);

class InPlaceEffect : public ::testing::TestWithParam<int>
{
};

// Every pixel comes from the start or the target picture at its own place (blends lie
// between the two), so two equal pictures give that picture at every progress.
TEST_P(InPlaceEffect, PixelsComeFromTheTwoPicturesInPlace)
{
    const int ordinal = GetParam();
    for (QSize size : {QSize(7, 5), QSize(101, 57)}) {
        const QImage a = startPicture(size.width(), size.height());
        const QImage b = targetPicture(size.width(), size.height());
        const TransitionRun run(ordinal, a, b);
        const TransitionRun same(ordinal, a, a);
        QImage out;
        for (float p : kProgress) {
            run.render(p, out);
            if (blends(ordinal)) {
                for (int y = 0; y < size.height(); ++y) {
                    const uchar* o = out.constScanLine(y);
                    const uchar* pa = a.constScanLine(y);
                    const uchar* pb = b.constScanLine(y);
                    for (int i = 0; i < 3 * size.width(); ++i)
                        ASSERT_TRUE(o[i] >= pa[i] && o[i] <= pb[i]) << "p=" << p;
                }
            } else {
                for (std::uint8_t m : layerMask(out, a, b))
                    ASSERT_NE(m, 2) << "p=" << p << " a pixel from neither picture";
            }
            same.render(p, out);
            ASSERT_TRUE(samePixels(out, a)) << "p=" << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, InPlaceEffect, ::testing::ValuesIn(ordinalsWhere(inPlace)),
                         nameOf);

class ColourPreservingEffect : public ::testing::TestWithParam<int>
{
};

// Moving, scaling and turning adds no colour: one uniform colour stays that colour.
TEST_P(ColourPreservingEffect, OneColourStaysThatColour)
{
    const int ordinal = GetParam();
    for (QSize size : {QSize(3, 2), QSize(101, 57)}) {
        const QImage a = uniformPicture(size.width(), size.height(), 201, 17, 99);
        const TransitionRun run(ordinal, a, a.copy());
        QImage out;
        for (float p : progressSequence(25)) {
            run.render(p, out);
            ASSERT_TRUE(samePixels(out, a)) << "p=" << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ColourPreservingEffect,
                         ::testing::ValuesIn(ordinalsWhere(colourPreserving)), nameOf);

class MonotoneEffect : public ::testing::TestWithParam<int>
{
};

// With a black start and a white target, what has turned white stays white (blends only
// brighten).
TEST_P(MonotoneEffect, CoverageOnlyGrows)
{
    const int ordinal = GetParam();
    for (QSize size : {QSize(7, 5), QSize(160, 90)}) {
        const QImage black = uniformPicture(size.width(), size.height(), 0, 0, 0);
        const QImage white = uniformPicture(size.width(), size.height(), 255, 255, 255);
        const TransitionRun run(ordinal, black, white);
        QImage previous;
        run.render(0.0f, previous);
        QImage out;
        for (float p : progressSequence(69)) {
            run.render(p, out);
            for (int y = 0; y < size.height(); ++y) {
                const uchar* o = out.constScanLine(y);
                const uchar* q = previous.constScanLine(y);
                for (int i = 0; i < 3 * size.width(); ++i)
                    ASSERT_GE(o[i], q[i]) << "p=" << p << " x=" << i / 3 << " y=" << y;
            }
            previous = out.copy();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, MonotoneEffect, ::testing::ValuesIn(ordinalsWhere(monotone)),
                         nameOf);
