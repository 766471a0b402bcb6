// bench_preview: plays every transition effect through the step-2 preview player, as
// the window does (pictures loaded and composed on the workers, frames rendered ahead
// and shown on the clock), and reports the frames shown per second of transition and
// the longest time between two shown frames. The goal is at least 25 frames per second
// for every effect at each preview size.
//
// usage: bench_preview [--size WxH]... [--effects LIST] [--duration MS]
//   default sizes: 402x284 (the preview of the 1024 x 768 window) and 1220x566 (of a
//   maximised window on a 1920 x 1080 screen); default: effects 1..250, 1000 ms.
#include "app/previewplayer.h"
#include "project/transitioncatalogue.h"
#include "render/transitions/samplepictures.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vistarel;

namespace {

constexpr double kGoalFps = 25.0;

struct Options
{
    std::vector<QSize> sizes;
    std::vector<int> effects;
    int durationMs = 1000;
};

QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(u'x');
    return parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : QSize();
}

std::vector<int> parseEffects(const QString& text)
{
    std::vector<int> effects;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList range = part.split(u'-');
        const int from = range[0].toInt();
        const int to = range.size() > 1 ? range[1].toInt() : from;
        for (int e = from; e <= to; ++e)
            effects.push_back(e);
    }
    return effects;
}

Options parseOptions(const QStringList& args)
{
    Options o;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--size")
            o.sizes.push_back(parseSize(args[i + 1]));
        else if (args[i] == u"--effects")
            o.effects = parseEffects(args[i + 1]);
        else if (args[i] == u"--duration")
            o.durationMs = args[i + 1].toInt();
    }
    if (o.sizes.empty())
        o.sizes = {QSize(402, 284), QSize(1220, 566)};
    if (o.effects.empty())
        for (int e = 1; e < project::kTransitionCount; ++e)
            o.effects.push_back(e);
    return o;
}

app::PreviewPlayer::Statistics playOnce(app::PreviewPlayer& player, app::PreviewRequest request)
{
    QEventLoop loop;
    const auto done = QObject::connect(&player, &app::PreviewPlayer::finished, &loop, &QEventLoop::quit);
    player.play(request);
    loop.exec();
    QObject::disconnect(done);
    return player.statistics();
}

struct Row
{
    int effect;
    double fps;
    int gapMs;
};

void runSize(const Options& o, QSize size, const QString& start, const QString& target,
             const QString& appData)
{
    app::PreviewPlayer player(appData);
    app::PreviewRequest request;
    request.size = size;
    request.previous = app::PreviewSlide{start, false, false};
    request.current = app::PreviewSlide{target, false, false};
    request.durationMs = o.durationMs;
    request.stillOnly = false;
    // The pictures are composed once and then come from the player's cache, as when the
    // user tries one effect after another.
    request.effect = 1;
    playOnce(player, request);

    std::vector<Row> rows;
    for (int effect : o.effects) {
        request.effect = effect;
        const app::PreviewPlayer::Statistics s = playOnce(player, request);
        rows.push_back({effect, s.framesShown * 1000.0 / o.durationMs, s.longestGapMs});
    }
    std::vector<Row> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), [](const Row& a, const Row& b) { return a.fps < b.fps; });
    const Row& median = sorted[sorted.size() / 2];
    int below = 0;
    for (const Row& r : rows)
        below += r.fps < kGoalFps ? 1 : 0;
    std::printf("\n%dx%d, %d effects, %d ms each\n", size.width(), size.height(), int(rows.size()),
                o.durationMs);
    std::printf("  slowest five:");
    for (size_t i = 0; i < std::min<size_t>(5, sorted.size()); ++i)
        std::printf("  %d %s %.1f fps (gap %d ms)", sorted[i].effect,
                    qPrintable(project::transitionListName(sorted[i].effect)), sorted[i].fps,
                    sorted[i].gapMs);
    std::printf("\n  median %.1f fps, lowest %.1f fps, effects under %.0f fps: %d  %s\n", median.fps,
                sorted.front().fps, kGoalFps, below, below == 0 ? "GOAL MET" : "GOAL MISSED");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const Options o = parseOptions(QCoreApplication::arguments());
    QTemporaryDir dir;
    const QString start = dir.filePath(QStringLiteral("start.jpg"));
    const QString target = dir.filePath(QStringLiteral("target.jpg"));
    // Camera-sized pictures, so that loading and fitting are part of the first play.
    render::transitions::sampleStartPicture({4000, 3000}).save(start, "JPG", 90);
    render::transitions::sampleTargetPicture({3000, 4000}).save(target, "JPG", 90);
    for (const QSize& size : o.sizes)
        runSize(o, size, start, target, dir.path() + u'/');
    return 0;
}
