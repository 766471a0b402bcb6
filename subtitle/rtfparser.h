#pragma once

#include "subtitle/rtfdoc.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace vistarel::subtitle {

// Reads the subset of RTF that the subtitle editor writes: font and colour tables,
// character formats, alignment, paragraph and line breaks, tabs, \u escapes with their
// fallback characters, \'hh bytes in Windows-1252 and a few typographic symbols; other
// control words are ignored and unknown destinations skipped. Never fails: any text
// gives a document, possibly one without paragraphs. Any thread.
TRtfDoc ParseRtf(const QString& text);

// ParseRtf behind a one-entry cache keyed by the exact text, so drawing the same
// subtitle again does not parse it again. The returned document stays valid for as long
// as the caller holds it, even after the cache moved on. Safe from any thread.
std::shared_ptr<const TRtfDoc> GetParsedRtf(const QString& text);

// How many times ParseRtf has run in this process (to observe the cache).
std::uint64_t rtfParseCount();

} // namespace vistarel::subtitle
