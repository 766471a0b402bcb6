#include "subtitle/rtfparser.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace vistarel::subtitle;

namespace {

// A compact picture of a document: fonts, colours, then each paragraph as P<align> with
// its runs in brackets; a run lists only the fields that differ from the start format.
// A paragraph without runs shows its EmptyFont/EmptySize.
QString dump(const TRtfDoc& doc)
{
    QStringList parts;
    if (!doc.Fonts.empty()) {
        QStringList fonts;
        for (const auto& [number, name] : doc.Fonts)
            fonts << QStringLiteral("%1=%2").arg(number).arg(name);
        parts << u"F{"_qs + fonts.join(u',') + u'}';
    }
    if (!doc.Colors.empty()) {
        QStringList colors;
        for (std::int32_t c : doc.Colors)
            colors << QString::number(c);
        parts << u"C{"_qs + colors.join(u',') + u'}';
    }
    for (const TRtfPara& para : doc.Paras) {
        QString p = u'P' + QString::number(para.Align);
        if (para.Runs.empty())
            p += QStringLiteral("()e%1/%2").arg(para.EmptyFont).arg(para.EmptySize);
        for (const TRtfRun& r : para.Runs) {
            QStringList attrs;
            if (r.FontIdx != 0)
                attrs << u'f' + QString::number(r.FontIdx);
            if (r.Size != 24)
                attrs << u's' + QString::number(r.Size);
            if (r.ColorIdx != 0)
                attrs << u'c' + QString::number(r.ColorIdx);
            if (r.HlIdx != -1)
                attrs << u'h' + QString::number(r.HlIdx);
            QString flags;
            for (const auto& [on, letter] :
                 {std::pair{r.Bold, u'b'}, std::pair{r.Italic, u'i'}, std::pair{r.Underline, u'u'},
                  std::pair{r.Strike, u'x'}})
                if (on)
                    flags += QChar(letter);
            if (!flags.isEmpty())
                attrs << flags;
            p += u'[' + r.Text + (attrs.isEmpty() ? QString() : u'/' + attrs.join(u',')) + u']';
        }
        parts << p;
    }
    return parts.join(u' ');
}

} // namespace

TEST(RtfParser, ReadsTheEditorsSubset)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {u""_qs, u""_qs},
        {u"Hello"_qs, u"P0[Hello]"_qs},
        {u"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}{\\f1 Courier New;}}"
         u"{\\colortbl ;\\red255\\green0\\blue0;}\\f1\\fs48\\cf1 Hi\\par}"_qs,
         u"F{0=Arial,1=Courier New} C{-1,255} P0[Hi/f1,s48,c1]"_qs},
        // The first blank after \b0 delimits the word, the second is text.
        {u"\\b bold\\b0  plain"_qs, u"P0[bold/b][ plain]"_qs},
        {u"{\\b a}b{\\i\\ul c\\ul0 d}"_qs, u"P0[a/b][b][c/iu][d/i]"_qs},
        // \u and its fallback characters.
        {u"\\u8364?"_qs, u"P0[€]"_qs},
        {u"\\uc0\\u8364?"_qs, u"P0[€?]"_qs},
        {u"\\uc-1\\u8364?"_qs, u"P0[€?]"_qs},
        {u"\\u-3"_qs, u"P0[\uFFFD]"_qs},
        {u"\\u x"_qs, u"P0[?]"_qs},
        {u"\\uc2\\u8364\\'80\\'80x"_qs, u"P0[€x]"_qs},
        {u"\\u8364\\b ?x"_qs, u"P0[€][x/b]"_qs},
        {u"\\u8364{?}x"_qs, u"P0[€x]"_qs},
        {u"{\\uc0}\\u8364?x"_qs, u"P0[€x]"_qs},
        {u"\\u8364\\~x\\uc1\\u8364\\-y"_qs, u"P0[€x€y]"_qs},
        // Hex escapes through Windows-1252.
        {u"\\'e4\\'80\\'41\\'9f"_qs, u"P0[ä€AŸ]"_qs},
        {u"\\'zz"_qs, u"P0[?]"_qs},
        {u"\\'81"_qs, u"P0[?]"_qs},
        {u"a\\'4"_qs, u"P0[a?]"_qs},
        // Skipped destinations.
        {u"{\\*\\generator Writer 1.0;}Text"_qs, u"P0[Text]"_qs},
        {u"{\\info{\\title X}}Text"_qs, u"P0[Text]"_qs},
        {u"{\\*\\x{\\fonttbl{\\f0 Z;}}}a"_qs, u"P0[a]"_qs},
        {u"{\\stylesheet{\\s0 Normal;}}{\\Info X}"_qs, u"P0[X]"_qs},
        // Paragraphs, alignment and the end of the text.
        {u"A\\par\\par"_qs, u"P0[A]"_qs},
        {u"A\\par\\f2\\fs30\\par B"_qs, u"P0[A] P0()e2/30 P0[B/f2,s30]"_qs},
        {u"{\\qc centred}\\par"_qs, u"P0[centred]"_qs},
        {u"\\qc centred\\par"_qs, u"P1[centred]"_qs},
        {u"\\qr r\\par\\qj j\\par\\pard l"_qs, u"P2[r] P3[j] P0[l]"_qs},
        {u"\\qc\\b\\fs30 a\\plain b\\par"_qs, u"P1[a/s30,b][b]"_qs},
        {u"a\\par \\par\\tab\\par"_qs, u"P0[a]"_qs},
        {u"a\\par\\~"_qs, u"P0[a] P0[\u00A0]"_qs}, // a no-break space is not blank
        {u"   "_qs, u""_qs},
        // Character formats.
        {u"\\highlight0 a\\cb0 b\\highlight2 c\\chcbpat1 d\\highlight e"_qs,
         u"P0[ab][c/h2][d/h1][e]"_qs},
        {u"\\fs40\\f3 a\\fs\\f b"_qs, u"P0[a/f3,s40][b]"_qs},
        {u"\\ulw a\\ulnone b\\uldb c\\ul0 d\\ulth e"_qs, u"P0[a/u][b][c/u][d][e/u]"_qs},
        {u"\\strike a\\striked0 b\\striked c"_qs, u"P0[a/x][b][c/x]"_qs},
        {u"\\cf2 a\\cf b"_qs, u"P0[a/c2][b]"_qs},
        {u"\\fs1234567890123 a"_qs, u"P0[a/s123456789]"_qs},
        {u"\\f3\\f-x"_qs, u"P0[-x]"_qs},
        {u"\\f-2 a"_qs, u"P0[a/f-2]"_qs},
        {u"\\PAR b"_qs, u"P0[b]"_qs},
        // Symbols and literals.
        {u"\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet"_qs, u"P0[—–‘’“”•]"_qs},
        {u"a\\~b\\_c\\-d\\line e\\tab f"_qs, u"P0[a\u00A0b-cd\ne    f]"_qs},
        {u"\\\\\\{\\}\\*\\?x"_qs, u"P0[\\{}x]"_qs},
        {u"a\r\nb\\\nc"_qs, u"P0[abc]"_qs},
        // Tables.
        {u"{\\colortbl;\\red300\\green-5;\\blue9;\\red1;}x"_qs, u"C{-1,44,589824,1} P0[x]"_qs},
        {u"{\\fonttbl{\\f0 Caf\\'e9;}{\\f1 A}{\\f2 B;}{\\f3  ;}}x"_qs,
         u"F{0=Café,2=AB,3=} P0[x]"_qs},
        // Broken input is absorbed.
        {u"}}a{"_qs, u"P0[a]"_qs},
        {u"ab\\"_qs, u"P0[ab]"_qs},
        {u"{\\rtf1 {\\b unclosed"_qs, u"P0[unclosed/b]"_qs},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(dump(ParseRtf(input)), expected) << input.toStdString();
}

TEST(RtfParser, FontNameAndColorOfFallBack)
{
    const TRtfDoc doc = ParseRtf(u"{\\fonttbl{\\f0 Arial;}{\\f1  ;}}{\\colortbl;\\red1;}"_qs);
    EXPECT_EQ(doc.FontName(0), u"Arial"_qs);
    EXPECT_EQ(doc.FontName(1), u"Tahoma"_qs);
    EXPECT_EQ(doc.FontName(7), u"Tahoma"_qs);
    EXPECT_EQ(doc.ColorOf(0, 0xABCDEF), 0xABCDEFu);
    EXPECT_EQ(doc.ColorOf(1, 0xABCDEF), 1u);
    EXPECT_EQ(doc.ColorOf(2, 0xABCDEF), 0xABCDEFu);
    EXPECT_EQ(doc.ColorOf(-1, 0xABCDEF), 0xABCDEFu);
}

TEST(RtfParser, CacheParsesOnlyWhenTheTextChanges)
{
    const QString a = u"{\\rtf1 cache a}"_qs;
    const QString b = u"{\\rtf1 cache b}"_qs;
    const auto first = GetParsedRtf(a);
    const std::uint64_t parses = rtfParseCount();
    const auto again = GetParsedRtf(a);
    EXPECT_EQ(again.get(), first.get());
    EXPECT_EQ(rtfParseCount(), parses);

    const auto other = GetParsedRtf(b);
    EXPECT_EQ(rtfParseCount(), parses + 1);
    EXPECT_EQ(other->Paras.at(0).Runs.at(0).Text, u"cache b"_qs);
    // The first document outlives the cache entry it came from.
    EXPECT_EQ(first->Paras.at(0).Runs.at(0).Text, u"cache a"_qs);
    EXPECT_NE(GetParsedRtf(a).get(), first.get());
    EXPECT_EQ(rtfParseCount(), parses + 2);
}
