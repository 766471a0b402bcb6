#include "render/export/timeline.h"

#include <QString>

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>

using namespace vistarel;
using namespace vistarel::render;
using project::TMyImageInfo;

namespace {

TMyImageInfo record(int transition, int transitionDuration, int duration, bool stretch = false,
                    bool blur = false)
{
    TMyImageInfo r;
    r.Transition = transition;
    r.TransitionDuration = transitionDuration;
    r.Duration = duration;
    r.Stretch = stretch;
    r.BlurBackground = blur;
    return r;
}

} // namespace

TEST(Timeline, SlideSettingsFromRecordOrDefaults)
{
    const TMyImageInfo plain = record(7, 0, 2);
    const TMyImageInfo stretchedAndBlurred = record(300, 4, 16, true, true);
    const TMyImageInfo blurred = record(0, 9, 99, false, true);
    struct Case
    {
        const TMyImageInfo* record;
        bool first;
        SlideSettings expected;
    };
    const Case cases[] = {
        {nullptr, true, {3, 1000, 5, false, false}},
        {nullptr, false, {0, 1000, 5, false, false}},
        {&plain, true, {7, 500, 3, false, false}},
        // Only the lowest 8 bits of the effect count; stretch switches the blur off.
        {&stretchedAndBlurred, false, {300 & 0xFF, 1500, 60, true, false}},
        // A duration position without entry shows the slide for 5 s.
        {&blurred, false, {0, 2750, 5, false, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolveSlideSettings(c.record, c.first), c.expected)
            << (c.record ? c.record->Transition : -1) << " first " << c.first;
}

TEST(Timeline, TransitionFrameCounts)
{
    const int expected[] = {12, 19, 25, 31, 38, 44, 50, 56, 62, 69};
    for (int position = 0; position < 10; ++position)
        EXPECT_EQ(transitionFrameCount(500 + 250 * position), expected[position]) << position;
    EXPECT_EQ(transitionFrameCount(3500), 88); // position 12 from a project file
    EXPECT_EQ(transitionFrameCount(20), 2);
    EXPECT_EQ(transitionFrameCount(-750), 2);
    EXPECT_EQ(transitionFrameCount(std::int64_t(1) << 50), INT_MAX);
}

TEST(Timeline, FrameTotalCountsEveryTransitionButOnlyListedDurations)
{
    const TMyImageInfo farTransition = record(1, 12, 2);  // 3500 ms rendered, 1000 counted
    const TMyImageInfo noEffect = record(0, 0, 0);         // 500 ms counted though effect 0
    const std::vector<SlideFacts> slides = {
        {nullptr, false, 0},       // 25 + 125
        {&farTransition, false, 0}, // 25 + 75
        {&noEffect, false, 0},      // 12 + 25
        {nullptr, true, 10.02},     // 25 + 250.5 -> 250 (half to even)
    };
    EXPECT_EQ(estimateFrameTotal(slides), 150 + 100 + 37 + 275);
}

TEST(Timeline, ConcatLines)
{
    EXPECT_EQ(concatFileLine(u"/w/frame_00000001.jpg"_qs), u"file '/w/frame_00000001.jpg'"_qs);
    // A single quote ends the quoted part, is escaped, and a new quoted part begins.
    EXPECT_EQ(concatFileLine(u"/a/it's/b"_qs), u"file '/a/it'\\''s/b'"_qs);
    EXPECT_EQ(concatDurationLine(5), u"duration 5.00000"_qs);
    EXPECT_EQ(concatDurationLine(0.04), u"duration 0.04000"_qs);
    EXPECT_EQ(fallbackDurationLine(), u"duration 0.04"_qs);

    // Numbers keep their point under a locale with a decimal comma.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(concatDurationLine(3), u"duration 3.00000"_qs);
    EXPECT_DOUBLE_EQ(sumListDurations({u"duration 1.5"_qs}), 1.5);
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(Timeline, ListSumsAndClosing)
{
    const QStringList run = {u"file 'a'"_qs, u"duration 0.04000"_qs, u"file 'b'"_qs,
                             u"duration x"_qs, u"file 'c'"_qs, u"duration 3.00000"_qs};
    EXPECT_DOUBLE_EQ(sumListDurations(run), 3.04);
    EXPECT_EQ(closedRunList(run), run + QStringList{u"file 'c'"_qs});
    EXPECT_EQ(closedFramesList(run),
              (run + QStringList{u"file 'c'"_qs, u"duration 0.04000"_qs}));

    // A list that does not end with a duration, or has one line, stays as it is.
    const QStringList open = {u"file 'a'"_qs, u"duration 1.00000"_qs, u"file 'b'"_qs};
    EXPECT_EQ(closedRunList(open), open);
    EXPECT_EQ(closedFramesList({u"duration 1"_qs}), QStringList{u"duration 1"_qs});
    EXPECT_EQ(closedRunList({}), QStringList());

    EXPECT_DOUBLE_EQ(runEncodeSeconds(run), 3.04);
    EXPECT_DOUBLE_EQ(runEncodeSeconds({u"file 'a'"_qs, u"duration 0.01"_qs}), 0.04);
    EXPECT_DOUBLE_EQ(runEncodeSeconds({u"file 'a'"_qs}), 0.04);
}

TEST(Timeline, WorkFileNames)
{
    EXPECT_EQ(FrameFileName(u"/w"_qs, 0), u"/w/frame_00000000.jpg"_qs);
    EXPECT_EQ(FrameFileName(u"/w/"_qs, 1234567), u"/w/frame_01234567.jpg"_qs);
    EXPECT_EQ(SegmentFileName(u"/w/"_qs, 7), u"/w/seg_007.mkv"_qs);
    EXPECT_EQ(SegmentFileName(u"/w/"_qs, 1234), u"/w/seg_1234.mkv"_qs);
    EXPECT_EQ(runListFileName(u"/w/"_qs, 2), u"/w/run_002.txt"_qs);
    EXPECT_EQ(clipOverlayFileName(u"/w/"_qs, 1), u"/w/clipsub_001.png"_qs);
}
