#include "app/crashhandler.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace vistarel::app {

namespace {

// Everything the handler touches is prepared beforehand in fixed buffers: a signal
// handler may not allocate, lock or call into Qt.
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr std::size_t kPathBytes = 4096;
constexpr std::size_t kTextBytes = 1024;
constexpr std::size_t kAltStackBytes = 64 * 1024;

char g_reportPath[kPathBytes];
char g_version[64];
char g_title[kTextBytes];
char g_closing[kTextBytes];
volatile std::sig_atomic_t g_inHandler = 0;
std::array<char, kAltStackBytes> g_altStack;

void copyText(char* target, std::size_t size, const QByteArray& text)
{
    const std::size_t n = std::min(size - 1, static_cast<std::size_t>(text.size()));
    std::memcpy(target, text.constData(), n);
    target[n] = '\0';
}

void writeText(int fd, const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(fd, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= static_cast<std::size_t>(n);
    }
}

// Digits of value in the given base, without allocation.
void writeNumber(int fd, unsigned long long value, unsigned base)
{
    char digits[32];
    int i = 0;
    do {
        const unsigned d = static_cast<unsigned>(value % base);
        digits[i++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        value /= base;
    } while (value > 0 && i < 32);
    char out[34];
    int j = 0;
    while (i > 0)
        out[j++] = digits[--i];
    out[j] = '\0';
    writeText(fd, out);
}

const char* signalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV (segmentation fault)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGFPE: return "SIGFPE (arithmetic error)";
    case SIGABRT: return "SIGABRT (abort)";
    default: return "fatal signal";
    }
}

void writeReport(int sig, const siginfo_t* info)
{
    const int fd = ::open(g_reportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    writeText(fd, "Vistarel crash report\nVersion: ");
    writeText(fd, g_version);
    writeText(fd, "\nCause: ");
    writeText(fd, signalName(sig));
    writeText(fd, " at 0x");
    writeNumber(fd, reinterpret_cast<unsigned long long>(info ? info->si_addr : nullptr), 16);
    writeText(fd, "\nTime (seconds since 1970): ");
    writeNumber(fd, static_cast<unsigned long long>(::time(nullptr)), 10);
    writeText(fd, "\nProcess: ");
    writeNumber(fd, static_cast<unsigned long long>(::getpid()), 10);
    writeText(fd, "\n\nBacktrace:\n");
    void* frames[64];
    const int count = ::backtrace(frames, 64);
    ::backtrace_symbols_fd(frames, count, fd);
    ::close(fd);
}

void onFatalSignal(int sig, siginfo_t* info, void*)
{
    // A crash inside the handler must not loop: the second one ends the process.
    if (g_inHandler == 0) {
        g_inHandler = 1;
        writeReport(sig, info);
        writeText(STDERR_FILENO, g_title);
        writeText(STDERR_FILENO, "\n");
        writeText(STDERR_FILENO, g_reportPath);
        writeText(STDERR_FILENO, "\n");
        writeText(STDERR_FILENO, g_closing);
        writeText(STDERR_FILENO, "\n");
    }
    // SA_RESETHAND restored the default action; raising again ends the process with the
    // signal, so the exit status and core dump are what they would have been.
    ::raise(sig);
}

} // namespace

void installCrashHandler(const QString& folder, const QString& versionText)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(kCrashReportName));
    copyText(g_reportPath, kPathBytes, QFile::encodeName(path));
    copyText(g_version, sizeof g_version, versionText.toUtf8());
    if (g_title[0] == '\0')
        copyText(g_title, kTextBytes, "Vistarel closed unexpectedly.");
    // backtrace() loads its unwinder on first use; do that now, not inside the handler.
    void* warmUp[2];
    ::backtrace(warmUp, 2);

    stack_t stack{};
    stack.ss_sp = g_altStack.data();
    stack.ss_size = g_altStack.size();
    ::sigaltstack(&stack, nullptr);

    struct sigaction action{};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int sig : kFatalSignals)
        ::sigaction(sig, &action, nullptr);
}

void uninstallCrashHandler()
{
    for (int sig : kFatalSignals)
        ::signal(sig, SIG_DFL);
}

void setCrashTexts(const QStringList& texts)
{
    if (!texts.value(0).isEmpty())
        copyText(g_title, kTextBytes, texts.value(0).toUtf8());
    copyText(g_closing, kTextBytes, texts.value(9).toUtf8());
}

QString takePendingCrashReport(const QString& folder)
{
    const QDir dir(folder);
    const QString report = dir.filePath(QString::fromLatin1(kCrashReportName));
    const QFileInfo info(report);
    if (!info.isFile())
        return {};
    const QString stamp = info.lastModified().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString target = dir.filePath(QStringLiteral("crash-report-%1.txt").arg(stamp));
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = dir.filePath(QStringLiteral("crash-report-%1-%2.txt").arg(stamp).arg(n));
    // A folder that refuses the rename still gets its report announced.
    return QFile::rename(report, target) ? target : report;
}

QString crashCauseOf(const QString& reportPath)
{
    QFile file(reportPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine(4096)).trimmed();
        if (line.startsWith(QLatin1String("Cause: ")))
            return line.mid(7);
    }
    return {};
}

} // namespace vistarel::app
