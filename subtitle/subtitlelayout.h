#pragma once

#include "subtitle/rtfdoc.h"

#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vistarel::subtitle {

// Colours: red in bits 0..7, green 8..15, blue 16..23.
inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kNoColor = 0x1FFFFFFF;

// The bits of a token's style byte.
inline constexpr std::uint8_t kStyleBold = 1;
inline constexpr std::uint8_t kStyleItalic = 2;
inline constexpr std::uint8_t kStyleUnderline = 4;
inline constexpr std::uint8_t kStyleStrikeOut = 8;

// The largest character height the layout uses, so that absurd \fs values cannot
// overflow widths or make the font engine work on gigantic glyphs.
inline constexpr std::int32_t kMaxCharacterPx = 16384;

// A font as the layout asks for it: family, em height in pixels and style bits.
struct TFontSpec
{
    QString family;
    std::int32_t px = 0;
    std::uint8_t style = 0;
    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

struct TFontMetricsPx
{
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
};

// What the layout needs to know about fonts. The drawer answers from the real fonts;
// tests answer with exact made-up metrics.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    virtual TFontMetricsPx metrics(const TFontSpec& font) = 0;
    // Advance width of the text in pixels.
    virtual std::int32_t advance(const TFontSpec& font, QStringView text) = 0;
};

// One unit of layout: a word, one character of an over-long word, or a run of blanks.
struct TRtfTok
{
    QString Text;
    QString FontName;
    std::int32_t Px = 0; // em height in pixels
    std::uint8_t Style = 0;
    std::uint32_t Color = kWhite;
    std::uint32_t Bg = kNoColor;
    bool HasBg = false;
    std::int32_t Asc = 0;
    std::int32_t Desc = 0;
    std::int32_t Width = 0;
    bool Space = false;

    TFontSpec font() const { return {FontName, Px, Style}; }
};

struct TRtfLine
{
    std::vector<TRtfTok> Toks;
    std::int32_t Align = 0; // 0 left, 1 centred, 2 right, 3 justified
    bool Last = false;      // last line of its paragraph
    std::int32_t Asc = 0;
    std::int32_t Desc = 0;
};

// The measures that follow from the picture size.
struct RtfGeometry
{
    double scale = 0;         // pixels per point
    std::int32_t marginX = 0; // left and right margin
    std::int32_t maxW = 0;    // width available for a line
    std::int32_t bottom = 0;  // distance of the text block from the lower edge

    // Character height in pixels for a size in half-points.
    std::int32_t px(std::int32_t halfPoints) const;
};

RtfGeometry rtfGeometry(std::int32_t width, std::int32_t height);

// Round to the nearest integer, halves to the even neighbour.
std::int64_t nearest(double value);
// A layout coordinate as a pixel position, kept within ±2^30 so painting cannot overflow.
int clampToInt(std::int64_t v);

// Breaks the document's paragraphs into lines of tokens.
std::vector<TRtfLine> LayoutRtf(const TRtfDoc& doc, const RtfGeometry& geometry,
                                TextMeasure& measure);

// A token's place on the picture.
struct PlacedTok
{
    const TRtfTok* tok = nullptr;
    std::int64_t x = 0;        // left edge of the text cell
    std::int64_t top = 0;      // top of the text cell
    std::int64_t baseline = 0; // shared by the whole line
    QRect highlight;           // empty when the token has no highlight
};

struct RtfPlacement
{
    std::vector<PlacedTok> toks; // only tokens of lines that start inside the picture
    std::int64_t blockTop = 0;
    std::int64_t blockHeight = 0;
    std::int32_t maxPx = 0; // tallest character height among the placed tokens
};

// Positions the lines: the block anchored above the lower edge, each line aligned and
// justified. The placement points into lines.
RtfPlacement PlaceRtfLines(const std::vector<TRtfLine>& lines, const RtfGeometry& geometry,
                           std::int32_t height);

// A plain subtitle: one bold line, centred, its cell ending 20 pixels above the lower edge.
struct PlainSubtitleLayout
{
    QString text; // trimmed
    TFontSpec font;
    std::int32_t x = 0;      // left edge of the text cell
    std::int32_t y = 0;      // top of the text cell
    std::int32_t ascent = 0; // baseline at y + ascent
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Point size that a size class of a plain subtitle leaves untouched (outside 0..2).
inline constexpr std::int32_t kDefaultPlainPoints = 8;

// Lays out a plain subtitle; nullopt when there is nothing to draw. sizeClass 0, 1, 2 is
// large, medium, small; fontName empty means "Tahoma".
std::optional<PlainSubtitleLayout> LayoutPlainSubtitle(const QString& text, const QString& fontName,
                                                       std::int32_t sizeClass, std::int32_t width,
                                                       std::int32_t height, TextMeasure& measure);

} // namespace vistarel::subtitle
