#include "project/mediakind.h"
#include "project/optionlists.h"
#include "project/recordcreation.h"
#include "project/slidelist.h"
#include "project/transitioncatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::project;

namespace {

// A folder with empty media files named a.jpg, b.jpg, ...
struct MediaFolder
{
    QTemporaryDir dir;
    QString file(int i) const { return dir.filePath(QString(QChar(u'a' + i)) + u".jpg"_qs); }
    explicit MediaFolder(int count)
    {
        for (int i = 0; i < count; ++i) {
            QFile f(file(i));
            f.open(QIODevice::WriteOnly);
        }
    }
    QStringList files(int count) const
    {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << file(i);
        return list;
    }
};

// Marks slide i's record with Duration = 100 + i so that moves can be followed.
void tagRecords(SlideList& slides)
{
    for (int i = 0; i < slides.count(); ++i)
        slides.settingsOnDemand(i).Duration = 100 + i;
}

std::vector<int> durations(const SlideList& slides)
{
    std::vector<int> d;
    for (int i = 0; i < slides.count(); ++i)
        d.push_back(slides.settings(i) ? slides.settings(i)->Duration : -1);
    return d;
}

} // namespace

TEST(IsVideoFile, LooksAtTheExtensionOnly)
{
    const std::vector<std::pair<const char*, bool>> cases = {
        {"Holiday.MP4", true},        {"clip.Mts", true},      {"x.m2ts", true},
        {"/a.mp4/photo.jpeg", false}, {"archive.mp4.jpg", false}, {"README", false},
        {"dir.avi/README", false},    {"trailing.", false},    {"movie.webm", true},
    };
    for (const auto& [name, video] : cases)
        EXPECT_EQ(IsVideoFile(QString::fromUtf8(name)), video) << name;
}

TEST(MediaMask, LastThirteenEntriesAreTheVideoExtensions)
{
    EXPECT_EQ(mediaExtensions().size(), 58);
    EXPECT_EQ(videoExtensions().size(), 13);
    for (const QString& ext : videoExtensions())
        EXPECT_TRUE(IsVideoFile(u"x."_qs + ext)) << ext.toStdString();
    for (const QString& ext : pictureExtensions())
        EXPECT_FALSE(IsVideoFile(u"x."_qs + ext)) << ext.toStdString();
}

TEST(OptionLists, PositionsBecomeSecondsAndMilliseconds)
{
    EXPECT_EQ(displaySecondsOfDuration(0), 1);
    EXPECT_EQ(displaySecondsOfDuration(4), 5);
    EXPECT_EQ(displaySecondsOfDuration(16), 60);
    EXPECT_EQ(displaySecondsOfDuration(17), 5);
    EXPECT_EQ(displaySecondsOfDuration(-1), 5);
    EXPECT_EQ(transitionMsOfPosition(0), 500);
    EXPECT_EQ(transitionMsOfPosition(9), 2750);
    EXPECT_EQ(transitionMsOfPosition(12), 3500);
    EXPECT_EQ(transitionMsOfPosition(INT32_MAX), 500 + 250 * std::int64_t(INT32_MAX));
    EXPECT_EQ(audioModeOf(2), AudioMode::OwnSoundAndMusic);
    EXPECT_EQ(audioModeOf(7), AudioMode::OwnSound);
    EXPECT_EQ(audioModeOf(-1), AudioMode::OwnSound);
}

TEST(TransitionCatalogue, OrdinalsAndIdentifiersMapBothWays)
{
    EXPECT_EQ(transitionIdentifier(0), u"iettNone"_qs);
    EXPECT_EQ(transitionIdentifier(3), u"iettFadeIn"_qs);
    EXPECT_EQ(transitionIdentifier(240), u"iettCubeRotateFromBottom2"_qs);
    EXPECT_EQ(transitionIdentifier(250), u"iettPanZoom"_qs);
    EXPECT_TRUE(transitionIdentifier(251).isEmpty());
    EXPECT_TRUE(transitionIdentifier(-1).isEmpty());
    for (int i = 0; i < kTransitionCount; ++i)
        EXPECT_EQ(transitionOrdinal(transitionIdentifier(i)), i);
    EXPECT_EQ(transitionOrdinal(u"IETTFADEIN"_qs), 3);
    EXPECT_FALSE(transitionOrdinal(u"Nonsense"_qs).has_value());
    EXPECT_EQ(transitionListName(1), u"CrossDissolve"_qs);
}

TEST(SlideList, InsertsOnlyExistingFilesAtThePosition)
{
    MediaFolder media(4);
    SlideList slides;
    EXPECT_EQ(slides.insertFiles({media.file(0), media.file(3)}, 0), 2);
    EXPECT_EQ(slides.insertFiles({media.file(1), media.dir.path(), u"/no/such.jpg"_qs,
                                  media.file(2)},
                                 1),
              2);
    EXPECT_EQ(slides.fileNames(), media.files(4));
    EXPECT_EQ(slides.settings(0), nullptr); // dropped files carry no record
    EXPECT_EQ(slides.appendFile(u"/missing/but/appended.jpg"_qs), 4);
}

TEST(SlideList, MovesKeepRecordsWithTheirItems)
{
    MediaFolder media(6);
    SlideList slides;
    slides.insertFiles(media.files(6), 0);
    tagRecords(slides);

    // Slides 1 and 3 dropped before slide 5 of six.
    slides.moveSelection({3, 1}, 5);
    EXPECT_EQ(durations(slides), (std::vector<int>{100, 102, 104, 101, 103, 105}));
    EXPECT_EQ(slides.fileName(3), media.file(1));

    // To the front and to the end.
    slides.moveSelection({5}, 0);
    EXPECT_EQ(durations(slides), (std::vector<int>{105, 100, 102, 104, 101, 103}));
    slides.moveSelection({0, 1}, slides.count());
    EXPECT_EQ(durations(slides), (std::vector<int>{102, 104, 101, 103, 105, 100}));
    // Onto itself: nothing changes.
    slides.moveSelection({2}, 2);
    slides.moveSelection({2}, 3);
    EXPECT_EQ(durations(slides), (std::vector<int>{102, 104, 101, 103, 105, 100}));
}

TEST(SlideList, DeleteAndClearRemoveItemsWithTheirRecords)
{
    MediaFolder media(4);
    SlideList slides;
    slides.insertFiles(media.files(4), 0);
    tagRecords(slides);
    slides.deleteSelection({2, 0, 2, 9});
    EXPECT_EQ(durations(slides), (std::vector<int>{101, 103}));
    slides.clear();
    EXPECT_EQ(slides.count(), 0);
}

TEST(RecordCreation, EachPathStartsFromItsOwnValues)
{
    const auto edit = newRecordForStep2Edit();
    EXPECT_EQ(edit->Duration, 4);
    EXPECT_EQ(edit->TransitionDuration, 2);
    EXPECT_EQ(edit->Font, u"Tahoma"_qs);
    EXPECT_EQ(edit->FontColor, kWhite);
    EXPECT_EQ(edit->FontSize, 1);

    MediaFolder media(3);
    SlideList slides;
    slides.insertFiles(media.files(3), 0);
    slides.settingsOnDemand(1).Transition = 17;
    slides.settings(1)->Subtitle = u"kept"_qs;

    applyViewSettingsToAll(slides, 7, true, false);
    const TMyImageInfo* fresh = slides.settings(0);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->Duration, 7);
    EXPECT_TRUE(fresh->Stretch);
    EXPECT_EQ(fresh->TransitionDuration, 2);
    EXPECT_EQ(fresh->FontColor, 0u);
    EXPECT_EQ(fresh->FontSize, 0);
    EXPECT_EQ(slides.settings(1)->Transition, 17);
    EXPECT_EQ(slides.settings(1)->Subtitle, u"kept"_qs);
    EXPECT_EQ(slides.settings(1)->Duration, 7);

    SlideList others;
    others.insertFiles(media.files(2), 0);
    applyEffectSettingsToAll(others, 5, 8);
    EXPECT_EQ(others.settings(0)->Duration, 4);
    EXPECT_EQ(others.settings(0)->Transition, 5);
    EXPECT_EQ(others.settings(0)->TransitionDuration, 8);
    EXPECT_EQ(others.settings(0)->Font, u"Tahoma"_qs);
}

TEST(RecordCreation, AutomaticEffectsDrawForEverySlideOfTheTarget)
{
    MediaFolder media(4);
    SlideList slides;
    slides.insertFiles(media.files(4), 0);
    slides.settingsOnDemand(1).Transition = 17;
    slides.settings(1)->TransitionDuration = 9;

    int draws = 0;
    auto pick = [&draws] { return 30 + draws++; };
    applyAutomaticEffects(slides, AutoEffectTarget::SlidesWithoutEffect, 0, 3, pick);
    EXPECT_EQ(draws, 4); // one number per slide, kept effects included
    EXPECT_EQ(slides.settings(0)->Transition, 30);
    EXPECT_EQ(slides.settings(1)->Transition, 17);
    EXPECT_EQ(slides.settings(1)->TransitionDuration, 9);
    EXPECT_EQ(slides.settings(2)->Transition, 32);
    EXPECT_EQ(slides.settings(2)->Duration, 4);
    EXPECT_EQ(slides.settings(2)->TransitionDuration, 3);
    EXPECT_EQ(slides.settings(3)->FontColor, 0u);

    applyAutomaticEffects(slides, AutoEffectTarget::CurrentSlide, 1, 5, pick);
    EXPECT_EQ(draws, 5);
    EXPECT_EQ(slides.settings(1)->Transition, 34);
    EXPECT_EQ(slides.settings(1)->TransitionDuration, 5);

    applyAutomaticEffects(slides, AutoEffectTarget::AllSlides, 0, 1, [] { return 0; });
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(slides.settings(i)->Transition, 0);
}
