#include "cli/renderconsole.h"

#include "project/appdata.h"
#include "project/slidelist.h"

#include <atomic>
#include <csignal>
#include <cstdio>

#include <unistd.h>

namespace vistarel::cli {

namespace {

constexpr int kBarWidth = 30;

// The job being cancelled by a signal; the handler only stores into lock-free atomics.
std::atomic<std::atomic<bool>*> g_cancelFlag{nullptr};
std::atomic<bool> g_interrupted{false};

extern "C" void onCancelSignal(int)
{
    g_interrupted.store(true);
    if (std::atomic<bool>* flag = g_cancelFlag.load())
        flag->store(true);
}

void installCancelHandler(bool install)
{
    struct sigaction action{};
    action.sa_handler = install ? onCancelSignal : SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace

ConsoleRenderHost::ConsoleRenderHost(const QString& appDataDir, const lang::MessageList& messages)
    : ConsoleHost(appDataDir, messages)
    , m_terminal(::isatty(STDERR_FILENO) == 1)
{
    static_assert(std::atomic<bool>::is_always_lock_free);
    g_interrupted = false;
    g_cancelFlag = &ActionCanceled;
    installCancelHandler(true);
}

ConsoleRenderHost::~ConsoleRenderHost()
{
    installCancelHandler(false);
    g_cancelFlag = nullptr;
    endBar();
}

bool ConsoleRenderHost::interrupted() const
{
    return g_interrupted.load();
}

void ConsoleRenderHost::showStage(render::RenderStage stage)
{
    const int id = render::stageStateMessage(stage);
    m_state = id > 0 ? message(id) : QString();
    if (m_terminal) {
        drawBar();
    } else if (!m_state.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(m_state));
    }
}

void ConsoleRenderHost::progressChanged(int /*percent*/)
{
    if (m_terminal)
        drawBar();
}

void ConsoleRenderHost::drawBar()
{
    const int filled = progress() * kBarWidth / 100;
    const QString bar = QString(filled, u'#') + QString(kBarWidth - filled, u'-');
    std::fprintf(stderr, "\r\033[K[%s] %3d%%  %s", qPrintable(bar), progress(),
                 qPrintable(m_state));
    std::fflush(stderr);
    m_barShown = true;
}

void ConsoleRenderHost::endBar()
{
    if (m_barShown)
        std::fputc('\n', stderr);
    m_barShown = false;
}

render::DialogResult ConsoleRenderHost::taskDialog(const lang::TaskDialogText& text)
{
    endBar();
    return ConsoleHost::taskDialog(text);
}

void ConsoleRenderHost::messageBox(const QString& text)
{
    endBar();
    ConsoleHost::messageBox(text);
}

int renderOnConsole(CliContext& context, const project::SlideList& slides,
                    const render::RenderJobSettings& settings, const ConsoleRenderOptions& options)
{
    ConsoleRenderHost host(project::AppDataDir(), context.messages);
    render::RenderJobHooks hooks;
    hooks.openVideo = options.openVideo;
    hooks.keepWorkFiles = options.keepWork;
    hooks.stageChanged = [&host](render::RenderStage stage) { host.showStage(stage); };
    const render::RenderJobResult result = render::runRenderJob(host, slides, settings, hooks);
    host.endBar();

    if (options.keepWork && result.outcome != render::RenderOutcome::Refused)
        context.out << "work files kept in: " << host.AppDataDir() << Qt::endl;
    if (host.interrupted() && result.outcome != render::RenderOutcome::Succeeded)
        return kExitCancelled;
    if (result.outcome != render::RenderOutcome::Succeeded)
        return kExitFailure;
    context.out << result.outputFile << Qt::endl;
    return kExitOk;
}

} // namespace vistarel::cli
