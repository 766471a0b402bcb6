#include "exportfixtures.h"

#include "render/export/finalassembly.h"
#include "render/export/slideexport.h"
#include "render/tools/toolrunner.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vistarel;
using namespace vistarel::render;
using namespace vistarel::exporttest;

namespace {

struct Exported
{
    TSlideSegments segments;
    int frames = 0;
};

Exported exportShow(ExportFixture& f)
{
    Exported exported;
    exported.frames =
        ExportSlideshowToFrames(*f.host, f.slides, exported.segments, f.work, 160, 90);
    return exported;
}

QString logLine(const QStringList& log, const QString& start)
{
    for (const QString& line : log) {
        if (line.startsWith(start))
            return line;
    }
    return {};
}

} // namespace

TEST(FinalAssembly, PicturesWithoutMusic)
{
    ExportFixture f;
    f.add(f.picture(u"P1.jpg"_qs, 320, 240, Qt::red));
    f.add(f.picture(u"P2.png"_qs, 100, 200, Qt::green), slideRecord(1, 0, 2));
    const Exported show = exportShow(f);
    ASSERT_EQ(show.frames, 237);
    f.host->appendLog(u"from the export"_qs);

    const QString folder = f.base.path() + u"/out 'put'"_qs;
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(RunFFmpeg(*f.host, show.segments, folder, u"show.mp4"_qs, show.frames, {}, true), 1);
    EXPECT_EQ(f.host->progress(), 100);
    const QStringList log = f.host->MemoLog();
    ASSERT_GE(log.size(), 5);
    EXPECT_EQ(log[0], u"Starting FFmpeg..."_qs); // the export's lines are dropped
    EXPECT_EQ(log[1], u"Command: "_qs + GetFFmpegPath());
    EXPECT_EQ(log[2], u"Video length (from slide list): 9.480 s"_qs);
    EXPECT_TRUE(log[3].startsWith(u"Params : -y -f concat -safe 0 -i \""_qs + f.work +
                                  u"frames.txt\" -pix_fmt yuv420p -vf \"fps=25\" -t 9.48 "_qs));
    EXPECT_EQ(log.last(), u"FFmpeg done."_qs);
    EXPECT_TRUE(QFile::exists(f.workFile(u"render.log"_qs)));

    const ProbedVideo video = probeVideo(folder + u"/show.mp4"_qs);
    EXPECT_EQ(video.frames, 237);
    EXPECT_EQ(video.audioStreams, 0);
    EXPECT_EQ(video.size, QSize(160, 90));
}

TEST(FinalAssembly, RepeatedMusicDuckedUnderAClip)
{
    ExportFixture f;
    f.add(f.picture(u"P1.jpg"_qs, 320, 240, Qt::red), slideRecord(0, 0, 2));
    f.add(f.clip(u"C.mp4"_qs, 2, true), slideRecord(1, 0, 0, 2));
    f.add(f.picture(u"P2.jpg"_qs, 320, 240, Qt::blue), slideRecord(0, 0, 1));
    const QString music = f.music(u"tune 'one'.mp3"_qs, 2.4);
    const Exported show = exportShow(f);
    ASSERT_EQ(show.segments.size(), 3u);
    ASSERT_EQ(show.frames, 75 + 12 + 50 + 50);

    const QString folder = f.base.path();
    EXPECT_EQ(RunFFmpeg(*f.host, show.segments, folder, u"mix.mp4"_qs, show.frames,
                        {u" "_qs, music + u"  "_qs}, true),
              1);
    const QStringList log = f.host->MemoLog();
    // The export's lines stay when there are segments.
    EXPECT_FALSE(logLine(log, u"> ffmpeg "_qs).isEmpty());
    EXPECT_TRUE(logLine(log, u"Audio files: 1  TotalAudioDur: 2."_qs).endsWith(u" s"_qs));
    // 7.48 s of video need four passes of a 2.4 s tune.
    EXPECT_EQ(logLine(log, u"NeededLoops: "_qs), u"NeededLoops: 4  (Video: 7.480 s)"_qs);
    const QString params = logLine(log, u"Params : "_qs);
    EXPECT_EQ(params.count(u" -i \""_qs + music + u'"'), 4);
    EXPECT_TRUE(params.contains(u"concat=n=4:v=0:a=1,afade=t=out:st=4.48:d=3.00[mus0];"
                                u"[mus0]volume='1+(-0.75)*clip((t-("_qs));
    EXPECT_TRUE(params.contains(u"[orig][mus]amix=inputs=2"_qs));

    const ProbedVideo video = probeVideo(folder + u"/mix.mp4"_qs);
    EXPECT_EQ(video.frames, show.frames);
    EXPECT_EQ(video.audioStreams, 1);
    EXPECT_NEAR(video.seconds, 7.48, 0.1);
}

TEST(FinalAssembly, MusicOverPicturesIsNotDucked)
{
    ExportFixture f;
    f.add(f.picture(u"P1.jpg"_qs, 320, 240, Qt::red), slideRecord(0, 0, 1));
    const QString music = f.music(u"tune.mp3"_qs, 2.5);
    const Exported show = exportShow(f);
    ASSERT_EQ(show.frames, 50);
    EXPECT_EQ(RunFFmpeg(*f.host, show.segments, f.base.path(), u"m.mp4"_qs, show.frames,
                        {music}, false),
              1);
    const QString params = logLine(f.host->MemoLog(), u"Params : "_qs);
    EXPECT_TRUE(params.contains(u"[a1]afade=t=out:st=0.00:d=2.00[aout]\" -map 0:v:0"_qs))
        << qPrintable(params);
    // Without repetition the durations are still measured and logged.
    EXPECT_EQ(logLine(f.host->MemoLog(), u"NeededLoops: "_qs), u"NeededLoops: 1  (Video: 2.000 s)"_qs);
    const ProbedVideo video = probeVideo(f.base.path() + u"/m.mp4"_qs);
    EXPECT_EQ(video.frames, 50);
    EXPECT_EQ(video.audioStreams, 1);
}

TEST(FinalAssembly, EncoderFailureAndCancel)
{
    ExportFixture f;
    // No export ran: the list file is missing and the encoder fails.
    EXPECT_EQ(RunFFmpeg(*f.host, {}, f.base.path(), u"x.mp4"_qs, 0, {}, false), 0);
    const QString failure = u"M37 | M38\r\n\r\n"_qs + f.work + u"render.log | M40"_qs;
    EXPECT_EQ(f.host->shownDialogs, QStringList{failure});
    EXPECT_TRUE(QFile::exists(f.workFile(u"render.log"_qs)));
    EXPECT_NE(f.host->MemoLog().last(), u"FFmpeg done."_qs);

    f.add(f.picture(u"P1.jpg"_qs, 320, 240, Qt::red), slideRecord(0, 0, 16)); // 60 s
    const Exported show = exportShow(f);
    ASSERT_EQ(show.frames, 1500);
    f.host->shownDialogs.clear();
    f.host->onPump = [&] {
        if (!logLine(f.host->MemoLog(), u"Params : "_qs).isEmpty())
            f.host->ActionCanceled = true;
    };
    EXPECT_EQ(RunFFmpeg(*f.host, show.segments, f.base.path(), u"y.mp4"_qs, show.frames, {}, false),
              0);
    EXPECT_EQ(f.host->shownDialogs, QStringList{failure});
}
