#pragma once

#include <QString>

#include <cstdint>
#include <map>
#include <vector>

namespace vistarel::subtitle {

// One stretch of subtitle text in one character format. Sizes are in half-points (the
// unit of RTF's \fs), colours are indexes into the document's colour table.
struct TRtfRun
{
    QString Text; // may hold line feeds from \line
    std::int32_t FontIdx = 0;
    std::int32_t Size = 24;
    std::int32_t ColorIdx = 0;
    std::int32_t HlIdx = -1; // -1: no highlight
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;

    friend bool operator==(const TRtfRun&, const TRtfRun&) = default;
};

// One paragraph. EmptyFont and EmptySize give the height of a paragraph without runs.
struct TRtfPara
{
    std::int32_t Align = 0; // 0 left, 1 centred, 2 right, 3 justified
    std::int32_t EmptyFont = 0;
    std::int32_t EmptySize = 24;
    std::vector<TRtfRun> Runs;

    // The text of all runs joined.
    QString text() const;
};

// A parsed subtitle: font table, colour table and paragraphs.
struct TRtfDoc
{
    std::map<std::int32_t, QString> Fonts;
    // Colours with red in bits 0..7, green 8..15, blue 16..23; -1 is "automatic".
    std::vector<std::int32_t> Colors;
    std::vector<TRtfPara> Paras;

    // The font family of a font number; "Tahoma" for a missing or blank entry.
    QString FontName(std::int32_t idx) const;
    // The colour-table entry idx, or defColor when idx is outside the table or the entry
    // is automatic.
    std::uint32_t ColorOf(std::int32_t idx, std::uint32_t defColor) const;
};

// The text without leading and trailing characters up to U+0020 (control characters
// and the blank, nothing else).
QString trimControls(const QString& text);

// True when the text holds only characters up to U+0020 (an empty text included).
bool isBlankText(QStringView text);

} // namespace vistarel::subtitle
