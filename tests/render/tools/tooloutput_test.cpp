#include "render/tools/toolrunner.h"
#include "testhost.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace vistarel;

TEST(ToolOutput, FrameNumbers)
{
    struct Case
    {
        QString text;
        int frame;
    };
    const Case cases[] = {
        {u"frame=  250 fps= 25 q=28.0 size=  10kB"_qs, 250},
        {u"frame=250"_qs, 250},
        {u"frame= 10 fps=0.0\rframe= 20 fps=25"_qs, 10}, // only the first counts
        {u"size=1kB frame=\t7 q=1"_qs, 7},
        {u"frame="_qs, 0},
        {u"frame=   "_qs, 0},
        {u"no progress here"_qs, 0},
        {u"Frame= 12"_qs, 0},
        {u"frame=abc 12x"_qs, 12}, // leading non-digits are skipped
        {u"frame=2147483647"_qs, 2147483647},
        {u"frame=2147483648"_qs, 0},
        {u"frame=99999999999999999999"_qs, 0},
        {u"frame=٣"_qs, 0}, // only ASCII digits count
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::ParseFrameNumber(c.text), c.frame) << c.text.toStdString();
}

TEST(ToolOutput, LinesSplitAtEveryKindOfBreak)
{
    EXPECT_EQ(render::splitOutputLines(u""_qs), QStringList());
    EXPECT_EQ(render::splitOutputLines(u"a"_qs), QStringList{u"a"_qs});
    EXPECT_EQ(render::splitOutputLines(u"a\r\nb\nc\rd\n"_qs),
              (QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs}));
    EXPECT_EQ(render::splitOutputLines(u"a\n\n"_qs), (QStringList{u"a"_qs, u""_qs}));
    EXPECT_EQ(render::splitOutputLines(u"\n"_qs), QStringList{u""_qs});
}

TEST(ToolOutput, FinalEncodePercent)
{
    struct Case
    {
        int frame;
        double total;
        int percent;
    };
    const Case cases[] = {
        {500, 1000, 75}, {1000, 1000, 100}, {1500, 1000, 100}, {1, 1000, 50},
        {1, 4, 62},  // 12.5 rounds to even 12
        {3, 4, 88},  // 37.5 rounds to even 38
        {1, 0, -1}, {0, 1000, -1}, {-3, 1000, -1}, {10, -5, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::finalEncodePercent(c.frame, c.total), c.percent)
            << c.frame << " of " << c.total;
}

TEST(ToolOutput, FinalEncodeReaderLogsAndMovesTheRing)
{
    tooltest::HostInTempDir env;
    tooltest::TestHost& host = env.host;
    const render::FinalEncodeReader reader(host, 1000);

    reader(u"  frame=  500 fps=25\r\n"_qs);
    EXPECT_EQ(host.MemoLog(), QStringList{u"frame=  500 fps=25"_qs});
    EXPECT_EQ(host.progress(), 75);
    EXPECT_EQ(host.pumps, 1);

    // Carriage returns are dropped before the split, so two -stats lines joined by one
    // count as one line (its first frame number); lines split at line feeds count apart.
    reader(u"frame= 520 q=1\rframe= 540 q=1\n frame=  600 q=1 \n"_qs);
    EXPECT_EQ(host.progress(), 80);
    EXPECT_EQ(host.pumps, 2); // 76 pumps nothing, 80 does
    EXPECT_EQ(host.MemoLog().mid(1),
              (QStringList{u"frame= 520 q=1"_qs, u"frame= 540 q=1"_qs, u" frame=  600 q=1"_qs}));

    reader(u"frame= 5000"_qs);
    EXPECT_EQ(host.progress(), 100);
    reader(u"Conversion failed!"_qs);
    EXPECT_EQ(host.progress(), 100);
    EXPECT_EQ(host.MemoLog().last(), u"Conversion failed!"_qs);

    host.setProgress(50);
    render::FinalEncodeReader(host, 0)(u"frame= 10"_qs);
    EXPECT_EQ(host.progress(), 50);
    EXPECT_EQ(host.MemoLog().last(), u"frame= 10"_qs);
}

TEST(ToolOutput, ErrorDialogsSaveTheLogFirst)
{
    tooltest::HostInTempDir env;
    tooltest::TestHost& host = env.host;
    const QString logPath = host.AppDataDir() + u"render.log"_qs;
    host.appendLog(u"> ffprobe -v error"_qs);
    host.appendLog(u"Exitcode 1: broken"_qs);

    render::ShowMediaError(host, u"/media/Mäd clip.mp4"_qs);
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), "> ffprobe -v error\r\nExitcode 1: broken\r\n");
    log.close();

    host.appendLog(u"more"_qs);
    render::ShowRenderError(host);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("broken\r\nmore\r\n"));
    log.close();

    EXPECT_EQ(host.shownDialogs,
              (QStringList{u"Media failed | Cannot read:\r\n\r\n/media/Mäd clip.mp4 | Check the file."_qs,
                           u"Render failed | See the log:\r\n\r\n"_qs + logPath + u" | Try again."_qs}));
}

TEST(ToolOutput, ErrorDialogShowsEvenWhenTheLogCannotBeSaved)
{
    tooltest::HostInTempDir env;
    ASSERT_TRUE(QDir().mkpath(env.host.AppDataDir() + u"render.log"_qs));
    render::ShowRenderError(env.host);
    EXPECT_EQ(env.host.shownDialogs.size(), 1);
}
