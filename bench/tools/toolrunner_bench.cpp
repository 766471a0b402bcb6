// What the tool runner adds to a run: 200 runs of a tool that exits at once, through
// RunTool, against the same 200 runs started directly (spawn and wait, nothing else).
// Goal: the runner's extra cost per run under 10 ms.
//
//   bench_toolrunner [runs] [tool]     (defaults: 200, /bin/true)
#include "lang/messagelist.h"
#include "render/host.h"
#include "render/tools/toolrunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace vistarel;

constexpr double kGoalMsPerRun = 10.0;
constexpr int kRounds = 5;

double directRunsMs(const QByteArray& tool, int runs)
{
    char* argv[] = {const_cast<char*>(tool.constData()), nullptr};
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i) {
        pid_t pid = -1;
        if (posix_spawn(&pid, tool.constData(), nullptr, nullptr, argv, environ) != 0)
            return -1;
        int status = 0;
        waitpid(pid, &status, 0);
    }
    return timer.nsecsElapsed() / 1e6;
}

double runnerRunsMs(render::Host& host, const QString& tool, int runs)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i) {
        if (render::RunTool(host, tool, {}, nullptr, {}) != 0)
            return -1;
        host.clearLog();
    }
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 200;
    const QString tool = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/bin/true");

    QTemporaryDir appData;
    lang::MessageList messages;
    render::ConsoleHost host(appData.path(), messages);
    host.printDialogs = false;

    // Rounds alternate between the two ways so that drift of the machine hits both.
    std::vector<double> direct;
    std::vector<double> runner;
    for (int round = 0; round < kRounds; ++round) {
        direct.push_back(directRunsMs(QFile::encodeName(tool), runs));
        runner.push_back(runnerRunsMs(host, tool, runs));
        if (direct.back() < 0 || runner.back() < 0) {
            std::fprintf(stderr, "%s could not be run\n", qPrintable(tool));
            return 2;
        }
    }
    const double directMs = median(direct);
    const double runnerMs = median(runner);
    const double extraPerRun = (runnerMs - directMs) / runs;
    std::printf("%d runs of %s, median of %d rounds\n", runs, qPrintable(tool), kRounds);
    std::printf("  started directly : %8.1f ms  (%.3f ms per run)\n", directMs, directMs / runs);
    std::printf("  through RunTool  : %8.1f ms  (%.3f ms per run)\n", runnerMs, runnerMs / runs);
    std::printf("  runner's extra   : %8.3f ms per run (goal < %.0f ms): %s\n", extraPerRun,
                kGoalMsPerRun, extraPerRun < kGoalMsPerRun ? "met" : "MISSED");
    return extraPerRun < kGoalMsPerRun ? 0 : 1;
}
