#include "subtitle/rtfparser.h"
#include "subtitle/subtitlelayout.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace vistarel::subtitle;

namespace {

// Exact made-up metrics: ascent 3/4 and descent 1/4 of the character height, and widths
// per character that do not depend on the size: M 100, x 10, . 1, blank 5, tab 7, else 20.
class FakeMeasure final : public TextMeasure
{
public:
    TFontMetricsPx metrics(const TFontSpec& font) override
    {
        return {font.px * 3 / 4, font.px / 4};
    }
    std::int32_t advance(const TFontSpec&, QStringView text) override
    {
        std::int32_t width = 0;
        for (QChar c : text)
            width += c == u'M'    ? 100
                     : c == u'x'  ? 10
                     : c == u'.'  ? 1
                     : c == u' '  ? 5
                     : c == u'\t' ? 7
                                  : 20;
        return width;
    }
};

struct Laid
{
    std::vector<TRtfLine> lines;
    RtfPlacement placement;

    std::vector<std::int64_t> xs(std::size_t line) const
    {
        std::vector<std::int64_t> result;
        for (const PlacedTok& p : placement.toks)
            if (&lines[line].Toks.front() <= p.tok && p.tok <= &lines[line].Toks.back())
                result.push_back(p.x);
        return result;
    }
    std::vector<QString> texts(std::size_t line) const
    {
        std::vector<QString> result;
        for (const TRtfTok& tok : lines.at(line).Toks)
            result.push_back(tok.Text);
        return result;
    }
};

Laid layOut(const QString& rtf, int width, int height)
{
    FakeMeasure measure;
    const TRtfDoc doc = ParseRtf(rtf);
    const RtfGeometry g = rtfGeometry(width, height);
    Laid laid{LayoutRtf(doc, g, measure), {}};
    laid.placement = PlaceRtfLines(laid.lines, g, height);
    return laid;
}

// 336 pixels wide in the fake metrics.
const QString kWord336 = u"MMMxxx......"_qs;

} // namespace

TEST(SubtitleLayout, GeometryFollowsThePictureSize)
{
    struct Case
    {
        int w, h, marginX, maxW, bottom, halfPoints, px;
    };
    const Case cases[] = {
        {1920, 1080, 96, 1728, 27, 24, 29},
        {100, 450, 8, 84, 12, 24, 12},
        {400, 400, 20, 360, 12, 24, 11},
        {1930, 450, 96, 1738, 12, 25, 12}, // 96.5 and 12.5 round to the even neighbour
        {1950, 450, 98, 1754, 12, 27, 14}, // 97.5 and 13.5 likewise
        {1920, 1080, 96, 1728, 27, 2, 4},  // never under 4 pixels
        {1920, 1080, 96, 1728, 27, 999999999, kMaxCharacterPx},
    };
    for (const Case& c : cases) {
        const RtfGeometry g = rtfGeometry(c.w, c.h);
        EXPECT_EQ(g.marginX, c.marginX) << c.w;
        EXPECT_EQ(g.maxW, c.maxW) << c.w;
        EXPECT_EQ(g.bottom, c.bottom) << c.h;
        EXPECT_EQ(g.px(c.halfPoints), c.px) << c.h << ' ' << c.halfPoints;
    }
    EXPECT_DOUBLE_EQ(rtfGeometry(1920, 1080).scale, 2.4);
}

TEST(SubtitleLayout, AlignsLinesAboveTheLowerEdge)
{
    // 1001 pixels wide: 727 spare pixels, of which 363 go left of a centred line.
    const std::pair<QString, std::int64_t> cases[] = {
        {u"\\qc MMMMMMMMMM."_qs, 96 + 363},
        {u"\\qr MMMMMMMMMM."_qs, 96 + 1728 - 1001},
        {u"MMMMMMMMMM."_qs, 96},
        {u"\\qj MMMMMMMMMM."_qs, 96},
    };
    for (const auto& [rtf, x] : cases) {
        const Laid laid = layOut(rtf, 1920, 1080);
        ASSERT_EQ(laid.lines.size(), 1u);
        const TRtfLine& line = laid.lines[0];
        EXPECT_EQ(line.Asc, 21); // character height 29
        EXPECT_EQ(line.Desc, 7);
        ASSERT_EQ(laid.placement.toks.size(), 1u);
        const PlacedTok& tok = laid.placement.toks[0];
        EXPECT_EQ(tok.x, x) << rtf.toStdString();
        EXPECT_EQ(tok.top, 1080 - 27 - 28);
        EXPECT_EQ(tok.baseline, 1080 - 27 - 7);
    }
}

TEST(SubtitleLayout, JustifiesAllButTheLastLine)
{
    // Five words of 336 and four blanks of 5 make 1700: 7 extra pixels per blank.
    const QString words = QStringList(5, kWord336).join(u' ');
    Laid laid = layOut(u"\\qj "_qs + words + u" MMM"_qs, 1920, 1080);
    ASSERT_EQ(laid.lines.size(), 2u);
    EXPECT_FALSE(laid.lines[0].Last);
    EXPECT_TRUE(laid.lines[1].Last);
    EXPECT_EQ(laid.xs(0),
              (std::vector<std::int64_t>{96, 432, 444, 780, 792, 1128, 1140, 1476, 1488}));
    EXPECT_EQ(laid.xs(1), (std::vector<std::int64_t>{96}));

    // Four words of 400 and three blanks leave 113 pixels: fractional gaps, rounded.
    laid = layOut(u"\\qj MMMM MMMM MMMM MMMM MMM"_qs, 1920, 1080);
    ASSERT_EQ(laid.lines.size(), 2u);
    EXPECT_EQ(laid.xs(0), (std::vector<std::int64_t>{96, 496, 539, 939, 981, 1381, 1424}));

    // A justified line without blanks stays left-aligned.
    laid = layOut(u"\\qj "_qs + QString(18, u'M'), 1920, 1080);
    ASSERT_EQ(laid.lines.size(), 2u);
    EXPECT_EQ(laid.xs(0).front(), 96);
    EXPECT_EQ(laid.xs(0).back(), 96 + 16 * 100);
    EXPECT_EQ(laid.xs(1), (std::vector<std::int64_t>{96}));
}

TEST(SubtitleLayout, WrapsWordsAndBreaksOverlongOnes)
{
    // At width 100 a line holds 84 pixels.
    Laid laid = layOut(u"xxxx xxxx"_qs, 100, 400);
    ASSERT_EQ(laid.lines.size(), 2u);
    EXPECT_EQ(laid.texts(0), (std::vector<QString>{u"xxxx"_qs}));
    EXPECT_EQ(laid.texts(1), (std::vector<QString>{u"xxxx"_qs}));

    laid = layOut(u"xxxxxxxxxx"_qs, 100, 400);
    ASSERT_EQ(laid.lines.size(), 2u);
    EXPECT_EQ(laid.texts(0), std::vector<QString>(8, u"x"_qs));
    EXPECT_EQ(laid.xs(0), (std::vector<std::int64_t>{8, 18, 28, 38, 48, 58, 68, 78}));
    EXPECT_EQ(laid.texts(1), std::vector<QString>(2, u"x"_qs));

    // A character wider than the line still gets a line of its own.
    laid = layOut(u"MM"_qs, 100, 400);
    ASSERT_EQ(laid.lines.size(), 2u);
    EXPECT_EQ(laid.texts(1), (std::vector<QString>{u"M"_qs}));

    // Characters outside the basic plane are not split into halves.
    laid = layOut(u"\\u-10179?\\u-8704?xxxxxxxxxx"_qs, 100, 400);
    ASSERT_FALSE(laid.lines.empty());
    EXPECT_EQ(laid.lines[0].Toks[0].Text, u"\U0001F600"_qs);
}

TEST(SubtitleLayout, KeepsLeadingBlanksAndDropsTrailingOnes)
{
    const Laid laid = layOut(u"  a\\tab\\line   b \t \\line"_qs, 1920, 1080);
    ASSERT_EQ(laid.lines.size(), 3u);
    EXPECT_EQ(laid.texts(0), (std::vector<QString>{u"  "_qs, u"a"_qs}));
    EXPECT_EQ(laid.texts(1), (std::vector<QString>{u"  "_qs, u"b"_qs}));
    EXPECT_EQ(laid.xs(1), (std::vector<std::int64_t>{96, 106}));
    // The line after a final line feed has no height; the ones before keep the height
    // of the run that holds the line feed.
    EXPECT_EQ(laid.lines[1].Asc + laid.lines[1].Desc, 28);
    EXPECT_TRUE(laid.lines[2].Toks.empty());
    EXPECT_EQ(laid.lines[2].Asc + laid.lines[2].Desc, 0);
    EXPECT_TRUE(laid.lines[2].Last);
}

TEST(SubtitleLayout, MixedSizesShareOneBaseline)
{
    const Laid laid = layOut(u"a\\fs48 b\\par\\fs60\\par\\fs24 c"_qs, 1920, 1080);
    ASSERT_EQ(laid.lines.size(), 3u);
    // Sizes 24 and 48 give characters of 29 and 58 pixels.
    EXPECT_EQ(laid.lines[0].Asc, 43);
    EXPECT_EQ(laid.lines[0].Desc, 14);
    // The empty paragraph is as high as its size at the paragraph end (72 pixels).
    EXPECT_EQ(laid.lines[1].Asc, 54);
    EXPECT_EQ(laid.lines[1].Desc, 18);
    const std::int64_t top = 1080 - 27 - (57 + 72 + 28);
    EXPECT_EQ(laid.placement.blockTop, top);
    const auto& toks = laid.placement.toks;
    ASSERT_EQ(toks.size(), 3u);
    EXPECT_EQ(toks[0].baseline, top + 43);
    EXPECT_EQ(toks[1].baseline, top + 43);
    EXPECT_EQ(toks[0].top, top + 43 - 21);
    EXPECT_EQ(toks[1].top, top);
    EXPECT_EQ(toks[2].baseline, top + 57 + 72 + 21);
}

TEST(SubtitleLayout, TakesColoursAndHighlightsFromTheTables)
{
    const Laid laid = layOut(u"{\\colortbl;\\red255;\\green255;}\\qj\\cf1\\highlight2 MMMM "
                             u"\\highlight9 MMMM\\cf0\\highlight0  MMMM MMMM MMMM"_qs,
                             1920, 1080);
    ASSERT_EQ(laid.lines.size(), 2u);
    const auto& toks = laid.placement.toks;
    ASSERT_GE(toks.size(), 4u);
    const std::int64_t lineTop = laid.placement.blockTop;
    EXPECT_EQ(toks[0].tok->Color, 0x0000FFu);
    EXPECT_TRUE(toks[0].tok->HasBg);
    EXPECT_EQ(toks[0].tok->Bg, 0x00FF00u);
    EXPECT_EQ(toks[0].highlight, QRect(96, int(lineTop), 400, 28));
    // The blank is highlighted over its own width; the gap of justification is not.
    EXPECT_EQ(toks[1].highlight, QRect(496, int(lineTop), 5, 28));
    EXPECT_GT(toks[2].x, 501);
    // A highlight index outside the table and an automatic colour draw without a
    // highlight and in white.
    EXPECT_FALSE(toks[2].tok->HasBg);
    EXPECT_EQ(toks[2].tok->Bg, kNoColor);
    EXPECT_TRUE(toks[2].highlight.isEmpty());
    EXPECT_EQ(toks[3].tok->Color, kWhite);
}

TEST(SubtitleLayout, TallBlockStartsAtTheTopAndIsCutOff)
{
    // 60 lines of 4 pixels (the smallest character height) on a picture 100 high.
    const Laid laid = layOut(QStringList(60, u"x"_qs).join(u"\\par "_qs), 100, 100);
    ASSERT_EQ(laid.lines.size(), 60u);
    EXPECT_EQ(laid.placement.blockTop, 0);
    EXPECT_EQ(laid.placement.blockHeight, 240);
    EXPECT_EQ(laid.placement.toks.size(), 25u);
    EXPECT_EQ(laid.placement.toks.back().top, 96);
}

TEST(SubtitleLayout, PlainSubtitleIsOneBoldCentredLine)
{
    FakeMeasure measure;
    const auto hello = LayoutPlainSubtitle(u"  Hello  "_qs, QString(), 0, 1920, 1080, measure);
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->text, u"Hello"_qs);
    EXPECT_EQ(hello->font, (TFontSpec{u"Tahoma"_qs, 80, kStyleBold})); // 60 points
    EXPECT_EQ(hello->x, (1920 - 100) / 2);
    EXPECT_EQ(hello->y + hello->height, 1080 - 20);

    struct Case
    {
        int sizeClass, height, px;
    };
    const Case cases[] = {
        {1, 1080, 65}, {2, 1080, 57}, {2, 200, 13}, {3, 1080, 11}, {-1, 1080, 11}};
    for (const Case& c : cases) {
        const auto layout =
            LayoutPlainSubtitle(u"a\nb"_qs, u"Arial"_qs, c.sizeClass, 640, c.height, measure);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->font.px, c.px) << c.sizeClass << ' ' << c.height;
        EXPECT_EQ(layout->font.family, u"Arial"_qs);
        EXPECT_EQ(layout->text, u"a\nb"_qs);
    }
    EXPECT_FALSE(LayoutPlainSubtitle(u" \r\n\t"_qs, QString(), 0, 1920, 1080, measure));
}
