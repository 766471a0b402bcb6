#include "subtitle/rtfparser.h"
#include "subtitle/subtitledraw.h"
#include "subtitle/subtitlefonts.h"
#include "subtitle/subtitlelayout.h"

#include <QDir>
#include <QFontInfo>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using namespace vistarel::subtitle;

namespace {

QImage filled(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(color);
    return image;
}

// Bounding box of the pixels that differ between two pictures of the same size.
QRect inkBox(const QImage& before, const QImage& after)
{
    QRect box;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Keeps a picture for a person to look at when the test has failed.
void keepOnFailure(const QImage& image, const QString& name)
{
    if (::testing::Test::HasFailure())
        image.save(QDir::current().filePath(name + u".png"_qs));
}

// The layout the drawer uses, measured with the real fonts.
struct RealLayout
{
    std::vector<TRtfLine> lines;
    RtfPlacement placement;
};

RealLayout realLayout(const QString& rtf, int width, int height)
{
    static TRtfDoc doc;
    doc = ParseRtf(rtf);
    QtTextMeasure measure;
    const RtfGeometry g = rtfGeometry(width, height);
    RealLayout laid{LayoutRtf(doc, g, measure), {}};
    laid.placement = PlaceRtfLines(laid.lines, g, height);
    return laid;
}

} // namespace

TEST(SubtitleDraw, TahomaResolvesToItsCompatibleFont)
{
    const QFontInfo regular(subtitleFont({u"Tahoma"_qs, 29, 0}));
    EXPECT_EQ(regular.family(), u"Tahoma"_qs);
    EXPECT_EQ(regular.pixelSize(), 29);
    EXPECT_TRUE(QFontInfo(subtitleFont({u"Tahoma"_qs, 29, kStyleBold})).bold());
    EXPECT_FALSE(QFontInfo(subtitleFont({u"No Such Family Here"_qs, 29, 0})).family().isEmpty());
    // Other names go through the platform's matching, which knows its look-alikes.
    EXPECT_TRUE(QFontInfo(subtitleFont({u"Courier New"_qs, 29, 0})).fixedPitch());
}

TEST(SubtitleDraw, RtfInkSitsOnItsLineAboveTheLowerEdge)
{
    const QString rtf = u"{\\rtf1\\qc Hello World\\par}"_qs;
    const QImage black = filled(1920, 1080, Qt::black);
    QImage picture = black;
    DrawSubtitle(picture, rtf, QString(), 0, 0);
    EXPECT_EQ(picture.format(), QImage::Format_RGB888);

    const RealLayout laid = realLayout(rtf, 1920, 1080);
    ASSERT_EQ(laid.lines.size(), 1u);
    const TRtfLine& line = laid.lines[0];
    const std::int64_t lw = line.Toks[0].Width + line.Toks[1].Width + line.Toks[2].Width;
    const QRect cell(int(laid.placement.toks[0].x), int(laid.placement.blockTop), int(lw),
                     line.Asc + line.Desc);
    EXPECT_EQ(cell.bottom(), 1080 - 27 - 1);

    const QRect ink = inkBox(black, picture);
    ASSERT_FALSE(ink.isEmpty());
    // No descenders: the ink ends on the baseline; side bearings are a pixel or two.
    EXPECT_TRUE(cell.adjusted(-2, 0, 2, 0).contains(ink)) << ink.x() << ',' << ink.y();
    EXPECT_LE(ink.bottom(), cell.top() + line.Asc);
    EXPECT_GE(ink.bottom(), cell.top() + line.Asc - 2);
    EXPECT_GE(ink.width(), cell.width() - 4);
    EXPECT_NEAR(ink.left(), 1919 - ink.right(), 4); // centred
    EXPECT_EQ(QColor(picture.pixel(ink.center().x(), 540)), QColor(Qt::black));
    keepOnFailure(picture, u"rtf_ink"_qs);
}

TEST(SubtitleDraw, HighlightFillsTheTokenCells)
{
    const QString rtf = u"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                        u"\\cf2\\highlight1 A   B\\highlight0  C}"_qs;
    const QImage grey = filled(1280, 720, QColor(128, 128, 128));
    QImage picture = grey;
    DrawSubtitle(picture, rtf, QString(), 0, 0);

    const RealLayout laid = realLayout(rtf, 1280, 720);
    const auto& toks = laid.placement.toks;
    ASSERT_EQ(toks.size(), 5u);
    const QRect blanks = toks[1].highlight;
    ASSERT_FALSE(blanks.isEmpty());
    // The cells of the highlighted blanks and the corners of the first cell are red.
    for (int x = blanks.left(); x <= blanks.right(); ++x)
        for (int y = blanks.top(); y <= blanks.bottom(); ++y)
            ASSERT_EQ(QColor(picture.pixel(x, y)), QColor(Qt::red)) << x << ',' << y;
    const QRect first = toks[0].highlight;
    EXPECT_EQ(QColor(picture.pixel(first.topLeft())), QColor(Qt::red));
    EXPECT_EQ(QColor(picture.pixel(first.bottomLeft())), QColor(Qt::red));
    // Outside the highlighted tokens the picture keeps its grey.
    const QRect both = toks[0].highlight | toks[2].highlight;
    EXPECT_EQ(QColor(picture.pixel(both.left() - 1, both.center().y())), QColor(128, 128, 128));
    EXPECT_EQ(QColor(picture.pixel(both.right() + 1, both.top())), QColor(128, 128, 128));
    EXPECT_EQ(QColor(picture.pixel(both.center().x(), both.top() - 1)), QColor(128, 128, 128));
    // The letters are blue on the red.
    bool blueInk = false;
    for (int x = first.left(); x <= first.right(); ++x)
        for (int y = first.top(); y <= first.bottom(); ++y) {
            const QColor c = picture.pixelColor(x, y);
            blueInk |= c.blue() > 200 && c.red() < 50 && c.green() == 0;
        }
    EXPECT_TRUE(blueInk);
    keepOnFailure(picture, u"rtf_highlight"_qs);
}

TEST(SubtitleDraw, SameShapesOnBlackAndOnWhite)
{
    // The clip overlay takes alpha = 255 - (white render - black render) and the colour
    // from the black render; both only hold if every channel agrees on one alpha.
    const QString subtitles[] = {
        u"{\\rtf1{\\colortbl;\\red200\\green100\\blue50;\\red20\\green160\\blue90;}"
        u"\\qc\\cf1 Gray \\i italic\\i0  {\\highlight2 mark} \\ul under\\ul0\\line\\fs40 Big}"_qs,
        u"Plain words"_qs,
    };
    const QColor colour(200, 100, 50);
    for (const QString& subtitle : subtitles) {
        QImage onBlack = filled(480, 270, Qt::black);
        QImage onWhite = filled(480, 270, Qt::white);
        const std::uint32_t fontColor = 200 | 100 << 8 | 50 << 16;
        DrawSubtitle(onBlack, subtitle, u"Tahoma"_qs, fontColor, 0);
        DrawSubtitle(onWhite, subtitle, u"Tahoma"_qs, fontColor, 0);
        int partial = 0;
        int worst = 0;
        for (int y = 0; y < 270; ++y) {
            for (int x = 0; x < 480; ++x) {
                const QColor b = onBlack.pixelColor(x, y);
                const QColor w = onWhite.pixelColor(x, y);
                const int alphas[] = {255 - (w.red() - b.red()), 255 - (w.green() - b.green()),
                                      255 - (w.blue() - b.blue())};
                const auto [lo, hi] = std::minmax_element(std::begin(alphas), std::end(alphas));
                worst = std::max(worst, *hi - *lo);
                const int alpha = alphas[0];
                partial += alpha > 20 && alpha < 235;
                if (alpha == 0) {
                    ASSERT_EQ(b, QColor(Qt::black)) << x << ',' << y;
                }
                if (alpha > 128 && subtitle.startsWith(u'P')) {
                    // Plain text has one colour: black render = alpha x colour.
                    EXPECT_NEAR(b.red() * 255 / alpha, colour.red(), 3);
                    EXPECT_NEAR(b.blue() * 255 / alpha, colour.blue(), 3);
                }
            }
        }
        EXPECT_LE(worst, 2) << subtitle.toStdString();
        EXPECT_GT(partial, 50) << "text should be anti-aliased";
        keepOnFailure(onBlack, u"on_black"_qs);
        keepOnFailure(onWhite, u"on_white"_qs);
    }
}

TEST(SubtitleDraw, PlainSubtitleIsBoldCentredTwentyPixelsUp)
{
    const QImage black = filled(1920, 1080, Qt::black);
    QImage picture = black;
    DrawSubtitle(picture, u"  Hello  "_qs, QString(), 0x00FFFF, 0); // yellow
    const QRect ink = inkBox(black, picture);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left(), 1919 - ink.right(), 4);
    // 60 points are 80 pixels; the capitals stand on the baseline, a descent above the
    // cell's lower edge, which ends 20 pixels above the picture's.
    EXPECT_LT(ink.bottom(), 1080 - 20 - 8);
    EXPECT_GT(ink.bottom(), 1080 - 20 - 30);
    EXPECT_GT(ink.height(), 50);
    EXPECT_LT(ink.height(), 80);
    EXPECT_EQ(QColor(picture.pixel(ink.left() + 3, ink.center().y())), QColor(Qt::yellow));
    keepOnFailure(picture, u"plain_hello"_qs);

    // Smaller size classes draw smaller; class 3 keeps the default of 8 points.
    int previous = ink.height();
    for (int sizeClass : {1, 2, 3}) {
        QImage small = black;
        DrawSubtitle(small, u"Hello"_qs, u"Tahoma"_qs, 0xFFFFFF, sizeClass);
        const int height = inkBox(black, small).height();
        EXPECT_LT(height, previous) << sizeClass;
        previous = height;
    }
    EXPECT_LT(previous, 12);
}

TEST(SubtitleDraw, LeavesThePictureAloneWhenThereIsNothingToDraw)
{
    const QImage grey = filled(200, 100, QColor(90, 90, 90));
    const QString nothing[] = {QString(), u" \t\r\n"_qs, u"{\\rtf1 \\par \\tab\\par}"_qs,
                               u"{\\rtf1{\\*\\generator x;}}"_qs};
    for (const QString& subtitle : nothing) {
        QImage picture = grey;
        DrawSubtitle(picture, subtitle, QString(), 0xFFFFFF, 0);
        EXPECT_EQ(picture, grey) << subtitle.toStdString();
    }
    const QImage tiny = filled(9, 40, Qt::black);
    QImage picture = tiny;
    DrawSubtitle(picture, u"{\\rtf1 x}"_qs, QString(), 0, 0);
    EXPECT_EQ(picture, tiny);
    QImage null;
    DrawSubtitle(null, u"{\\rtf1 x}"_qs, QString(), 0, 0);
    EXPECT_TRUE(null.isNull());
}

TEST(SubtitleDraw, RepeatedDrawDoesNotParseAgain)
{
    const QString rtf = u"{\\rtf1 drawn twice}"_qs;
    QImage picture = filled(320, 180, Qt::black);
    DrawSubtitle(picture, rtf, QString(), 0, 0);
    const std::uint64_t parses = rtfParseCount();
    DrawSubtitle(picture, rtf, QString(), 0, 0);
    DrawSubtitle(picture, rtf, QString(), 0, 0);
    EXPECT_EQ(rtfParseCount(), parses);
    DrawSubtitle(picture, u"{\\rtf1 another}"_qs, QString(), 0, 0);
    EXPECT_EQ(rtfParseCount(), parses + 1);
}

TEST(SubtitleDraw, WorkerThreadsDrawWhatTheMainThreadDraws)
{
    // Two subtitles in turn keep replacing the shared parse cache while others read it.
    const QString subtitles[] = {u"{\\rtf1\\qc\\b threads\\b0  one\\par\\i two}"_qs,
                                 u"{\\rtf1{\\colortbl;\\red9;}\\highlight1 other}"_qs};
    const QImage background = filled(320, 180, QColor(30, 60, 90));
    QImage expected[2] = {background, background};
    for (int i = 0; i < 2; ++i)
        DrawSubtitle(expected[i], subtitles[i], QString(), 0, 0);
    ASSERT_NE(expected[0], background);

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 25; ++round) {
                const int which = (t + round) % 2;
                QImage picture = background;
                DrawSubtitle(picture, subtitles[which], QString(), 0, 0);
                mismatches += picture != expected[which];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, 0);
}
