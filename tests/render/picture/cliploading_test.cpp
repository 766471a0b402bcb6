#include "render/picture/pictureloader.h"
#include "tools/mediafixtures.h"
#include "tools/testhost.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace vistarel;

TEST(ClipPicture, AClipLoadsItsCachedFirstFrame)
{
    const QString clip = tooltest::mediaFixture(tooltest::Media::ClipWithSound);
    ASSERT_FALSE(clip.isEmpty());
    tooltest::HostInTempDir env;
    QImage picture;
    ASSERT_TRUE(render::LoadPictureFile(env.host, picture, clip));
    EXPECT_EQ(picture.size(), QSize(160, 90));
    const QColor centre = picture.pixelColor(80, 45); // the clip starts red
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.blue(), 60);
    EXPECT_EQ(QDir(env.host.AppDataDir() + u"cache"_qs).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(env.host.shownDialogs.isEmpty());

    QImage missing;
    EXPECT_FALSE(render::LoadPictureFile(env.host, missing, env.appData.filePath(u"gone.mp4"_qs)));
    ASSERT_EQ(env.host.shownDialogs.size(), 1);
    EXPECT_TRUE(env.host.shownDialogs[0].contains(u"gone.mp4"_qs));
}
