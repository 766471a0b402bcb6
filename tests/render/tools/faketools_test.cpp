// The runner against stand-in tools that lie beside this test executable.
#include "render/tools/argsplit.h"
#include "render/tools/mediaprobe.h"
#include "render/tools/toolrunner.h"
#include "testhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <set>

#include <gtest/gtest.h>

using namespace vistarel;

namespace {

QString fakeTool(const QString& name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

// Sets an environment variable for the tools started during one scope.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QString& value) : m_name(name)
    {
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnv() { qunsetenv(m_name); }

private:
    const char* m_name;
};

// Whether the process is gone: no entry in /proc, or only its exit record (a zombie
// waiting for the system to collect it).
bool processGone(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_qs.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const qsizetype nameEnd = text.lastIndexOf(')');
    const char state = nameEnd >= 0 && nameEnd + 2 < text.size() ? text[nameEnd + 2] : '?';
    return state == 'Z' || state == 'X';
}

} // namespace

TEST(FakeTools, SilentFailureLeavesTwoLogLines)
{
    struct Case
    {
        QString arguments;
        int exitCode;
        QStringList log;
    };
    const Case cases[] = {
        {u"1"_qs, 1, {u"> quit 1"_qs, u"Exitcode 1: "_qs}},
        {u"0"_qs, 0, {u"> quit 0"_qs}},
        {u"signal"_qs, 128 + 15, {u"> quit signal"_qs, u"Exitcode 143: "_qs}},
    };
    for (const Case& c : cases) {
        tooltest::HostInTempDir env;
        QStringList output{u"old"_qs};
        EXPECT_EQ(render::RunTool(env.host, fakeTool(u"quit"_qs), c.arguments, &output, {}),
                  c.exitCode);
        EXPECT_TRUE(output.isEmpty());
        EXPECT_EQ(env.host.MemoLog(), c.log);
    }
}

TEST(FakeTools, ProgressReachesTheFrameCallbackAndEveryPassPumps)
{
    tooltest::HostInTempDir env;
    std::vector<int> frames;
    QStringList output;
    EXPECT_EQ(render::RunTool(env.host, fakeTool(u"progress"_qs), {}, &output,
                              [&](int frame) { frames.push_back(frame); }),
              0);
    // Chunk boundaries depend on timing; the first chunk starts with frame 10, and a
    // chunk reports its first frame only.
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front(), 10);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_GT(frames[i], frames[i - 1]);
    for (const int frame : frames)
        EXPECT_TRUE(frame == 10 || frame == 20 || frame == 30) << frame;
    ASSERT_EQ(output.size(), 4);
    EXPECT_TRUE(output[2].startsWith(u"frame=  30 fps= 25"_qs));
    EXPECT_EQ(output[3], u"encoded"_qs);
    // The tool runs for at least 0.45 s and a pass waits at most 0.1 s.
    EXPECT_GE(env.host.pumps, 5);
    EXPECT_EQ(env.host.MemoLog(), QStringList{u"> progress "_qs});
}

TEST(FakeTools, OutputWrittenJustBeforeTheEndArrivesInBoundedChunks)
{
    tooltest::HostInTempDir env;
    QStringList chunks;
    EXPECT_EQ(render::RunProcess(env.host, fakeTool(u"lastline"_qs), {},
                                 [&](const QString& chunk) { chunks << chunk; }),
              0);
    EXPECT_EQ(chunks.join(QString()), QString(10000, u'x') + u"the last line"_qs);
    EXPECT_GE(chunks.size(), 5);
    for (const QString& chunk : chunks)
        EXPECT_LE(chunk.size(), 2400);
}

TEST(FakeTools, ArgumentsArriveExactlyAndNoShellIsInvolved)
{
    tooltest::HostInTempDir env;
    const QStringList values{
        u"plain"_qs, u"with  blanks"_qs, u"Mäd 'it's'"_qs, u"a\"b"_qs, u"ends in \\"_qs,
        u"$HOME `id` $(id) ; | & > *"_qs, u""_qs, u"tab\tinside"_qs,
    };
    QString arguments = u"-first"_qs;
    for (const QString& value : values)
        arguments += u" \""_qs + render::escapeInsideQuotes(value) + u'"';
    QString collected;
    EXPECT_EQ(render::RunProcess(env.host, fakeTool(u"echoargs"_qs), arguments,
                                 [&](const QString& chunk) { collected += chunk; }),
              0);
    QStringList expected{QDir(env.host.AppDataDir()).canonicalPath(), u"[-first]"_qs};
    for (const QString& value : values)
        expected << u'[' + value + u']';
    EXPECT_EQ(render::splitOutputLines(collected), expected);
}

TEST(FakeTools, CancelKillsTheWholeTree)
{
    tooltest::HostInTempDir env;
    QString collected;
    std::set<qint64> pids;
    QElapsedTimer sinceCancel;
    QElapsedTimer sinceStart;
    sinceStart.start();
    env.host.onPump = [&] {
        static const QRegularExpression pidLine(u"pid (\\d+)"_qs);
        for (const auto& match : pidLine.globalMatch(collected))
            pids.insert(match.captured(1).toLongLong());
        // Five processes: the tool, two children, two grandchildren. Give up after 10 s.
        if (!env.host.ActionCanceled && (pids.size() == 5 || sinceStart.elapsed() > 10000)) {
            env.host.ActionCanceled = true;
            sinceCancel.start();
        }
    };
    EXPECT_EQ(render::RunProcess(env.host, fakeTool(u"tree"_qs), {},
                                 [&](const QString& chunk) { collected += chunk; }),
              render::kRunCancelled);
    ASSERT_EQ(pids.size(), 5u) << collected.toStdString();
    // The kill happens right after the pump that set the flag; allow 200 ms for the
    // system to finish the processes off.
    std::set<qint64> alive = pids;
    while (!alive.empty() && sinceCancel.elapsed() < 200) {
        std::erase_if(alive, processGone);
        QThread::msleep(2);
    }
    std::erase_if(alive, processGone);
    EXPECT_TRUE(alive.empty()) << alive.size() << " processes still alive after "
                               << sinceCancel.elapsed() << " ms";
}

TEST(FakeTools, CancelledRunsAreLoggedWithCode5)
{
    tooltest::HostInTempDir env;
    env.host.ActionCanceled = true;
    EXPECT_EQ(render::RunTool(env.host, fakeTool(u"progress"_qs), {}, nullptr, {}),
              render::kRunCancelled);
    ASSERT_EQ(env.host.MemoLog().size(), 2);
    EXPECT_TRUE(env.host.MemoLog()[1].startsWith(u"Exitcode 5:"_qs));
}

TEST(FakeTools, ProbesUseTheToolBesideTheExecutableOnly)
{
    // A real ffprobe is on the search path; the stand-in beside this executable answers.
    tooltest::HostInTempDir env;
    ASSERT_EQ(render::GetFFProbePath(), fakeTool(u"ffprobe"_qs));
    const QString file = env.host.AppDataDir() + u"music.mp3"_qs;
    struct Case
    {
        QString output;
        double mediaDuration;
        double audioDuration;
    };
    const Case cases[] = {
        {u"12.5"_qs, 12.5, 12.5},
        // A decimal comma is read only by the music probe.
        {u"12,5"_qs, 0, 12.5},
        // The music probe takes the last line that holds a value.
        {u"3.5\\nN/A\\n \\n"_qs, 0, 3.5},
        {u"n/a"_qs, 0, 0},
    };
    for (const Case& c : cases) {
        const ScopedEnv output("FAKE_TOOL_OUTPUT", c.output);
        EXPECT_EQ(render::GetMediaDurationFFProbe(env.host, file), c.mediaDuration)
            << c.output.toStdString();
        EXPECT_EQ(render::GetAudioDurationFFProbe(env.host, render::GetFFProbePath(), file),
                  c.audioDuration)
            << c.output.toStdString();
    }
}

TEST(FakeTools, NoThumbnailWithoutFfmpegBesideTheExecutable)
{
    tooltest::HostInTempDir env;
    const QString clip = env.host.AppDataDir() + u"clip.mp4"_qs;
    QFile file(clip);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(render::GetVideoThumbnail(env.host, clip).isEmpty());
    EXPECT_TRUE(env.host.MemoLog().isEmpty());
}
