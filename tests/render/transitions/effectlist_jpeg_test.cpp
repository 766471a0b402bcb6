// The effect list syntax of the CLI and benchmark, and the JPEG writer the export reuses.
#include "render/jpegwriter.h"
#include "render/transitions/effectlist.h"
#include "transitiontestutil.h"

#include <gtest/gtest.h>

using namespace vistarel::render;
using namespace vistarel::render::transitions;

TEST(EffectList, OrdinalsRangesAndIdentifiersInTheirOrder)
{
    EXPECT_EQ(parseEffectList(u"5"_qs), std::vector<int>{5});
    EXPECT_EQ(parseEffectList(u"3-5, 117 ,iettPanZoom,circularwipefromcenter"_qs),
              (std::vector<int>{3, 4, 5, 117, 250, 117}));
    EXPECT_EQ(parseEffectList(u"0-250"_qs)->size(), 251u);
    QString bad;
    for (const char* text : {"", "251", "-1", "5-3", "7-x", "NoSuchEffect", "1,,Nope"}) {
        EXPECT_FALSE(parseEffectList(QString::fromLatin1(text), &bad).has_value()) << text;
        EXPECT_FALSE(bad.isEmpty() && *text != '\0') << text;
    }
    parseEffectList(u"1,Nope,3"_qs, &bad);
    EXPECT_EQ(bad, u"Nope"_qs);
}

TEST(JpegWriter, EncodesAFrameThatDecodesCloseToIt)
{
    // Smooth content with an odd width, so the row stride is padded.
    QImage picture(101, 37, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(2 * x, 6 * y, 255 - 2 * x));
    const QByteArray jpeg = encodeJpeg(picture, 80);
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
    const QImage decoded = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(decoded.size(), picture.size());
    double error = 0.0;
    for (int y = 0; y < picture.height(); ++y)
        for (int i = 0; i < 3 * picture.width(); ++i)
            error += std::abs(int(decoded.constScanLine(y)[i]) - int(picture.constScanLine(y)[i]));
    EXPECT_LT(error / (3.0 * picture.width() * picture.height()), 3.0);
    // Other formats are taken as RGB; a higher quality costs more bytes.
    EXPECT_FALSE(encodeJpeg(picture.convertToFormat(QImage::Format_ARGB32), 80).isEmpty());
    EXPECT_GT(encodeJpeg(picture, 95).size(), encodeJpeg(picture, 30).size());
    EXPECT_TRUE(encodeJpeg(QImage(), 80).isEmpty());
}
