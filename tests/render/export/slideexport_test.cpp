#include "exportfixtures.h"
#include "tools/mediafixtures.h"

#include "render/export/slideexport.h"
#include "render/export/timeline.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace vistarel;
using namespace vistarel::render;
using namespace vistarel::exporttest;

namespace {

// The concat lines of frames first..last, each with the given duration text.
QStringList frameLines(const QString& work, int first, int last, const QString& duration)
{
    QStringList lines;
    for (int n = first; n <= last; ++n)
        lines << concatFileLine(FrameFileName(work, n)) << u"duration "_qs + duration;
    return lines;
}

QRgb pixel(const QString& file, int x, int y)
{
    return QImage(file).pixel(x, y);
}

// Whether a JPEG pixel is close to a colour.
bool near(QRgb actual, QColor expected, int tolerance = 24)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance &&
           std::abs(qGreen(actual) - expected.green()) <= tolerance &&
           std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

// The segments of an export in short: "run<frames>" for a run of pictures (the number of
// its duration lines), "clip<audio mode>" for a clip.
QString segmentSummary(const ExportFixture& f, const TSlideSegments& segments)
{
    QStringList parts;
    for (std::size_t n = 0; n < segments.size(); ++n) {
        if (segments[n].AudioMode >= 0) {
            parts << QStringLiteral("clip%1").arg(segments[n].AudioMode);
            continue;
        }
        const QStringList run = f.lines(QString::asprintf("run_%03d.txt", int(n)));
        parts << QStringLiteral("run%1").arg(run.filter(QRegularExpression(u"^duration "_qs)).size());
    }
    return parts.join(u' ');
}

} // namespace

TEST(SlideExport, TimelineExample)
{
    ExportFixture f;
    f.add(f.picture(u"P1.jpg"_qs, 320, 240, Qt::red));
    f.add(f.picture(u"P2.png"_qs, 100, 200, Qt::green), slideRecord(1, 0, 2));
    auto c3 = slideRecord(1, 2, 0, 1);
    c3->Subtitle = u"Clip title"_qs;
    f.add(f.clip(u"C3.mp4"_qs, 10, true), std::move(c3));
    f.add(f.picture(u"P4.jpg"_qs, 160, 90, Qt::blue), slideRecord(0, 0, 4));

    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 637);
    EXPECT_FALSE(f.host->ActionCanceled);
    EXPECT_EQ(f.host->progress(), 50);

    const QString w = f.work;
    const QStringList run0 = frameLines(w, 0, 24, u"0.04000"_qs) + frameLines(w, 25, 25, u"5.00000"_qs) +
                             frameLines(w, 26, 37, u"0.04000"_qs) + frameLines(w, 38, 38, u"3.00000"_qs) +
                             frameLines(w, 39, 63, u"0.04000"_qs) +
                             QStringList{concatFileLine(FrameFileName(w, 63))};
    EXPECT_EQ(f.lines(u"run_000.txt"_qs), run0);
    EXPECT_EQ(f.lines(u"run_001.txt"_qs), QStringList{u"<missing>"_qs});
    EXPECT_EQ(f.lines(u"run_002.txt"_qs), frameLines(w, 64, 64, u"5.00000"_qs) +
                                              QStringList{concatFileLine(FrameFileName(w, 64))});
    EXPECT_TRUE(QFile::exists(FrameFileName(w, 64)));
    EXPECT_FALSE(QFile::exists(FrameFileName(w, 65)));
    EXPECT_TRUE(QFile::exists(f.workFile(u"clipsub_001.png"_qs)));
    EXPECT_FALSE(QFile::exists(f.workFile(u"error.log"_qs)));
    EXPECT_FALSE(QFile::exists(f.workFile(u"frames.txt"_qs)));

    ASSERT_EQ(segments.size(), 3u);
    const double seconds[] = {10.48, 10, 5};
    const int modes[] = {-1, 1, -1};
    QStringList listed;
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(segments[n].FileName, SegmentFileName(w, n));
        EXPECT_NEAR(segments[n].Duration, seconds[n], 0.021) << n;
        EXPECT_EQ(segments[n].AudioMode, modes[n]);
        listed << concatFileLine(SegmentFileName(w, n));
    }
    EXPECT_EQ(f.lines(u"segments.txt"_qs), listed);

    const ProbedVideo run = probeVideo(SegmentFileName(w, 0));
    EXPECT_EQ(run.frames, 262);
    EXPECT_EQ(run.audioStreams, 1);
    EXPECT_EQ(run.size, QSize(160, 90));
    const ProbedVideo clip = probeVideo(SegmentFileName(w, 1));
    EXPECT_EQ(clip.frames, 250);
    EXPECT_EQ(clip.audioStreams, 1);

    // The fade-in starts black and ends on the composed first picture (120 x 90 on black);
    // the next transition starts there and ends on the second picture (45 x 90).
    EXPECT_TRUE(near(pixel(FrameFileName(w, 0), 80, 45), Qt::black));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 24), 80, 45), Qt::red));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 25), 80, 45), Qt::red));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 25), 5, 45), Qt::black));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 26), 80, 45), Qt::red));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 37), 80, 45), Qt::green));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 37), 30, 45), Qt::black));
    EXPECT_TRUE(near(pixel(FrameFileName(w, 64), 80, 45), Qt::blue));
}

TEST(SlideExport, PicturesOnlyGiveOneFramesList)
{
    ExportFixture f;
    f.add(f.picture(u"P1.jpg"_qs, 320, 240, Qt::red));
    f.add(f.picture(u"P2.png"_qs, 100, 200, Qt::green), slideRecord(1, 0, 2));
    TSlideSegments segments{{u"/old/seg.mkv"_qs, 1, 0}};
    QFile staleLog(f.workFile(u"error.log"_qs));
    ASSERT_TRUE(staleLog.open(QIODevice::WriteOnly));
    staleLog.close();
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 237);
    EXPECT_TRUE(segments.empty());
    EXPECT_FALSE(staleLog.exists());
    const QString w = f.work;
    EXPECT_EQ(f.lines(u"frames.txt"_qs),
              frameLines(w, 0, 24, u"0.04000"_qs) + frameLines(w, 25, 25, u"5.00000"_qs) +
                  frameLines(w, 26, 37, u"0.04000"_qs) + frameLines(w, 38, 38, u"3.00000"_qs) +
                  frameLines(w, 38, 38, u"0.04000"_qs));
    EXPECT_FALSE(QFile::exists(f.workFile(u"segments.txt"_qs)));
    EXPECT_FALSE(QFile::exists(f.workFile(u"run_000.txt"_qs)));
}

TEST(SlideExport, SegmentsAroundClips)
{
    struct Case
    {
        const char* name;
        std::function<void(ExportFixture&)> build;
        QString segments;
        int frames;
        int lastFrameGrabs; // only when a transition leaves the clip
    };
    // Two one-second clips, made once for all cases.
    ExportFixture media;
    const QString withSound = media.clip(u"a clip.mp4"_qs, 1, true);
    const QString silent = media.clip(u"silent.mp4"_qs, 1, false);
    const auto clip = [&](ExportFixture&, bool sound = true) { return sound ? withSound : silent; };
    const Case cases[] = {
        {"first slide a clip without transition",
         [&](ExportFixture& f) { f.add(clip(f), slideRecord(0, 0, 0, 0)); }, u"clip0"_qs, 25, 0},
        {"first slide a clip without record fades in on its own run",
         [&](ExportFixture& f) { f.add(clip(f)); }, u"run25 clip0"_qs, 50, 0},
        {"two clips in a row without transition",
         [&](ExportFixture& f) {
             f.add(clip(f), slideRecord(0, 0, 0, 0));
             f.add(clip(f), slideRecord(0, 0, 0, 1));
         },
         u"clip0 clip1"_qs, 50, 0},
        {"two clips with a transition between them",
         [&](ExportFixture& f) {
             f.add(clip(f), slideRecord(0, 0, 0, 0));
             f.add(clip(f), slideRecord(1, 0, 0, 2));
         },
         u"clip0 run12 clip2"_qs, 62, 1},
        {"a list that ends with a clip adds no empty segment; audio mode 5 counts as 0",
         [&](ExportFixture& f) {
             f.add(f.picture(u"p.jpg"_qs, 64, 64, Qt::white));
             f.add(clip(f), slideRecord(0, 0, 0, 5));
         },
         u"run26 clip0"_qs, 175, 0},
        {"a clip without sound keeping its sound gets silence",
         [&](ExportFixture& f) { f.add(clip(f, false), slideRecord(0, 0, 0, 2)); }, u"clip2"_qs,
         25, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportFixture f;
        c.build(f);
        TSlideSegments segments;
        EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), c.frames);
        EXPECT_EQ(segmentSummary(f, segments), c.segments);
        EXPECT_EQ(f.host->MemoLog().filter(u" -sseof "_qs).size(), c.lastFrameGrabs);
        EXPECT_FALSE(f.host->ActionCanceled);
        EXPECT_TRUE(f.host->shownDialogs.isEmpty()) << qPrintable(f.host->shownDialogs.join(u'\n'));
        for (const TSlideSegment& segment : segments) {
            const ProbedVideo probed = probeVideo(segment.FileName);
            EXPECT_EQ(probed.audioStreams, 1) << qPrintable(segment.FileName);
            EXPECT_EQ(probed.size, QSize(160, 90));
        }
    }
}

TEST(SlideExport, AClipsLastFrameStartsTheNextTransition)
{
    ExportFixture f;
    // Red for half a second, then blue.
    f.add(tooltest::mediaFixture(tooltest::Media::ClipWithSound), slideRecord(0, 0, 0, 1));
    f.add(f.picture(u"g.png"_qs, 160, 90, Qt::green), slideRecord(1, 0, 0));
    TSlideSegments segments;
    ASSERT_GT(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 0);
    EXPECT_EQ(segmentSummary(f, segments), u"clip1 run13"_qs);
    EXPECT_TRUE(near(pixel(FrameFileName(f.work, 0), 80, 45), Qt::blue));
    EXPECT_TRUE(near(pixel(FrameFileName(f.work, 11), 80, 45), Qt::green));
}

TEST(SlideExport, TransitionLengthsFromTheRecord)
{
    ExportFixture f;
    // Position 12 only comes from project files: 3500 ms, 88 frames.
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red), slideRecord(1, 12, 0));
    f.add(f.picture(u"b.jpg"_qs, 64, 48, Qt::green), slideRecord(1, 4, 0));
    f.add(f.picture(u"c.jpg"_qs, 64, 48, Qt::blue), slideRecord(1, 8, 0));
    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90),
              framesOfSeconds((88 + 38 + 62) * 0.04 + 3));
    const QStringList lines = f.lines(u"frames.txt"_qs);
    EXPECT_EQ(lines.filter(QRegularExpression(u"^duration 0.04000$"_qs)).size(), 88 + 38 + 62 + 1);
    EXPECT_EQ(lines[2 * 88], concatFileLine(FrameFileName(f.work, 88)));
    EXPECT_EQ(lines[2 * 88 + 1], u"duration 1.00000"_qs);
}

TEST(SlideExport, NonFatalProblemsGoToTheErrorLog)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red), slideRecord(0, 0, 0));
    // Effect 251 exists in no catalogue: one fallback frame instead of the transition.
    f.add(f.picture(u"b.jpg"_qs, 64, 48, Qt::green), slideRecord(251, 2, 0));
    QFile broken(f.media + u"broken.jpg"_qs);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    f.add(broken.fileName(), slideRecord(0, 0, 0));

    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90),
              framesOfSeconds(3 + 0.04));
    EXPECT_FALSE(f.host->ActionCanceled);
    const QStringList lines = f.lines(u"frames.txt"_qs);
    EXPECT_EQ(lines.mid(2, 4), (QStringList{concatFileLine(FrameFileName(f.work, 1)),
                                            u"duration 0.04"_qs,
                                            concatFileLine(FrameFileName(f.work, 2)),
                                            u"duration 1.00000"_qs}));
    EXPECT_TRUE(near(pixel(FrameFileName(f.work, 1), 80, 45), Qt::green));
    // The unreadable picture shows the loader's dialog and becomes a black still.
    EXPECT_EQ(f.host->shownDialogs,
              QStringList{u"M23 | M24\r\n\r\n"_qs + broken.fileName() + u" | M26"_qs});
    EXPECT_TRUE(near(pixel(FrameFileName(f.work, 3), 80, 45), Qt::black));
    const QStringList log = f.lines(u"error.log"_qs);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(u"Fehler bei Transition Bild 1: "_qs)) << qPrintable(log[0]);
}

TEST(SlideExport, AClipThatCannotBeReadEndsTheExport)
{
    ExportFixture f;
    f.add(f.picture(u"a.jpg"_qs, 64, 48, Qt::red));
    const QString broken = f.brokenClip(u"broken.mp4"_qs);
    f.add(broken);
    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 0);
    EXPECT_TRUE(f.host->ActionCanceled);
    EXPECT_EQ(f.host->shownDialogs,
              QStringList{u"M23 | M24\r\n\r\n"_qs + broken + u" | M26"_qs});
    EXPECT_FALSE(QFile::exists(FrameFileName(f.work, 0)));
    EXPECT_FALSE(QFile::exists(f.workFile(u"segments.txt"_qs)));
}

TEST(SlideExport, EmptyListAndCancel)
{
    ExportFixture f;
    TSlideSegments segments;
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 0);
    EXPECT_FALSE(f.host->ActionCanceled);
    EXPECT_EQ(f.host->pumps, 0);

    for (int i = 0; i < 3; ++i)
        f.add(f.picture(QStringLiteral("p%1.jpg").arg(i), 64, 48, Qt::red));
    f.host->onPump = [&] { f.host->ActionCanceled = true; };
    EXPECT_EQ(ExportSlideshowToFrames(*f.host, f.slides, segments, f.work, 160, 90), 0);
    EXPECT_TRUE(f.host->ActionCanceled);
    EXPECT_FALSE(QFile::exists(f.workFile(u"frames.txt"_qs)));
    EXPECT_FALSE(QFile::exists(FrameFileName(f.work, 27))); // nothing of the second slide
}
