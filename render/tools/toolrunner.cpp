#include "render/tools/toolrunner.h"

#include "project/appdata.h"
#include "render/tools/argsplit.h"
#include "render/tools/processtree.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <variant>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vistarel::render {

namespace {

constexpr int kPassWaitMs = 100;
constexpr int kFallbackPollMs = 5;
constexpr int kMaxChunkBytes = 2400;

// Closes a file descriptor when it goes out of scope.
class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// A started tool: its id, a descriptor that becomes readable when it ends (when the
// kernel offers one), and the read end of its output pipe. The destructor makes sure no
// tool outlives the run and no zombie is left behind.
struct StartedTool
{
    pid_t pid = -1;
    UniqueFd exitFd;
    UniqueFd output;
    bool reaped = false;
    bool statusKnown = false;
    int status = 0;

    StartedTool() = default;
    StartedTool(const StartedTool&) = delete;
    StartedTool& operator=(const StartedTool&) = delete;
    ~StartedTool()
    {
        if (pid > 0 && !reaped) {
            KillProcessTree(pid);
            reap();
        }
    }
    void reap()
    {
        pid_t result;
        while ((result = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
        }
        statusKnown = result == pid;
        reaped = true;
    }
};

// Spawn settings of a tool: stdin from /dev/null, stdout and stderr into the pipe, the
// work folder as current directory, default signal handling and an empty signal mask
// whatever the program itself has set.
class SpawnSetup
{
public:
    SpawnSetup(int pipeWriteFd, const QByteArray& workDir)
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&m_actions, pipeWriteFd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&m_actions, pipeWriteFd, STDERR_FILENO);
        if (!workDir.isEmpty())
            posix_spawn_file_actions_addchdir_np(&m_actions, workDir.constData());
        posix_spawnattr_init(&m_attributes);
        sigset_t all;
        sigset_t none;
        sigfillset(&all);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&m_attributes, &all);
        posix_spawnattr_setsigmask(&m_attributes, &none);
        posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    const posix_spawn_file_actions_t* actions() const { return &m_actions; }
    const posix_spawnattr_t* attributes() const { return &m_attributes; }

private:
    posix_spawn_file_actions_t m_actions;
    posix_spawnattr_t m_attributes;
};

// A descriptor that becomes readable when the process ends; -1 where the kernel has none.
int openProcessFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    Q_UNUSED(pid);
    return -1;
#endif
}

QString startFailure(const QString& tool, const QString& workDir, int error)
{
    return QStringLiteral("cannot start \"%1\" in \"%2\": %3")
        .arg(tool, workDir, QString::fromLocal8Bit(std::strerror(error)));
}

// Starts the tool; on failure returns the reason as text.
std::variant<std::monostate, QString> startTool(StartedTool& started, const QString& tool,
                                                const QString& arguments,
                                                const QString& workDir)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return startFailure(tool, workDir, errno);
    started.output.reset(fds[0]);
    UniqueFd writeEnd(fds[1]);
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);

    std::vector<QByteArray> encoded{QFile::encodeName(tool)};
    for (const QString& argument : splitArgumentText(arguments))
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const SpawnSetup setup(writeEnd.get(), QFile::encodeName(workDir));
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, encoded.front().constData(), setup.actions(),
                                    setup.attributes(), argv.data(), environ);
    if (error != 0)
        return startFailure(tool, workDir, error);
    started.pid = pid;
    started.exitFd.reset(openProcessFd(pid));
    return std::monostate();
}

bool hasEnded(const StartedTool& started)
{
    siginfo_t info{};
    const int result =
        ::waitid(P_PID, static_cast<id_t>(started.pid), &info, WEXITED | WNOHANG | WNOWAIT);
    return result == 0 && info.si_pid == started.pid;
}

// Waits up to 100 ms for the tool to end, without reaping it (so that its id cannot be
// reused before a kill). Returns whether it has ended.
bool waitForEnd(const StartedTool& started)
{
    if (started.exitFd.get() >= 0) {
        pollfd entry{started.exitFd.get(), POLLIN, 0};
        int result;
        while ((result = ::poll(&entry, 1, kPassWaitMs)) < 0 && errno == EINTR) {
        }
        return result > 0;
    }
    // Kernels without process descriptors: look in short steps.
    for (int waited = 0; waited < kPassWaitMs; waited += kFallbackPollMs) {
        if (hasEnded(started))
            return true;
        ::poll(nullptr, 0, kFallbackPollMs);
    }
    return hasEnded(started);
}

// Hands everything waiting in the pipe to the consumer, in reads no larger than what is
// waiting and at most 2400 bytes, so the loop never blocks.
void deliverWaitingOutput(int fd, QStringDecoder& decoder, const TOutputConsumer& consumer)
{
    char buffer[kMaxChunkBytes];
    for (;;) {
        int waiting = 0;
        if (::ioctl(fd, FIONREAD, &waiting) != 0 || waiting <= 0)
            return;
        const ssize_t size = ::read(fd, buffer, std::min(waiting, kMaxChunkBytes));
        if (size <= 0)
            return;
        // The decoder keeps a character that is split between two reads for the next one.
        const QString chunk = decoder.decode(QByteArrayView(buffer, size));
        if (!chunk.isEmpty() && consumer)
            consumer(chunk);
    }
}

// The exit code, 128 + the signal number for a tool that a signal ended, and 128 when the
// end is unknown (the process was collected elsewhere): never 0 unless the tool said so.
int exitCodeOf(const StartedTool& started)
{
    if (!started.statusKnown)
        return 128;
    const int status = started.status;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return 128;
}

// The run loop behind RunProcess and RunTool; a tool that cannot be started gives
// kRunNotStarted with the reason in *startError.
int runProcess(Host& host, const QString& tool, const QString& arguments,
               const TOutputConsumer& consumer, QString* startError)
{
    StartedTool started;
    const auto startResult = startTool(started, tool, arguments, host.AppDataDir());
    if (const QString* failure = std::get_if<QString>(&startResult)) {
        *startError = *failure;
        return kRunNotStarted;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    bool cancelled = false;
    for (;;) {
        const bool ended = waitForEnd(started);
        deliverWaitingOutput(started.output.get(), decoder, consumer);
        host.pumpMessages();
        if (host.ActionCanceled.load()) {
            KillProcessTree(started.pid);
            cancelled = true;
            break;
        }
        if (ended)
            break;
    }
    started.reap();
    return cancelled ? kRunCancelled : exitCodeOf(started);
}

} // namespace

QString GetFFmpegPath()
{
    return project::executableDir() + QStringLiteral("ffmpeg");
}

QString GetFFProbePath()
{
    return project::executableDir() + QStringLiteral("ffprobe");
}

int RunProcess(Host& host, const QString& tool, const QString& arguments,
               const TOutputConsumer& consumer)
{
    QString startError;
    const int exitCode = runProcess(host, tool, arguments, consumer, &startError);
    if (exitCode == kRunNotStarted && consumer)
        consumer(startError);
    return exitCode;
}

int RunTool(Host& host, const QString& tool, const QString& arguments, QStringList* output,
            const TFrameProgress& onFrame)
{
    host.appendLog(QStringLiteral("> ") + QFileInfo(tool).fileName() + u' ' + arguments);
    QString collected;
    QString startError;
    const auto consumer = [&](const QString& chunk) {
        collected += chunk;
        if (onFrame) {
            const int frame = ParseFrameNumber(chunk);
            if (frame > 0)
                onFrame(frame);
        }
    };
    const int exitCode = runProcess(host, tool, arguments, consumer, &startError);
    if (output)
        *output = splitOutputLines(collected);
    if (exitCode != 0)
        host.appendLog(QStringLiteral("Exitcode %1: ").arg(exitCode) +
                       (exitCode == kRunNotStarted ? startError : collected).trimmed());
    return exitCode;
}

} // namespace vistarel::render
