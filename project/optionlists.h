#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace vistarel::project {

// The fixed option lists whose positions the slide records and project files store.
// Their order is part of the file format and must never change.

// Display duration: entry texts, read as whole seconds.
QStringList displayDurationEntries(); // "1" .. "60", 17 entries
// Transition duration: entry texts; position p means 500 + 250 * p milliseconds.
QStringList transitionDurationEntries(); // "0.5" .. "2.75", 10 entries

// The yes/no lists of both steps ("ja", "nein"; translated by the language files) and
// the positions projects store for them.
QStringList yesNoEntries();
inline constexpr int kYesPosition = 0;
inline constexpr int kNoPosition = 1;

inline constexpr int kDefaultDurationPosition = 4;           // 5 s
inline constexpr int kDefaultTransitionDurationPosition = 2; // 1.0 s
inline constexpr int kFallbackDisplaySeconds = 5;

// Seconds of a display-duration position: the entry's text read as a whole number;
// 5 when the text is not a number or the position has no entry.
int displaySecondsOfDuration(std::int32_t position);
// Milliseconds of a transition-duration position: 500 + 250 * position (no range check,
// computed without overflow).
std::int64_t transitionMsOfPosition(std::int32_t position);

// Audio modes of a clip, in the order of the step-2 list.
enum class AudioMode : std::int32_t { OwnSound = 0, Music = 1, OwnSoundAndMusic = 2 };
// A stored audio mode outside 0..2 is treated as 0.
AudioMode audioModeOf(std::int32_t stored);

} // namespace vistarel::project
