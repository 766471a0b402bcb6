#include "render/tools/fitfilter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace vistarel;

TEST(FitFilter, TextsForEachFitting)
{
    struct Case
    {
        int w, h;
        bool stretch, blur;
        QString filter;
    };
    const Case cases[] = {
        {1920, 1080, true, false, u"scale=1920:1080:flags=lanczos,setsar=1"_qs},
        // Stretch wins over blur.
        {1920, 1080, true, true, u"scale=1920:1080:flags=lanczos,setsar=1"_qs},
        {1920, 1080, false, false,
         u"scale=1920:1080:force_original_aspect_ratio=decrease:flags=lanczos,"
         "pad=1920:1080:(ow-iw)/2:(oh-ih)/2:black,setsar=1"_qs},
        {1920, 1080, false, true,
         u"split[blurA][blurB];[blurA]scale=480:270:force_original_aspect_ratio=increase,"
         "crop=480:270,boxblur=6:3,scale=1920:1080:flags=bicubic[blurBg];"
         "[blurB]scale=1920:1080:force_original_aspect_ratio=decrease:flags=lanczos[blurFg];"
         "[blurBg][blurFg]overlay=(main_w-overlay_w)/2:(main_h-overlay_h)/2,setsar=1"_qs},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::BuildFitFilter(c.w, c.h, c.stretch, c.blur), c.filter);
}

TEST(FitFilter, BlurredBackgroundIsAQuarterRoundedDownToEven)
{
    struct Case
    {
        int w, h;
        QStringList numbers; // every number of the text, in order
    };
    // The eight filled values, then the fixed blur radius and passes, the centring
    // divisors and the sample aspect ratio.
    const auto numbers = [](int bw, int bh, int w, int h) {
        return QStringList{QString::number(bw), QString::number(bh), QString::number(bw),
                           QString::number(bh), u"6"_qs, u"3"_qs, QString::number(w),
                           QString::number(h), QString::number(w), QString::number(h),
                           u"2"_qs, u"2"_qs, u"1"_qs};
    };
    const Case cases[] = {
        {1280, 720, numbers(320, 180, 1280, 720)},
        {10, 6, numbers(2, 2, 10, 6)},
        {854, 480, numbers(212, 120, 854, 480)},
        {7, 3, numbers(2, 2, 7, 3)},
    };
    static const QRegularExpression number(u"\\d+"_qs);
    for (const Case& c : cases) {
        QStringList found;
        for (const auto& match : number.globalMatch(render::BuildFitFilter(c.w, c.h, false, true)))
            found << match.captured();
        EXPECT_EQ(found, c.numbers) << c.w << "x" << c.h;
    }
}
