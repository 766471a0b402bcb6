#pragma once

#include <QString>

#include <cstdint>

namespace vistarel::project {

// Colours are 32-bit values with red in bits 0..7, green in 8..15, blue in 16..23.
using Colour = std::uint32_t;
inline constexpr Colour kWhite = 0x00FFFFFF;
inline constexpr Colour kBlack = 0x00000000;

// The settings of one slide. Most fields are positions in the fixed option lists of
// optionlists.h, not physical values. A new record is all zero, false and empty; the
// creating paths of recordcreation.h fill in their values.
class TMyImageInfo
{
public:
    std::int32_t Duration = 0;           // position in the display-duration list
    std::int32_t Transition = 0;         // effect ordinal into this slide, 0 = none
    std::int32_t TransitionDuration = 0; // position in the transition-duration list
    bool Stretch = false;                // stretch to the frame, ignoring the aspect
    bool BlurBackground = false;         // fit over a blurred copy (unless Stretch)
    QString Subtitle;                    // RTF ("{\rtf...") or, from old files, plain text
    QString Font;                        // plain subtitles only
    Colour FontColor = 0;                // plain subtitles only
    std::int32_t FontSize = 0;           // plain subtitles only: 0 large, 1 medium, 2 small
    QString SubtitleEdit;                // editor snapshot, hexadecimal
    std::int32_t AudioMode = 0;          // clips: 0 own sound, 1 music, 2 both

    friend bool operator==(const TMyImageInfo&, const TMyImageInfo&) = default;
};

} // namespace vistarel::project
