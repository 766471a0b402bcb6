// WORD: a word in a 5 x 7 dot-matrix font appears first, then the rest of the frame, both
// following one pattern (random boxes or points, circles, sweeps).
#include "render/transitions/cellkeys.h"
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/keymaps.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vistarel::render::transitions {

namespace {

// Rows of 5 dots, the leftmost dot in bit 4.
using Glyph = std::array<std::uint8_t, 7>;

Glyph glyphOf(QChar ch)
{
    static constexpr std::array<Glyph, 26> kLetters = {{
        {14, 17, 17, 31, 17, 17, 17}, {30, 17, 17, 30, 17, 17, 30}, {14, 17, 16, 16, 16, 17, 14},
        {28, 18, 17, 17, 17, 18, 28}, {31, 16, 16, 30, 16, 16, 31}, {31, 16, 16, 30, 16, 16, 16},
        {14, 17, 16, 23, 17, 17, 15}, {17, 17, 17, 31, 17, 17, 17}, {14, 4, 4, 4, 4, 4, 14},
        {7, 2, 2, 2, 2, 18, 12},      {17, 18, 20, 24, 20, 18, 17}, {16, 16, 16, 16, 16, 16, 31},
        {17, 27, 21, 21, 17, 17, 17}, {17, 17, 25, 21, 19, 17, 17}, {14, 17, 17, 17, 17, 17, 14},
        {30, 17, 17, 30, 16, 16, 16}, {14, 17, 17, 17, 21, 18, 13}, {30, 17, 17, 30, 20, 18, 17},
        {15, 16, 16, 14, 1, 1, 30},   {31, 4, 4, 4, 4, 4, 4},       {17, 17, 17, 17, 17, 17, 14},
        {17, 17, 17, 17, 17, 10, 4},  {17, 17, 17, 21, 21, 21, 10}, {17, 17, 10, 4, 10, 17, 17},
        {17, 17, 17, 10, 4, 4, 4},    {31, 1, 2, 4, 8, 16, 31},
    }};
    static constexpr std::array<Glyph, 10> kDigits = {{
        {14, 17, 19, 21, 25, 17, 14},
        {4, 12, 4, 4, 4, 4, 14},
        {14, 17, 1, 2, 4, 8, 31},
        {31, 2, 4, 2, 1, 17, 14},
        {2, 6, 10, 18, 31, 2, 2},
        {31, 16, 30, 1, 1, 17, 14},
        {6, 8, 16, 30, 17, 17, 14},
        {31, 1, 2, 4, 8, 8, 8},
        {14, 17, 17, 14, 17, 17, 14},
        {14, 17, 17, 15, 1, 2, 12},
    }};
    const char16_t c = ch.toUpper().unicode();
    if (c >= u'A' && c <= u'Z')
        return kLetters[std::size_t(c - u'A')];
    if (c >= u'0' && c <= u'9')
        return kDigits[std::size_t(c - u'0')];
    return Glyph{};
}

// The word's dots on the frame: dot column k spans [left + k g, left + (k + 1) g).
struct WordLayout
{
    std::vector<Glyph> glyphs;
    double dot = 0.0;
    double left = 0.0;
    double top = 0.0;
    int columns = 0; // 6n - 1

    bool lit(int column, int row) const
    {
        if (column < 0 || column >= columns || row < 0 || row >= 7 || column % 6 == 5)
            return false;
        return (glyphs[std::size_t(column / 6)][std::size_t(row)] >> (4 - column % 6)) & 1;
    }
    // The dot index of a coordinate, -1 before the first.
    int index(double v, double origin) const
    {
        const double k = std::floor((v - origin) / dot);
        return k < 0.0 ? -1 : int(std::min(k, 1e6));
    }
};

WordLayout layoutWord(const QString& word, int w, int h)
{
    WordLayout l;
    for (QChar ch : word)
        l.glyphs.push_back(glyphOf(ch));
    const int n = int(l.glyphs.size());
    if (n == 0)
        return l;
    l.columns = 6 * n - 1;
    l.dot = std::min(0.8 * w / l.columns, 0.4 * h / 7.0);
    l.left = w / 2.0 - l.columns * l.dot / 2.0;
    l.top = h / 2.0 - 7.0 * l.dot / 2.0;
    return l;
}

class WordEffect final : public Effect
{
public:
    WordEffect(const WordParams& p, const EffectContext& context);
    void render(double t, const Canvas& out) const override;

private:
    void patternRow(WordPattern p, int y, double u, double radius, std::uint8_t* mask) const;
    void scaledWordRow(int y, double u, std::uint8_t* mask) const;

    Pictures m_pics;
    WordParams m_p;
    WordLayout m_word;
    std::vector<std::uint8_t> m_inWord; // the word mask M, row-major
    double m_wordRadius = 0.0;          // half the word box diagonal
    double m_frameRadius = 0.0;         // half the frame diagonal
    std::vector<double> m_dx2;          // (xc - W/2)^2 per column
    CellKeys m_keys;
    std::vector<float> m_sweep;
};

WordEffect::WordEffect(const WordParams& p, const EffectContext& context)
    : m_pics(context.pictures)
    , m_p(p)
    , m_word(layoutWord(context.word, context.pictures.w, context.pictures.h))
{
    const int w = m_pics.w;
    const int h = m_pics.h;
    std::vector<int> dotColumn;
    for (int x = 0; x < w; ++x) {
        dotColumn.push_back(m_word.dot > 0.0 ? m_word.index(x + 0.5, m_word.left) : -1);
        const double dx = x + 0.5 - w / 2.0;
        m_dx2.push_back(dx * dx);
    }
    m_inWord.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const int row = m_word.dot > 0.0 ? m_word.index(y + 0.5, m_word.top) : -1;
        for (int x = 0; x < w; ++x)
            m_inWord[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                m_word.lit(dotColumn[std::size_t(x)], row);
    }
    const double bw = m_word.columns * m_word.dot;
    const double bh = 7.0 * m_word.dot;
    m_wordRadius = 0.5 * std::sqrt(bw * bw + bh * bh);
    m_frameRadius = 0.5 * std::sqrt(double(w) * w + double(h) * h);
    switch (p.stage2) {
    case WordPattern::RandomBoxes:
        m_keys = rankedGridKeys(9, w, h, context.seed);
        break;
    case WordPattern::RandomPoints:
        m_keys = noisyPointKeys(w, h, context.seed);
        break;
    case WordPattern::HalfSweep:
        m_sweep = sweepKeys(SweepKind::Half, SweepStart::Left, false, w, h);
        break;
    case WordPattern::FullSweep:
        m_sweep = sweepKeys(SweepKind::Full, SweepStart::Up, false, w, h);
        break;
    case WordPattern::FullReachSweep:
        m_sweep = sweepKeys(SweepKind::FullReach, SweepStart::Up, false, w, h);
        break;
    default:
        break;
    }
}

void WordEffect::patternRow(WordPattern p, int y, double u, double radius, std::uint8_t* mask) const
{
    const int w = m_pics.w;
    switch (p) {
    case WordPattern::RandomBoxes:
    case WordPattern::RandomPoints:
        m_keys.rowMask(y, u, mask, w);
        return;
    case WordPattern::CircleOut:
    case WordPattern::CircleIn: {
        const bool out = p == WordPattern::CircleOut;
        const double dy = y + 0.5 - m_pics.h / 2.0;
        const double reach = (out ? u : 1.0 - u) * radius;
        const double limit = reach * reach - dy * dy;
        for (int x = 0; x < w; ++x)
            mask[x] = (m_dx2[std::size_t(x)] < limit) == out;
        return;
    }
    case WordPattern::HalfSweep:
    case WordPattern::FullSweep:
    case WordPattern::FullReachSweep:
        keyMask(m_sweep.data() + std::size_t(y) * std::size_t(w), floatThreshold(u), mask, w);
        return;
    case WordPattern::ScaledWord:
        scaledWordRow(y, u, mask);
        return;
    }
}

// The word scaled by u about the centre: the pixel shows B when c + (p - c) / u is in M.
void WordEffect::scaledWordRow(int y, double u, std::uint8_t* mask) const
{
    const int w = m_pics.w;
    const double cx = w / 2.0;
    const double cy = m_pics.h / 2.0;
    const double inv = 1.0 / u;
    const int row = m_word.dot > 0.0 ? m_word.index(cy + (y + 0.5 - cy) * inv, m_word.top) : -1;
    for (int x = 0; x < w; ++x) {
        const int column =
            m_word.dot > 0.0 ? m_word.index(cx + (x + 0.5 - cx) * inv, m_word.left) : -1;
        mask[x] = m_word.lit(column, row);
    }
}

void WordEffect::render(double t, const Canvas& out) const
{
    const bool first = t <= 0.5;
    const double u = first ? 2.0 * t : 2.0 * t - 1.0;
    const WordPattern pattern = first ? m_p.stage1 : m_p.stage2;
    const double radius = first ? m_wordRadius : m_frameRadius;
    std::vector<std::uint8_t>& mask = scratch<std::uint8_t>(std::size_t(out.w));
    for (int y = 0; y < out.h; ++y) {
        patternRow(pattern, y, u, radius, mask.data());
        // Stage 1: only the word can turn (243 draws the scaled word itself); stage 2: the
        // word stays and the rest follows.
        const std::uint8_t* word = m_inWord.data() + std::size_t(y) * std::size_t(out.w);
        std::uint8_t* m = mask.data();
        if (first && pattern != WordPattern::ScaledWord) {
            for (int x = 0; x < out.w; ++x)
                m[x] &= word[x];
        } else if (!first) {
            for (int x = 0; x < out.w; ++x)
                m[x] |= word[x];
        }
        composeMask(out.row(y), m_pics.rowA(y), m_pics.rowB(y), mask.data(), out.w);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const WordParams& params, const EffectContext& context)
{
    return std::make_unique<WordEffect>(params, context);
}

} // namespace vistarel::render::transitions
