#include "subtitle/subtitlelayout.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vistarel::subtitle {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Collects tokens into lines: wraps words, keeps the running width and the line height.
class LineBuilder
{
public:
    LineBuilder(const RtfGeometry& geometry, TextMeasure& measure)
        : m_geometry(geometry)
        , m_measure(measure)
    {
    }

    void startParagraph(std::int32_t align)
    {
        m_align = align;
        m_line.Align = align;
        m_running = 0;
    }
    void raise(std::int32_t asc, std::int32_t desc)
    {
        m_line.Asc = std::max(m_line.Asc, asc);
        m_line.Desc = std::max(m_line.Desc, desc);
    }
    void addRunText(const TRtfTok& templ, const QString& text);
    void finishLine(bool last);
    std::vector<TRtfLine> takeLines() { return std::move(m_lines); }

private:
    void addWord(const TRtfTok& templ, QStringView word);
    void addToken(const TRtfTok& templ, QStringView text, bool space, std::int32_t width);

    const RtfGeometry& m_geometry;
    TextMeasure& m_measure;
    std::vector<TRtfLine> m_lines;
    TRtfLine m_line;
    std::int32_t m_align = 0;
    std::int64_t m_running = 0;
};

void LineBuilder::addRunText(const TRtfTok& templ, const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i + 1;
        if (text[i] == u'\n') {
            raise(templ.Asc, templ.Desc);
            finishLine(false);
        } else if (isBlank(text[i])) {
            while (j < n && isBlank(text[j]))
                ++j;
            const QStringView blanks = QStringView(text).sliced(i, j - i);
            addToken(templ, blanks, true, m_measure.advance(templ.font(), blanks));
        } else {
            while (j < n && !isBlank(text[j]) && text[j] != u'\n')
                ++j;
            addWord(templ, QStringView(text).sliced(i, j - i));
        }
        i = j;
    }
}

void LineBuilder::addWord(const TRtfTok& templ, QStringView word)
{
    const std::int32_t width = m_measure.advance(templ.font(), word);
    if (width <= m_geometry.maxW) {
        addToken(templ, word, false, width);
        return;
    }
    // An over-long word breaks between characters; a character is a whole grapheme, so
    // surrogate pairs and combining marks stay with their base.
    const QString copy = word.toString();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, copy);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        const QStringView character = word.sliced(start, end - start);
        addToken(templ, character, false, m_measure.advance(templ.font(), character));
        start = end;
    }
}

void LineBuilder::addToken(const TRtfTok& templ, QStringView text, bool space, std::int32_t width)
{
    if (!space && m_running + width > m_geometry.maxW && !m_line.Toks.empty())
        finishLine(false);
    TRtfTok tok = templ;
    tok.Text = text.toString();
    tok.Space = space;
    tok.Width = width;
    m_line.Toks.push_back(std::move(tok));
    m_running += width;
    raise(templ.Asc, templ.Desc);
}

void LineBuilder::finishLine(bool last)
{
    while (!m_line.Toks.empty() && m_line.Toks.back().Space)
        m_line.Toks.pop_back();
    m_line.Last = last;
    m_lines.push_back(std::move(m_line));
    m_line = TRtfLine();
    m_line.Align = m_align;
    m_running = 0;
}

TRtfTok tokenTemplate(const TRtfDoc& doc, const TRtfRun& run, const RtfGeometry& geometry,
                      TextMeasure& measure)
{
    TRtfTok t;
    t.FontName = doc.FontName(run.FontIdx);
    t.Px = geometry.px(run.Size);
    t.Style = static_cast<std::uint8_t>(
        (run.Bold ? kStyleBold : 0) | (run.Italic ? kStyleItalic : 0) |
        (run.Underline ? kStyleUnderline : 0) | (run.Strike ? kStyleStrikeOut : 0));
    t.Color = doc.ColorOf(run.ColorIdx, kWhite);
    t.HasBg = run.HlIdx >= 0 && static_cast<std::size_t>(run.HlIdx) < doc.Colors.size() &&
              doc.Colors[static_cast<std::size_t>(run.HlIdx)] >= 0;
    t.Bg = t.HasBg ? static_cast<std::uint32_t>(doc.Colors[static_cast<std::size_t>(run.HlIdx)])
                   : kNoColor;
    const TFontMetricsPx m = measure.metrics(t.font());
    t.Asc = m.ascent;
    t.Desc = m.descent;
    return t;
}

} // namespace

int clampToInt(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30));
}

std::int64_t nearest(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int32_t RtfGeometry::px(std::int32_t halfPoints) const
{
    const double exact = halfPoints / 2.0 * scale;
    if (!(exact < kMaxCharacterPx))
        return kMaxCharacterPx;
    return static_cast<std::int32_t>(std::max<std::int64_t>(nearest(exact), 4));
}

RtfGeometry rtfGeometry(std::int32_t width, std::int32_t height)
{
    RtfGeometry g;
    g.scale = height / 600.0 * 4.0 / 3.0;
    g.marginX = static_cast<std::int32_t>(std::max<std::int64_t>(nearest(width * 0.05), 8));
    g.maxW = width - 2 * g.marginX;
    g.bottom = std::max(height / 40, 12);
    return g;
}

std::vector<TRtfLine> LayoutRtf(const TRtfDoc& doc, const RtfGeometry& geometry,
                                TextMeasure& measure)
{
    LineBuilder builder(geometry, measure);
    for (const TRtfPara& para : doc.Paras) {
        builder.startParagraph(para.Align);
        if (para.Runs.empty()) {
            const TFontSpec font{doc.FontName(para.EmptyFont), geometry.px(para.EmptySize), 0};
            const TFontMetricsPx m = measure.metrics(font);
            builder.raise(m.ascent, m.descent);
        }
        for (const TRtfRun& run : para.Runs)
            builder.addRunText(tokenTemplate(doc, run, geometry, measure), run.Text);
        builder.finishLine(true);
    }
    return builder.takeLines();
}

RtfPlacement PlaceRtfLines(const std::vector<TRtfLine>& lines, const RtfGeometry& geometry,
                           std::int32_t height)
{
    RtfPlacement placement;
    for (const TRtfLine& line : lines)
        placement.blockHeight += std::int64_t(line.Asc) + line.Desc;
    std::int64_t y = std::max<std::int64_t>(height - geometry.bottom - placement.blockHeight, 0);
    placement.blockTop = y;
    for (const TRtfLine& line : lines) {
        if (y >= height)
            break; // the rest of a block taller than the picture is cut off
        std::int64_t lw = 0;
        std::int64_t spaces = 0;
        for (const TRtfTok& tok : line.Toks) {
            lw += tok.Width;
            spaces += tok.Space ? 1 : 0;
        }
        std::int64_t x0 = geometry.marginX;
        if (line.Align == 1)
            x0 = (geometry.maxW - lw) / 2 + geometry.marginX;
        else if (line.Align == 2)
            x0 = geometry.marginX + geometry.maxW - lw;
        const bool justify = line.Align == 3 && !line.Last && spaces > 0 && lw < geometry.maxW;
        const double gap = justify ? double(geometry.maxW - lw) / double(spaces) : 0.0;
        const std::int64_t lineHeight = std::int64_t(line.Asc) + line.Desc;
        double x = double(x0);
        for (const TRtfTok& tok : line.Toks) {
            PlacedTok placed{&tok, nearest(x), y + line.Asc - tok.Asc, y + line.Asc, QRect()};
            if (tok.HasBg)
                placed.highlight =
                    QRect(clampToInt(placed.x), clampToInt(y), tok.Width, clampToInt(lineHeight));
            placement.maxPx = std::max(placement.maxPx, tok.Px);
            placement.toks.push_back(placed);
            x += tok.Width + (tok.Space ? gap : 0.0);
        }
        y += lineHeight;
    }
    return placement;
}

std::optional<PlainSubtitleLayout> LayoutPlainSubtitle(const QString& text, const QString& fontName,
                                                       std::int32_t sizeClass, std::int32_t width,
                                                       std::int32_t height, TextMeasure& measure)
{
    PlainSubtitleLayout layout;
    layout.text = trimControls(text);
    if (layout.text.isEmpty())
        return std::nullopt;
    static constexpr std::int32_t kDivisors[] = {18, 22, 25};
    const std::int32_t points = (sizeClass >= 0 && sizeClass <= 2)
                                    ? std::max(height / kDivisors[sizeClass], 10)
                                    : kDefaultPlainPoints;
    // Points become pixels at 96 pixels per inch.
    layout.font = {fontName.isEmpty() ? QStringLiteral("Tahoma") : fontName,
                   static_cast<std::int32_t>(
                       std::min<std::int64_t>(nearest(points * 4.0 / 3.0), kMaxCharacterPx)),
                   kStyleBold};
    const TFontMetricsPx m = measure.metrics(layout.font);
    layout.ascent = m.ascent;
    layout.width = measure.advance(layout.font, layout.text);
    layout.height = m.ascent + m.descent;
    layout.x = (width - layout.width) / 2;
    layout.y = height - layout.height - 20;
    return layout;
}

} // namespace vistarel::subtitle
