// step1_bench [folder]: the step-1 page with a folder of 2,000 photos of 3000 x 2000
// pixels (made once into the folder, default /tmp/vistarel-bench-photos, and reused).
//
// 1. The folder is opened in the gallery: the time until the first screenful of
//    thumbnails has been painted, and the longest time the event loop was blocked
//    meanwhile (a 5 ms timer records how late it fires).
// 2. The view is scrolled page by page to the end, each page waiting for its thumbnails:
//    the total time, the longest block and the memory then held (the cache is bounded).
// 3. All 2,000 files are dropped into the slide strip: the time of the drop itself and
//    the longest block while the strip then loads its thumbnails.
// 4. "Weiter" with 2,000 slides: the copy into the step-2 strip.
// Goals: first screenful under 1 s, no block over 100 ms, memory under 500 MiB.
#include "app/desktop.h"
#include "app/foldermodel.h"
#include "app/folderview.h"
#include "app/formmain.h"
#include "app/mediadrag.h"
#include "app/navigator.h"
#include "app/slidestrip.h"
#include "app/step1page.h"
#include "app/style.h"
#include "photofolder.h"
#include "project/appdata.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>

using namespace vistarel;

namespace {

constexpr int kPhotoCount = 2000;
constexpr int kPhotoWidth = 3000;
constexpr int kPhotoHeight = 2000;
constexpr int kProbeMs = 5;

qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A timer that fires every 5 ms and records how much later than that it came: the
// longest time the event loop was kept from running. It also records how much of that
// time the interface thread itself computed; the rest it waited for a core (a busy
// machine), not for our code.
class BlockProbe : public QObject
{
public:
    BlockProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kProbeMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            const qint64 cpu = threadCpuNs();
            const qint64 late = now - m_last - qint64(kProbeMs) * 1000000;
            if (late > m_longest) {
                m_longest = late;
                m_longestCpu = cpu - m_lastCpu;
            }
            m_longestCpuOnly = std::max(m_longestCpuOnly, cpu - m_lastCpu);
            m_last = now;
            m_lastCpu = cpu;
        });
        m_clock.start();
        m_timer.start();
    }
    void reset()
    {
        m_last = m_clock.nsecsElapsed();
        m_lastCpu = threadCpuNs();
        m_longest = m_longestCpu = m_longestCpuOnly = 0;
    }
    double longestMs() const { return double(m_longest) / 1e6; }
    // The interface thread's own computing within that longest block.
    double longestCpuMs() const { return double(m_longestCpu) / 1e6; }
    // The most the interface thread computed between two ticks.
    double longestComputingMs() const { return double(m_longestCpuOnly) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_lastCpu = 0;
    qint64 m_longest = 0;
    qint64 m_longestCpu = 0;
    qint64 m_longestCpuOnly = 0;
};

double memoryMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

// Notes when the folder view has painted a screen whose thumbnails are all there.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(app::FolderView& view)
        : m_view(view)
    {
        view.viewport()->installEventFilter(this);
    }
    void arm() { m_done = false; }
    bool done() const { return m_done; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done && !m_view.folderModel()->isLoading() &&
            m_view.folderModel()->rowCount() > 0 && m_view.visibleThumbnailsWaiting() == 0) {
            // Counted once this paint has finished.
            QTimer::singleShot(0, this, [this] { m_done = true; });
        }
        return false;
    }

private:
    app::FolderView& m_view;
    bool m_done = false;
};

void reportBlock(const char* what, const BlockProbe& probe)
{
    std::printf("%-52s %9.1f ms    goal < 100 ms: %s\n", what, probe.longestMs(),
                probe.longestMs() < 100 ? "met" : "MISSED");
    std::printf("      (the interface thread computed %.1f ms of it; its longest stretch of "
                "computing was %.1f ms)\n",
                probe.longestCpuMs(), probe.longestComputingMs());
}

int cellsOnScreen(const app::FolderView& view)
{
    int cells = 0;
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        if (view.visualRect(view.model()->index(row, 0)).intersects(view.viewport()->rect()))
            ++cells;
    }
    return cells;
}

void report(const char* what, double value, const char* unit, double goal)
{
    const bool met = goal <= 0 || value < goal;
    std::printf("%-52s %9.1f %-4s", what, value, unit);
    if (goal > 0)
        std::printf("  goal < %.0f %s: %s", goal, unit, met ? "met" : "MISSED");
    std::printf("\n");
}

void dropOn(app::SlideStrip& strip, const QMimeData& mime)
{
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip.viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip.viewport(), &drop);
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::applyDarkStyle(application);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/vistarel-bench-photos");

    QElapsedTimer clock;
    clock.start();
    const QStringList photos =
        bench::ensurePhotoFolder(folder, kPhotoCount, kPhotoWidth, kPhotoHeight);
    if (photos.isEmpty()) {
        std::fprintf(stderr, "cannot write the photos into %s\n", qPrintable(folder));
        return 1;
    }
    std::printf("%d photos of %dx%d in %s (ready after %.1f s)\n", kPhotoCount, kPhotoWidth,
                kPhotoHeight, qPrintable(folder), double(clock.elapsed()) / 1000);

    QTemporaryDir scratch;
    app::FormMainServices services;
    services.settings = project::Settings(scratch.filePath(QStringLiteral("settings.ini")));
    services.settings.setText(QStringLiteral("Language"), QStringLiteral("de"));
    services.settings.setInteger(QStringLiteral("ShowStartPanel"), 0);
    services.settings.setText(QStringLiteral("LastFolder"), scratch.path());
    services.programDir = project::executableDir();
    services.appDataDir = scratch.filePath(QStringLiteral("appdata/"));
    services.desktop = std::make_shared<app::WidgetDesktop>();
    services.endApplication = [] {};
    app::TFormMain window(std::move(services));
    window.show();
    BlockProbe probe;
    waitUntil([] { return false; }, 500); // settle: the window is shown and painted

    app::Step1Page& page = *window.step1();
    app::FolderView& view = *page.folderView();
    PaintWatch watch(view);
    const double rssBefore = memoryMiB("VmRSS:");

    // 1. Opening the folder.
    watch.arm();
    probe.reset();
    clock.restart();
    page.showFolder(folder);
    if (!waitUntil([&] { return watch.done(); }, 60000)) {
        std::fprintf(stderr, "the first screenful never completed\n");
        return 1;
    }
    const double firstScreenMs = double(clock.nsecsElapsed()) / 1e6;
    report("open: first screenful of thumbnails painted", firstScreenMs, "ms", 1000);
    reportBlock("open: longest block of the event loop", probe);
    std::printf("      (%d items listed, %d cells on the first screen)\n",
                view.folderModel()->rowCount(), cellsOnScreen(view));

    // 2. Scrolling through all of it.
    probe.reset();
    clock.restart();
    QScrollBar* bar = view.verticalScrollBar();
    int pages = 0;
    while (true) {
        watch.arm();
        view.viewport()->update();
        if (!waitUntil([&] { return watch.done(); }, 60000))
            break;
        ++pages;
        if (bar->value() >= bar->maximum())
            break;
        bar->setValue(bar->value() + bar->pageStep());
    }
    report("scroll: every page of the folder, one after another", double(clock.elapsed()) / 1000,
           "s", 0);
    std::printf("      (%d pages, thumbnails cached: %.1f MiB of at most %.1f MiB)\n", pages,
                double(view.thumbnails().cachedBytes()) / 1048576.0,
                double(view.thumbnails().maxBytes()) / 1048576.0);
    reportBlock("scroll: longest block of the event loop", probe);
    report("memory after scrolling through the folder (RSS)", memoryMiB("VmRSS:"), "MiB", 500);

    // 3. Dropping all of them into the strip.
    view.selectAll();
    const QStringList dragged = view.selectedPathsInOrder();
    const std::unique_ptr<QMimeData> mime = app::mediaFilesMime(dragged);
    app::SlideStrip& strip = *page.slideStrip();
    probe.reset();
    clock.restart();
    dropOn(strip, *mime);
    const double dropMs = double(clock.nsecsElapsed()) / 1e6;
    waitUntil([&] { return strip.thumbnails().pendingCount() == 0; }, 30000);
    waitUntil([] { return false; }, 300);
    report("drop: 2,000 files into the strip, the drop itself", dropMs, "ms", 100);
    reportBlock("drop: longest block of the event loop, drop included", probe);
    std::printf("      (%d slides in the strip)\n", window.slides().count());

    // 4. "Weiter" with all of them.
    probe.reset();
    clock.restart();
    window.navigator()->RzBmpButtonStep1NextClick();
    const double nextMs = double(clock.nsecsElapsed()) / 1e6;
    waitUntil([] { return false; }, 100);
    report("Weiter: copy of 2,000 slides into the step-2 strip", nextMs, "ms", 0);
    reportBlock("Weiter: longest block of the event loop", probe);

    report("memory: resident at start of the run", rssBefore, "MiB", 0);
    report("memory: peak resident over the whole run", memoryMiB("VmHWM:"), "MiB", 500);
    return 0;
}
