// Renders beside which a tool is missing. Built into two executables: one in a folder with
// ffmpeg but no ffprobe (VISTAREL_NO_FFPROBE), and the stand-in tools' one, which has no
// ffmpeg.
#include "exportfixtures.h"

#include "render/export/finalassembly.h"
#include "render/export/slideexport.h"
#include "render/export/timeline.h"
#include "render/tools/toolrunner.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vistarel;
using namespace vistarel::render;
using namespace vistarel::exporttest;

namespace {

const char* const kMissingTool =
#ifdef VISTAREL_NO_FFPROBE
    "ffprobe";
#else
    "ffmpeg";
#endif

QString missingToolPath()
{
    return qstrcmp(kMissingTool, "ffprobe") == 0 ? GetFFProbePath() : GetFFmpegPath();
}

} // namespace

TEST(MissingTool, PicturesNeedNoTool)
{
    ASSERT_FALSE(QFileInfo::exists(missingToolPath()));
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red));
    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 150);
    EXPECT_FALSE(f.host->ActionCanceled);
    EXPECT_TRUE(QFile::exists(f.workFile(u"frames.txt"_qs)));
}

TEST(MissingTool, AClipNeedsBothTools)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red));
    f.add(f.media + u"clip.mp4"_qs); // never opened: the tools are checked first
    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 0);
    EXPECT_TRUE(f.host->ActionCanceled);
    EXPECT_EQ(f.host->shownDialogs, QStringList{u"M32"_qs + missingToolPath()});
    EXPECT_FALSE(QFile::exists(FrameFileName(f.work, 0)));
}

#ifdef VISTAREL_NO_FFPROBE

TEST(MissingTool, MusicIsPlayedOnceWithoutFfprobe)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red), slideRecord(0, 0, 4)); // 5 s
    const QString music = f.music(u"short.mp3"_qs, 1);
    TSlideSegments segments;
    const int frames = ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90);
    ASSERT_EQ(frames, 125);
    EXPECT_EQ(RunFFmpeg(*f.host, segments, f.base.path(), u"v.mp4"_qs, frames, {music}, true), 1);
    const QStringList log = f.host->MemoLog();
    EXPECT_EQ(log.mid(3, 3),
              (QStringList{u"ffprobe not found -> loop disabled (single pass)."_qs,
                           u"Audio files: 1  TotalAudioDur: 0.000 s"_qs,
                           u"NeededLoops: 1  (Video: 5.000 s)"_qs}));
    EXPECT_EQ(log[6].count(u" -i \""_qs + music), 1);
    EXPECT_TRUE(log[6].contains(u"[a1]afade=t=out:st=2.00:d=3.00[aout]"_qs));
    EXPECT_TRUE(QFile::exists(f.base.path() + u"/v.mp4"_qs));
}

#else

TEST(MissingTool, TheFinalEncodeNeedsFfmpeg)
{
    ExportFixture f;
    EXPECT_EQ(RunFFmpeg(*f.host, {}, f.base.path(), u"v.mp4"_qs, 125, {}, false), 0);
    EXPECT_EQ(f.host->shownDialogs, QStringList{u"M32"_qs + GetFFmpegPath()});
    EXPECT_TRUE(f.host->MemoLog().isEmpty());
}

#endif
