#include "render/tools/fitfilter.h"
#include "render/tools/mediaprobe.h"
#include "render/tools/toolrunner.h"
#include "mediafixtures.h"
#include "testhost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QRegularExpression>

#include <clocale>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

using namespace vistarel;
using tooltest::Media;
using tooltest::mediaFixture;

namespace {

int countRuns(const QStringList& log, const QString& tool)
{
    return static_cast<int>(log.filter(u"> "_qs + tool + u' ').size());
}

bool near(QRgb pixel, QRgb expected, int tolerance = 40)
{
    return std::abs(qRed(pixel) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= tolerance;
}

} // namespace

TEST(MediaProbe, ToolNumbersUseAPointOnly)
{
    struct Case
    {
        QString text;
        double value;
    };
    const Case cases[] = {
        {u"1.000000"_qs, 1.0}, {u" 12.5\r\n"_qs, 12.5}, {u"3"_qs, 3.0}, {u".5"_qs, 0.5},
        {u"2."_qs, 2.0},       {u"-1.5"_qs, -1.5},      {u"1e2"_qs, 100.0},
        {u"N/A"_qs, 0},        {u"12,5"_qs, 0},         {u""_qs, 0},
        {u"1.0\n2.0"_qs, 0},   {u"inf"_qs, 0},          {u"nan"_qs, 0},
        {u"1e999"_qs, 0},      {u"1,000.5"_qs, 0},      {u"0x10"_qs, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::parseToolNumber(c.text), c.value) << c.text.toStdString();
}

TEST(MediaProbe, ClipsGiveDurationAndSound)
{
    struct Case
    {
        Media media;
        bool hasSound;
        int probeRuns; // three when the video stream reports no duration
    };
    const Case cases[] = {
        {Media::ClipWithSound, true, 2},
        {Media::SilentClip, false, 2},
        {Media::SoundFirstClip, true, 2},
        {Media::MatroskaClip, false, 3},
    };
    for (const Case& c : cases) {
        const QString clip = mediaFixture(c.media);
        ASSERT_FALSE(clip.isEmpty());
        tooltest::HostInTempDir env;
        double duration = -1;
        bool hasSound = !c.hasSound;
        EXPECT_TRUE(render::ProbeVideoClip(env.host, clip, duration, hasSound)) << clip.toStdString();
        EXPECT_NEAR(duration, 1.0, 0.05) << clip.toStdString();
        EXPECT_EQ(hasSound, c.hasSound) << clip.toStdString();
        EXPECT_EQ(countRuns(env.host.MemoLog(), u"ffprobe"_qs), c.probeRuns) << clip.toStdString();
        EXPECT_EQ(env.host.MemoLog().filter(u"Exitcode"_qs).size(), 0);
    }
}

TEST(MediaProbe, ArgumentTextsAsLogged)
{
    const QString clip = mediaFixture(Media::SilentClip);
    ASSERT_FALSE(clip.isEmpty());
    tooltest::HostInTempDir env;
    double duration = 0;
    bool hasSound = false;
    render::ProbeVideoClip(env.host, clip, duration, hasSound);
    // The fixture folder's name holds double quotes and a backslash: they are escaped so
    // that the tool receives the path unchanged.
    const QString quoted = u'"' + QString(clip).replace(u"\""_qs, u"\\\""_qs) + u'"';
    EXPECT_EQ(env.host.MemoLog(),
              (QStringList{u"> ffprobe -v error -select_streams v:0 -show_entries stream=duration "
                           "-of default=nw=1:nk=1 "_qs + quoted,
                           u"> ffprobe -v error -select_streams a:0 -show_entries "
                           "stream=codec_type -of default=nw=1:nk=1 "_qs + quoted}));

    const QString plain = env.host.AppDataDir() + u"plain.mp4"_qs;
    ASSERT_TRUE(QFile::copy(clip, plain));
    const QString target = env.host.AppDataDir() + u"last.png"_qs;
    env.host.clearLog();
    ASSERT_TRUE(render::ExtractClipFrame(env.host, plain, target, 320, 240, false, true, true));
    EXPECT_EQ(env.host.MemoLog(),
              QStringList{u"> ffmpeg -y -sseof -0.5 -i \""_qs + plain + u"\" -an -vf \""_qs +
                          render::BuildFitFilter(320, 240, false, true) +
                          u"\" -update 1 -loglevel error \""_qs + target + u'"'});
}

TEST(MediaProbe, MediaDurationOfMusicAndOfNonMedia)
{
    const QString music = mediaFixture(Media::Music);
    ASSERT_FALSE(music.isEmpty());
    tooltest::HostInTempDir env;
    EXPECT_NEAR(render::GetMediaDurationFFProbe(env.host, music), 2.5, 0.1);
    EXPECT_EQ(env.host.MemoLog().size(), 1);

    const QString text = env.host.AppDataDir() + u"not media.mp4"_qs;
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("hello");
    file.close();
    env.host.clearLog();
    EXPECT_EQ(render::GetMediaDurationFFProbe(env.host, text), 0.0);
    ASSERT_GE(env.host.MemoLog().size(), 2);
    // The tool's own complaint lands in the log after the exit code.
    EXPECT_TRUE(env.host.MemoLog()[1].startsWith(u"Exitcode 1: "_qs));
    EXPECT_GT(env.host.MemoLog()[1].size(), 12);

    double duration = 5;
    bool hasSound = true;
    EXPECT_FALSE(render::ProbeVideoClip(env.host, text, duration, hasSound));
    EXPECT_EQ(duration, 0.0);
    EXPECT_FALSE(hasSound);
}

TEST(MediaProbe, AudioDurationIsNotLogged)
{
    const QString music = mediaFixture(Media::Music);
    ASSERT_FALSE(music.isEmpty());
    tooltest::HostInTempDir env;
    EXPECT_NEAR(render::GetAudioDurationFFProbe(env.host, render::GetFFProbePath(), music), 2.5, 0.1);
    EXPECT_EQ(render::GetAudioDurationFFProbe(env.host, render::GetFFProbePath(),
                                              env.host.AppDataDir() + u"missing.mp3"_qs),
              0.0);
    EXPECT_EQ(render::GetAudioDurationFFProbe(env.host, env.host.AppDataDir() + u"no ffprobe"_qs,
                                              music),
              0.0);
    EXPECT_TRUE(env.host.MemoLog().isEmpty());
}

// Scoped German number formats, for the C library where the locale is installed and
// for Qt always.
class GermanLocale
{
public:
    GermanLocale()
        : m_previousC(std::setlocale(LC_ALL, nullptr))
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_cLocaleSet = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale()
    {
        std::setlocale(LC_ALL, m_previousC.c_str());
        QLocale::setDefault(m_previousQt);
    }
    bool cLocaleSet() const { return m_cLocaleSet; }

private:
    std::string m_previousC;
    QLocale m_previousQt;
    bool m_cLocaleSet = false;
};

TEST(MediaProbe, NumbersReadTheSameUnderAGermanLocale)
{
    const QString clip = mediaFixture(Media::MatroskaClip);
    const QString music = mediaFixture(Media::Music);
    ASSERT_FALSE(clip.isEmpty());
    ASSERT_FALSE(music.isEmpty());
    GermanLocale german;
    EXPECT_EQ(QLocale().toString(1.5), u"1,5"_qs);
    if (german.cLocaleSet())
        EXPECT_EQ(std::strtod("1,5", nullptr), 1.5);
    else
        GTEST_LOG_(INFO) << "de_DE.UTF-8 is not installed: only Qt's locale is German";

    tooltest::HostInTempDir env;
    double duration = 0;
    bool hasSound = true;
    EXPECT_TRUE(render::ProbeVideoClip(env.host, clip, duration, hasSound));
    EXPECT_NEAR(duration, 1.0, 0.05);
    EXPECT_NEAR(render::GetAudioDurationFFProbe(env.host, render::GetFFProbePath(), music), 2.5, 0.1);
    EXPECT_EQ(render::parseToolNumber(u"2.5"_qs), 2.5);
    EXPECT_EQ(render::parseToolNumber(u"2,5"_qs), 0.0);
}

TEST(MediaProbe, ExtractedFramesAreFittedFirstAndLast)
{
    const QString clip = mediaFixture(Media::ClipWithSound); // red, then blue
    ASSERT_FALSE(clip.isEmpty());
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb black = qRgb(0, 0, 0);
    struct Case
    {
        bool stretch, blur, fromEnd;
        QRgb centre, top; // the 160×90 clip sits in a 320×240 frame: rows 0..29 are bars
    };
    const Case cases[] = {
        {false, false, false, red, black},
        {false, false, true, blue, black},
        {true, false, false, red, red},
        {false, true, false, red, red},
        {false, true, true, blue, blue},
        {true, true, true, blue, blue},
    };
    tooltest::HostInTempDir env;
    const QString target = env.host.AppDataDir() + u"frame 'a'.png"_qs;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.stretch << c.blur << c.fromEnd);
        ASSERT_TRUE(render::ExtractClipFrame(env.host, clip, target, 320, 240, c.stretch, c.blur,
                                             c.fromEnd));
        const QImage frame(target);
        ASSERT_EQ(frame.size(), QSize(320, 240));
        EXPECT_TRUE(near(frame.pixel(160, 120), c.centre));
        EXPECT_TRUE(near(frame.pixel(160, 5), c.top));
    }
    EXPECT_TRUE(env.host.MemoLog().filter(u"Exitcode"_qs).isEmpty());
}

TEST(MediaProbe, AFailedGrabLeavesNoOldPicture)
{
    tooltest::HostInTempDir env;
    const QString target = env.host.AppDataDir() + u"first.png"_qs;
    QImage(8, 8, QImage::Format_RGB888).save(target);
    EXPECT_FALSE(render::ExtractClipFrame(env.host, env.host.AppDataDir() + u"missing.mp4"_qs,
                                          target, 64, 48, false, false, false));
    EXPECT_FALSE(QFileInfo::exists(target));
    ASSERT_EQ(env.host.MemoLog().size(), 2);
    EXPECT_TRUE(env.host.MemoLog()[1].startsWith(u"Exitcode "_qs));
}

TEST(MediaProbe, ThumbnailsAreMadeOncePerClipVersion)
{
    const QString source = mediaFixture(Media::SilentClip);
    ASSERT_FALSE(source.isEmpty());
    tooltest::HostInTempDir env;
    const QString clip = env.host.AppDataDir() + u"clip 'ä'.mp4"_qs;
    ASSERT_TRUE(QFile::copy(source, clip));

    const QString first = render::GetVideoThumbnail(env.host, clip);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(QFileInfo(first).absolutePath() + u'/', env.host.AppDataDir() + u"cache/"_qs);
    EXPECT_TRUE(QFileInfo(first).fileName().contains(QRegularExpression(u"^[0-9A-F]{8}\\.jpg$"_qs)));
    EXPECT_EQ(QImage(first).size(), QSize(160, 90));
    EXPECT_EQ(render::GetVideoThumbnail(env.host, clip), first);
    EXPECT_EQ(countRuns(env.host.MemoLog(), u"ffmpeg"_qs), 1);

    // Touched on disk: a new version, a new file; the old one stays.
    QFile file(clip);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QFileInfo(clip).lastModified().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();
    const QString touched = render::GetVideoThumbnail(env.host, clip);
    EXPECT_FALSE(touched.isEmpty());
    EXPECT_NE(touched, first);
    EXPECT_TRUE(QFileInfo::exists(first));

    // The same file under another name is another clip.
    const QString copy = env.host.AppDataDir() + u"copy.mp4"_qs;
    ASSERT_TRUE(QFile::copy(clip, copy));
    const QString copied = render::GetVideoThumbnail(env.host, copy);
    EXPECT_FALSE(copied.isEmpty());
    EXPECT_NE(copied, touched);
    EXPECT_EQ(countRuns(env.host.MemoLog(), u"ffmpeg"_qs), 3);

    EXPECT_TRUE(render::GetVideoThumbnail(env.host, env.host.AppDataDir() + u"gone.mp4"_qs).isEmpty());
    EXPECT_EQ(countRuns(env.host.MemoLog(), u"ffmpeg"_qs), 3);
}

TEST(MediaProbe, ThumbnailsAreAtMost1280Wide)
{
    const QString clip = mediaFixture(Media::WideClip); // 2000×1126
    ASSERT_FALSE(clip.isEmpty());
    tooltest::HostInTempDir env;
    const QImage thumbnail(render::GetVideoThumbnail(env.host, clip));
    EXPECT_EQ(thumbnail.width(), 1280);
    EXPECT_EQ(thumbnail.height() % 2, 0);
    EXPECT_NEAR(thumbnail.height(), 1126.0 * 1280 / 2000, 2);
}

TEST(MediaProbe, AFailedThumbnailRunLeavesNothingInTheCache)
{
    tooltest::HostInTempDir env;
    const QString clip = env.host.AppDataDir() + u"broken.mp4"_qs;
    QFile file(clip);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a video");
    file.close();
    EXPECT_TRUE(render::GetVideoThumbnail(env.host, clip).isEmpty());
    EXPECT_TRUE(QDir(env.host.AppDataDir() + u"cache"_qs).isEmpty());
}

TEST(MediaProbe, CacheKeysAndTheirHash)
{
    struct Case
    {
        QString key;
        QString hash;
    };
    const Case cases[] = {
        {u""_qs, u"811C9DC5"_qs},
        {u"a"_qs, u"E40C292C"_qs},
        {u"foobar"_qs, u"BF9CF968"_qs},
        {u"€"_qs, u"A93E2C4B"_qs},  // one 16-bit code unit above 0xFF
        {u"ä"_qs, u"610B5AF3"_qs},
        {u"😀"_qs, u"CB31C4B8"_qs}, // two code units
        {u"C:\\Videos\\clip.mp4|2024-01-02 10:11:12"_qs, u"DEAFF05C"_qs},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::HashCacheKey(c.key), c.hash) << c.key.toStdString();

    // The time in the key is exact to the millisecond and tells instants apart.
    const QDateTime time(QDate(2024, 3, 31), QTime(10, 11, 12, 345));
    const QString key = render::thumbnailCacheKey(u"/v/a.mp4"_qs, time);
    EXPECT_TRUE(key.contains(QRegularExpression(
        u"^/v/a\\.mp4\\|2024-03-31T10:11:12\\.345(Z|[+-]\\d\\d:\\d\\d)$"_qs)))
        << key.toStdString();
    EXPECT_NE(render::thumbnailCacheKey(u"/v/a.mp4"_qs, time.addMSecs(1)), key);
    EXPECT_NE(render::thumbnailCacheKey(u"/v/b.mp4"_qs, time), key);
}
