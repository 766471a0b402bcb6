#include "project/appdata.h"
#include "project/recentprojects.h"
#include "project/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::project;

namespace {

struct SettingsFixture : ::testing::Test
{
    QTemporaryDir dir;
    Settings settings{dir.filePath(u"settings.ini"_qs)};

    QString touch(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }
    QStringList recent() const
    {
        QStringList list;
        for (int i = 1; i <= 4; ++i)
            if (auto v = settings.text(settingname::recent(i)))
                list << QFileInfo(*v).fileName();
        return list;
    }
};

} // namespace

TEST_F(SettingsFixture, FirstStartDefaults)
{
    EXPECT_EQ(settings.viewOption(), 1);
    EXPECT_EQ(settings.previewOption(), 0);
    EXPECT_EQ(settings.imagesOption(), 0);
    EXPECT_FALSE(settings.windowMaximized());
    EXPECT_TRUE(settings.showStartPanel());
    const StartGeometry g = startGeometry(settings, 96);
    EXPECT_FALSE(g.position || g.width || g.height);
    EXPECT_EQ(startLanguage(settings, QLocale(QLocale::German, QLocale::Austria)), u"de"_qs);
    EXPECT_EQ(startLanguage(settings, QLocale(QLocale::French)), u"en"_qs);
    settings.setText(settingname::Language, u"en"_qs);
    EXPECT_EQ(startLanguage(settings, QLocale(QLocale::German)), u"en"_qs);
    settings.setInteger(settingname::ShowStartPanel, 0);
    EXPECT_FALSE(settings.showStartPanel());
}

TEST_F(SettingsFixture, WindowSizeIsScaledByThePixelDensityOnce)
{
    settings.setInteger(settingname::WindowWidth, 1200);
    settings.setInteger(settingname::WindowHeight, 800);
    settings.setInteger(settingname::SavedPPI, 96);
    settings.setInteger(settingname::WindowLeft, 10);
    const StartGeometry g = startGeometry(settings, 144);
    EXPECT_EQ(g.width, 1800);
    EXPECT_EQ(g.height, 1200);
    EXPECT_FALSE(g.position.has_value()); // only with both coordinates
    settings.setInteger(settingname::WindowTop, 20);
    settings.setInteger(settingname::WindowWidth, 1001); // 1001 * 1.5 = 1501.5 → 1502 (even)
    EXPECT_EQ(startGeometry(settings, 144).position, QPoint(10, 20));
    EXPECT_EQ(startGeometry(settings, 144).width, 1502);
}

TEST_F(SettingsFixture, RecentListPutsTheNewestOnTopWithoutDuplicates)
{
    for (const char* name : {"A.vrj", "B.vrj", "C.vrj", "D.vrj", "E.vrj"})
        putProjectOnTop(settings, touch(QLatin1String(name)));
    EXPECT_EQ(recent(), (QStringList{u"E.vrj"_qs, u"D.vrj"_qs, u"C.vrj"_qs, u"B.vrj"_qs}));

    putProjectOnTop(settings, dir.filePath(u"C.vrj"_qs));
    EXPECT_EQ(recent(), (QStringList{u"C.vrj"_qs, u"E.vrj"_qs, u"D.vrj"_qs, u"B.vrj"_qs}));
    // The same file in other letter case replaces its entry.
    putProjectOnTop(settings, dir.filePath(u"b.vrj"_qs));
    EXPECT_EQ(recent(), (QStringList{u"b.vrj"_qs, u"C.vrj"_qs, u"E.vrj"_qs, u"D.vrj"_qs}));
    putProjectOnTop(settings, QString());
    EXPECT_EQ(recent().size(), 4);
}

TEST_F(SettingsFixture, StartPanelSkipsMissingFilesButKeepsThemStored)
{
    const QString a = touch(u"a.vrj"_qs);
    const QString gone = touch(u"gone.vrj"_qs);
    putProjectOnTop(settings, a);
    putProjectOnTop(settings, gone);
    QFile::remove(gone);
    const auto rows = recentProjectsForStartPanel(settings, QLocale(QLocale::German));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].name, u"a.vrj"_qs);
    EXPECT_EQ(rows[0].path, a);
    EXPECT_TRUE(rows[0].dateText.contains(u", "_qs));
    EXPECT_EQ(rows[0].dateText.right(5), QFileInfo(a).lastModified().toString(u"hh:mm"_qs));
    EXPECT_EQ(recent().size(), 2);
}

TEST_F(SettingsFixture, DefaultOutputFollowsTheLastOutputFolderWhileItExists)
{
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    EXPECT_EQ(defaultOutputPath(settings, u"Slideshow.mp4"_qs),
              QDir(videos).filePath(u"Slideshow.mp4"_qs));
    settings.setText(settingname::LastOutput, dir.filePath(u"old.mp4"_qs));
    EXPECT_EQ(defaultOutputPath(settings, u"Slideshow.mp4"_qs),
              dir.filePath(u"Slideshow.mp4"_qs));
    settings.setText(settingname::LastOutput, u"/no/such/folder/old.mp4"_qs);
    EXPECT_EQ(defaultOutputPath(settings, u"Slideshow.mp4"_qs),
              QDir(videos).filePath(u"Slideshow.mp4"_qs));
}

TEST(AppDataDir, IsCreatedWithTrailingSeparatorAndCanBeOverridden)
{
    QTemporaryDir dir;
    const QString wanted = dir.filePath(u"nested/appdata"_qs);
    qputenv("VISTAREL_APPDATA", wanted.toUtf8());
    const QString appData = AppDataDir();
    qunsetenv("VISTAREL_APPDATA");
    EXPECT_EQ(appData, wanted + u'/');
    EXPECT_TRUE(QFileInfo(appData).isDir());
}
