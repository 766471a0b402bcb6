#include "render/tools/toolrunner.h"
#include "testhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vistarel;

TEST(ToolRunner, ToolsLieBesideTheExecutable)
{
    const QString dir = QCoreApplication::applicationDirPath();
    EXPECT_EQ(render::GetFFmpegPath(), dir + u"/ffmpeg"_qs);
    EXPECT_EQ(render::GetFFProbePath(), dir + u"/ffprobe"_qs);
    EXPECT_TRUE(QFileInfo(render::GetFFmpegPath()).isExecutable());

    tooltest::HostInTempDir env;
    QStringList output;
    EXPECT_EQ(render::RunTool(env.host, render::GetFFmpegPath(), u"-hide_banner -version"_qs,
                              &output, {}),
              0);
    ASSERT_FALSE(output.isEmpty());
    EXPECT_TRUE(output.first().startsWith(u"ffmpeg version"_qs));
    EXPECT_EQ(env.host.MemoLog(), QStringList{u"> ffmpeg -hide_banner -version"_qs});
}

TEST(ToolRunner, AToolThatCannotStartIsAFailureWithAReason)
{
    tooltest::HostInTempDir env;
    const QString notExecutable = env.host.AppDataDir() + u"plain file"_qs;
    QFile file(notExecutable);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case
    {
        QString tool;
        QString reason;
    };
    const Case cases[] = {
        {env.host.AppDataDir() + u"no such tool"_qs, u"No such file or directory"_qs},
        {notExecutable, u"Permission denied"_qs},
    };
    for (const Case& c : cases) {
        env.host.clearLog();
        QStringList output{u"old"_qs};
        bool called = false;
        EXPECT_EQ(render::RunTool(env.host, c.tool, u"-x \"a b\""_qs, &output,
                                  [&](int) { called = true; }),
                  render::kRunNotStarted);
        EXPECT_TRUE(output.isEmpty());
        EXPECT_FALSE(called);
        ASSERT_EQ(env.host.MemoLog().size(), 2);
        EXPECT_EQ(env.host.MemoLog()[0], u"> "_qs + QFileInfo(c.tool).fileName() + u" -x \"a b\""_qs);
        const QString& exitLine = env.host.MemoLog()[1];
        EXPECT_TRUE(exitLine.startsWith(u"Exitcode -1: cannot start \""_qs + c.tool + u'"'))
            << exitLine.toStdString();
        EXPECT_TRUE(exitLine.endsWith(c.reason)) << exitLine.toStdString();

        QString delivered;
        EXPECT_EQ(render::RunProcess(env.host, c.tool, {},
                                     [&](const QString& chunk) { delivered += chunk; }),
                  render::kRunNotStarted);
        EXPECT_TRUE(delivered.endsWith(c.reason)) << delivered.toStdString();
    }
}

TEST(ToolRunner, AMissingWorkFolderIsAFailure)
{
    const QString gone = QDir::tempPath() + u"/vistarel-no-such-folder/"_qs;
    tooltest::TestHost host(gone);
    QString delivered;
    EXPECT_EQ(render::RunProcess(host, render::GetFFmpegPath(), u"-version"_qs,
                                 [&](const QString& chunk) { delivered += chunk; }),
              render::kRunNotStarted);
    EXPECT_TRUE(delivered.contains(gone)) << delivered.toStdString();
}
