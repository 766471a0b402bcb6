#pragma once

#include <QString>

namespace vistarel::tooltest {

enum class Media {
    ClipWithSound,  // 1 s, 160×90 at 25 fps, red for 0.5 s then blue; video then sound stream
    SilentClip,     // 1 s, 160×90 test pattern, no sound
    SoundFirstClip, // 1 s, 160×90 green; the sound stream comes first
    MatroskaClip,   // 1 s, 160×90 in Matroska, whose video stream reports no duration
    Music,          // 2.5 s sine tone, MP3
    WideClip,       // one 2000×1126 white frame
};

// The path of a tiny media file, made with the ffmpeg beside the test executable on first
// use. The files lie in a folder whose name holds blanks, an umlaut, apostrophes, double
// quotes and a backslash, so every test that uses them also runs such a path end to end.
// Empty when the file could not be made.
QString mediaFixture(Media media);

} // namespace vistarel::tooltest
