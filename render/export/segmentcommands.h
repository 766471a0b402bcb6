#pragma once

#include <QString>

// The encoder's argument texts for the two kinds of segment. Pure.
namespace vistarel::render {

// Encodes the concat list `runList` (pictures with durations) into `segment`: 25 fps
// H.264 with a silent 48 kHz stereo PCM track, `seconds` long.
QString imageRunArguments(const QString& runList, double seconds, const QString& segment);

// How a clip is made into a segment.
struct ClipSegmentSpec
{
    QString clip;
    QString segment;
    QString overlay; // a transparent subtitle picture laid over the clip, or empty
    int width = 0;
    int height = 0;
    bool stretch = false;
    bool blur = false;
    bool keepSound = false; // the clip's first sound stream, else silence
    double seconds = 0;     // the clip's length
};

// Encodes a clip fitted into the frame (see BuildFitFilter), with its subtitle overlay
// and its own sound padded with silence, or silence, for exactly its length.
QString clipSegmentArguments(const ClipSegmentSpec& spec);

} // namespace vistarel::render
