#include "exportfixtures.h"

#include "render/export/renderjob.h"
#include "render/export/workfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vistarel;
using namespace vistarel::render;
using namespace vistarel::exporttest;

namespace {

RenderJobSettings settingsFor(const QString& output)
{
    RenderJobSettings settings;
    settings.outputFile = output;
    settings.widthText = u"160"_qs;
    settings.heightText = u"90"_qs;
    return settings;
}

// Records the stages and whether the work folder held export files at the job-file write.
struct JobProbe
{
    QList<RenderStage> stages;
    QStringList jobFiles;
    RenderJobHooks hooks(bool openVideo = true)
    {
        RenderJobHooks h;
        h.stageChanged = [this](RenderStage stage) { stages << stage; };
        h.writeJobFile = [this](const QString& file) { jobFiles << file; };
        h.openVideo = openVideo;
        return h;
    }
};

QStringList exportFiles(const QString& work)
{
    return QDir(work).entryList({u"frame_*"_qs, u"seg_*"_qs, u"run_*"_qs, u"clip*"_qs,
                                 u"segments.txt"_qs, u"frames.txt"_qs},
                                QDir::Files);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QList<RenderStage> kFailedStages = {RenderStage::Started, RenderStage::Exporting,
                                          RenderStage::Failed};

} // namespace

TEST(RenderJob, Checks)
{
    const auto exists = [](const QString& file) { return !file.contains(u"missing"_qs); };
    struct Case
    {
        const char* name;
        std::function<void(RenderJobSettings&)> change;
        std::optional<MessageTriple> expected;
    };
    const Case cases[] = {
        {"a letter and the extension pass", [](RenderJobSettings&) {}, std::nullopt},
        {"the extension alone does not",
         [](RenderJobSettings& s) { s.outputFile = u".mp4"_qs; }, MessageTriple{47, 48, 49}},
        {"job file wanted without a name",
         [](RenderJobSettings& s) {
             s.saveJobFile = true;
             s.jobFile = u"a.vr"_qs;
         },
         MessageTriple{50, 51, 52}},
        {"job file not wanted",
         [](RenderJobSettings& s) { s.jobFile = u""_qs; }, std::nullopt},
        {"a missing music file",
         [](RenderJobSettings& s) {
             s.withMusic = true;
             s.musicFiles = {u"/m/a.mp3"_qs, u"/m/missing.mp3"_qs};
         },
         MessageTriple{53, 54, 55}},
        {"missing music is not looked at without music",
         [](RenderJobSettings& s) { s.musicFiles = {u"/m/missing.mp3"_qs}; }, std::nullopt},
        {"the output name is checked first",
         [](RenderJobSettings& s) {
             s.outputFile = u"a.mp"_qs;
             s.widthText = u""_qs;
         },
         MessageTriple{47, 48, 49}},
        {"an odd width", [](RenderJobSettings& s) { s.widthText = u"161"_qs; },
         kBadFrameSizeMessages},
    };
    for (const Case& c : cases) {
        RenderJobSettings settings = settingsFor(u"a.mp4"_qs);
        c.change(settings);
        EXPECT_EQ(checkRenderSettings(settings, exists), c.expected) << c.name;
    }
}

TEST(RenderJob, FrameSizes)
{
    const std::pair<QString, QString> refused[] = {
        {u""_qs, u"1080"_qs},  {u"1920"_qs, u""_qs},     {u"0"_qs, u"1080"_qs},
        {u"1921"_qs, u"1080"_qs}, {u"1920"_qs, u"1079"_qs}, {u"8194"_qs, u"1080"_qs},
        {u"-2"_qs, u"2"_qs},   {u"19a0"_qs, u"1080"_qs}, {u"99999999999"_qs, u"2"_qs},
    };
    for (const auto& [w, h] : refused)
        EXPECT_EQ(parseFrameSize(w, h), std::nullopt) << qPrintable(w + u'x' + h);
    EXPECT_EQ(parseFrameSize(u"1920"_qs, u"1080"_qs), QSize(1920, 1080));
    EXPECT_EQ(parseFrameSize(u" 0720 "_qs, u"2"_qs), QSize(720, 2));
    EXPECT_EQ(parseFrameSize(u"8192"_qs, u"8192"_qs), QSize(8192, 8192));
}

TEST(RenderJob, StageTexts)
{
    EXPECT_EQ(stageStateMessage(RenderStage::Started), 0);
    EXPECT_EQ(stageStateMessage(RenderStage::Exporting), 57);
    EXPECT_EQ(stageStateMessage(RenderStage::Encoding), 58);
    EXPECT_EQ(stageStateMessage(RenderStage::Failed), 59);
    EXPECT_EQ(stageStateMessage(RenderStage::Succeeded), 60);
    EXPECT_EQ(stageButtonMessage(RenderStage::Encoding), 56);
    EXPECT_EQ(stageButtonMessage(RenderStage::Succeeded), 11);
    EXPECT_EQ(stageButtonMessage(RenderStage::Failed), 11);
}

TEST(RenderJob, RefusedJobsStartNothing)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red));
    JobProbe probe;
    RenderJobSettings settings = settingsFor(u".mp4"_qs);
    settings.saveJobFile = true;
    settings.jobFile = f.base.path() + u"/job.vrj"_qs;
    EXPECT_EQ(runRenderJob(*f.host, f.slides, settings, probe.hooks()).outcome,
              RenderOutcome::Refused);
    EXPECT_EQ(f.host->shownDialogs, QStringList{u"M47 | M48 | M49"_qs});

    // Another job holds the work folder.
    settings.outputFile = f.base.path() + u"/v.mp4"_qs;
    RenderLock other(f.work);
    ASSERT_TRUE(other.acquire());
    EXPECT_EQ(runRenderJob(*f.host, f.slides, settings, probe.hooks()).outcome,
              RenderOutcome::Refused);
    EXPECT_EQ(f.host->shownDialogs.last(), u"M103 | M104 | M105"_qs);
    EXPECT_TRUE(probe.stages.isEmpty());
    EXPECT_TRUE(probe.jobFiles.isEmpty());
    EXPECT_EQ(f.host->pumps, 0);
}

TEST(RenderJob, RendersOpensAndCleansUp)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 320, 240, Qt::red), slideRecord(0, 0, 0));
    f.add(f.clip(u"c.mp4"_qs, 1, true), slideRecord(1, 0, 0, 2));
    JobProbe probe;
    RenderJobSettings settings = settingsFor(f.base.path() + u"/new 'folder'/sub/show.mp4"_qs);
    settings.withMusic = true;
    settings.musicFiles = {f.music(u"m.mp3"_qs, 1)};
    settings.repeatMusic = true;
    f.host->ActionCanceled = true; // left over from an earlier cancelled job

    const RenderJobResult result = runRenderJob(*f.host, f.slides, settings, probe.hooks());
    EXPECT_EQ(result.outcome, RenderOutcome::Succeeded);
    EXPECT_EQ(result.outputFile, settings.outputFile);
    EXPECT_EQ(result.frames, 25 + 12 + 25);
    EXPECT_EQ(probe.stages, (QList<RenderStage>{RenderStage::Started, RenderStage::Exporting,
                                                RenderStage::Encoding, RenderStage::Succeeded}));
    EXPECT_EQ(f.host->opened, QStringList{settings.outputFile});
    EXPECT_EQ(f.host->progress(), 100);
    EXPECT_TRUE(f.host->shownDialogs.isEmpty()) << qPrintable(f.host->shownDialogs.join(u'\n'));
    EXPECT_EQ(exportFiles(f.work), QStringList());
    EXPECT_TRUE(QFile::exists(f.workFile(u"render.log"_qs)));

    const ProbedVideo video = probeVideo(settings.outputFile);
    EXPECT_EQ(video.frames, result.frames);
    EXPECT_EQ(video.audioStreams, 1);
    EXPECT_EQ(video.size, QSize(160, 90));

    // The lock is free again: a second job runs, and keeps its work files when asked.
    RenderJobHooks keep = probe.hooks(false);
    keep.keepWorkFiles = true;
    EXPECT_EQ(runRenderJob(*f.host, f.slides, settings, keep).outcome, RenderOutcome::Succeeded);
    EXPECT_FALSE(exportFiles(f.work).isEmpty());
    EXPECT_EQ(f.host->opened.size(), 1);
}

TEST(RenderJob, FailureBeforeTheEncodeKeepsAnOlderVideo)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red));
    f.add(f.brokenClip(u"broken.mov"_qs));
    const QString output = f.base.path() + u"/old.mp4"_qs;
    writeFile(output, "an older video");
    JobProbe probe;
    RenderJobSettings settings = settingsFor(output);
    settings.saveJobFile = true;
    settings.jobFile = f.base.path() + u"/job.vrj"_qs;

    EXPECT_EQ(runRenderJob(*f.host, f.slides, settings, probe.hooks()).outcome,
              RenderOutcome::Failed);
    // The job file is written first, also when the render then fails.
    EXPECT_EQ(probe.jobFiles, QStringList{settings.jobFile});
    EXPECT_EQ(probe.stages, kFailedStages);
    EXPECT_EQ(readFile(output), QByteArray("an older video"));
    EXPECT_TRUE(f.host->opened.isEmpty());
    EXPECT_EQ(exportFiles(f.work), QStringList());
}

TEST(RenderJob, CancelDuringTheExportSkipsTheEncode)
{
    ExportFixture f;
    for (int i = 0; i < 3; ++i)
        f.add(f.picture(QStringLiteral("p%1.jpg").arg(i), 64, 48, Qt::red));
    f.host->onPump = [&] {
        if (!f.host->MemoLog().contains(u"Starting FFmpeg..."_qs) && f.host->pumps > 2)
            f.host->ActionCanceled = true;
    };
    JobProbe probe;
    EXPECT_EQ(runRenderJob(*f.host, f.slides, settingsFor(f.base.path() + u"/c.mp4"_qs),
                           probe.hooks())
                  .outcome,
              RenderOutcome::Failed);
    EXPECT_EQ(probe.stages, kFailedStages);
    EXPECT_FALSE(f.host->MemoLog().contains(u"Starting FFmpeg..."_qs));
    EXPECT_FALSE(QFile::exists(f.base.path() + u"/c.mp4"_qs));
    EXPECT_EQ(exportFiles(f.work), QStringList());
}

TEST(RenderJob, CancelDuringTheEncodeDeletesTheOutput)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red), slideRecord(0, 0, 16)); // 60 s
    const QString output = f.base.path() + u"/long.mp4"_qs;
    writeFile(output, "an older video");
    f.host->onPump = [&] {
        // Cancel once the encoder has begun writing the output.
        if (QFileInfo(output).size() != 14)
            f.host->ActionCanceled = true;
    };
    RenderJobSettings settings = settingsFor(output);
    settings.widthText = u"640"_qs;
    settings.heightText = u"360"_qs;
    JobProbe probe;
    EXPECT_EQ(runRenderJob(*f.host, f.slides, settings, probe.hooks()).outcome,
              RenderOutcome::Failed);
    EXPECT_EQ(probe.stages.last(), RenderStage::Failed);
    EXPECT_TRUE(probe.stages.contains(RenderStage::Encoding));
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_TRUE(f.host->opened.isEmpty());
}

TEST(RenderJob, EmptySlideListFailsInTheEncode)
{
    ExportFixture f;
    JobProbe probe;
    EXPECT_EQ(runRenderJob(*f.host, f.slides, settingsFor(f.base.path() + u"/e.mp4"_qs),
                           probe.hooks())
                  .outcome,
              RenderOutcome::Failed);
    EXPECT_FALSE(f.host->ActionCanceled);
    EXPECT_EQ(probe.stages.last(), RenderStage::Failed);
    EXPECT_TRUE(probe.stages.contains(RenderStage::Encoding));
    ASSERT_EQ(f.host->shownDialogs.size(), 1);
    EXPECT_TRUE(f.host->shownDialogs[0].startsWith(u"M37 | "_qs));
}
