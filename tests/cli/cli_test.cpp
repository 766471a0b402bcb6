#include "clirun.h"
#include "project/projectfile.h"
#include "project/slidelist.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::project;

using vistarel::cli::test::CliRun;
using vistarel::cli::test::runCli;

namespace {

struct CliFixture : ::testing::Test
{
    QTemporaryDir dir;
    QString media(const QString& name)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        return f.fileName();
    }
    QString project(const SlideList& slides, const OutputSettings& out)
    {
        const QString path = dir.filePath(u"show.vrj"_qs);
        EXPECT_TRUE(saveProjectFile(path, buildProjectFile(slides, out)).ok);
        return path;
    }
};

} // namespace

TEST_F(CliFixture, InfoJsonShowsTheProjectAsLoaded)
{
    SlideList slides;
    slides.appendFile(media(u"a.jpg"_qs));
    slides.appendFile(media(u"b.MOV"_qs));
    TMyImageInfo& r = slides.settingsOnDemand(0);
    r.Transition = 3;
    r.TransitionDuration = 9;
    r.Duration = 16;
    r.Subtitle = u"{\\rtf1 Grüße}"_qs;
    OutputSettings out;
    out.MusicFiles = {u"/m/1.mp3"_qs};
    out.OutputFile = u"/v/x.mp4"_qs;

    const CliRun run = runCli({u"info"_qs, u"--json"_qs, project(slides, out)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(root["settings"]["musicFiles"].toArray().size(), 1);
    EXPECT_EQ(root["settings"]["outputFile"].toString(), u"/v/x.mp4"_qs);
    const QJsonArray list = root["slides"].toArray();
    ASSERT_EQ(list.size(), 2);
    const QJsonObject first = list[0].toObject();
    EXPECT_EQ(first["transitionName"].toString(), u"iettFadeIn"_qs);
    EXPECT_EQ(first["displaySeconds"].toInt(), 60);
    EXPECT_EQ(first["transitionMs"].toInt(), 2750);
    EXPECT_EQ(first["subtitle"].toString(), u"{\\rtf1 Grüße}"_qs);
    EXPECT_EQ(first["fontColor"].toDouble(), 16777215.0);
    EXPECT_TRUE(list[1].toObject()["isVideo"].toBool());
    EXPECT_TRUE(list[1].toObject()["hasRecord"].toBool()); // loading gives every slide a record
    EXPECT_EQ(list[1].toObject()["fontColor"].toDouble(), 16777215.0);

    const CliRun readable = runCli({u"info"_qs, project(slides, out)});
    EXPECT_EQ(readable.exitCode, 0);
    EXPECT_TRUE(readable.out.contains("a.jpg"));
    EXPECT_TRUE(readable.out.contains("FadeIn"));
}

TEST_F(CliFixture, MissingMediaFailsUnlessSkipped)
{
    SlideList slides;
    slides.appendFile(media(u"a.jpg"_qs));
    slides.appendFile(dir.filePath(u"gone.jpg"_qs));
    const QString path = project(slides, {});

    const CliRun failed = runCli({u"info"_qs, path});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains("gone.jpg"));

    const CliRun skipped = runCli({u"info"_qs, u"--skip-missing"_qs, u"--json"_qs, path});
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_TRUE(skipped.err.contains("gone.jpg"));
    EXPECT_EQ(QJsonDocument::fromJson(skipped.out)["slides"].toArray().size(), 1);
}

TEST_F(CliFixture, SaveAsReproducesTheWritersFile)
{
    SlideList slides;
    slides.appendFile(media(u"a b.jpg"_qs));
    slides.settingsOnDemand(0).Subtitle = u"{\\rtf1\\ansi x\\par y}"_qs;
    const QString path = project(slides, {});
    const QString copy = dir.filePath(u"copy.vrj"_qs);
    ASSERT_EQ(runCli({u"save-as"_qs, path, copy}).exitCode, 0);
    QFile a(path), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST(Cli, UsageErrorsHelpAndVersion)
{
    EXPECT_EQ(runCli({}).exitCode, 2);
    EXPECT_EQ(runCli({u"frobnicate"_qs}).exitCode, 2);
    EXPECT_EQ(runCli({u"info"_qs}).exitCode, 2);
    EXPECT_EQ(runCli({u"save-as"_qs, u"one.vrj"_qs}).exitCode, 2);
    EXPECT_EQ(runCli({u"info"_qs, u"/no/such/project.vrj"_qs}).exitCode, 1);
    const CliRun help = runCli({u"--help"_qs});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("save-as"));
    const CliRun version = runCli({u"--version"_qs});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("vistarel-cli 1."));
}
