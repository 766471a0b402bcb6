#include "render/picture/subtitleoverlay.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::render;

namespace {

QImage readBack(const QString& file)
{
    QImage image(file);
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(SubtitleOverlay, OpaqueTextKeepsItsColourAndEmptyCanvasIsTransparent)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"clipsub_000.png"_qs);
    // An opaque white letter shape and an opaque red bar.
    ASSERT_TRUE(RenderSubtitleOverlay(target, 160, 90, [](QImage& canvas) {
        QPainter painter(&canvas);
        painter.fillRect(10, 10, 20, 40, Qt::white);
        painter.fillRect(40, 60, 30, 5, QColor(200, 30, 10));
    }));
    const QImage overlay = readBack(target);
    ASSERT_EQ(overlay.size(), QSize(160, 90));
    ASSERT_TRUE(overlay.hasAlphaChannel());
    EXPECT_EQ(overlay.pixel(15, 20), qRgba(255, 255, 255, 255));
    EXPECT_EQ(overlay.pixel(50, 62), qRgba(200, 30, 10, 255));
    EXPECT_EQ(overlay.pixel(100, 20), qRgba(0, 0, 0, 0));

    // Nothing drawn: fully transparent; an old target is replaced.
    ASSERT_TRUE(RenderSubtitleOverlay(target, 40, 30, [](QImage&) {}));
    const QImage empty = readBack(target);
    ASSERT_EQ(empty.size(), QSize(40, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(empty.pixel(x, y), qRgba(0, 0, 0, 0));
}

TEST(SubtitleOverlay, PartlyCoveredPixelsGetAlphaFromTheDifference)
{
    // Pixels as a renderer leaves them at an anti-aliased edge or under a half-transparent
    // highlight: canvas = colour x a + background x (1 - a).
    struct Case
    {
        QRgb onBlack, onWhite;
        QRgb expected;
    };
    const Case cases[] = {
        {qRgb(128, 128, 128), qRgb(255, 255, 255), qRgba(255, 255, 255, 128)}, // white at 50 %
        {qRgb(128, 0, 0), qRgb(255, 127, 127), qRgba(255, 0, 0, 128)},         // red at 50 %
        {qRgb(20, 40, 60), qRgb(20, 40, 60), qRgba(20, 40, 60, 255)},          // opaque
        {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgba(0, 0, 0, 0)},               // untouched
        {qRgb(0, 0, 0), qRgb(255, 255, 254), qRgba(0, 0, 0, 1)},               // d = 254
        {qRgb(90, 90, 90), qRgb(60, 60, 60), qRgba(90, 90, 90, 255)},    // darker on white: capped
        {qRgb(220, 10, 10), qRgb(250, 60, 60), qRgba(255, 12, 12, 212)}, // colour capped at 255
    };
    for (const Case& c : cases) {
        QImage black(1, 1, QImage::Format_RGB888);
        QImage white(1, 1, QImage::Format_RGB888);
        black.setPixel(0, 0, c.onBlack);
        white.setPixel(0, 0, c.onWhite);
        const QImage overlay = subtitleOverlayFromCanvases(black, white);
        EXPECT_EQ(overlay.pixel(0, 0), c.expected)
            << std::hex << c.onBlack << " / " << c.onWhite << " gave " << overlay.pixel(0, 0);
    }
}

TEST(SubtitleOverlay, FailureIsReportedByTheResult)
{
    QTemporaryDir dir;
    EXPECT_FALSE(
        RenderSubtitleOverlay(dir.filePath(u"no/such/folder/sub.png"_qs), 10, 10, [](QImage&) {}));
    EXPECT_FALSE(RenderSubtitleOverlay(dir.filePath(u"sub.png"_qs), 0, 10, [](QImage&) {}));
}

TEST(SubtitleOverlay, ClipSubtitleIsOpaqueInkOnTransparency)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"clipsub_001.png"_qs);
    ASSERT_TRUE(RenderClipSubtitleOverlay(target, u"Hello"_qs, u"Tahoma"_qs, 0x00FFFFFF, 0,
                                          640, 360));
    const QImage overlay = readBack(target);
    ASSERT_EQ(overlay.size(), QSize(640, 360));
    int opaqueWhite = 0;
    int inkAboveBottomHalf = 0;
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x) {
            const QRgb p = overlay.pixel(x, y);
            if (qAlpha(p) == 255 && qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255)
                ++opaqueWhite;
            if (qAlpha(p) != 0 && y < 180)
                ++inkAboveBottomHalf;
        }
    EXPECT_GT(opaqueWhite, 50); // the letters' cores
    EXPECT_EQ(inkAboveBottomHalf, 0); // a subtitle sits at the bottom
}
