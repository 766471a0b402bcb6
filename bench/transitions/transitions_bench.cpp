// bench_transitions: for every effect the median time of one frame on one core, and the
// time of a whole transition (frames rendered and JPEG-encoded on two threads).
//
// Frame times are the thread's CPU time, so that other work on a busy machine does not
// count; wall-clock medians are printed beside them. A whole transition is given in wall
// time and as CPU time divided by the thread count (its wall time on otherwise idle cores).
//
// usage: bench_transitions [--size WxH] [--effects LIST] [--frames N] [--threads T]
#include "project/transitioncatalogue.h"
#include "render/jpegwriter.h"
#include "render/transitions/effectlist.h"
#include "render/transitions/registry.h"
#include "render/transitions/samplepictures.h"
#include "render/transitions/transitionrun.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThreadPool>
#include <QtConcurrent>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <vector>

using namespace vistarel;
namespace tr = vistarel::render::transitions;

namespace {

constexpr int kJpegQuality = 80;
constexpr double kGoalMedianMs = 8.0;
constexpr double kGoalSlowestMs = 40.0;
constexpr double kGoalTransitionS = 0.5;

struct Options
{
    QSize size{1920, 1080};
    std::vector<int> effects;
    int frames = 25;
    int threads = 2;
};

struct Result
{
    int ordinal;
    double prepareMs;
    double medianMs; // CPU
    double maxMs;    // CPU
    double wallMedianMs;
    double transitionS;    // wall
    double transitionCpuS; // CPU / threads
};

double cpuMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0);
}

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

bool parseOptions(const QStringList& args, Options& o)
{
    o.effects.clear();
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == u"--size") {
            const QStringList wh = value.split(u'x');
            if (wh.size() != 2)
                return false;
            o.size = QSize(wh[0].toInt(), wh[1].toInt());
        } else if (name == u"--effects") {
            auto list = tr::parseEffectList(value);
            if (!list)
                return false;
            o.effects = *list;
        } else if (name == u"--frames") {
            o.frames = std::max(2, value.toInt());
        } else if (name == u"--threads") {
            o.threads = std::max(1, value.toInt());
        } else {
            return false;
        }
    }
    if (args.size() % 2 != 0 || o.size.width() < 1 || o.size.height() < 1)
        return false;
    if (o.effects.empty())
        o.effects = *tr::parseEffectList(QStringLiteral("1-250"));
    return true;
}

// One core: every interior frame of an n-frame transition once, timed alone.
void timeFrames(const Options& o, const QImage& a, const QImage& b, Result& r)
{
    double cpu = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    const tr::TransitionRun run(r.ordinal, a, b);
    r.prepareMs = cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu;
    QImage frame;
    run.render(50.0f, frame); // warm the buffers
    std::vector<double> times;
    std::vector<double> walls;
    QElapsedTimer timer;
    for (int k = 1; k + 1 < o.frames; ++k) {
        timer.restart();
        cpu = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        run.render(tr::frameProgress(k, o.frames), frame);
        times.push_back(cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu);
        walls.push_back(msSince(timer));
    }
    r.medianMs = median(times);
    r.maxMs = times.empty() ? 0.0 : *std::max_element(times.begin(), times.end());
    r.wallMedianMs = median(walls);
}

// A whole transition as the export makes it: prepare, then every frame rendered and
// JPEG-encoded, frames spread over the pool's threads.
void timeTransition(const Options& o, const QImage& a, const QImage& b, QThreadPool& pool,
                    Result& r)
{
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const tr::TransitionRun run(r.ordinal, a, b);
    std::vector<int> ks(std::size_t(o.frames));
    std::iota(ks.begin(), ks.end(), 0);
    const QList<QByteArray> jpegs =
        QtConcurrent::blockingMapped<QList<QByteArray>>(&pool, ks, [&](int k) {
            QImage frame;
            run.render(tr::frameProgress(k, o.frames), frame);
            return render::encodeJpeg(frame, kJpegQuality);
        });
    r.transitionS = msSince(timer) / 1000.0;
    r.transitionCpuS = (cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu) / 1000.0 / o.threads;
    for (const QByteArray& jpeg : jpegs) {
        if (jpeg.isEmpty())
            std::fprintf(stderr, "JPEG encoding failed for effect %d\n", r.ordinal);
    }
}

double jpegBaselineMs(const QImage& picture)
{
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        const double cpu = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        render::encodeJpeg(picture, kJpegQuality);
        times.push_back(cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu);
    }
    return median(times);
}

void printSummary(const Options& o, const std::vector<Result>& results, double jpegMs)
{
    std::vector<double> medians;
    std::vector<double> walls;
    std::vector<double> cpus;
    for (const Result& r : results) {
        medians.push_back(r.medianMs);
        walls.push_back(r.transitionS);
        cpus.push_back(r.transitionCpuS);
    }
    auto byMedian = [](const Result& l, const Result& r) { return l.medianMs < r.medianMs; };
    auto byCpu = [](const Result& l, const Result& r) {
        return l.transitionCpuS < r.transitionCpuS;
    };
    const Result& slowest = *std::max_element(results.begin(), results.end(), byMedian);
    const Result& longest = *std::max_element(results.begin(), results.end(), byCpu);
    const double med = median(medians);
    std::printf("\nSummary (%d x %d, %zu effects, %d frames, %d threads for whole transitions)\n",
                o.size.width(), o.size.height(), results.size(), o.frames, o.threads);
    std::printf("  JPEG q%d of one frame, one core:       %7.2f ms\n", kJpegQuality, jpegMs);
    std::printf("  median over effects of frame median:   %7.2f ms (goal <= %.0f ms) %s\n", med,
                kGoalMedianMs, med <= kGoalMedianMs ? "met" : "MISSED");
    std::printf("  slowest effect: %3d %-32s %6.2f ms (goal <= %.0f ms) %s\n", slowest.ordinal,
                qPrintable(project::transitionListName(slowest.ordinal)), slowest.medianMs,
                kGoalSlowestMs, slowest.medianMs <= kGoalSlowestMs ? "met" : "MISSED");
    std::printf("  whole transition incl. JPEG, CPU / threads: median %.3f s (%.0f fps), "
                "longest %d %s %.3f s (%.0f fps) (goal < %.1f s) %s\n",
                median(cpus), o.frames / median(cpus), longest.ordinal,
                qPrintable(project::transitionListName(longest.ordinal)), longest.transitionCpuS,
                o.frames / longest.transitionCpuS, kGoalTransitionS,
                longest.transitionCpuS < kGoalTransitionS ? "met" : "MISSED");
    std::printf("  whole transition incl. JPEG, wall clock: median %.3f s, longest %.3f s\n",
                median(walls), *std::max_element(walls.begin(), walls.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options o;
    if (!parseOptions(QGuiApplication::arguments().mid(1), o)) {
        std::fprintf(stderr, "usage: bench_transitions [--size WxH] [--effects LIST] "
                             "[--frames N] [--threads T]\n");
        return 2;
    }
    const QImage a = tr::sampleStartPicture(o.size);
    const QImage b = tr::sampleTargetPicture(o.size);
    QThreadPool pool;
    pool.setMaxThreadCount(o.threads);
    std::printf("%3s  %-40s %-7s %8s %8s %8s %8s %8s %8s\n", "#", "effect", "family", "prep ms",
                "cpu ms", "max ms", "wall ms", "whole s", "cpu/T s");
    std::vector<Result> results;
    for (int ordinal : o.effects) {
        Result r{ordinal, 0, 0, 0, 0, 0, 0};
        timeFrames(o, a, b, r);
        timeTransition(o, a, b, pool, r);
        std::printf("%3d  %-40s %-7s %8.2f %8.2f %8.2f %8.2f %8.3f %8.3f\n", ordinal,
                    qPrintable(project::transitionListName(ordinal)),
                    tr::familyName(tr::familyOf(tr::effectParams(ordinal))), r.prepareMs,
                    r.medianMs, r.maxMs, r.wallMedianMs, r.transitionS, r.transitionCpuS);
        std::fflush(stdout);
        results.push_back(r);
    }
    QImage frame;
    tr::TransitionRun(1, a, b).render(50.0f, frame);
    printSummary(o, results, jpegBaselineMs(frame));
    return 0;
}
