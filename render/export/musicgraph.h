#pragma once

#include "render/export/segments.h"

#include <QString>
#include <QStringList>

// The final encode's texts: video length and fade-out, the music inputs and their filter
// graph (repeated, faded, lowered under clips), and the two command lines. Pure.
namespace vistarel::render {

// Video length L = frames / 25, fade length F = min(3, L), fade start S = max(0, L - F),
// and their texts with two decimals.
struct FinalTiming
{
    double videoSeconds = 0;
    double fadeSeconds = 0;
    double fadeStart = 0;
    QString L2, F2, S2;
};
FinalTiming finalTiming(double totalFrameCount);

// The music level under a segment: 0 for audio mode 0 (the clip's own sound only), 0.25
// for mode 2, 1 otherwise (pictures, and clips with music only).
double musicLevel(std::int32_t audioMode);

// A number with at most three decimals, no trailing zeros, point as separator.
QString envelopeNumber(double value);

// The volume expression of the music over the segments: the first segment's level plus
// a 0.6 s ramp centred on every boundary where the level changes. Empty when the music
// plays at full level throughout (or there are no segments).
QString BuildMusicEnvelope(const TSlideSegments& segments);

// The music files of a list: entries trimmed, empty ones dropped.
QStringList musicEntries(const QStringList& files);

// How often the music list is played to cover the video: 1 when the music's length is
// unknown (at most 0.01 s), else the smallest whole number covering it, 1..50.
int neededLoops(double videoSeconds, double totalMusicSeconds);

// The music inputs (" -i \"file\"" for each file, `loops` times over, numbered from 1) and
// the graph that joins them and fades them out into [aout].
struct MusicGraph
{
    QString inputs;
    QString graph;
};
MusicGraph buildMusicGraph(const QStringList& entries, int loops, const FinalTiming& timing);

// The graph turned into a mix of the music, lowered by the envelope, with the segments'
// own sound (input 0) into [aout].
QString withDucking(const QString& musicGraph, const TSlideSegments& segments);

// The encode of the list file without music: the segments' sound, or no sound (and the
// video length) for a list of pictures.
QString commandWithoutMusic(const QString& listFile, bool hasSegments, const FinalTiming& timing,
                            const QString& output);
// The encode of the list file with the music graph.
QString commandWithMusic(const QString& listFile, const MusicGraph& music,
                         const FinalTiming& timing, const QString& output);

} // namespace vistarel::render
