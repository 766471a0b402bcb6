#pragma once

#include <QString>

#include <cstdint>

class QFont;
class QTextDocument;

namespace vistarel::subtitle {

// The RTF of a subtitle editor's document, written in exactly the subset ParseRtf reads,
// so that the burnt-in subtitle shows what the editor shows: a font table (the
// document's default font first, as \f0), a colour table whose entry 0 is automatic,
// and per paragraph its alignment (\ql \qc \qr \qj; a block without an alignment of its
// own takes the document's default text option) followed by runs with \f \fs \cf
// \highlight \b \i \ul \strike changed only where the format changes. Line separators
// become \line, tabs \tab, a no-break space \~, every other character outside printable
// ASCII a \u escape with "?" as its fallback. Text without a colour of its own is written
// in the automatic colour (drawn white); the empty paragraph's font and size are set
// before its \par so that it keeps its height. Pure; any thread that may use the document.
QString documentToRtf(const QTextDocument& document);

// A font's size in RTF half-points: a pixel size counts at 96 pixels per inch (3 pixels
// make 2 points), a point size as it is; rounded half to even, at least 1.
std::int32_t halfPointsOf(const QFont& font);

} // namespace vistarel::subtitle
