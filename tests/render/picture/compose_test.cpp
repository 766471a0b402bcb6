#include "render/picture/compose.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace vistarel::render;

namespace {

QImage filled(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// Red grows from left to right and green from top to bottom: where a pixel of the
// blurred background comes from can be read off its colour.
QImage gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(255 * x / (w - 1), 255 * y / (h - 1), 60));
    return image;
}

// The bounding box of the pixels that are not black.
QRect pictureArea(const QImage& frame)
{
    QRect area;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != qRgb(0, 0, 0))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

TEST(Compose, FitOnBlackGeometry)
{
    struct Case
    {
        QSize picture;
        QSize frame;
        QRect placed; // where the picture lands in the frame
    };
    const Case cases[] = {
        {{4000, 3000}, {1920, 1080}, {240, 0, 1440, 1080}},
        {{800, 600}, {1920, 1080}, {560, 240, 800, 600}},
        // Shrunk to 1920 x 1079; the odd row of black goes to the bottom.
        {{1921, 1080}, {1920, 1080}, {0, 0, 1920, 1079}},
        {{1920, 1080}, {1920, 1080}, {0, 0, 1920, 1080}},
        // 200 x 101 scaled by 0.5: 50.5 rows round to the even 50; 51.5 rows to 52.
        {{200, 101}, {100, 100}, {0, 25, 100, 50}},
        {{200, 103}, {100, 100}, {0, 24, 100, 52}},
        // Odd surplus on both axes: the extra column and row go right and down.
        {{101, 51}, {200, 100}, {49, 24, 101, 51}},
        {{10000, 1}, {100, 100}, {0, 49, 100, 1}},
    };
    for (const Case& c : cases) {
        QImage picture = filled(c.picture.width(), c.picture.height(), QColor(250, 250, 250));
        ComposeSlidePicture(picture, c.frame.width(), c.frame.height(), false, false,
                            ResampleFilter::FastLinear);
        EXPECT_EQ(picture.size(), c.frame) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(picture.format(), QImage::Format_RGB888);
        EXPECT_EQ(pictureArea(picture), c.placed) << c.picture.width() << "x" << c.picture.height();
    }
}

TEST(Compose, FitDownNeverEnlargesAndRoundsHalfToEven)
{
    EXPECT_EQ(fitDownSize({800, 600}, 1920, 1080), QSize(800, 600));
    EXPECT_EQ(fitDownSize({4000, 3000}, 1920, 1080), QSize(1440, 1080));
    EXPECT_EQ(fitDownSize({200, 101}, 100, 100), QSize(100, 50));
    EXPECT_EQ(fitDownSize({0, 0}, 100, 100), QSize(0, 0));
    QImage small = filled(30, 20, Qt::red);
    const QImage before = small;
    FitDown(small, 100, 100, ResampleFilter::Lanczos3);
    EXPECT_EQ(small, before);
}

TEST(Compose, BlurredBackgroundIsTheGrownCopyCutInTheMiddle)
{
    // 800 x 600 covers 1920 x 1080 at 1920 x 1440, cut at y = 180; the picture itself sits
    // unchanged at (560, 240).
    const QImage source = gradient(800, 600);
    QImage frame = source;
    ComposeSlidePicture(frame, 1920, 1080, false, true, ResampleFilter::Lanczos3);
    ASSERT_EQ(frame.size(), QSize(1920, 1080));
    EXPECT_EQ(frame.copy(560, 240, 800, 600), source);
    // Frame point (x, y) shows source point (x / 2.4, (y + 180) / 2.4).
    struct Probe
    {
        int x, y;
    };
    for (const Probe p : {Probe{100, 0}, Probe{300, 540}, Probe{1800, 1079}, Probe{1500, 100}}) {
        const QColor seen = frame.pixelColor(p.x, p.y);
        const double red = 255.0 * (p.x / 2.4) / 799;
        const double green = 255.0 * ((p.y + 180) / 2.4) / 599;
        EXPECT_NEAR(seen.red(), red, 8) << p.x << "," << p.y;
        EXPECT_NEAR(seen.green(), green, 8) << p.x << "," << p.y;
    }
}

TEST(Compose, BlurredBackgroundIsSmooth)
{
    // A sharp checkerboard loses its detail in the background: neighbouring pixels of the
    // visible background differ by a few levels, not by 255.
    QImage board(400, 300, QImage::Format_RGB888);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            board.setPixel(x, y, ((x / 10 + y / 10) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    ComposeBlurredBackground(board, 1000, 300);
    int largestStep = 0;
    for (int x = 1; x < 300; ++x)
        largestStep = std::max(largestStep, std::abs(board.pixelColor(x, 150).red() -
                                                     board.pixelColor(x - 1, 150).red()));
    EXPECT_LE(largestStep, 16);
}

TEST(Compose, FrameSizedPictureIsNeitherResampledNorBlurred)
{
    const QImage source = gradient(320, 180);
    for (bool blur : {false, true}) {
        for (ResampleFilter filter : {ResampleFilter::Lanczos3, ResampleFilter::FastLinear}) {
            QImage picture = source;
            ComposeSlidePicture(picture, 320, 180, false, blur, filter);
            EXPECT_EQ(picture, source);
        }
    }
}

TEST(Compose, StretchIgnoresProportionsAndBlur)
{
    const QImage source = gradient(800, 600);
    QImage stretched = source;
    StretchTo(stretched, 1920, 1080);
    ASSERT_EQ(stretched.size(), QSize(1920, 1080));
    QImage composed = source;
    ComposeSlidePicture(composed, 1920, 1080, true, true, ResampleFilter::Lanczos3);
    EXPECT_EQ(composed, stretched);
    // The corners of the frame show the corners of the picture: no bars, no background.
    EXPECT_LE(composed.pixelColor(0, 0).red(), 2);
    EXPECT_GE(composed.pixelColor(1919, 1079).red(), 253);
    EXPECT_GE(composed.pixelColor(1919, 1079).green(), 253);
}

TEST(Compose, EmptyPictureBecomesBlackFrameAndPrimitivesLeaveItAlone)
{
    for (bool stretch : {false, true}) {
        for (bool blur : {false, true}) {
            QImage empty;
            ComposeSlidePicture(empty, 64, 36, stretch, blur, ResampleFilter::FastLinear);
            ASSERT_EQ(empty.size(), QSize(64, 36));
            EXPECT_TRUE(pictureArea(empty).isEmpty());
        }
    }
    QImage empty;
    FitDown(empty, 10, 10, ResampleFilter::Lanczos3);
    ComposeBlurredBackground(empty, 10, 10);
    EXPECT_TRUE(empty.isNull());
}

TEST(Compose, CenterOnBlackLeavesOversizedPictures)
{
    const QImage wide = gradient(300, 50);
    QImage picture = wide;
    CenterOnBlack(picture, 200, 100);
    EXPECT_EQ(picture, wide);
}
