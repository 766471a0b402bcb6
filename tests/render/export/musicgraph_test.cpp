#include "render/export/musicgraph.h"
#include "render/tools/argsplit.h"

#include <gtest/gtest.h>

using namespace vistarel::render;

namespace {

TSlideSegments segments(std::initializer_list<std::pair<double, int>> durationsAndModes)
{
    TSlideSegments list;
    int n = 0;
    for (const auto& [duration, mode] : durationsAndModes)
        list.push_back({QStringLiteral("/w/seg_%1.mkv").arg(n++), duration, mode});
    return list;
}

const QString kChain =
    u"aresample=48000, aformat=sample_fmts=fltp:channel_layouts=stereo"_qs;

} // namespace

TEST(MusicGraph, TimingTexts)
{
    const FinalTiming minute = finalTiming(1500);
    EXPECT_EQ(minute.L2, u"60.00"_qs);
    EXPECT_EQ(minute.S2, u"57.00"_qs);
    EXPECT_EQ(minute.F2, u"3.00"_qs);
    const FinalTiming short_ = finalTiming(50);
    EXPECT_EQ(short_.L2, u"2.00"_qs);
    EXPECT_EQ(short_.S2, u"0.00"_qs);
    EXPECT_EQ(short_.F2, u"2.00"_qs);
    EXPECT_EQ(finalTiming(237).L2, u"9.48"_qs);
}

TEST(MusicGraph, Envelopes)
{
    struct Case
    {
        TSlideSegments segments;
        QString expected;
    };
    const Case cases[] = {
        {{}, QString()},
        // Full music level throughout needs no volume filter.
        {segments({{4, -1}, {6, 1}, {5, -1}}), QString()},
        {segments({{6, 0}}), u"0"_qs},
        {segments({{4, -1}, {6, 0}, {5, -1}}),
         u"1+(-1)*clip((t-(3.7))/0.6,0,1)+(1)*clip((t-(9.7))/0.6,0,1)"_qs},
        {segments({{10.48, -1}, {10, 2}, {5, -1}}),
         u"1+(-0.75)*clip((t-(10.18))/0.6,0,1)+(0.75)*clip((t-(20.18))/0.6,0,1)"_qs},
        // A first segment shorter than 0.3 s starts its ramp before the video.
        {segments({{0.2, 0}, {3, -1}}), u"0+(1)*clip((t-(-0.1))/0.6,0,1)"_qs},
        // Equal neighbours add no ramp; modes outside 0 and 2 play the music fully.
        {segments({{2, 2}, {3, 2}, {1, 7}}), u"0.25+(0.75)*clip((t-(4.7))/0.6,0,1)"_qs},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildMusicEnvelope(c.segments), c.expected);
}

TEST(MusicGraph, EnvelopeNumbers)
{
    EXPECT_EQ(envelopeNumber(3.7), u"3.7"_qs);
    EXPECT_EQ(envelopeNumber(57), u"57"_qs);
    EXPECT_EQ(envelopeNumber(-0.1), u"-0.1"_qs);
    EXPECT_EQ(envelopeNumber(1.23456), u"1.235"_qs);
    EXPECT_EQ(envelopeNumber(0.3 - 0.3 - 1e-17), u"0"_qs);
}

TEST(MusicGraph, LoopsCoverTheVideo)
{
    EXPECT_EQ(neededLoops(60, 25), 3);
    EXPECT_EQ(neededLoops(50, 25), 2);
    EXPECT_EQ(neededLoops(3600, 0.5), 50);
    EXPECT_EQ(neededLoops(10, 25), 1);
    EXPECT_EQ(neededLoops(60, 0.01), 1);
    EXPECT_EQ(neededLoops(60, 0), 1);
}

TEST(MusicGraph, EntriesDropBlanks)
{
    EXPECT_TRUE(musicEntries({u""_qs, u"  "_qs, u"\t"_qs}).isEmpty());
    EXPECT_EQ(musicEntries({u" /m/a b.mp3 "_qs, u""_qs, u"/m/c.mp3"_qs}),
              (QStringList{u"/m/a b.mp3"_qs, u"/m/c.mp3"_qs}));
}

TEST(MusicGraph, GraphsForOneAndTwoFiles)
{
    const FinalTiming timing = finalTiming(1500);
    const MusicGraph one = buildMusicGraph({u"/m/a.mp3"_qs}, 1, timing);
    EXPECT_EQ(one.inputs, u" -i \"/m/a.mp3\""_qs);
    EXPECT_EQ(one.graph, u"[1:a]"_qs + kChain + u"[a1];[a1]afade=t=out:st=57.00:d=3.00[aout]"_qs);

    const MusicGraph two = buildMusicGraph({u"/m/a.mp3"_qs, u"/m/b.mp3"_qs}, 1, timing);
    const QString joined = u"[1:a]"_qs + kChain + u"[a1];[2:a]"_qs + kChain +
                           u"[a2];[a1][a2]concat=n=2:v=0:a=1,afade=t=out:st=57.00:d=3.00"_qs;
    EXPECT_EQ(two.graph, joined + u"[aout]"_qs);
    // The graph with ducking of the two-file example (music silent under a clip).
    const TSlideSegments ducked = segments({{4, -1}, {6, 0}, {5, -1}});
    EXPECT_EQ(withDucking(two.graph, ducked),
              joined + u"[mus0];[mus0]volume='"_qs + BuildMusicEnvelope(ducked) +
                  u"':eval=frame[mus];[0:a]aresample=48000,aformat=sample_fmts=fltp:"
                  u"channel_layouts=stereo[orig];[orig][mus]amix=inputs=2:duration=first:"
                  u"dropout_transition=0:normalize=0[aout]"_qs);
    // Music at full level under every segment: no volume filter.
    EXPECT_TRUE(withDucking(two.graph, segments({{4, -1}, {6, 1}}))
                    .startsWith(joined + u"[mus];[0:a]"_qs));
}

TEST(MusicGraph, RepeatedListKeepsItsOrder)
{
    const MusicGraph music =
        buildMusicGraph({u"/m/a.mp3"_qs, u"/m/b.mp3"_qs}, 3, finalTiming(1500));
    EXPECT_EQ(music.inputs, u" -i \"/m/a.mp3\" -i \"/m/b.mp3\" -i \"/m/a.mp3\" -i \"/m/b.mp3\""
                            u" -i \"/m/a.mp3\" -i \"/m/b.mp3\""_qs);
    EXPECT_TRUE(music.graph.contains(u"[6:a]"_qs + kChain + u"[a6];"_qs));
    EXPECT_TRUE(music.graph.endsWith(
        u"[a1][a2][a3][a4][a5][a6]concat=n=6:v=0:a=1,afade=t=out:st=57.00:d=3.00[aout]"_qs));
    // One file played three times is joined like several files.
    EXPECT_TRUE(buildMusicGraph({u"/m/a.mp3"_qs}, 3, finalTiming(1500))
                    .graph.contains(u"[a1][a2][a3]concat=n=3"_qs));
}

TEST(MusicGraph, Commands)
{
    const FinalTiming timing = finalTiming(237);
    EXPECT_EQ(commandWithoutMusic(u"/w/frames.txt"_qs, false, timing, u"/v/out.mp4"_qs),
              u"-y -f concat -safe 0 -i \"/w/frames.txt\" -pix_fmt yuv420p -vf \"fps=25\" "
              u"-t 9.48 -loglevel error -stats \"/v/out.mp4\""_qs);
    EXPECT_EQ(commandWithoutMusic(u"/w/segments.txt"_qs, true, timing, u"/v/out.mp4"_qs),
              u"-y -f concat -safe 0 -i \"/w/segments.txt\" -pix_fmt yuv420p -vf \"fps=25\" "
              u"-c:a aac -b:a 192k -loglevel error -stats \"/v/out.mp4\""_qs);
    const MusicGraph music{u" -i \"/m/a.mp3\""_qs, u"G[aout]"_qs};
    EXPECT_EQ(commandWithMusic(u"/w/frames.txt"_qs, music, timing, u"/v/out.mp4"_qs),
              u"-y -f concat -safe 0 -i \"/w/frames.txt\"  -i \"/m/a.mp3\" -c:v libx264 "
              u"-pix_fmt yuv420p -vf \"fps=25\" -filter_complex \"G[aout]\" -map 0:v:0 "
              u"-map [aout] -c:a aac -b:a 192k -t 9.48 -loglevel error -stats "
              u"\"/v/out.mp4\""_qs);

    // Paths with quotes and backslashes reach the encoder as they are.
    const QString odd = u"/v/my \"best\" \\x\\.mp4"_qs;
    const QString list = u"/w/it's \"here\"/frames.txt"_qs;
    const QStringList plain = splitArgumentText(commandWithoutMusic(list, false, timing, odd));
    EXPECT_EQ(plain.last(), odd);
    EXPECT_EQ(plain[6], list);
    const QStringList mixed = splitArgumentText(
        commandWithMusic(list, buildMusicGraph({odd}, 1, timing), timing, odd));
    EXPECT_EQ(mixed.last(), odd);
    EXPECT_EQ(mixed[mixed.indexOf(u"-i"_qs, 7) + 1], odd);
}
