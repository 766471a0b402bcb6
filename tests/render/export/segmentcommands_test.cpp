#include "render/export/segmentcommands.h"
#include "render/tools/fitfilter.h"

#include <gtest/gtest.h>

using namespace vistarel::render;

TEST(SegmentCommands, ImageRun)
{
    EXPECT_EQ(imageRunArguments(u"/w/run_000.txt"_qs, 10.48, u"/w/seg_000.mkv"_qs),
              u"-y -f concat -safe 0 -i \"/w/run_000.txt\" -f lavfi -i anullsrc=r=48000:cl=stereo "
              u"-map 0:v -map 1:a -vf \"fps=25,format=yuv420p\" -c:v libx264 -preset veryfast "
              u"-crf 17 -c:a pcm_s16le -t 10.48000 -loglevel error \"/w/seg_000.mkv\""_qs);
}

TEST(SegmentCommands, ClipInputsAndChainsByOverlayAndSound)
{
    const QString fit = BuildFitFilter(160, 90, false, false);
    const QString tail = u"-c:v libx264 -preset veryfast -crf 17 -c:a pcm_s16le -loglevel error "
                         u"-stats \"/w/seg_001.mkv\""_qs;
    const QString ownSound =
        u"[0:a:0]aresample=48000,aformat=sample_fmts=s16:channel_layouts=stereo,apad[a]"_qs;
    struct Case
    {
        bool overlay;
        bool keepSound;
        QString expected;
    };
    const Case cases[] = {
        {false, true,
         u"-y -i \"/c/clip.mp4\" -filter_complex \"[0:v]"_qs + fit +
             u",fps=25,format=yuv420p[v];"_qs + ownSound +
             u"\" -map \"[v]\" -map \"[a]\" -t 10.000 "_qs + tail},
        {false, false,
         u"-y -i \"/c/clip.mp4\" -f lavfi -i anullsrc=r=48000:cl=stereo -filter_complex \"[0:v]"_qs +
             fit +
             u",fps=25,format=yuv420p[v];[1:a]aformat=sample_fmts=s16:channel_layouts=stereo[a]\" "
             u"-map \"[v]\" -map \"[a]\" -t 10.000 "_qs +
             tail},
        {true, false,
         u"-y -i \"/c/clip.mp4\" -i \"/w/clipsub_001.png\" -f lavfi -i anullsrc=r=48000:cl=stereo "
         u"-filter_complex \"[0:v]"_qs +
             fit +
             u",fps=25,format=yuv420p[bg];[bg][1:v]overlay=0:0:format=auto,format=yuv420p[v];"
             u"[2:a]aformat=sample_fmts=s16:channel_layouts=stereo[a]\" -map \"[v]\" -map \"[a]\" "
             u"-t 10.000 "_qs +
             tail},
        {true, true,
         u"-y -i \"/c/clip.mp4\" -i \"/w/clipsub_001.png\" -filter_complex \"[0:v]"_qs + fit +
             u",fps=25,format=yuv420p[bg];[bg][1:v]overlay=0:0:format=auto,format=yuv420p[v];"_qs +
             ownSound + u"\" -map \"[v]\" -map \"[a]\" -t 10.000 "_qs + tail},
    };
    for (const Case& c : cases) {
        ClipSegmentSpec spec;
        spec.clip = u"/c/clip.mp4"_qs;
        spec.segment = u"/w/seg_001.mkv"_qs;
        spec.overlay = c.overlay ? u"/w/clipsub_001.png"_qs : QString();
        spec.width = 160;
        spec.height = 90;
        spec.keepSound = c.keepSound;
        spec.seconds = 10;
        EXPECT_EQ(clipSegmentArguments(spec), c.expected) << c.overlay << c.keepSound;
    }
}

TEST(SegmentCommands, ClipFitAndLength)
{
    ClipSegmentSpec spec;
    spec.clip = u"/c/a.mp4"_qs;
    spec.segment = u"/w/seg_000.mkv"_qs;
    spec.width = 1280;
    spec.height = 720;
    spec.blur = true;
    spec.seconds = 2.25;
    const QString arguments = clipSegmentArguments(spec);
    EXPECT_TRUE(arguments.contains(u"[0:v]"_qs + BuildFitFilter(1280, 720, false, true) +
                                   u",fps=25"_qs));
    EXPECT_TRUE(arguments.contains(u" -t 2.250 "_qs));
    spec.stretch = true;
    EXPECT_TRUE(clipSegmentArguments(spec).contains(u"[0:v]scale=1280:720:flags=lanczos,setsar=1,"_qs));
}
