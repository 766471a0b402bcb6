#include "project/projectfile.h"
#include "project/slidelist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::project;

namespace {

const VersionNumbers kVersion{2, 2, 0, 1};

struct ProjectFixture : ::testing::Test
{
    QTemporaryDir dir;

    QString media(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }
    QString write(const QByteArray& bytes, const QString& name = u"p.vrj"_qs)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return path;
    }
    QByteArray read(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // A project file from "\n"-separated lines, with the given line break.
    QByteArray lines(QString text, const QString& lineBreak = u"\r\n"_qs)
    {
        text.replace(u'\n', lineBreak);
        return text.toUtf8();
    }
};

} // namespace

TEST_F(ProjectFixture, WriterProducesTheFileLineForLine)
{
    SlideList slides;
    slides.appendFile(u"/m/a.jpg"_qs);
    slides.appendFile(u"/m/b.mp4"_qs);
    TMyImageInfo& r = slides.settingsOnDemand(0);
    r.Duration = 2;
    r.Transition = 1;
    r.TransitionDuration = 0;
    r.BlurBackground = true;
    r.Subtitle = u"{\\rtf1 ä}"_qs;
    r.SubtitleEdit = u"ABCD"_qs;
    r.FontColor = 0x0000FF;
    OutputSettings out;
    out.MusicIndex = 0;
    out.MusicFiles = {u"/m/1.mp3"_qs, u"/m/2.mp3"_qs};
    out.OutputFile = u"/v/Show.mp4"_qs;

    const QByteArray expected =
        "[Settings]\r\nVersion=2201\r\nResolutionIndex=0\r\nResolutionX=1920\r\nResolutionY=1080\r\n"
        "MusicIndex=0\r\nMusicRepeat=1\r\nMusicFile=/m/1.mp3|/m/2.mp3\r\nOutputFile=/v/Show.mp4\r\n"
        "\r\n"
        "[Image0]\r\nFilename=/m/a.jpg\r\nDuration=2\r\nTransition=1\r\n"
        "TransitionName=iettCrossDissolve\r\nTransitionDuration=0\r\nStretch=False\r\n"
        "BlurBackground=True\r\nSubtitle=RTF:7B5C7274663120C3A47D\r\nSubtitleEdit=ABCD\r\n"
        "Font=Tahoma\r\nFontColor=clRed\r\nFontSize=1\r\nAudioMode=0\r\n\r\n"
        "[Image1]\r\nFilename=/m/b.mp4\r\nDuration=4\r\nTransition=0\r\nTransitionName=iettNone\r\n"
        "TransitionDuration=2\r\nStretch=False\r\nBlurBackground=False\r\nSubtitle=\r\n"
        "SubtitleEdit=\r\nFont=Tahoma\r\nFontColor=$00FFFFFF\r\nFontSize=0\r\nAudioMode=0\r\n\r\n";
    EXPECT_EQ(buildProjectFile(slides, out, kVersion), expected);

    SlideList empty;
    EXPECT_EQ(buildProjectFile(empty, out, kVersion), expected.left(expected.indexOf("[Image0]")));

    r.Transition = 251;
    EXPECT_TRUE(buildProjectFile(slides, out, kVersion).contains("TransitionName=\r\n"));
}

TEST_F(ProjectFixture, RoundTripIsByteIdenticalAndKeepsEveryField)
{
    SlideList slides;
    for (int i = 0; i < 3; ++i) {
        slides.appendFile(media(QStringLiteral("s%1.jpg").arg(i)));
        TMyImageInfo& r = slides.settingsOnDemand(i);
        r.Duration = 16 - i;
        r.Transition = 200 + i;
        r.TransitionDuration = 9 - i;
        r.Stretch = i == 1;
        r.BlurBackground = i == 2;
        r.Subtitle = i == 0 ? u"{\\rtf1\\ansi Zeile\\par »x«}"_qs : u"plain"_qs;
        r.SubtitleEdit = u"00FF"_qs;
        r.Font = u"DejaVu Sans"_qs;
        r.FontColor = 0x123456 * i;
        r.FontSize = i;
        r.AudioMode = i;
    }
    OutputSettings out;
    out.ResolutionIndex = 7;
    out.ResolutionX = u"640"_qs;
    out.ResolutionY = u"36x"_qs;
    out.MusicIndex = 0;
    out.MusicRepeat = 0;
    out.MusicFiles = {u"/z.mp3"_qs, u"/a.mp3"_qs, u"/m.mp3"_qs};
    out.OutputFile = u"/ü/Show.mp4"_qs;

    const QByteArray first = buildProjectFile(slides, out, kVersion);
    ASSERT_TRUE(saveProjectFile(dir.filePath(u"a.vrj"_qs), first).ok);
    SlideList loaded;
    OutputSettings loadedOut;
    const LoadResult result = readProjectFile(dir.filePath(u"a.vrj"_qs), loaded, loadedOut);
    ASSERT_EQ(result.status, LoadResult::Status::Loaded);
    ASSERT_EQ(loaded.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.fileName(i), slides.fileName(i));
        EXPECT_EQ(*loaded.settings(i), *slides.settings(i)) << i;
    }
    EXPECT_EQ(loadedOut, out);
    EXPECT_EQ(buildProjectFile(loaded, loadedOut, kVersion), first);
}

TEST_F(ProjectFixture, ReaderRulesForValues)
{
    const QString a = media(u"a.jpg"_qs);
    const QString path = write(lines(
        u"[Settings]\nMusicFile=C:\\a.mp3| |C:\\b.mp3|\"q|uoted\"\" \"|\nResolutionX=1280\n"
        "[Image0]\nFilename=%1\nTransitionName=iettFadeIn\nTransition=1\nStretch=1\nSubtitle=RTF:7B5C72746631\n"
        "[Image1]\nFilename=%1\nTransitionName=iettfadein\nStretch=yes\nFontColor=255\n"
        "[Image2]\nFilename=%1\nTransitionName=Nonsense\nTransition=5\nFontColor=clRed\nSubtitle=Hello\n"
        "[Image3]\nFilename=%1\nDuration=99999999999\nFontColor=$000000FF\nFontSize=x\n"_qs.arg(a)));
    SlideList slides;
    OutputSettings out;
    ASSERT_EQ(readProjectFile(path, slides, out).status, LoadResult::Status::Loaded);
    ASSERT_EQ(slides.count(), 4);
    EXPECT_EQ(slides.settings(0)->Transition, 3);
    EXPECT_EQ(slides.settings(1)->Transition, 3);
    EXPECT_EQ(slides.settings(2)->Transition, 5);
    EXPECT_TRUE(slides.settings(0)->Stretch);
    EXPECT_FALSE(slides.settings(1)->Stretch);
    EXPECT_EQ(slides.settings(0)->Subtitle, u"{\\rtf1"_qs);
    EXPECT_EQ(slides.settings(2)->Subtitle, u"Hello"_qs);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(slides.settings(i)->FontColor, 0x0000FFu) << i;
    // Missing keys take the reader's defaults; unreadable numbers too.
    const TMyImageInfo& d = *slides.settings(3);
    EXPECT_EQ(d.Duration, 4);
    EXPECT_EQ(d.TransitionDuration, 2);
    EXPECT_EQ(d.FontSize, 1);
    EXPECT_EQ(d.Font, u"Tahoma"_qs);
    EXPECT_EQ(slides.settings(0)->FontColor, 0xFFFFFFu);
    EXPECT_EQ(out.MusicFiles,
              (QStringList{u"C:\\a.mp3"_qs, u"C:\\b.mp3"_qs, u"q|uoted\""_qs}));
    EXPECT_EQ(out.ResolutionX, u"1280"_qs);
    EXPECT_EQ(out.ResolutionY, u"1080"_qs);
    EXPECT_EQ(out.MusicIndex, 1);
}

TEST_F(ProjectFixture, SlideSectionsEndAtTheFirstGap)
{
    const QString a = media(u"a.jpg"_qs);
    SlideList slides;
    OutputSettings out;
    readProjectFile(write(lines(u"[Image1]\nFilename=%1\n"_qs.arg(a))), slides, out);
    EXPECT_EQ(slides.count(), 0);
    readProjectFile(write(lines(u"[Image0]\nFilename=%1\n[Image2]\nFilename=%1\n"_qs.arg(a))),
                    slides, out);
    EXPECT_EQ(slides.count(), 1);
}

TEST_F(ProjectFixture, LoadsAnyLineBreakEncodingAndKeyCase)
{
    const QString a = media(u"ä b.jpg"_qs);
    const QString text = u"[SETTINGS]\nresolutionindex=3\n[image0]\nFILENAME=%1\nduration=7\n"_qs.arg(a);
    QByteArray utf16(QByteArray("\xFF\xFE", 2));
    const QString crlf = QString(text).replace(u'\n', u"\r\n"_qs);
    utf16.append(reinterpret_cast<const char*>(crlf.utf16()), crlf.size() * 2);
    const std::vector<QByteArray> variants = {
        lines(text, u"\r\n"_qs), lines(text, u"\n"_qs), lines(text, u"\r"_qs),
        "\xEF\xBB\xBF" + lines(text), utf16,
        lines(u"[Settings]\r\nResolutionIndex=3\n[Image0]\rFilename=%1\r\nDuration=7"_qs.arg(a)),
    };
    for (size_t i = 0; i < variants.size(); ++i) {
        SlideList slides;
        OutputSettings out;
        ASSERT_EQ(readProjectFile(write(variants[i]), slides, out).status,
                  LoadResult::Status::Loaded);
        ASSERT_EQ(slides.count(), 1) << i;
        EXPECT_EQ(slides.fileName(0), a) << i;
        EXPECT_EQ(slides.settings(0)->Duration, 7) << i;
        EXPECT_EQ(out.ResolutionIndex, 3) << i;
    }
}

TEST_F(ProjectFixture, MissingMediaIsSkippedOrEndsTheLoad)
{
    const QString a = media(u"a.jpg"_qs);
    const QString path = write(lines(
        u"[Settings]\nResolutionIndex=2\n[Image0]\nFilename=%1\n[Image1]\nFilename=%2\n"
        "[Image2]\nFilename=%1\n[Image3]\n"_qs.arg(a, dir.filePath(u"gone.jpg"_qs))));
    QStringList asked;
    LoadCallbacks skip;
    skip.onMissingMedia = [&](const QString& f) {
        asked << f;
        return MissingMediaAnswer::Skip;
    };
    SlideList slides;
    OutputSettings out;
    LoadResult result = readProjectFile(path, slides, out, skip);
    EXPECT_EQ(result.status, LoadResult::Status::Loaded);
    EXPECT_EQ(slides.count(), 2);
    EXPECT_EQ(asked, (QStringList{dir.filePath(u"gone.jpg"_qs), QString()}));
    EXPECT_EQ(out.ResolutionIndex, 2);

    LoadCallbacks abort;
    abort.onMissingMedia = [](const QString&) { return MissingMediaAnswer::Abort; };
    SlideList aborted;
    OutputSettings untouched;
    untouched.OutputFile = u"kept"_qs;
    result = readProjectFile(path, aborted, untouched, abort);
    EXPECT_EQ(result.status, LoadResult::Status::Aborted);
    EXPECT_EQ(aborted.count(), 0);
    EXPECT_EQ(untouched.OutputFile, u"kept"_qs);
    EXPECT_EQ(untouched.ResolutionIndex, 0);
}

TEST_F(ProjectFixture, RefusesOrSurvivesFilesThatAreNoProject)
{
    SlideList slides;
    OutputSettings out;
    EXPECT_EQ(readProjectFile(dir.filePath(u"none.vrj"_qs), slides, out).status,
              LoadResult::Status::FileNotFound);

    QByteArray junk;
    for (int i = 0; i < 70000; ++i)
        junk.append(char((i * 7919) % 256));
    junk.append("\n[Image0\n[Image0]]\nFilename=" + QByteArray(100000, 'x') + "\n");
    EXPECT_EQ(readProjectFile(write(junk), slides, out).status, LoadResult::Status::Loaded);
    EXPECT_EQ(slides.count(), 0);

    QFile huge(dir.filePath(u"huge.vrj"_qs));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kMaxProjectFileBytes + 1)); // sparse
    huge.close();
    const LoadResult refused = readProjectFile(huge.fileName(), slides, out);
    EXPECT_EQ(refused.status, LoadResult::Status::Unreadable);
    EXPECT_FALSE(refused.error.isEmpty());
}

TEST_F(ProjectFixture, SavingReplacesTheOldFileWholeOrNotAtAll)
{
    const QString path = write("old project");
    ASSERT_TRUE(saveProjectFile(path, "new").ok);
    EXPECT_EQ(read(path), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left over

    const SaveResult failed = saveProjectFile(dir.filePath(u"missing/folder/p.vrj"_qs), "x");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
    const SaveResult onFolder = saveProjectFile(dir.path(), "x");
    EXPECT_FALSE(onFolder.ok);
    EXPECT_EQ(read(path), "new");
}
